// Card codes: where the Kings, Jacks and Aces of each suit sit and what they count.
#include "rules/cards.h"

#include <gtest/gtest.h>

using namespace rules;

TEST(Cards, KingsJacksAndAcesSitAtTheirCodes) {
    for (int king : {13, 26, 39, 52}) {
        EXPECT_EQ(rankKey(king), 0);
        EXPECT_EQ(runRank(king), 13);
        EXPECT_EQ(countValue(king), 10);
    }
    int suit = 1;
    for (int jack : {11, 24, 37, 50}) {
        EXPECT_TRUE(isJack(jack));
        EXPECT_EQ(suitOf(jack), suit++);
    }
    suit = 1;
    for (int ace : {1, 14, 27, 40}) {
        EXPECT_EQ(rankKey(ace), 1);
        EXPECT_EQ(countValue(ace), 1);
        EXPECT_EQ(suitOf(ace), suit++);
    }
}
