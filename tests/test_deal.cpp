// Shuffle, deal positions, crib positions, the starter, show hands and the dealer rotation.
#include "rules/deal.h"

#include "rules/cards.h"
#include "rules/random.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace rules;

namespace {

// Deck position p holds code p, so every hand shows which deck positions it was dealt.
Deal orderedDeal() {
    Deal d;
    for (int p = 1; p <= kDeckSize; ++p) d.deck[p] = p;
    d.dealPointer = 1;
    return d;
}

std::vector<int> heldCards(const Hand& hand) {
    std::vector<int> cards;
    for (int p = 1; p <= kHandSize; ++p) {
        if (hand[p] != kNoCard) cards.push_back(hand[p]);
    }
    return cards;
}

} // namespace

TEST(Shuffle, PinnedOrderForSeedOne) {
    setRandomSeed(1);
    Deal d;
    d.dealPointer = 30;
    d.shufflecards();
    const std::vector<int> expected{2,  45, 11, 15, 35, 17, 9,  20, 23, 5,  25, 4,  44,
                                    16, 48, 41, 18, 37, 38, 13, 43, 26, 8,  46, 51, 47,
                                    27, 31, 1,  34, 29, 36, 50, 52, 30, 39, 33, 10, 14,
                                    32, 6,  42, 12, 40, 22, 21, 3,  49, 19, 7,  28, 24};
    EXPECT_EQ(std::vector<int>(d.deck.begin() + 1, d.deck.end()), expected);
    EXPECT_EQ(d.deck[0], kNoCard);
    EXPECT_EQ(d.dealPointer, 1);
}

TEST(Shuffle, AlwaysAPermutation) {
    Deal d;
    for (std::uint32_t seed : {0u, 1u, 12345u, 0xDEADBEEFu, 0xFFFFFFFFu}) {
        setRandomSeed(seed);
        for (int round = 0; round < 50; ++round) {
            d.shufflecards();
            std::vector<int> cards(d.deck.begin() + 1, d.deck.end());
            std::sort(cards.begin(), cards.end());
            for (int i = 0; i < kDeckSize; ++i) ASSERT_EQ(cards[i], i + 1) << "seed " << seed;
        }
    }
}

TEST(Deal, TwoPlayersGetAlternateDeckPositions) {
    Deal d = orderedDeal();
    d.dealcards(1);
    EXPECT_EQ(heldCards(d.hands[1]), (std::vector<int>{1, 3, 5, 7, 9, 11}));
    EXPECT_EQ(heldCards(d.hands[2]), (std::vector<int>{2, 4, 6, 8, 10, 12}));
    EXPECT_TRUE(heldCards(d.hands[3]).empty());
    EXPECT_TRUE(heldCards(d.hands[4]).empty());
    EXPECT_EQ(d.showHands[1], d.hands[1]);
    EXPECT_EQ(d.showHands[2], d.hands[2]);
    EXPECT_EQ(d.dealPointer, 13);
}

TEST(Deal, ThreeAndFourPlayersGetFiveCardsRoundByRound) {
    Deal d = orderedDeal();
    d.dealcards(2);
    EXPECT_EQ(heldCards(d.hands[1]), (std::vector<int>{1, 4, 7, 10, 13}));
    EXPECT_EQ(heldCards(d.hands[3]), (std::vector<int>{3, 6, 9, 12, 15}));
    EXPECT_EQ(d.hands[1][6], kNoCard);
    EXPECT_TRUE(heldCards(d.hands[4]).empty());
    EXPECT_EQ(d.dealPointer, 16);

    for (int type : {3, 4}) {
        Deal e = orderedDeal();
        e.dealcards(type);
        EXPECT_EQ(heldCards(e.hands[1]), (std::vector<int>{1, 5, 9, 13, 17}));
        EXPECT_EQ(heldCards(e.hands[4]), (std::vector<int>{4, 8, 12, 16, 20}));
        EXPECT_EQ(e.dealPointer, 21);
    }
}

TEST(Deal, DealingClearsTheLastDeal) {
    Deal d = orderedDeal();
    d.dealcards(3);
    d.putInCrib(1, 40);
    d.dealPointer = 1;
    d.dealcards(1);
    EXPECT_TRUE(heldCards(d.hands[3]).empty());
    EXPECT_TRUE(heldCards(d.crib).empty());
    EXPECT_TRUE(heldCards(d.cribShow).empty());
}

TEST(Deal, UnknownGameTypeDealsNothing) {
    Deal d = orderedDeal();
    d.dealcards(0);
    d.dealcards(5);
    EXPECT_EQ(d.dealPointer, 1);
    for (int s = 1; s <= kSeats; ++s) EXPECT_EQ(d.cardsHeld(s), 0);
}

TEST(Deal, TakingPastTheDeckGivesNoCard) {
    Deal d = orderedDeal();
    d.dealPointer = kDeckSize;
    EXPECT_EQ(d.takeCard(), kDeckSize);
    EXPECT_EQ(d.takeCard(), kNoCard);
    EXPECT_EQ(d.takeCard(), kNoCard);
    EXPECT_EQ(d.dealPointer, kDeckSize + 1);
}

TEST(Crib, PositionsByGameType) {
    EXPECT_EQ(cribPosition(1, 1, 1), 1);
    EXPECT_EQ(cribPosition(1, 1, 2), 3);
    EXPECT_EQ(cribPosition(1, 2, 1), 2);
    EXPECT_EQ(cribPosition(1, 2, 2), 4);
    EXPECT_EQ(cribPosition(1, 3, 1), 0);
    for (int seat = 1; seat <= 3; ++seat) EXPECT_EQ(cribPosition(2, seat, 1), seat);
    EXPECT_EQ(cribPosition(2, 4, 1), 0);
    EXPECT_EQ(cribPosition(2, 1, 2), 0);
    for (int type : {3, 4}) {
        for (int seat = 1; seat <= 4; ++seat) {
            EXPECT_EQ(cribPosition(type, seat, 1), seat);
            EXPECT_EQ(cribPosition(type, seat, 2), 0);
        }
    }
    EXPECT_EQ(cribPosition(3, 0, 1), 0);
    EXPECT_EQ(cribPosition(9, 1, 1), 0);
}

TEST(Crib, PuttingOutsideThePositionsIsIgnored) {
    Deal d;
    d.putInCrib(0, 5);
    d.putInCrib(5, 5);
    d.putInCrib(-1, 5);
    EXPECT_TRUE(heldCards(d.crib).empty());
    d.putInCrib(4, 5);
    EXPECT_EQ(d.crib[4], 5);
    EXPECT_EQ(d.cribShow[4], 5);
}

TEST(Starter, TwoPlayerShowHandsAfterGiving) {
    Deal d = orderedDeal();
    d.dealcards(1);
    // Seat 1 gives positions 2 and 5 (cards 3 and 9), seat 2 positions 1 and 6 (cards 2, 12).
    d.putInCrib(cribPosition(1, 1, 1), d.hands[1][2]);
    d.putInCrib(cribPosition(1, 1, 2), d.hands[1][5]);
    d.putInCrib(cribPosition(1, 2, 1), d.hands[2][1]);
    d.putInCrib(cribPosition(1, 2, 2), d.hands[2][6]);
    d.hands[1][2] = d.hands[1][5] = d.hands[2][1] = d.hands[2][6] = kNoCard;
    d.turnStarter(1);

    EXPECT_EQ(d.starter, 13);
    EXPECT_EQ(d.showCards(1), (ShowCards{1, 5, 7, 11, 13}));
    EXPECT_EQ(d.showCards(2), (ShowCards{4, 6, 8, 10, 13}));
    EXPECT_EQ(d.cribShowCards(), (ShowCards{3, 2, 9, 12, 13}));
    EXPECT_EQ(d.showHands[1][6], kNoCard);
    // The hand itself keeps its positions for the play.
    EXPECT_EQ(d.hands[1][3], 5);
    EXPECT_EQ(d.cardsHeld(1), 4);
}

TEST(Starter, ThreePlayerCribTakesTheNextDeckCard) {
    Deal d = orderedDeal();
    d.dealcards(2);
    for (int seat = 1; seat <= 3; ++seat) {
        d.putInCrib(cribPosition(2, seat, 1), d.hands[seat][5]);
        d.hands[seat][5] = kNoCard;
    }
    d.turnStarter(2);
    EXPECT_EQ(d.cribShowCards(), (ShowCards{13, 14, 15, 16, 17}));
    EXPECT_EQ(d.crib[4], 16);
    EXPECT_EQ(d.starter, 17);
    EXPECT_EQ(d.showCards(2), (ShowCards{2, 5, 8, 11, 17}));
    EXPECT_EQ(d.showCards(4), (ShowCards{}));
    EXPECT_EQ(d.dealPointer, 18);
}

TEST(Starter, FourPlayerStarterIsPositionTwentyOne) {
    for (int type : {3, 4}) {
        Deal d = orderedDeal();
        d.dealcards(type);
        for (int seat = 1; seat <= 4; ++seat) {
            d.putInCrib(seat, d.hands[seat][1]);
            d.hands[seat][1] = kNoCard;
        }
        d.turnStarter(type);
        EXPECT_EQ(d.starter, 21);
        EXPECT_EQ(d.cribShowCards(), (ShowCards{1, 2, 3, 4, 21}));
        EXPECT_EQ(d.showCards(4), (ShowCards{8, 12, 16, 20, 21}));
    }
}

TEST(Starter, AHandStillHoldingFiveCardsKeepsFourInTheShow) {
    Deal d = orderedDeal();
    d.dealcards(1);
    d.hands[1][1] = kNoCard; // seat 1 gave only one card
    d.turnStarter(1);
    EXPECT_EQ(d.showCards(1), (ShowCards{3, 5, 7, 9, 13}));
}

TEST(Seats, OutOfRangeAsksGiveNothing) {
    EXPECT_EQ(seatsInPlay(0), 0);
    EXPECT_EQ(cardsPerSeat(5), 0);
    EXPECT_EQ(partnerOf(5), 0);
    Deal d;
    EXPECT_EQ(d.showCards(0), ShowCards{});
    EXPECT_EQ(d.showCards(5), ShowCards{});
    EXPECT_EQ(d.cardsHeld(9), 0);
}

TEST(Dealer, RotationFromANewGame) {
    auto rotation = [](int type) {
        std::vector<int> dealers;
        int dealer = 0;
        for (int i = 0; i < 9; ++i) dealers.push_back(dealer = nextDealer(dealer, type));
        return dealers;
    };
    EXPECT_EQ(rotation(1), (std::vector<int>{1, 2, 1, 2, 1, 2, 1, 2, 1}));
    EXPECT_EQ(rotation(2), (std::vector<int>{1, 2, 3, 1, 2, 3, 1, 2, 3}));
    EXPECT_EQ(rotation(3), (std::vector<int>{1, 2, 3, 4, 1, 2, 3, 4, 1}));
    EXPECT_EQ(rotation(4), (std::vector<int>{1, 2, 3, 4, 1, 2, 3, 4, 1}));
    // Switching to a smaller table mid-way still lands on a seat in play.
    EXPECT_EQ(nextDealer(4, 2), 1);
    EXPECT_EQ(nextDealer(3, 1), 1);
}
