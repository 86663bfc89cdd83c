// The program-wide linear congruential generator and its clock seed.
#include "rules/random.h"

#include <chrono>

namespace rules {

namespace {
std::uint32_t g_seed = 0;
constexpr std::uint32_t kMultiplier = 134775813u;
constexpr std::uint64_t kMillisecondsPerDay = 24ull * 60 * 60 * 1000;
} // namespace

int Random(int n) {
    g_seed = g_seed * kMultiplier + 1u; // wraps modulo 2^32 by unsigned arithmetic
    // A non-positive range has no valid answer; 0 keeps callers indexing in bounds.
    if (n <= 0) return 0;
    return static_cast<int>((static_cast<std::uint64_t>(n) * g_seed) >> 32);
}

void setRandomSeed(std::uint32_t seed) {
    g_seed = seed;
}

std::uint32_t randomSeed() {
    return g_seed;
}

std::uint32_t clockSeed() {
    // The system clock counts from midnight UTC without leap seconds, so the remainder of a day
    // is exactly the time of day in universal time, to the millisecond.
    const auto sinceEpoch = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::system_clock::now().time_since_epoch());
    const auto ms = static_cast<std::uint64_t>(sinceEpoch.count()) % kMillisecondsPerDay;
    return static_cast<std::uint32_t>(ms);
}

void seedRandomFromClock() {
    setRandomSeed(clockSeed());
}

} // namespace rules
