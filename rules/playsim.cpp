// The play simulated step by step as the table runs it, for the search and the hints.
#include "rules/playsim.h"

#include "rules/cards.h"

namespace rules {

namespace {

constexpr int kKeys = 13;

// Any card of the rank does: the play never looks at suits.
int cardOfKey(int key) {
    return makeCard(key == 0 ? 13 : key, 1);
}

} // namespace

PlaySim::PlaySim(int gameType, int target, const std::array<int, kSeats + 1>& scores)
    : m_gameType(gameType), m_seats(rules::seatsInPlay(gameType)),
      m_sides(gameType == 4 ? 2 : rules::seatsInPlay(gameType)), m_target(target) {
    for (int seat = m_seats; seat >= 1; --seat) m_base[sideOf(seat)] = scores[seat];
}

int PlaySim::sideOf(int seat) const {
    if (m_gameType != 4) return seat;
    return seat == 1 || seat == 3 ? 1 : 2;
}

void PlaySim::hold(int seat, int card) {
    if (seat < 1 || seat > m_seats || !isCard(card)) return;
    ++m_hands[seat][rankKey(card)];
    ++m_held[seat];
}

void PlaySim::start(const PlaySequence& seq, int toPlay, int lastPlayer) {
    m_seq = seq;
    m_current = toPlay;
    m_last = lastPlayer;
    m_over = !anyCards();
}

bool PlaySim::canLay(int key) const {
    if (m_over || key < 0 || key >= kKeys) return false;
    return m_hands[m_current][key] > 0 && m_seq.count + keyCountValue(key) <= 31;
}

int PlaySim::pointsFor(int key) const {
    PlaySequence s = m_seq;
    s.push(cardOfKey(key));
    int points = givescoreforextra(s).points;
    const int count = s.count + keyCountValue(key);
    if (count == 15) points += kPointsFifteen;
    if (count == 31) {
        points += kPointsThirtyOne;
    } else {
        int held = 0;
        for (int seat = 1; seat <= m_seats; ++seat) held += m_held[seat];
        if (held == 1) points += kPointsLastCard;
    }
    return points;
}

void PlaySim::lay(int key) {
    if (!canLay(key)) return;
    const int seat = m_current;
    --m_hands[seat][key];
    --m_held[seat];
    const int card = cardOfKey(key);
    m_seq.push(card);
    const ExtraScore extra = givescoreforextra(m_seq);
    if (extra.kind != 0) add(seat, extra.points);
    if (m_over) return;
    m_seq.addToCount(card);
    if (m_seq.count == 31) {
        add(seat, kPointsThirtyOne);
        if (m_over) return;
        m_last = 0;
        if (!anyCards()) {
            m_over = true;
            return;
        }
        m_seq.reset();
        findplayer();
        return;
    }
    if (m_seq.count == 15) {
        add(seat, kPointsFifteen);
        if (m_over) return;
    }
    if (anyCards()) {
        m_last = seat;
        findplayer();
        return;
    }
    add(seat, kPointsLastCard);
    m_over = true;
}

bool PlaySim::canPlay(int seat) const {
    if (m_held[seat] == 0) return false;
    if (m_seq.count <= 21) return true;
    for (int key = 0; key < kKeys; ++key) {
        if (m_hands[seat][key] > 0 && m_seq.count + keyCountValue(key) <= 31) return true;
    }
    return false;
}

bool PlaySim::anyCards() const {
    for (int seat = 1; seat <= m_seats; ++seat)
        if (m_held[seat] > 0) return true;
    return false;
}

void PlaySim::add(int seat, int points) {
    const int side = sideOf(seat);
    m_gained[side] += points;
    // The table stops the game at the first score past the target, whatever comes after.
    if (m_winner == 0 && score(side) > m_target) {
        m_winner = side;
        m_over = true;
    }
}

// The turn moves to the next seat that holds a card; a seat that cannot lay one is passed (it
// says go), and when the turn comes back to the seat that laid the last card and it cannot lay
// another, that seat pegs the go and the count starts again after it.
void PlaySim::findplayer() {
    // Every step passes a seat or pegs a go that empties the count, so the play moves on long
    // before this bound; it only guards against a state the table cannot reach.
    for (int guard = 0; guard < 8 * kSeats; ++guard) {
        m_current = m_current % m_seats + 1;
        const int seat = m_current;
        if (m_held[seat] == 0 && seat != m_last) continue;
        const bool can = canPlay(seat);
        if (can) return;
        if (seat != m_last) continue;
        add(seat, kPointsGo);
        if (m_over) return;
        m_seq.reset();
    }
    m_over = true;
}

} // namespace rules
