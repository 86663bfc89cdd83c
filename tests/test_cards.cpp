// Card codes: rank key, run rank, counting value, suit and the Jack test for every code.
#include "rules/cards.h"

#include <gtest/gtest.h>

using namespace rules;

TEST(Cards, EveryCodeDerivesFromItsSuitAndRank) {
    for (int suit = 1; suit <= 4; ++suit) {
        for (int rank = 1; rank <= 13; ++rank) {
            const int card = makeCard(rank, suit);
            SCOPED_TRACE(card);
            EXPECT_EQ(card, (suit - 1) * 13 + rank);
            EXPECT_TRUE(isCard(card));
            EXPECT_EQ(suitOf(card), suit);
            EXPECT_EQ(runRank(card), rank);
            EXPECT_EQ(rankKey(card), rank % 13);
            EXPECT_EQ(countValue(card), rank > 10 ? 10 : rank);
            EXPECT_EQ(keyCountValue(rankKey(card)), countValue(card));
            EXPECT_EQ(isJack(card), rank == 11);
        }
    }
}

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

TEST(Cards, NoCardIsNotACard) {
    EXPECT_FALSE(isCard(kNoCard));
    EXPECT_FALSE(isCard(53));
    EXPECT_FALSE(isCard(-1));
}
