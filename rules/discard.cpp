// The discard analysis: the exact mean hand and crib of every keep.
//
// How it stays fast. A crib of five cards scores fifteens, pairs and runs by its five rank keys
// alone, and flush and nob by suits alone. So instead of scoring all 45,540 two-player cases of
// each keep one by one (683,100 shows a deal), the analysis:
//  - takes the rank part from a table of every ordered pattern of five rank keys (13^5 entries),
//    filled once from the show scorer itself, so every house rule of the show comes with it;
//  - walks the multisets of ranks the unseen cards can supply instead of the cards: the opponent's
//    two cards and the starter play the same part in the rank score, so the 45,540 cases fold
//    into 455 multisets of three ranks, each weighted by how many ways the unseen cards make it
//    (three times, once for each card that can be the starter);
//  - counts the flush and nob cases in closed form from the number of unseen cards per suit.
// All sums are whole numbers, divided once at the end, so the fast path and the plain enumeration
// give the same doubles and the same order.
#include "rules/discard.h"

#include "rules/cards.h"
#include "rules/deal.h"
#include "rules/scoring.h"

#include <algorithm>
#include <cstdint>

namespace rules {

namespace {

constexpr int kKeys = 13;
constexpr int kPatterns = kKeys * kKeys * kKeys * kKeys * kKeys;
// What a crib of four cards of one suit scores, and the extra point when the starter follows
// suit; the nob for the Jack of the starter's suit. The comparison with the plain enumeration in
// the tests holds these to the show scorer.
constexpr int kCribFlush = 4;
constexpr int kFlushStarter = 1;
constexpr int kNob = 1;

std::int64_t choose(std::int64_t n, int k) {
    if (k < 0 || n < k) return 0;
    std::int64_t r = 1;
    for (int i = 1; i <= k; ++i) r = r * (n - k + i) / i;
    return r;
}

// Fifteens, pairs and runs of five cards, by the rank keys (0 King, 1 Ace .. 12 Queen) in the
// order key0 * 13^4 + ... + key4. Patterns no deck can hold (five of a key) stay 0.
const std::vector<std::uint8_t>& rankPartTable() {
    static const std::vector<std::uint8_t> table = [] {
        std::vector<std::uint8_t> t(kPatterns, 0);
        int key[5];
        std::size_t index = 0;
        for (key[0] = 0; key[0] < kKeys; ++key[0])
            for (key[1] = 0; key[1] < kKeys; ++key[1])
                for (key[2] = 0; key[2] < kKeys; ++key[2])
                    for (key[3] = 0; key[3] < kKeys; ++key[3])
                        for (key[4] = 0; key[4] < kKeys; ++key[4], ++index) {
                            int seen[kKeys] = {};
                            ShowCards cards{};
                            bool possible = true;
                            for (int i = 0; i < 5; ++i) {
                                const int suit = ++seen[key[i]];
                                possible = possible && suit <= 4;
                                cards[i] = makeCard(key[i] == 0 ? 13 : key[i], std::min(suit, 4));
                            }
                            if (!possible) continue;
                            const ShowScore s = scoreShow(cards);
                            t[index] = static_cast<std::uint8_t>(s.fifteens + s.pairs + s.runs);
                        }
        return t;
    }();
    return table;
}

// What the seat knows going in: its dealt cards and, by rank key and by suit, what it has not
// seen.
struct Unseen {
    std::vector<int> cards;
    std::array<int, kKeys> byKey{};
    std::array<int, 5> bySuit{}; // suits 1..4
};

bool validDeal(std::span<const int> dealt, int gameType) {
    if (!validGameType(gameType) || static_cast<int>(dealt.size()) != cardsPerSeat(gameType))
        return false;
    for (std::size_t i = 0; i < dealt.size(); ++i) {
        if (!isCard(dealt[i])) return false;
        for (std::size_t j = 0; j < i; ++j)
            if (dealt[j] == dealt[i]) return false;
    }
    return true;
}

Unseen unseenOf(std::span<const int> dealt) {
    Unseen u;
    for (int c = 1; c <= kDeckSize; ++c) {
        if (std::find(dealt.begin(), dealt.end(), c) != dealt.end()) continue;
        u.cards.push_back(c);
        ++u.byKey[rankKey(c)];
        ++u.bySuit[suitOf(c)];
    }
    return u;
}

// The cards of the crib that the seat does not give: the opponent's two in the two-player game,
// three (the other seats' and in the three-player game the deck's) otherwise.
int othersInCrib(int gameType) {
    return gameType == 1 ? 2 : 3;
}

// Every keep in the order of the dealt positions, without values yet.
std::vector<KeepValue> keepsOf(std::span<const int> dealt, int give) {
    std::vector<KeepValue> keeps;
    const int n = static_cast<int>(dealt.size());
    auto add = [&](int a, int b) { // b < 0 when one card is given
        KeepValue k;
        int kept = 0;
        for (int i = 0; i < n; ++i)
            if (i != a && i != b) k.keep[kept++] = dealt[i];
        k.thrown[0] = dealt[a];
        if (b >= 0) k.thrown[1] = dealt[b];
        keeps.push_back(k);
    };
    for (int a = 0; a < n; ++a) {
        if (give == 1)
            add(a, -1);
        else
            for (int b = a + 1; b < n; ++b) add(a, b);
    }
    return keeps;
}

void valueHand(KeepValue& k, const Unseen& u) {
    std::int64_t sum = 0;
    for (int starter : u.cards) {
        const int total = scoreShow({k.keep[0], k.keep[1], k.keep[2], k.keep[3], starter}).total;
        sum += total;
        ++k.handCounts[total];
    }
    k.starters = static_cast<int>(u.cards.size());
    k.hand = static_cast<double>(sum) / static_cast<double>(u.cards.size());
}

// Sum of the rank part over every multiset of `left` more rank keys, from key `from` up, that
// the unseen cards can supply, each weighted by the number of card sets that make it.
std::int64_t rankSum(const std::vector<std::uint8_t>& table, int index, int left, int from,
                     std::int64_t weight, const std::array<int, kKeys>& avail,
                     std::array<int, kKeys>& taken) {
    if (left == 0) return weight * table[index];
    std::int64_t sum = 0;
    for (int key = from; key < kKeys; ++key) {
        const int have = avail[key];
        int& t = taken[key];
        if (have <= t) continue;
        // Taking one more card of this key turns C(have, t) ways into C(have, t + 1).
        const std::int64_t w = weight * (have - t) / (t + 1);
        ++t;
        sum += rankSum(table, index * kKeys + key, left - 1, key, w, avail, taken);
        --t;
    }
    return sum;
}

void valueCribFast(KeepValue& k, int give, int others, const Unseen& u) {
    const auto& table = rankPartTable();
    const std::int64_t unseen = static_cast<std::int64_t>(u.cards.size());
    int index = 0;
    for (int i = 0; i < give; ++i) index = index * kKeys + rankKey(k.thrown[i]);
    std::array<int, kKeys> taken{};
    // Each unordered set of the other crib cards with the starter is counted once per card of it
    // that may be the starter.
    std::int64_t sum = (others + 1) * rankSum(table, index, others + 1, 0, 1, u.byKey, taken);

    const int suit = suitOf(k.thrown[0]);
    if (give == 1 || suitOf(k.thrown[1]) == suit) {
        const std::int64_t s = u.bySuit[suit];
        sum += choose(s, others) * (kCribFlush * (unseen - others) + kFlushStarter * (s - others));
    }
    for (int i = 0; i < give; ++i) {
        const int c = k.thrown[i];
        if (isJack(c)) sum += kNob * u.bySuit[suitOf(c)] * choose(unseen - 1, others);
    }
    for (int c : u.cards) {
        if (!isJack(c)) continue;
        // The unseen Jack in the crib, a starter of its suit, the rest of the crib from the rest.
        sum += kNob * (u.bySuit[suitOf(c)] - 1) * choose(unseen - 2, others - 1);
    }
    const std::int64_t cases = choose(unseen, others) * (unseen - others);
    k.crib = static_cast<double>(sum) / static_cast<double>(cases);
}

// Every set of `left` more unseen cards from index `from` on, then every other starter.
void cribCases(const std::vector<int>& c, ShowCards& crib, int at, int left, int from,
               std::int64_t& sum, std::int64_t& cases) {
    const int n = static_cast<int>(c.size());
    if (left > 0) {
        for (int i = from; i < n; ++i) {
            crib[at] = c[i];
            cribCases(c, crib, at + 1, left - 1, i + 1, sum, cases);
        }
        return;
    }
    for (int starter : c) {
        if (std::find(crib.begin(), crib.begin() + 4, starter) != crib.begin() + 4) continue;
        crib[4] = starter;
        sum += scoreShow(crib).total;
        ++cases;
    }
}

void valueCribPlain(KeepValue& k, int give, int others, const Unseen& u) {
    ShowCards crib{};
    for (int i = 0; i < give; ++i) crib[i] = k.thrown[i];
    std::int64_t sum = 0;
    std::int64_t cases = 0;
    cribCases(u.cards, crib, give, others, 0, sum, cases);
    k.crib = static_cast<double>(sum) / static_cast<double>(cases);
}

// The opponent's pair by its weight: the rank part over the ranks of the pair and of the starter,
// flush and nob over the pairs of unseen cards themselves (at most 1,035).
void valueCribWeighted(KeepValue& k, const Unseen& u, const ThrowWeights& weight) {
    const auto& table = rankPartTable();
    const int a = rankKey(k.thrown[0]), b = rankKey(k.thrown[1]);
    const int unseen = static_cast<int>(u.cards.size());
    double sum = 0, cases = 0;
    for (int x = 0; x < kKeys; ++x) {
        for (int y = x; y < kKeys; ++y) {
            const double pairs =
                static_cast<double>(x == y ? choose(u.byKey[x], 2) : u.byKey[x] * u.byKey[y]);
            const double w = weight[x][y] * pairs;
            if (w <= 0) continue;
            cases += w * (unseen - 2);
            const int index = (((a * kKeys + b) * kKeys + x) * kKeys + y) * kKeys;
            for (int z = 0; z < kKeys; ++z) {
                const int starters = u.byKey[z] - (z == x) - (z == y);
                if (starters > 0) sum += w * starters * table[index + z];
            }
        }
    }
    const int suit = suitOf(k.thrown[0]);
    const bool flush = suitOf(k.thrown[1]) == suit;
    for (std::size_t i = 0; i < u.cards.size(); ++i) {
        for (std::size_t j = i + 1; j < u.cards.size(); ++j) {
            const int c = u.cards[i], d = u.cards[j];
            const double w =
                weight[std::min(rankKey(c), rankKey(d))][std::max(rankKey(c), rankKey(d))];
            if (w <= 0) continue;
            auto startersOf = [&](int s) { // unseen starters of suit s besides c and d
                return u.bySuit[s] - (suitOf(c) == s) - (suitOf(d) == s);
            };
            if (flush && suitOf(c) == suit && suitOf(d) == suit)
                sum += w * (kCribFlush * (unseen - 2) + kFlushStarter * startersOf(suit));
            for (int jack : {k.thrown[0], k.thrown[1], c, d})
                if (isJack(jack)) sum += w * kNob * startersOf(suitOf(jack));
        }
    }
    k.crib = sum / cases;
}

template <typename CribFn>
std::vector<KeepValue> analyse(std::span<const int> dealt, int gameType, CribSide side,
                               CribFn valueCrib) {
    if (!validDeal(dealt, gameType)) return {};
    const int give = cardsToGive(gameType);
    const int others = othersInCrib(gameType);
    const Unseen u = unseenOf(dealt);
    std::vector<KeepValue> keeps = keepsOf(dealt, give);
    for (KeepValue& k : keeps) {
        valueHand(k, u);
        valueCrib(k, give, others, u);
        k.net = side == CribSide::Own ? k.hand + k.crib : k.hand - k.crib;
    }
    std::stable_sort(keeps.begin(), keeps.end(),
                     [](const KeepValue& a, const KeepValue& b) { return a.net > b.net; });
    return keeps;
}

} // namespace

std::vector<KeepValue> analyseDiscard(std::span<const int> dealt, int gameType, CribSide side) {
    return analyse(dealt, gameType, side, valueCribFast);
}

std::vector<KeepValue> analyseDiscard(std::span<const int> dealt, CribSide side,
                                      const ThrowWeights& opponent) {
    return analyse(dealt, 1, side, [&opponent](KeepValue& k, int, int, const Unseen& u) {
        valueCribWeighted(k, u, opponent);
    });
}

std::vector<KeepValue> analyseDiscardPlain(std::span<const int> dealt, int gameType,
                                           CribSide side) {
    return analyse(dealt, gameType, side, valueCribPlain);
}

} // namespace rules
