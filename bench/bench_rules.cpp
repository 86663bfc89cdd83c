// Speed of the show scoring over every hand with its starter, and of shuffling and dealing.
#include "rules/deal.h"
#include "rules/random.h"
#include "rules/scoring.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <cstring>

namespace {

constexpr long kAllShows = 12994800; // C(52,4) kept cards times 48 starters

// Calls f for every set of four kept cards with every other card as the starter.
template <typename F> void forEachShow(F&& f) {
    rules::ShowCards c{};
    for (c[0] = 1; c[0] <= 49; ++c[0])
        for (c[1] = c[0] + 1; c[1] <= 50; ++c[1])
            for (c[2] = c[1] + 1; c[2] <= 51; ++c[2])
                for (c[3] = c[2] + 1; c[3] <= 52; ++c[3])
                    for (c[4] = 1; c[4] <= 52; ++c[4]) {
                        if (c[4] == c[0] || c[4] == c[1] || c[4] == c[2] || c[4] == c[3]) continue;
                        f(c);
                    }
}

rules::ShowScore byCategory(const rules::ShowCards& c) {
    rules::ShowScore s;
    s.fifteens = 2 * rules::getfifteen(c);
    s.pairs = 2 * rules::getpairs(c);
    s.runs = rules::getruns(c);
    s.flush = rules::getflush(c);
    s.nob = rules::getnob(c);
    s.total = s.fifteens + s.pairs + s.runs + s.flush + s.nob;
    return s;
}

void BM_ScoreEveryShow(benchmark::State& state) {
    for (auto _ : state) {
        long sum = 0;
        forEachShow([&](const rules::ShowCards& c) { sum += rules::scoreShow(c).total; });
        benchmark::DoNotOptimize(sum);
    }
    state.counters["combinations/s"] = benchmark::Counter(
        static_cast<double>(kAllShows), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_ScoreEveryShow)->Unit(benchmark::kMillisecond);

// The per-category functions on the same hands, for comparison: one in 64 of them.
void BM_ScoreByCategorySample(benchmark::State& state) {
    for (auto _ : state) {
        long sum = 0;
        long seen = 0;
        long scored = 0;
        forEachShow([&](const rules::ShowCards& c) {
            if ((seen++ & 63) == 0) {
                sum += byCategory(c).total;
                ++scored;
            }
        });
        benchmark::DoNotOptimize(sum);
        state.counters["combinations/s"] =
            benchmark::Counter(static_cast<double>(scored), benchmark::Counter::kIsRate);
    }
}
BENCHMARK(BM_ScoreByCategorySample)->Unit(benchmark::kMillisecond);

void BM_ShuffleAndDeal(benchmark::State& state) {
    rules::setRandomSeed(1);
    rules::Deal deal;
    const int gameType = static_cast<int>(state.range(0));
    for (auto _ : state) {
        deal.shufflecards();
        deal.dealcards(gameType);
        deal.turnStarter(gameType);
        benchmark::DoNotOptimize(deal.starter);
    }
    state.counters["deals/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ShuffleAndDeal)->Arg(1)->Arg(2)->Arg(3);

// The count of hands per score over every show, by the per-category functions and by the
// fast path; they must agree hand by hand.
bool printHistogram() {
    std::array<long, 30> slow{};
    std::array<long, 30> fast{};
    long disagreements = 0;
    long total = 0;
    forEachShow([&](const rules::ShowCards& c) {
        const rules::ShowScore a = byCategory(c);
        const rules::ShowScore b = rules::scoreShow(c);
        ++slow[a.total];
        ++fast[b.total];
        if (!(a == b)) ++disagreements;
        ++total;
    });
    std::printf("shows: %ld, disagreements between the two scorers: %ld\n", total, disagreements);
    std::printf("score  hands\n");
    for (int score = 0; score < 30; ++score) std::printf("%5d  %ld\n", score, slow[score]);
    return disagreements == 0 && slow == fast && total == kAllShows;
}

} // namespace

int main(int argc, char** argv) {
    // --histogram first checks the fast path against the per-category functions on every show.
    bool histogram = false;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--histogram") == 0)
            histogram = true;
        else
            argv[kept++] = argv[i];
    }
    argc = kept;
    if (histogram && !printHistogram()) return 1;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
