// The play: the running count, the sequence of laid cards and the points a card earns.
#pragma once

#include "rules/deal.h"

namespace rules {

// Cards laid since the last reset. A 3- or 4-player count can hold 13 cards; the capacity
// covers every count up to 31 so nothing can overflow.
class PlaySequence {
public:
    static constexpr int kCapacity = 32;
    int n = 0;                             // cards in the sequence
    int count = 0;                         // running count 0..31
    std::array<int, kCapacity + 1> keys{}; // entries 1..n: rank keys (a King is 0)

    void reset();
    // Adds a card's rank key as entry n+1 (does not change the count); a non-card or a full
    // sequence is ignored.
    void push(int card);
    // Adds the card's counting value to the count.
    void addToCount(int card) { count += countValueOf(card); }
    bool fits(int card) const { return count + countValueOf(card) <= 31; }

private:
    static int countValueOf(int card);
};

// Points and kind for the entry just pushed: kind 1 four of a kind (12), 2 three (6), 3 pair (2),
// 4..8 run of 3..7 (points = kind - 1); kind 0 when nothing scores.
struct ExtraScore {
    int points = 0;
    int kind = 0;
};
ExtraScore givescoreforextra(const PlaySequence& seq);

// L if the last L entries form a run (distinct, consecutive run ranks, any order), else 0.
// In the play an Ace ranks low only.
int checkforrun(const PlaySequence& seq, int length);

// A seat can play when it holds a card and either the count is 21 or less or some card fits.
bool canPlay(const Hand& hand, int count);
bool holdsCards(const Hand& hand);

constexpr int kPointsFifteen = 2;
constexpr int kPointsThirtyOne = 2;
constexpr int kPointsGo = 1;
constexpr int kPointsLastCard = 1;
constexpr int kPointsHeels = 2;

} // namespace rules
