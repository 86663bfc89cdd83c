// The play simulated step by step as the table runs it, for the search and the hints.
#include "rules/playsim.h"

#include "rules/cards.h"

#include <algorithm>

namespace rules {

namespace {

constexpr int kKeys = 13;
// The longest run a count can hold and the most cards the pairs rule looks back at, as the
// table scores them.
constexpr int kLongestRun = 7;
constexpr int kLongestPairs = 4;

int runRankOfKey(int key) {
    return key == 0 ? 13 : key;
}

// For each room left under 31, the rank keys whose value fits it, one bit per key.
constexpr std::array<std::uint16_t, 32> kKeysThatFit = [] {
    std::array<std::uint16_t, 32> fit{};
    for (int room = 0; room < 32; ++room)
        for (int key = 0; key < kKeys; ++key)
            if (keyCountValue(key) <= room) fit[room] |= static_cast<std::uint16_t>(1u << key);
    return fit;
}();

unsigned keysThatFit(int room) {
    return room < 0 ? 0u : kKeysThatFit[std::min(room, 31)];
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
    const int key = rankKey(card);
    ++m_hands[seat][key];
    m_keysHeld[seat] |= static_cast<std::uint16_t>(1u << key);
    ++m_held[seat];
}

void PlaySim::start(const PlaySequence& seq, int toPlay, int lastPlayer) {
    m_n = std::clamp(seq.n, 0, PlaySequence::kCapacity);
    for (int i = 1; i <= m_n; ++i) m_keys[i] = static_cast<std::uint8_t>(seq.keys[i]);
    m_count = seq.count;
    m_current = toPlay;
    m_last = lastPlayer;
    m_over = !anyCards();
}

unsigned PlaySim::layable() const {
    if (m_over || m_count > 31) return 0;
    return m_keysHeld[m_current] & keysThatFit(31 - m_count);
}

bool PlaySim::canLay(int key) const {
    return key >= 0 && key < kKeys && (layable() >> key & 1u);
}

int PlaySim::pairsOrRun(int key) const {
    int same = 1;
    for (int i = m_n; i >= 1 && same < kLongestPairs && m_keys[i] == key; --i) ++same;
    if (same == 4) return 12;
    if (same == 3) return 6;
    if (same == 2) return 2;
    // The longest stretch of the newest cards with no rank twice whose ranks make a sequence;
    // once a rank repeats, no longer stretch can be a run.
    const int newest = runRankOfKey(key);
    unsigned seen = 1u << newest;
    int low = newest, high = newest, run = 0;
    for (int length = 2; length <= kLongestRun && length <= m_n + 1; ++length) {
        const int rank = runRankOfKey(m_keys[m_n - length + 2]);
        if (seen >> rank & 1u) break;
        seen |= 1u << rank;
        low = std::min(low, rank);
        high = std::max(high, rank);
        if (length >= 3 && high - low == length - 1) run = length;
    }
    return run;
}

int PlaySim::pointsFor(int key) const {
    int points = pairsOrRun(key);
    const int count = m_count + keyCountValue(key);
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
    if (--m_hands[seat][key] == 0) m_keysHeld[seat] &= static_cast<std::uint16_t>(~(1u << key));
    --m_held[seat];
    const int extra = pairsOrRun(key);
    if (m_n < PlaySequence::kCapacity) m_keys[++m_n] = static_cast<std::uint8_t>(key);
    if (extra != 0) add(seat, extra);
    if (m_over) return;
    m_count += keyCountValue(key);
    if (m_count == 31) {
        add(seat, kPointsThirtyOne);
        if (m_over) return;
        m_last = 0;
        if (!anyCards()) {
            m_over = true;
            return;
        }
        resetCount();
        findplayer();
        return;
    }
    if (m_count == 15) {
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

void PlaySim::resetCount() {
    m_n = 0;
    m_count = 0;
}

bool PlaySim::canPlay(int seat) const {
    if (m_held[seat] == 0) return false;
    if (m_count <= 21) return true;
    return (m_keysHeld[seat] & keysThatFit(31 - m_count)) != 0;
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
        if (canPlay(seat)) return;
        if (seat != m_last) continue;
        add(seat, kPointsGo);
        if (m_over) return;
        resetCount();
    }
    m_over = true;
}

} // namespace rules
