// Choosing a card in the play by searching the rest of it over deals of the unseen cards that
// agree with everything the seat has seen.
#pragma once

#include "rules/seatview.h"

#include <vector>

namespace rules {

// A score past the target counts this much, against the points of one deal, so that near the
// end of a game the chance to win decides and elsewhere the points do.
constexpr double kWinValue = 100.0;
// Within this many points of the target (either side), a two-player deal that ends without a
// winner is valued by the chance to win it leaves (winchance.h), from -kWinValue to kWinValue.
constexpr int kNearTarget = 40;

struct SearchLimits {
    int samples = 32; // deals of the unseen cards searched
    // Searched to the end of the play when the seats hold no more cards than this between them;
    // otherwise `plies` cards ahead, the points so far standing for the rest.
    int fullDepthCards = 10;
    int plies = 6;
};

struct PlayChoice {
    int card = 0;     // a card of the seat's hand (the first of its rank: suits do not count here)
    double value = 0; // mean over the deals: the seat's points minus its opponents' to the end
                      // of the play (each opponent's weighted 1 / number of opponents outside a
                      // two-sided game), a win or a loss counting kWinValue
    int points = 0;   // what the card scores at once
};

// Every distinct card the seat can lay now, in the order of its hand, with its value. Empty when
// no card fits. The other seats' cards (and the crib's unseen cards, for the show's win check)
// are dealt at random from the cards the seat has not seen, each seat that said go only cards
// that would not have fitted; they play to hurt the seat most. The deals are drawn from a
// generator seeded by the position, so the same position gives the same answer.
std::vector<PlayChoice> searchPlay(const SeatView& view, const SearchLimits& limits = {});

} // namespace rules
