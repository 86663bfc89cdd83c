// The deck, the hands, the crib and the starter of one deal, and the dealer rotation.
#pragma once

#include "rules/cards.h"

#include <array>

namespace rules {

constexpr int kSeats = 4;
constexpr int kHandSize = 6;

// Hand positions 1..6 (index 0 unused); each holds a card code or 0.
using Hand = std::array<int, kHandSize + 1>;
// The five cards a show is scored from: four kept cards, then the starter.
using ShowCards = std::array<int, 5>;

// Game types: 1 two players, 2 three players, 3 four players, 4 four in partnerships.
constexpr bool validGameType(int t) {
    return t >= 1 && t <= 4;
}
int seatsInPlay(int gameType);  // 2, 3 or 4
int cardsPerSeat(int gameType); // 6 or 5
int discardPhase(int gameType); // 1 (give two) for type 1, else 2 (give one)
int cardsToGive(int gameType);  // 2 or 1
int nextDealer(int dealer, int gameType);
int partnerOf(int seat); // 1<->3, 2<->4
// Crib position (1..4) of a seat's first (which = 1) or second (which = 2) card; 0 if none.
int cribPosition(int gameType, int seat, int which);

class Deal {
public:
    std::array<int, kDeckSize + 1> deck{}; // positions 1..52
    int dealPointer = 1;                   // next deck position to take, 1..53
    std::array<Hand, kSeats + 1> hands{};  // seats 1..4
    std::array<Hand, kSeats + 1> showHands{};
    Hand crib{};
    Hand cribShow{};
    int starter = 0;

    // Refills and shuffles the deck with Random(52) and rejection of used codes.
    void shufflecards();
    // Clears hands and crib, deals round by round from seat 1, copies into the show hands.
    void dealcards(int gameType);
    // Takes the next deck card (the crib's fourth card in the three-player game, the starter).
    int takeCard();
    // Puts a given card at a crib position, in the crib and its show hand.
    void putInCrib(int position, int card);
    // Turns the starter: in the three-player game first takes crib position 4 from the deck,
    // then the starter; rebuilds the show hands of the seats in play and the crib's.
    void turnStarter(int gameType);
    // Number of cards a seat still holds.
    int cardsHeld(int seat) const;
    ShowCards showCards(int seat) const; // seat 1..4
    ShowCards cribShowCards() const;
};

} // namespace rules
