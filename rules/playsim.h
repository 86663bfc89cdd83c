// The rest of a play, simulated by the table's own rules: whose turn, the go, 31, the last card,
// the points of each card and the first side past the target. Only ranks matter here.
#pragma once

#include "rules/deal.h"
#include "rules/pegging.h"

#include <array>
#include <cstdint>

namespace rules {

class PlaySim {
public:
    // The game and the scores as they stand (seats 1..4; partners share a score).
    PlaySim(int gameType, int target, const std::array<int, kSeats + 1>& scores);

    // Gives a seat a card it holds; only its rank key is kept.
    void hold(int seat, int card);
    // The count as it stands, the seat whose turn it is now and the seat that laid the last card
    // of the count (0 after a 31 or at the start).
    void start(const PlaySequence& seq, int toPlay, int lastPlayer);
    // Moves the turn on from the seat to play as the table does after the starter is turned:
    // start(empty count, dealer, 0), then moveOn().
    void moveOn() { findplayer(); }

    // The seat that must lay a card now, 0 once the play is over or won.
    int toPlay() const { return m_over ? 0 : m_current; }
    bool over() const { return m_over; }
    // The side (a seat, or in the partners game seat 1 or 2 for its partnership) that passed the
    // target, 0 if none has.
    int winner() const { return m_winner; }
    // Whether the seat to play holds a card of this rank key that fits the count.
    bool canLay(int key) const;
    // The rank keys the seat to play can lay now, one bit per key.
    unsigned layable() const;
    // Lays a card of this rank key for the seat to play, scores it and moves the turn on as the
    // table does: 31 and go reset the count, a seat that cannot play is passed.
    void lay(int key);
    // The points a card of this rank key would score at once: pairs, runs, 15, 31 and the last
    // card.
    int pointsFor(int key) const;
    // Pairs or run of a card of this rank key laid on the count: the table's points for them
    // (rules::givescoreforextra), worked out without sorting.
    int pairsOrRun(int key) const;

    int sideOf(int seat) const;
    int sides() const { return m_sides; }
    // Points a side gained since start(), and its score now.
    int gained(int side) const { return m_gained[side]; }
    int score(int side) const { return m_base[side] + m_gained[side]; }
    int held(int seat) const { return m_held[seat]; }
    int heldOf(int seat, int key) const { return m_hands[seat][key]; }
    int count() const { return m_count; }
    int cardsInCount() const { return m_n; }
    int seatsInPlay() const { return m_seats; }
    int target() const { return m_target; }
    int gameType() const { return m_gameType; }

private:
    bool canPlay(int seat) const;
    bool anyCards() const;
    void add(int seat, int points);
    void findplayer();
    void resetCount();

    int m_gameType;
    int m_seats;
    int m_sides;
    int m_target;
    std::array<int, kSeats + 1> m_base{};
    std::array<int, kSeats + 1> m_gained{};
    std::array<std::array<std::uint8_t, 13>, kSeats + 1> m_hands{};
    std::array<std::uint16_t, kSeats + 1> m_keysHeld{}; // bit k: the seat holds rank key k
    std::array<int, kSeats + 1> m_held{};
    // The count: the rank keys since the last reset (entries 1..m_n) and their sum.
    std::array<std::uint8_t, PlaySequence::kCapacity + 1> m_keys{};
    int m_n = 0;
    int m_count = 0;
    int m_current = 0;
    int m_last = 0;
    int m_winner = 0;
    bool m_over = false;
};

} // namespace rules
