// Choosing a card in the play by searching the rest of it over deals of the unseen cards that
// agree with everything the seat has seen.
#pragma once

#include "rules/seatview.h"

#include <vector>

namespace rules {

// A win counts this much and a loss as much below 0. In the two-player game the end of a play
// without a winner is worth the chance to win it leaves (winchance.h) on the same scale: far from
// the target that moves with the points, near it the chance decides. At a fuller table it is
// worth the points, a score past the target against the few points of one deal.
constexpr double kWinValue = 100.0;

struct SearchLimits {
    int samples = 64; // deals of the unseen cards searched
    // Searched to the end of the play when the seats hold no more cards than this between them;
    // otherwise `plies` cards ahead, the points so far standing for the rest.
    int fullDepthCards = 10;
    int plies = 6;
};

struct PlayChoice {
    int card = 0; // a card of the seat's hand (the first of its rank: suits do not count here)
    // Mean over the deals of the value of the end of the play (see kWinValue): with two players
    // the chance to win it leaves; otherwise the seat's points minus its opponents' (each
    // opponent's weighted 1 / number of opponents outside the partners game).
    double value = 0;
    int points = 0; // what the card scores at once
};

// Every distinct card the seat can lay now, in the order of its hand, with its value. Empty when
// no card fits. The other seats' cards (and the crib's unseen cards, for the show's win check)
// are dealt at random from the cards the seat has not seen, each seat that said go only cards
// that would not have fitted; they play to hurt the seat most. The deals are drawn from a
// generator seeded by the position, so the same position gives the same answer.
std::vector<PlayChoice> searchPlay(const SeatView& view, const SearchLimits& limits = {});

} // namespace rules
