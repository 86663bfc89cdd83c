// Show scoring: each category on known hands, the fast breakdown against the categories, and
// the count of hands per score over every hand with its starter.
#include "rules/scoring.h"

#include "rules/cards.h"
#include "rules/random.h"

#include <gtest/gtest.h>

using namespace rules;

namespace {

constexpr int C = 1, D = 2, H = 3, S = 4;
constexpr int A = 1, T = 10, J = 11, Q = 12, K = 13;

int card(int rank, int suit) {
    return makeCard(rank, suit);
}

ShowScore byCategory(const ShowCards& c) {
    ShowScore s;
    s.fifteens = 2 * getfifteen(c);
    s.pairs = 2 * getpairs(c);
    s.runs = getruns(c);
    s.flush = getflush(c);
    s.nob = getnob(c);
    s.total = s.fifteens + s.pairs + s.runs + s.flush + s.nob;
    return s;
}

// Checks the fast path against the categories on the same cards, then returns it.
ShowScore scored(const ShowCards& c) {
    const ShowScore fast = scoreShow(c);
    EXPECT_EQ(fast, byCategory(c));
    return fast;
}

} // namespace

TEST(Show, TwentyNine) {
    const ShowScore s = scored({card(5, H), card(5, D), card(5, S), card(J, C), card(5, C)});
    EXPECT_EQ(s.fifteens, 16);
    EXPECT_EQ(s.pairs, 12);
    EXPECT_EQ(s.runs, 0);
    EXPECT_EQ(s.flush, 0);
    EXPECT_EQ(s.nob, 1);
    EXPECT_EQ(s.total, 29);
    EXPECT_EQ(getfifteen({card(5, H), card(5, D), card(5, S), card(J, C), card(5, C)}), 8);
}

TEST(Show, DoubleRunOfFour) {
    const ShowScore s = scored({card(3, C), card(4, D), card(5, H), card(5, S), card(6, C)});
    EXPECT_EQ(s.runs, 8);
    EXPECT_EQ(s.pairs, 2);
    EXPECT_EQ(s.fifteens, 4);
    EXPECT_EQ(s.total, 14);
}

TEST(Show, RunsWithTheAceHighOrLow) {
    // Queen, King, Ace is a run; King, Ace, Two is not.
    EXPECT_EQ(scored({card(Q, C), card(K, D), card(A, H), card(7, S), card(9, C)}).runs, 3);
    EXPECT_EQ(scored({card(K, C), card(A, D), card(2, H), card(7, S), card(9, C)}).runs, 0);
    // Ten to King with the Ace: one run of five and nothing besides.
    EXPECT_EQ(scored({card(A, C), card(T, D), card(J, H), card(Q, S), card(K, C)}).runs, 5);
    EXPECT_EQ(scored({card(A, C), card(J, D), card(Q, H), card(K, S), card(5, C)}).runs, 4);
    // One Ace ends a low run and a high run at once.
    EXPECT_EQ(scored({card(A, C), card(2, D), card(3, H), card(Q, S), card(K, C)}).runs, 6);
    EXPECT_EQ(scored({card(A, C), card(2, D), card(3, H), card(4, S), card(5, C)}).runs, 5);
    EXPECT_EQ(scored({card(A, C), card(A, D), card(Q, H), card(K, S), card(6, C)}).runs, 6);
}

TEST(Show, MultipleRuns) {
    EXPECT_EQ(scored({card(3, C), card(3, D), card(4, H), card(4, S), card(5, C)}).runs, 12);
    EXPECT_EQ(scored({card(3, C), card(3, D), card(3, H), card(4, S), card(5, C)}).runs, 9);
    EXPECT_EQ(scored({card(9, C), card(T, D), card(J, H), card(Q, S), card(K, C)}).runs, 5);
    EXPECT_EQ(scored({card(9, C), card(T, D), card(J, H), card(J, S), card(Q, C)}).runs, 8);
    // Three of a rank cannot run with itself.
    EXPECT_EQ(scored({card(4, C), card(4, D), card(4, H), card(8, S), card(9, C)}).runs, 0);
}

TEST(Show, RunTestsOnRanks) {
    EXPECT_TRUE(checkfor3({5, 3, 4}));
    EXPECT_TRUE(checkfor3({13, 1, 12}));
    EXPECT_FALSE(checkfor3({13, 1, 2}));
    EXPECT_FALSE(checkfor3({4, 4, 5}));
    EXPECT_TRUE(checkfor4({11, 13, 1, 12}));
    EXPECT_FALSE(checkfor4({10, 11, 13, 1}));
    EXPECT_TRUE(checkfor5({1, 13, 12, 11, 10}));
    EXPECT_TRUE(checkfor5({9, 13, 12, 11, 10}));
    EXPECT_FALSE(checkfor5({1, 2, 11, 12, 13}));
    EXPECT_FALSE(checkfor5({1, 2, 3, 4, 0}));
}

TEST(Show, FlushByTheKeptCards) {
    // Four kept cards of a suit score 4 whatever the starter; the starter's suit makes it 5.
    EXPECT_EQ(scored({card(2, H), card(4, H), card(8, H), card(Q, H), card(6, C)}).flush, 4);
    EXPECT_EQ(scored({card(2, H), card(4, H), card(8, H), card(Q, H), card(6, H)}).flush, 5);
    // Three kept cards and the starter of one suit do not.
    EXPECT_EQ(scored({card(2, H), card(4, H), card(8, H), card(Q, S), card(6, H)}).flush, 0);
    EXPECT_EQ(scored({card(2, S), card(4, H), card(8, H), card(Q, H), card(6, H)}).flush, 0);
}

TEST(Show, NobForTheJackOfTheStartersSuit) {
    for (int position = 0; position < 4; ++position) {
        ShowCards c{card(2, C), card(4, D), card(8, S), card(K, C), card(6, H)};
        c[position] = card(J, H);
        EXPECT_EQ(scored(c).nob, 1) << position;
    }
    EXPECT_EQ(scored({card(J, C), card(4, D), card(8, S), card(K, C), card(6, H)}).nob, 0);
    // A Jack turned as the starter is his heels in the play, not a nob in the show.
    EXPECT_EQ(scored({card(2, H), card(4, D), card(8, S), card(K, C), card(J, H)}).nob, 0);
}

TEST(Show, EmptyPositionsCountForNothing) {
    // A short show (a hand that kept fewer cards) must not read 0 as a King of the first suit.
    const ShowScore s = scored({card(5, H), kNoCard, kNoCard, kNoCard, card(T, C)});
    EXPECT_EQ(s.fifteens, 2);
    EXPECT_EQ(s.pairs, 0);
    EXPECT_EQ(s.total, 2);
    EXPECT_EQ(scored({kNoCard, kNoCard, kNoCard, kNoCard, kNoCard}).total, 0);
    EXPECT_EQ(scored({card(Q, C), card(K, C), kNoCard, card(A, C), card(J, S)}).flush, 0);
    EXPECT_EQ(scored({card(Q, C), card(K, C), kNoCard, card(A, C), card(5, S)}).runs, 3);
    EXPECT_EQ(scored({card(J, C), card(2, C), card(3, C), card(4, C), kNoCard}).nob, 0);
    EXPECT_EQ(scored({card(J, C), card(2, C), card(3, C), card(4, C), 60}).flush, 4);
}

TEST(Show, FastPathAgreesWithTheCategoriesOnRandomHands) {
    setRandomSeed(2024);
    for (int i = 0; i < 40000; ++i) {
        ShowCards c{};
        for (int k = 0; k < 5; ++k) {
            bool repeated = true;
            while (repeated) {
                c[k] = Random(52) + 1;
                repeated = false;
                for (int j = 0; j < k; ++j) repeated = repeated || c[j] == c[k];
            }
        }
        ASSERT_EQ(scoreShow(c), byCategory(c))
            << c[0] << ' ' << c[1] << ' ' << c[2] << ' ' << c[3] << ' ' << c[4];
    }
}

// Every set of four kept cards with each of the 48 other starters. The per-category functions
// give the same counts hand by hand (checked by the benchmark's --histogram run); with the
// ace-high runs left out they give the well-known totals of the standard count.
TEST(Show, HandsPerScoreOverEveryShow) {
    std::array<long, 30> hands{};
    ShowCards c{};
    for (c[0] = 1; c[0] <= 49; ++c[0])
        for (c[1] = c[0] + 1; c[1] <= 50; ++c[1])
            for (c[2] = c[1] + 1; c[2] <= 51; ++c[2])
                for (c[3] = c[2] + 1; c[3] <= 52; ++c[3])
                    for (c[4] = 1; c[4] <= 52; ++c[4]) {
                        if (c[4] == c[0] || c[4] == c[1] || c[4] == c[2] || c[4] == c[3]) continue;
                        ++hands[scoreShow(c).total];
                    }
    const std::array<long, 30> expected{
        923328, 99792, 2750976, 566496, 2809260, 729376, 1778608, 804232, 1158288, 368836,
        399936, 61032, 321452,  23524,  97976,   10184,  62392,   11220,  2756,    0,
        8080,   2496,  444,     356,    3680,    0,      0,       0,      76,      4};
    EXPECT_EQ(hands, expected);
    long count = 0;
    for (long n : hands) count += n;
    EXPECT_EQ(count, 12994800);
}
