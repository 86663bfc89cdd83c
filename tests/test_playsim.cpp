// The simulated play: its pairs and runs against the table's own scoring on every short count,
// and the turn, the go, 31, the last card and the win on plays worked out by hand.
#include "rules/playsim.h"

#include "rules/cards.h"
#include "rules/pegging.h"

#include <gtest/gtest.h>

#include <random>

using namespace rules;

namespace {

constexpr int A = 1, J = 11, Q = 12, K = 13;

int key(int rank) {
    return rank % 13;
}

// What the simulator scores for pairs and runs when `next` is laid on the counts `keys`, and what
// the table's function scores for the same.
void expectSameExtra(const std::vector<int>& keys, int next) {
    PlaySequence seq;
    for (int k : keys) seq.push(makeCard(k == 0 ? 13 : k, 1));
    PlaySim sim(1, 120, {});
    sim.hold(1, makeCard(next == 0 ? 13 : next, 2));
    sim.start(seq, 1, 0);
    seq.push(makeCard(next == 0 ? 13 : next, 2));
    ASSERT_EQ(sim.pairsOrRun(next), givescoreforextra(seq).points) << "after " << keys.size();
}

PlaySim twoPlayers(std::vector<int> seat1, std::vector<int> seat2, int dealer = 2,
                   std::array<int, 5> scores = {}) {
    PlaySim sim(1, 120, scores);
    int suit = 1;
    for (int r : seat1) sim.hold(1, makeCard(r, suit++ % 4 + 1));
    for (int r : seat2) sim.hold(2, makeCard(r, suit++ % 4 + 1));
    sim.start({}, dealer, 0);
    sim.moveOn();
    return sim;
}

} // namespace

// Every count of up to four cards with every fifth, then long random counts (three- and
// four-player counts hold up to thirteen cards).
TEST(PlaySim, PairsAndRunsMatchTheTable) {
    std::vector<int> keys;
    for (int length = 0; length <= 4; ++length) {
        std::vector<int> digits(static_cast<std::size_t>(length), 0);
        for (;;) {
            for (int next = 0; next < 13; ++next) expectSameExtra(digits, next);
            int i = 0;
            while (i < length && ++digits[static_cast<std::size_t>(i)] == 13)
                digits[static_cast<std::size_t>(i++)] = 0;
            if (i == length) break;
        }
    }
    std::mt19937 gen(7);
    for (int trial = 0; trial < 20000; ++trial) {
        std::vector<int> seq(gen() % 13);
        // Few ranks make pairs and runs likely.
        for (int& k : seq) k = static_cast<int>(gen() % 6 + 1);
        expectSameExtra(seq, static_cast<int>(gen() % 6 + 1));
    }
}

// 2 deals to 1, who leads: 10, 5 for 15, 6, 10 for 31; the count starts again after seat 2's 31
// with seat 1 leading: A, 9, 3, and seat 2's 8 is the last card of the deal.
TEST(PlaySim, FifteenThirtyOneAndTheLastCard) {
    PlaySim sim = twoPlayers({10, 6, A, 3}, {5, 10, 9, 8});
    EXPECT_EQ(sim.toPlay(), 1);
    sim.lay(key(10));
    EXPECT_EQ(sim.toPlay(), 2);
    EXPECT_EQ(sim.pointsFor(key(5)), 2);
    sim.lay(key(5));
    EXPECT_EQ(sim.gained(2), 2);
    sim.lay(key(6));
    sim.lay(key(10));
    EXPECT_EQ(sim.gained(2), 4) << "31 for 2";
    EXPECT_EQ(sim.count(), 0) << "a 31 starts the count again";
    EXPECT_EQ(sim.toPlay(), 1) << "the seat after the 31 leads";
    sim.lay(key(A));
    sim.lay(key(9));
    sim.lay(key(3));
    EXPECT_EQ(sim.toPlay(), 2);
    EXPECT_EQ(sim.pointsFor(key(8)), 1) << "the last card";
    sim.lay(key(8));
    EXPECT_TRUE(sim.over());
    EXPECT_EQ(sim.gained(2), 5);
    EXPECT_EQ(sim.gained(1), 0);
    EXPECT_EQ(sim.winner(), 0);
}

// At 28 a seat holding only ten-cards says go; the seat that laid the 28 lays its 3 for 31, or
// with no card that fits pegs the go, and the other seat leads the next count. (9, K, 9 is no
// pair: the nines are not laid one after the other.)
TEST(PlaySim, TheGoPassesToTheLastPlayer) {
    PlaySim sim = twoPlayers({9, 9, 3}, {K, Q, K});
    sim.lay(key(9));
    sim.lay(key(K));
    sim.lay(key(9)); // 28: seat 2 holds Q and K only
    EXPECT_EQ(sim.toPlay(), 1);
    sim.lay(key(3));
    EXPECT_EQ(sim.gained(1), 2) << "31";
    EXPECT_EQ(sim.toPlay(), 2);

    PlaySim noThree = twoPlayers({9, 9, J}, {K, Q, K});
    noThree.lay(key(9));
    noThree.lay(key(K));
    noThree.lay(key(9));
    EXPECT_EQ(noThree.gained(1), 1) << "the go";
    EXPECT_EQ(noThree.count(), 0);
    EXPECT_EQ(noThree.toPlay(), 2);
}

// The game ends on the first score past the target: a pair at 119 wins before anything else is
// counted, and the simulation stops there.
TEST(PlaySim, StopsAtTheWin) {
    PlaySim sim = twoPlayers({7, 2}, {7, 4}, 2, {0, 100, 119, 0, 0});
    sim.lay(key(7));
    EXPECT_EQ(sim.toPlay(), 2);
    sim.lay(key(7));
    EXPECT_TRUE(sim.over());
    EXPECT_EQ(sim.winner(), 2);
    EXPECT_EQ(sim.score(2), 121);
    EXPECT_EQ(sim.toPlay(), 0);

    // Partners share one score: seat 3's pair wins for seats 1 and 3.
    PlaySim partners(4, 120, {0, 119, 50, 119, 50});
    for (int seat = 1; seat <= 4; ++seat)
        partners.hold(seat, makeCard(seat == 3 ? 8 : 2 + seat, 1 + seat % 4));
    partners.hold(2, makeCard(8, 1));
    partners.start({}, 1, 0);
    partners.moveOn();
    EXPECT_EQ(partners.toPlay(), 2);
    partners.lay(key(8));
    partners.lay(key(8));
    EXPECT_EQ(partners.winner(), 1);
    EXPECT_EQ(partners.sideOf(3), 1);
}
