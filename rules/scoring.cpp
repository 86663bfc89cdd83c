// Show scoring: the per-category counts and the table-driven breakdown built from them.
#include "rules/scoring.h"

#include "rules/cards.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace rules {

namespace {

// An empty show position (a hand that kept fewer than four cards) holds 0. It must not count:
// read as a code, 0 would be a King of suit 1.
int runRankOrZero(int card) {
    return isCard(card) ? runRank(card) : 0;
}

// Ace, then the highest L-1 ranks up to the King: the ace-high runs of the show.
template <std::size_t L> bool isRun(std::array<int, L> ranks) {
    std::sort(ranks.begin(), ranks.end());
    if (ranks[0] < 1 || ranks[L - 1] > 13) return false;
    bool consecutive = true;
    for (std::size_t i = 1; i < L; ++i) consecutive = consecutive && ranks[i] == ranks[i - 1] + 1;
    if (consecutive) return true;
    if (ranks[0] != 1 || ranks[1] != 15 - static_cast<int>(L)) return false;
    for (std::size_t i = 2; i < L; ++i) {
        if (ranks[i] != ranks[i - 1] + 1) return false;
    }
    return true;
}

// Packed per-rank-pattern points: fifteens in bits 0-4, pairs in 5-8, runs in 9-12.
constexpr int kFifteenShift = 0;
constexpr int kPairShift = 5;
constexpr int kRunShift = 9;
constexpr int kFieldMask4 = 0xF;
constexpr int kFieldMask5 = 0x1F;
constexpr int kPatterns = 13 * 13 * 13 * 13 * 13;

// Runs from the count of cards per run rank. Each maximal stretch of three or more consecutive
// ranks scores its length times the product of its counts (every way of taking one card per
// rank). The Ace is also read as rank 14 for the ace-high runs; five cards cannot hold a run of
// four or five beside a second run, so summing stretches matches the show's five-four-three rule.
// perRank[1..13] counts the cards of each run rank; [14] repeats the Aces; [15] stays 0.
// Plain arrays: the table is built at first use in every program, debug builds included.
int runsFromCounts(const int* perRank) {
    int points = 0;
    int length = 0;
    int ways = 1;
    for (int rank = 1; rank <= 15; ++rank) {
        const int n = perRank[rank];
        if (n > 0) {
            ++length;
            ways *= n;
            continue;
        }
        if (length >= 3) points += length * ways;
        length = 0;
        ways = 1;
    }
    return points;
}

// The points of fifteens, pairs and runs depend only on the five rank keys, so one table entry
// per ordered pattern of keys (13^5) replaces the 26 fifteen-combinations and the run tests.
std::vector<std::uint16_t> buildPatternTable() {
    std::vector<std::uint16_t> table(kPatterns);
    std::uint16_t* out = table.data();
    int value[13];
    int rankOf[13];
    for (int k = 0; k < 13; ++k) {
        value[k] = keyCountValue(k);
        rankOf[k] = k == 0 ? 13 : k;
    }
    int key[5];
    for (key[0] = 0; key[0] < 13; ++key[0])
        for (key[1] = 0; key[1] < 13; ++key[1])
            for (key[2] = 0; key[2] < 13; ++key[2])
                for (key[3] = 0; key[3] < 13; ++key[3]) {
                    // Subsets of the first four by sum; the fifth card extends each of them.
                    int ways[16] = {1};
                    int perRank[16] = {};
                    int pairs4 = 0;
                    for (int i = 0; i < 4; ++i) {
                        const int v = value[key[i]];
                        for (int s = 15; s >= v; --s) ways[s] += ways[s - v];
                        pairs4 += perRank[rankOf[key[i]]]++;
                    }
                    for (key[4] = 0; key[4] < 13; ++key[4]) {
                        const int fifteens = ways[15] + ways[15 - value[key[4]]];
                        const int r = rankOf[key[4]];
                        const int pairs = pairs4 + perRank[r];
                        ++perRank[r];
                        perRank[14] = perRank[1];
                        const int runs = runsFromCounts(perRank);
                        --perRank[r];
                        *out++ = static_cast<std::uint16_t>((2 * fifteens) << kFifteenShift |
                                                            (2 * pairs) << kPairShift |
                                                            runs << kRunShift);
                    }
                }
    return table;
}

const std::vector<std::uint16_t>& patternTable() {
    static const std::vector<std::uint16_t> table = buildPatternTable();
    return table;
}

constexpr std::array<std::uint8_t, kDeckSize + 1> makeKeyTable() {
    std::array<std::uint8_t, kDeckSize + 1> t{};
    for (int c = 1; c <= kDeckSize; ++c) t[c] = static_cast<std::uint8_t>(rankKey(c));
    return t;
}
constexpr std::array<std::uint8_t, kDeckSize + 1> makeSuitTable() {
    std::array<std::uint8_t, kDeckSize + 1> t{};
    for (int c = 1; c <= kDeckSize; ++c) t[c] = static_cast<std::uint8_t>(suitOf(c));
    return t;
}
constexpr auto kKeyOf = makeKeyTable();
constexpr auto kSuitOf = makeSuitTable();

ShowScore scoreByCategory(const ShowCards& cards) {
    ShowScore s;
    s.fifteens = 2 * getfifteen(cards);
    s.pairs = 2 * getpairs(cards);
    s.runs = getruns(cards);
    s.flush = getflush(cards);
    s.nob = getnob(cards);
    s.total = s.fifteens + s.pairs + s.runs + s.flush + s.nob;
    return s;
}

} // namespace

int getfifteen(const ShowCards& cards) {
    int combinations = 0;
    // Every subset of two to five cards: 10 pairs, 10 triples, 5 quadruples, 1 quintuple.
    for (unsigned mask = 1; mask < 32; ++mask) {
        int taken = 0;
        int sum = 0;
        bool complete = true;
        for (int i = 0; i < 5; ++i) {
            if (!(mask & (1u << i))) continue;
            complete = complete && isCard(cards[i]);
            sum += countValue(cards[i]);
            ++taken;
        }
        if (complete && taken >= 2 && sum == 15) ++combinations;
    }
    return combinations;
}

int getpairs(const ShowCards& cards) {
    int pairs = 0;
    for (int i = 0; i < 5; ++i) {
        for (int j = i + 1; j < 5; ++j) {
            if (isCard(cards[i]) && isCard(cards[j]) && rankKey(cards[i]) == rankKey(cards[j]))
                ++pairs;
        }
    }
    return pairs;
}

bool checkfor5(const std::array<int, 5>& ranks) {
    return isRun(ranks);
}
bool checkfor4(const std::array<int, 4>& ranks) {
    return isRun(ranks);
}
bool checkfor3(const std::array<int, 3>& ranks) {
    return isRun(ranks);
}

int getruns(const ShowCards& cards) {
    std::array<int, 5> r{};
    for (int i = 0; i < 5; ++i) r[i] = runRankOrZero(cards[i]);
    if (checkfor5(r)) return 5;

    int points = 0;
    for (int out = 0; out < 5; ++out) {
        std::array<int, 4> four{};
        for (int i = 0, k = 0; i < 5; ++i) {
            if (i != out) four[k++] = r[i];
        }
        if (checkfor4(four)) points += 4;
    }
    if (points > 0) return points;

    for (int a = 0; a < 5; ++a)
        for (int b = a + 1; b < 5; ++b)
            for (int c = b + 1; c < 5; ++c) {
                if (checkfor3({r[a], r[b], r[c]})) points += 3;
            }
    return points;
}

int getflush(const ShowCards& cards) {
    for (int i = 0; i < 4; ++i) {
        if (!isCard(cards[i])) return 0;
    }
    const int suit = suitOf(cards[0]);
    for (int i = 1; i < 4; ++i) {
        if (suitOf(cards[i]) != suit) return 0;
    }
    return (isCard(cards[4]) && suitOf(cards[4]) == suit) ? 5 : 4;
}

int getnob(const ShowCards& cards) {
    if (!isCard(cards[4])) return 0;
    for (int i = 0; i < 4; ++i) {
        if (isCard(cards[i]) && isJack(cards[i]) && suitOf(cards[i]) == suitOf(cards[4])) return 1;
    }
    return 0;
}

ShowScore scoreShow(const ShowCards& cards) {
    for (int c : cards) {
        if (!isCard(c)) return scoreByCategory(cards); // a short show: rare, take the plain way
    }
    const auto& table = patternTable();
    const unsigned index =
        (((kKeyOf[cards[0]] * 13u + kKeyOf[cards[1]]) * 13u + kKeyOf[cards[2]]) * 13u +
         kKeyOf[cards[3]]) *
            13u +
        kKeyOf[cards[4]];
    const unsigned packed = table[index];

    ShowScore s;
    s.fifteens = static_cast<int>(packed >> kFifteenShift) & kFieldMask5;
    s.pairs = static_cast<int>(packed >> kPairShift) & kFieldMask4;
    s.runs = static_cast<int>(packed >> kRunShift) & kFieldMask4;

    const int suit = kSuitOf[cards[0]];
    if (kSuitOf[cards[1]] == suit && kSuitOf[cards[2]] == suit && kSuitOf[cards[3]] == suit)
        s.flush = kSuitOf[cards[4]] == suit ? 5 : 4;

    const int jackOfStarter = makeCard(11, kSuitOf[cards[4]]);
    s.nob = (cards[0] == jackOfStarter || cards[1] == jackOfStarter || cards[2] == jackOfStarter ||
             cards[3] == jackOfStarter)
                ? 1
                : 0;
    s.total = s.fifteens + s.pairs + s.runs + s.flush + s.nob;
    return s;
}

} // namespace rules
