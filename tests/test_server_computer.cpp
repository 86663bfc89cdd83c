// The computer player's crib choice and its card in the play.
#include "rules/random.h"
#include "server/computer.h"

#include <gtest/gtest.h>

namespace {

constexpr int C(int rank, int suit = 1) {
    return (suit - 1) * 13 + rank;
}

rules::Hand hand(std::initializer_list<int> cards) {
    rules::Hand h{};
    int pos = 1;
    for (int c : cards) h[pos++] = c;
    return h;
}

rules::PlaySequence sequence(std::initializer_list<int> cards) {
    rules::PlaySequence seq;
    for (int c : cards) {
        seq.push(c);
        seq.addToCount(c);
    }
    return seq;
}

} // namespace

TEST(ServerComputerCrib, ThrowLevelsPickTheLeastUsefulCards) {
    // Level 1 keeps everything: the 4 sits by a 5, the 9 by the Jack's 10, the King is 0.
    // Level 2 drops the 4 and then the 9.
    const auto h = hand({C(5, 1), C(5, 2), C(11), C(4), C(9), C(13)});
    EXPECT_EQ(computer::chooseCribCards(h, 1), std::make_pair(4, 5));
    // Three and four players give one card only.
    const auto h5 = hand({C(5, 1), C(5, 2), C(11), C(4), C(9)});
    EXPECT_EQ(computer::chooseCribCards(h5, 3), std::make_pair(4, 0));
    // A Queen counts 10 and so pairs with a Ten; a lone 2 and 7 at level 1 would stay (2+... no):
    // 7 beside 8, 2 beside 3: all keep at level 1; level 2 keeps 7+8=15, drops the 2 first.
    const auto h6 = hand({C(10), C(12), C(7), C(8), C(2), C(3)});
    EXPECT_EQ(computer::chooseCribCards(h6, 1), std::make_pair(5, 6));
}

TEST(ServerComputerCrib, FallsBackToTheGeneratorWhenEveryCardStays) {
    const auto h = hand({C(5, 1), C(5, 2), C(5, 3), C(5, 4), C(10), C(11)});
    rules::setRandomSeed(12345);
    const int first = rules::Random(6) + 1;
    int second = first;
    while (second == first) second = rules::Random(6) + 1;
    rules::setRandomSeed(12345);
    EXPECT_EQ(computer::chooseCribCards(h, 1), std::make_pair(first, second));
}

TEST(ServerComputerPlay, FifteenThirtyOnePairThenLead) {
    // At 5 a ten-card makes 15 before anything else; at 21 it makes 31.
    EXPECT_EQ(computer::choosePlayCard(hand({C(3), C(5, 2), C(13)}), sequence({C(5)})), 3);
    EXPECT_EQ(computer::choosePlayCard(hand({C(3), C(12)}), sequence({C(10), C(11, 2), C(1)})), 2);
    // A pair with the last card.
    EXPECT_EQ(computer::choosePlayCard(hand({C(2), C(7, 3)}), sequence({C(7)})), 2);
    // A King on a King at 25 would pass 31: another card that fits.
    EXPECT_EQ(
        computer::choosePlayCard(hand({C(13, 2), C(4), C(2)}), sequence({C(5), C(10), C(13)})), 2);
    // Leading: Ace to 9 but not a 5, else anything but a 5, else the first Five.
    EXPECT_EQ(computer::choosePlayCard(hand({C(10), C(5), C(3)}), {}), 3);
    EXPECT_EQ(computer::choosePlayCard(hand({C(5), C(10), C(11), C(5, 2)}), {}), 2);
    EXPECT_EQ(computer::choosePlayCard(hand({C(5), C(5, 2), C(5, 3), C(5, 4)}), {}), 1);
    // Nothing fits: nothing is laid.
    EXPECT_EQ(computer::choosePlayCard(hand({C(13)}), sequence({C(10), C(10, 2), C(3)})), 0);
}
