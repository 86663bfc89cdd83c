// Hints for the local player, from what that player knows: the ranked keeps during the giving,
// the suggested card and a few words why during the play. No Qt: the client fills a SeatView
// from its own model of the table.
#pragma once

#include "rules/discard.h"
#include "rules/seatview.h"

#include <string>
#include <vector>

namespace rules {

// Every keep of view.hand (the cards dealt) for the seat's game type and crib, best net first:
// hand + crib when the crib is the seat's own or its partner's, hand - crib otherwise.
std::vector<KeepValue> discardHint(const SeatView& view);

struct PlayHint {
    int card = 0;       // the card of view.hand to lay, 0 when none fits
    std::string reason; // "15 for 2", "31 for 2", "a pair for 2", "go", ...
};
// The card the Expert would lay, with what makes it good in a few words.
PlayHint playHint(const SeatView& view);

// The words for a card laid on the count as it stands in the view: what it scores, or why it
// is a sound card when it scores nothing.
std::string playReason(const SeatView& view, int card);

} // namespace rules
