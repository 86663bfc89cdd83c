// The public record of a deal's play and what a seat derives from it.
#include "rules/seatview.h"

#include "rules/cards.h"

#include <algorithm>

namespace rules {

void PlayRecord::clear() {
    starter = kNoCard;
    laid.clear();
    goBound.fill(0);
}

void PlayRecord::lay(int seat, int card) {
    if (seat < 1 || seat > kSeats || !isCard(card)) return;
    laid.push_back({seat, card});
}

void PlayRecord::go(int seat, int count) {
    if (seat < 1 || seat > kSeats || count < 0 || count > 31) return;
    goBound[seat] = std::max(goBound[seat], 31 - count);
}

int PlayRecord::laidBy(int seat) const {
    return static_cast<int>(
        std::count_if(laid.begin(), laid.end(), [seat](const Laid& l) { return l.seat == seat; }));
}

int SeatView::lastPlayer() const {
    return seq.n > 0 && !record.laid.empty() ? record.laid.back().seat : 0;
}

int SeatView::held(int s) const {
    if (s == seat) return static_cast<int>(hand.size());
    if (s < 1 || s > seatsInPlay(gameType)) return 0;
    return std::max(0, 4 - record.laidBy(s));
}

bool SeatView::ownsCrib() const {
    return dealer == seat || (gameType == 4 && dealer == partnerOf(seat));
}

} // namespace rules
