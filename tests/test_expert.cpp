// The Expert and the hints on positions with one clearly right answer, the chance to win, and
// the keeps near the end of a game.
#include "rules/expert.h"

#include "rules/cards.h"
#include "rules/hint.h"
#include "rules/winchance.h"

#include <gtest/gtest.h>

using namespace rules;

namespace {

constexpr int C = 1, D = 2, H = 3, S = 4;
constexpr int T = 10, J = 11, Q = 12, K = 13;

int card(int rank, int suit) {
    return makeCard(rank, suit);
}

// A two-player play seen by seat 2: the cards laid so far (seat, card) in order, on one count.
SeatView twoPlayerPlay(std::vector<int> hand, std::vector<PlayRecord::Laid> laid,
                       std::array<int, 5> scores = {}) {
    SeatView v;
    v.gameType = 1;
    v.seat = 2;
    v.dealer = 1;
    v.scores = scores;
    v.hand = std::move(hand);
    v.thrown = {card(2, S), card(7, S)};
    v.record.starter = card(8, S);
    for (const auto& l : laid) {
        v.record.lay(l.seat, l.card);
        v.seq.push(l.card);
        v.seq.addToCount(l.card);
    }
    return v;
}

} // namespace

TEST(ExpertPlay, TakesTheFifteenAndTheThirtyOne) {
    SeatView v = twoPlayerPlay({card(5, C), card(K, D), card(Q, H), card(J, C)}, {{1, card(T, D)}});
    EXPECT_EQ(expertPlay(v), card(5, C));
    PlayHint h = playHint(v);
    EXPECT_EQ(h.card, card(5, C));
    EXPECT_EQ(h.reason, "15 for 2");

    v = twoPlayerPlay({card(K, C), card(4, D)},
                      {{2, card(T, D)}, {1, card(6, D)}, {2, card(5, H)}});
    EXPECT_EQ(v.seq.count, 21);
    EXPECT_EQ(expertPlay(v), card(K, C));
    EXPECT_EQ(playHint(v).reason, "31 for 2");
}

TEST(ExpertPlay, SaysGoWhenNothingFits) {
    const SeatView v = twoPlayerPlay({card(K, C), card(Q, D)},
                                     {{2, card(T, D)}, {1, card(9, D)}, {2, card(6, H)}});
    EXPECT_EQ(v.seq.count, 25);
    EXPECT_EQ(expertPlay(v), kNoCard);
    EXPECT_TRUE(searchPlay(v).empty());
    const PlayHint h = playHint(v);
    EXPECT_EQ(h.card, kNoCard);
    EXPECT_EQ(h.reason, "go");
}

// Needing two points, the card that makes them wins at once, whatever the rest of the play
// might have given the other cards.
TEST(ExpertPlay, TakesTheLastPointsToWin) {
    const SeatView pair = twoPlayerPlay({card(9, C), card(4, D), card(J, C), card(2, C)},
                                        {{1, card(J, D)}}, {0, 100, 119, 0, 0});
    EXPECT_EQ(expertPlay(pair), card(J, C));
    EXPECT_EQ(playHint(pair).reason, "a pair for 2 to win the game");
    const SeatView fifteen = twoPlayerPlay({card(9, C), card(5, D), card(2, H), card(3, C)},
                                           {{1, card(J, D)}}, {0, 100, 119, 0, 0});
    EXPECT_EQ(expertPlay(fifteen), card(5, D));
    EXPECT_EQ(playHint(fifteen).reason, "15 for 2 to win the game");
}

// Leading, a 5 gives the dealer a ten-card for 15: the Expert leads something else when it can.
TEST(ExpertPlay, DoesNotLeadAFive) {
    for (const std::vector<int>& hand :
         {std::vector<int>{card(5, C), card(4, D), card(K, H), card(Q, C)},
          std::vector<int>{card(5, C), card(5, D), card(9, H), card(8, C)},
          std::vector<int>{card(5, C), card(3, D), card(7, H), card(K, C)}}) {
        const SeatView v = twoPlayerPlay(hand, {});
        const int lead = expertPlay(v);
        EXPECT_NE(rankKey(lead), 5);
        // The same position gives the same answer.
        EXPECT_EQ(expertPlay(v), lead);
    }
    const SeatView v = twoPlayerPlay({card(5, C), card(4, D), card(K, H), card(Q, C)}, {});
    EXPECT_EQ(playReason(v, card(4, D)), "a safe lead: no 5 or 10 to answer");
    EXPECT_EQ(playReason(v, card(K, H)), "the lead that gives the least away");
}

// The reasons name every way a card scores, and the card of the last count.
TEST(Hint, ReasonsForEachWayToScore) {
    SeatView v = twoPlayerPlay({card(7, C), card(6, C)}, {{2, card(7, D)}, {1, card(7, H)}});
    EXPECT_EQ(playReason(v, card(7, C)), "three of a kind for 6");
    v = twoPlayerPlay({card(5, C), card(6, C)}, {{1, card(4, D)}, {2, card(6, H)}});
    EXPECT_EQ(playReason(v, card(5, C)), "15 for 2 and a run of 3 for 3");
    // Seat 1 has laid its four, seat 2 three: its last card is the last of the deal.
    v = twoPlayerPlay({card(2, C)}, {});
    for (int c : {card(4, D), card(5, H), card(8, C), card(K, H)}) v.record.lay(1, c);
    for (int c : {card(3, H), card(9, S), card(6, S)}) v.record.lay(2, c);
    v.seq.push(card(6, S));
    v.seq.addToCount(card(6, S));
    EXPECT_EQ(v.held(1), 0);
    EXPECT_EQ(playReason(v, card(2, C)), "the last card for 1");
    EXPECT_EQ(playReason(v, kNoCard), "go");
}

TEST(Hint, KeepsForEveryGameType) {
    SeatView v;
    v.gameType = 4;
    v.seat = 2;
    v.dealer = 4; // the partner deals: the crib is the seat's own side's
    v.hand = {card(5, C), card(5, D), card(T, H), card(2, S), card(9, D)};
    auto keeps = discardHint(v);
    ASSERT_EQ(keeps.size(), 5u);
    EXPECT_DOUBLE_EQ(keeps[0].net, keeps[0].hand + keeps[0].crib);
    v.dealer = 1;
    keeps = discardHint(v);
    EXPECT_DOUBLE_EQ(keeps[0].net, keeps[0].hand - keeps[0].crib);
    v.gameType = 1;
    v.hand.push_back(card(K, C));
    EXPECT_EQ(discardHint(v).size(), 15u);
}

TEST(WinChance, FromTheEndOfAGame) {
    // Across a whole game the first dealer has the edge strong players see, about 55%.
    EXPECT_NEAR(winChance(121, 121, true), 0.55, 0.02);
    EXPECT_NEAR(winChance(121, 121, true) + winChance(121, 121, false), 1.0, 1e-9);
    EXPECT_EQ(winChance(0, 5, false), 1.0);
    EXPECT_EQ(winChance(5, 0, true), 0.0);
    // The pone counts first: needing as much as the dealer it is the better placed.
    EXPECT_GT(winChance(10, 10, false), 0.5);
    for (int need = 1; need < 120; ++need) {
        EXPECT_GE(winChance(need, 60, true), winChance(need + 1, 60, true));
        EXPECT_LE(winChance(60, need, false), winChance(60, need + 1, false));
    }
}

// Needing 5 to win as the pone, who counts first: 6 9 10 J is sure to make them (15 for 2 and
// the run), 4 4 6 9 makes 4 before the starter though its net is higher.
TEST(ExpertKeep, NearTheEndKeepsWhatSurelyCounts) {
    SeatView v;
    v.gameType = 1;
    v.seat = 2;
    v.dealer = 1;
    v.hand = {card(4, D), card(6, D), card(9, H), card(T, C), card(4, C), card(J, H)};
    const std::array<int, 2> net = {card(T, C), card(J, H)};
    const std::array<int, 2> sure = {card(4, D), card(4, C)};
    EXPECT_EQ(analyseDiscard(v.hand, 1, CribSide::Opponent).front().thrown, net);
    v.scores = {0, 90, 116, 0, 0};
    EXPECT_EQ(expertKeep(v).keep.thrown, sure);
    const std::vector<int> thrown = expertThrow(v);
    EXPECT_EQ(thrown, std::vector<int>(sure.begin(), sure.end()));
    // Early in the game the net decides.
    v.scores = {0, 10, 12, 0, 0};
    EXPECT_EQ(expertKeep(v).keep.thrown, net);
}

TEST(ExpertKeep, GivesOneCardAtAFullerTable) {
    SeatView v;
    v.gameType = 3;
    v.seat = 3;
    v.dealer = 1;
    v.hand = {card(5, C), card(5, D), card(5, H), card(J, S), card(K, D)};
    const std::vector<int> thrown = expertThrow(v);
    ASSERT_EQ(thrown.size(), 1u);
    EXPECT_EQ(thrown[0], card(K, D));
    v.hand.pop_back();
    EXPECT_TRUE(expertThrow(v).empty()) << "four cards are no deal";
}
