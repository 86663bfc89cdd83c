// The expert computer player: gives to the crib by the discard analysis and plays by searching
// the rest of the play, deciding from what its seat knows and nothing else.
#pragma once

#include "rules/discard.h"
#include "rules/playsearch.h"
#include "rules/seatview.h"

#include <vector>

namespace rules {

// The keep the expert makes of the cards in view.hand (all it was dealt), with the values it
// ranked the keeps by. Near the end of a game the chance that the hand (with its own crib and
// the usual pegging) reaches the points still needed counts besides the mean.
struct ExpertKeep {
    KeepValue keep;
    double value = 0; // the measure the keep won by
};
ExpertKeep expertKeep(const SeatView& view);

// The cards of view.hand to give to the crib: two in the two-player game, one otherwise. Empty
// when view.hand is not a whole deal.
std::vector<int> expertThrow(const SeatView& view);

// The search limits the expert plays with in each game type: as deep and as wide as keeps a
// decision within a few milliseconds.
SearchLimits expertLimits(int gameType);

// The card of view.hand to lay, 0 when none fits.
int expertPlay(const SeatView& view);

} // namespace rules
