// Shuffle, deal, crib positions, the starter and the dealer rotation.
#include "rules/deal.h"

#include "rules/cards.h"
#include "rules/random.h"

namespace rules {

int seatsInPlay(int gameType) {
    switch (gameType) {
    case 1:
        return 2;
    case 2:
        return 3;
    case 3:
    case 4:
        return 4;
    default:
        return 0; // an unknown type deals nobody rather than guessing
    }
}

int cardsPerSeat(int gameType) {
    if (!validGameType(gameType)) return 0;
    return gameType == 1 ? 6 : 5;
}

int discardPhase(int gameType) {
    if (!validGameType(gameType)) return 0;
    return gameType == 1 ? 1 : 2;
}

int cardsToGive(int gameType) {
    if (!validGameType(gameType)) return 0;
    return gameType == 1 ? 2 : 1;
}

int nextDealer(int dealer, int gameType) {
    if (gameType == 1) return dealer == 1 ? 2 : 1;
    const int limit = gameType == 2 ? 4 : 5;
    const int next = dealer + 1;
    // A new game stores 0, so anything below seat 1 also starts the rotation at seat 1.
    return (next >= limit || next < 1) ? 1 : next;
}

int partnerOf(int seat) {
    switch (seat) {
    case 1:
        return 3;
    case 2:
        return 4;
    case 3:
        return 1;
    case 4:
        return 2;
    default:
        return 0;
    }
}

int cribPosition(int gameType, int seat, int which) {
    if (seat < 1 || seat > seatsInPlay(gameType)) return 0;
    if (which == 1) return seat;
    if (which == 2 && gameType == 1) return seat + 2;
    return 0;
}

void Deal::shufflecards() {
    std::array<bool, kDeckSize + 1> used{};
    deck.fill(kNoCard);
    for (int position = 1; position <= kDeckSize;) {
        const int card = Random(kDeckSize) + 1;
        if (used[card]) continue; // a used code is drawn again, so the draw count varies
        used[card] = true;
        deck[position++] = card;
    }
    dealPointer = 1;
}

void Deal::dealcards(int gameType) {
    for (auto& hand : hands) hand.fill(kNoCard);
    for (auto& hand : showHands) hand.fill(kNoCard);
    crib.fill(kNoCard);
    cribShow.fill(kNoCard);
    const int seats = seatsInPlay(gameType);
    const int perSeat = cardsPerSeat(gameType);
    // Round by round, always from seat 1 whoever deals.
    for (int position = 1; position <= perSeat; ++position) {
        for (int seat = 1; seat <= seats; ++seat) {
            const int card = takeCard();
            hands[seat][position] = card;
            showHands[seat][position] = card;
        }
    }
}

int Deal::takeCard() {
    if (dealPointer < 1 || dealPointer > kDeckSize) return kNoCard;
    return deck[dealPointer++];
}

void Deal::putInCrib(int position, int card) {
    if (position < 1 || position > 4) return;
    crib[position] = card;
    cribShow[position] = card;
}

void Deal::turnStarter(int gameType) {
    if (gameType == 2) putInCrib(4, takeCard());
    starter = takeCard();
    const int seats = seatsInPlay(gameType);
    for (int seat = 1; seat <= seats; ++seat) {
        Hand& show = showHands[seat];
        show.fill(kNoCard);
        // Only four kept cards belong in a show; a hand still holding more (an incomplete gift)
        // must not spill into the starter's position.
        int to = 1;
        for (int from = 1; from <= kHandSize && to <= 4; ++from) {
            if (hands[seat][from] != kNoCard) show[to++] = hands[seat][from];
        }
        show[5] = starter;
    }
    cribShow.fill(kNoCard);
    for (int position = 1; position <= 4; ++position) cribShow[position] = crib[position];
    cribShow[5] = starter;
}

int Deal::cardsHeld(int seat) const {
    if (seat < 1 || seat > kSeats) return 0;
    int held = 0;
    for (int position = 1; position <= kHandSize; ++position) {
        if (hands[seat][position] != kNoCard) ++held;
    }
    return held;
}

ShowCards Deal::showCards(int seat) const {
    ShowCards cards{};
    if (seat < 1 || seat > kSeats) return cards;
    for (int i = 0; i < 5; ++i) cards[i] = showHands[seat][i + 1];
    return cards;
}

ShowCards Deal::cribShowCards() const {
    ShowCards cards{};
    for (int i = 0; i < 5; ++i) cards[i] = cribShow[i + 1];
    return cards;
}

} // namespace rules
