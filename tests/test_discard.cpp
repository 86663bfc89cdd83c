// The discard analysis: values worked out by hand, keeps every player makes, and the fast path
// against the plain enumeration on many deals.
#include "rules/discard.h"

#include "rules/cards.h"
#include "rules/scoring.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <vector>

using namespace rules;

namespace {

constexpr int C = 1, D = 2, H = 3, S = 4;
constexpr int A = 1, T = 10, J = 11, Q = 12, K = 13;

int card(int rank, int suit) {
    return makeCard(rank, suit);
}

const KeepValue* findKeep(const std::vector<KeepValue>& keeps, std::array<int, 2> thrown) {
    for (const KeepValue& k : keeps) {
        if (k.thrown == thrown) return &k;
    }
    return nullptr;
}

std::vector<int> randomDeal(std::mt19937& gen, int cards) {
    std::vector<int> deck(52);
    std::iota(deck.begin(), deck.end(), 1);
    std::shuffle(deck.begin(), deck.end(), gen);
    deck.resize(static_cast<std::size_t>(cards));
    return deck;
}

void expectSame(const std::vector<KeepValue>& fast, const std::vector<KeepValue>& plain) {
    ASSERT_EQ(fast.size(), plain.size());
    for (std::size_t i = 0; i < fast.size(); ++i) {
        EXPECT_EQ(fast[i].keep, plain[i].keep) << "keep " << i;
        EXPECT_EQ(fast[i].thrown, plain[i].thrown) << "keep " << i;
        EXPECT_EQ(fast[i].hand, plain[i].hand) << "keep " << i;
        EXPECT_EQ(fast[i].crib, plain[i].crib) << "keep " << i;
        EXPECT_EQ(fast[i].net, plain[i].net) << "keep " << i;
    }
}

} // namespace

// 5C 5D 5H JS keep 14 before the starter (four fifteens, three fives paired). Of the 46 unseen
// starters the 5S makes 29; the 15 ten-cards add a fifteen with each five (20), the three Jacks a
// pair besides (22), and the 3 ten-card spades the nob (21); the other 30 cards leave 14, the 8
// spades among them 15. So the hand is (29 + 15*20 + 3*2 + 3 + 30*14 + 8) / 46 = 766 / 46.
TEST(Discard, ThreeFivesAndTheirJackByHand) {
    const std::vector<int> dealt = {card(5, C), card(5, D), card(5, H),
                                    card(J, S), card(2, C), card(7, D)};
    for (CribSide side : {CribSide::Own, CribSide::Opponent}) {
        const auto keeps = analyseDiscard(dealt, 1, side);
        ASSERT_EQ(keeps.size(), 15u);
        const KeepValue* k = findKeep(keeps, {card(2, C), card(7, D)});
        ASSERT_NE(k, nullptr);
        EXPECT_DOUBLE_EQ(k->hand, 766.0 / 46.0);
        EXPECT_EQ(k->handCounts[29], 1);
        EXPECT_EQ(k->handCounts[14], 22);
        EXPECT_EQ(k->starters, 46);
        // The best keep whoever owns the crib.
        EXPECT_EQ(keeps.front().thrown, (std::array<int, 2>{card(2, C), card(7, D)}));
        EXPECT_DOUBLE_EQ(k->net, side == CribSide::Own ? k->hand + k->crib : k->hand - k->crib);
    }
}

// The crib's value is the plain mean of the show over the 45,540 ways to fill it, counted here
// on its own without the library's enumeration.
TEST(Discard, CribMeanIsTheMeanOverEveryCase) {
    const std::vector<int> dealt = {card(5, C), card(5, D), card(T, H),
                                    card(K, S), card(3, C), card(9, D)};
    const auto keeps = analyseDiscard(dealt, 1, CribSide::Own);
    const KeepValue* k = findKeep(keeps, {card(5, C), card(5, D)});
    ASSERT_NE(k, nullptr);
    // Direct mean over the 45,540 cases with the show scorer.
    std::vector<int> unseen;
    for (int c = 1; c <= 52; ++c)
        if (std::find(dealt.begin(), dealt.end(), c) == dealt.end()) unseen.push_back(c);
    long sum = 0, cases = 0;
    for (std::size_t a = 0; a < unseen.size(); ++a)
        for (std::size_t b = a + 1; b < unseen.size(); ++b)
            for (std::size_t s = 0; s < unseen.size(); ++s) {
                if (s == a || s == b) continue;
                sum += scoreShow({card(5, C), card(5, D), unseen[a], unseen[b], unseen[s]}).total;
                ++cases;
            }
    EXPECT_EQ(cases, 45540);
    EXPECT_DOUBLE_EQ(k->crib, double(sum) / double(cases));
    // Two fives are the best a dealer can give his own crib; the pone keeps them.
    EXPECT_GT(k->crib, 8.0);
    const auto pone = analyseDiscard(dealt, 1, CribSide::Opponent);
    EXPECT_NE(pone.front().thrown, (std::array<int, 2>{card(5, C), card(5, D)}));
}

// Keeps any player makes: a double run kept whole, fives kept by the pone, the Queen-King-Ace
// run of this game's show counted in the hand.
TEST(Discard, BestKeepsOfClearHands) {
    // 4-5-6-6 is a double run of three with fifteens; K and 9 go.
    const std::vector<int> runs = {card(4, C), card(5, D), card(6, H),
                                   card(6, S), card(K, C), card(9, D)};
    for (CribSide side : {CribSide::Own, CribSide::Opponent}) {
        const auto keeps = analyseDiscard(runs, 1, side);
        EXPECT_EQ(keeps.front().thrown, (std::array<int, 2>{card(K, C), card(9, D)}));
    }
    // Queen, King and Ace run in the show here: keeping them with a pair of Queens scores a
    // double run of three before the starter.
    const std::vector<int> aceHigh = {card(Q, C), card(Q, D), card(K, H),
                                      card(A, S), card(3, C), card(8, D)};
    const auto keeps = analyseDiscard(aceHigh, 1, CribSide::Opponent);
    const KeepValue* k = findKeep(keeps, {card(3, C), card(8, D)});
    ASSERT_NE(k, nullptr);
    EXPECT_EQ(k->handCounts[0] + k->handCounts[1] + k->handCounts[2] + k->handCounts[3] +
                  k->handCounts[4] + k->handCounts[5] + k->handCounts[6] + k->handCounts[7],
              0)
        << "a double run and a pair make at least 8 with any starter";
    EXPECT_EQ(keeps.front().thrown, (std::array<int, 2>{card(3, C), card(8, D)}));
}

TEST(Discard, RefusesWhatIsNotADeal) {
    const std::vector<int> five = {1, 2, 3, 4, 5};
    EXPECT_TRUE(analyseDiscard(five, 1, CribSide::Own).empty());
    EXPECT_EQ(analyseDiscard(five, 2, CribSide::Own).size(), 5u);
    const std::vector<int> twice = {1, 2, 3, 4, 5, 5};
    EXPECT_TRUE(analyseDiscard(twice, 1, CribSide::Own).empty());
    const std::vector<int> noCard = {0, 2, 3, 4, 5, 6};
    EXPECT_TRUE(analyseDiscard(noCard, 1, CribSide::Own).empty());
    const std::vector<int> beyond = {53, 2, 3, 4, 5, 6};
    EXPECT_TRUE(analyseDiscard(beyond, 1, CribSide::Own).empty());
    const std::vector<int> six = {1, 2, 3, 4, 5, 6};
    EXPECT_TRUE(analyseDiscard(six, 0, CribSide::Own).empty());
    EXPECT_TRUE(analyseDiscard(six, 5, CribSide::Own).empty());
}

// Deals chosen for what the rank table cannot see (flushes, Jacks of every suit) and for the
// ace-high runs, then random deals; every game type and both sides of the crib.
TEST(Discard, FastPathMatchesThePlainEnumeration) {
    const std::vector<std::vector<int>> chosen = {
        {card(2, H), card(4, H), card(6, H), card(J, H), card(Q, H), card(8, H)},
        {card(J, C), card(J, D), card(J, H), card(J, S), card(5, C), card(5, D)},
        {card(A, C), card(Q, C), card(K, C), card(T, C), card(J, D), card(A, D)},
    };
    for (const auto& dealt : chosen) {
        for (CribSide side : {CribSide::Own, CribSide::Opponent})
            expectSame(analyseDiscard(dealt, 1, side), analyseDiscardPlain(dealt, 1, side));
    }
    std::mt19937 gen(20261209);
    for (int i = 0; i < 12; ++i) {
        const auto dealt = randomDeal(gen, 6);
        const CribSide side = i % 2 ? CribSide::Own : CribSide::Opponent;
        expectSame(analyseDiscard(dealt, 1, side), analyseDiscardPlain(dealt, 1, side));
    }
    // Three- and four-player cribs take three unseen cards alike whatever the type: one deal of
    // each, the four-player one flush-prone.
    const std::vector<int> flush5 = {card(2, S), card(J, S), card(7, S), card(9, S), card(K, S)};
    expectSame(analyseDiscard(flush5, 3, CribSide::Own),
               analyseDiscardPlain(flush5, 3, CribSide::Own));
    for (int gameType : {2, 4}) {
        const auto dealt = randomDeal(gen, 5);
        const CribSide side = gameType == 2 ? CribSide::Opponent : CribSide::Own;
        expectSame(analyseDiscard(dealt, gameType, side),
                   analyseDiscardPlain(dealt, gameType, side));
    }
}

// The opponent's two cards weighted by rank: all weights alike is the uniform analysis, and
// uneven weights give the weighted mean over every case, counted here one by one.
TEST(Discard, WeightedOpponentThrow) {
    ThrowWeights even{};
    for (auto& row : even) row.fill(1.0);
    std::mt19937 gen(5);
    for (int i = 0; i < 4; ++i) {
        const auto dealt = randomDeal(gen, 6);
        const auto uniform = analyseDiscard(dealt, 1, CribSide::Own);
        const auto weighted = analyseDiscard(dealt, CribSide::Own, even);
        ASSERT_EQ(uniform.size(), weighted.size());
        for (std::size_t k = 0; k < uniform.size(); ++k) {
            EXPECT_EQ(uniform[k].thrown, weighted[k].thrown);
            EXPECT_NEAR(uniform[k].crib, weighted[k].crib, 1e-9);
        }
    }

    ThrowWeights uneven{};
    std::uniform_real_distribution<double> w(0.0, 3.0);
    for (int x = 0; x < 13; ++x)
        for (int y = x; y < 13; ++y) uneven[x][y] = w(gen);
    // Jacks and a flush-prone throw, so that nob and flush weigh in.
    const std::vector<int> dealt = {card(J, H), card(4, H), card(J, C),
                                    card(5, S), card(9, D), card(K, H)};
    const auto keeps = analyseDiscard(dealt, CribSide::Opponent, uneven);
    std::vector<int> unseen;
    for (int c = 1; c <= 52; ++c)
        if (std::find(dealt.begin(), dealt.end(), c) == dealt.end()) unseen.push_back(c);
    for (const KeepValue& k : keeps) {
        double sum = 0, weight = 0;
        for (std::size_t a = 0; a < unseen.size(); ++a)
            for (std::size_t b = a + 1; b < unseen.size(); ++b) {
                const int x = rankKey(unseen[a]), y = rankKey(unseen[b]);
                const double pw = uneven[std::min(x, y)][std::max(x, y)];
                for (std::size_t s = 0; s < unseen.size(); ++s) {
                    if (s == a || s == b) continue;
                    sum +=
                        pw * scoreShow({k.thrown[0], k.thrown[1], unseen[a], unseen[b], unseen[s]})
                                 .total;
                    weight += pw;
                }
            }
        EXPECT_NEAR(k.crib, sum / weight, 1e-9);
        EXPECT_DOUBLE_EQ(k.net, k.hand - k.crib);
    }
}
