// The computer player's choices, apart from the server so they can be checked on their own.
#pragma once

#include "rules/deal.h"
#include "rules/pegging.h"

#include <utility>

namespace computer {

// Rank key with Jack and Queen as 10; a King (and an empty position) is 0.
int discardValue(int card);

// The positions a computer gives to the crib: {first, second}. second is 0 in the three- and
// four-player games unless the random fallback drew one (the server ignores it there).
std::pair<int, int> chooseCribCards(const rules::Hand& hand, int gameType);

// A random second attempt after an incomplete two-player gift.
std::pair<int, int> chooseResend();

// The position a computer lays in the play, 0 when nothing fits.
int choosePlayCard(const rules::Hand& hand, const rules::PlaySequence& seq);

} // namespace computer
