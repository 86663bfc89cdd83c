// What one seat knows of a deal: its own cards and what the whole table has seen of the play.
// The computer players and the hints decide from this alone, never from the server's cards.
#pragma once

#include "rules/deal.h"
#include "rules/pegging.h"

#include <array>
#include <vector>

namespace rules {

// The play of the current deal as every seat saw it.
struct PlayRecord {
    struct Laid {
        int seat = 0;
        int card = 0;
    };
    int starter = 0;
    std::vector<Laid> laid; // every card of the play, in order
    // A seat that could not lay a card at count c holds only cards worth more than 31 - c: the
    // highest such bound per seat, 0 when it never said go.
    std::array<int, kSeats + 1> goBound{};

    void clear();
    void lay(int seat, int card);
    void go(int seat, int count);
    int laidBy(int seat) const; // how many cards the seat has laid
};

struct SeatView {
    int gameType = 1;
    int seat = 1;
    int dealer = 1;
    int target = 120; // a score above this wins
    std::array<int, kSeats + 1> scores{};
    // The cards the seat holds: during the giving all it was dealt, during the play what it has
    // not laid yet.
    std::vector<int> hand;
    std::vector<int> thrown; // the seat's own cards in the crib (empty during the giving)
    PlayRecord record;
    PlaySequence seq; // the count since the last reset

    // The seat that laid the last card of the count, 0 when the count is empty.
    int lastPlayer() const;
    // Cards a seat still holds: four kept, less those it laid.
    int held(int seat) const;
    bool ownsCrib() const; // the seat deals, or its partner does in the partners game
};

} // namespace rules
