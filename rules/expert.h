// The expert computer player: gives to the crib by the discard analysis and plays by searching
// the rest of the play, deciding from what its seat knows and nothing else.
#pragma once

#include "rules/discard.h"
#include "rules/playsearch.h"
#include "rules/seatview.h"

#include <vector>

namespace rules {

// The keep the expert makes of the cards in view.hand (all it was dealt), with the value it
// ranked the keeps by. With two players that is the chance to win the keep leaves (winchance.h),
// the crib valued with the opponent's two cards weighted as a good player gives them; far from
// the target that follows the net, near it it favours a hand that surely makes the points still
// needed. At a fuller table it is the net, an opponent's crib weighed by one opponent's share,
// and within 30 points of the win the chance of getting there this deal besides.
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
