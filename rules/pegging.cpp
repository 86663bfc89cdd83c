// Points a card earns in the play: pairs and runs over the sequence, and who can still play.
#include "rules/pegging.h"

#include "rules/cards.h"

#include <algorithm>

namespace rules {

namespace {
// The longest run a count up to 31 can hold (Ace to 7 makes 28); it also keeps every kind we
// report within the table the clients know (kind 8 for seven cards).
constexpr int kLongestRun = 7;
// Four of a kind is the most the pairs rule looks back at.
constexpr int kLongestPairs = 4;
} // namespace

void PlaySequence::reset() {
    n = 0;
    count = 0;
    keys.fill(0);
}

void PlaySequence::push(int card) {
    // Beyond the capacity, or for no card at all, there is nothing sound to store.
    if (!isCard(card) || n >= kCapacity) return;
    keys[++n] = rankKey(card);
}

int PlaySequence::countValueOf(int card) {
    return isCard(card) ? countValue(card) : 0;
}

int checkforrun(const PlaySequence& seq, int length) {
    const int n = std::clamp(seq.n, 0, PlaySequence::kCapacity);
    if (length < 3 || length > n) return 0;
    std::array<int, PlaySequence::kCapacity> ranks{};
    for (int i = 0; i < length; ++i) {
        const int key = seq.keys[n - length + 1 + i];
        ranks[i] = key == 0 ? 13 : key; // Ace low only in the play
    }
    std::sort(ranks.begin(), ranks.begin() + length);
    for (int i = 1; i < length; ++i) {
        if (ranks[i] != ranks[i - 1] + 1) return 0;
    }
    return length;
}

ExtraScore givescoreforextra(const PlaySequence& seq) {
    const int n = std::clamp(seq.n, 0, PlaySequence::kCapacity);
    const auto& k = seq.keys;
    // How many of the last entries, counting back from the newest, share its rank.
    int same = n >= 1 ? 1 : 0;
    while (same < kLongestPairs && same < n && k[n - same] == k[n]) ++same;
    switch (same) {
    case 4:
        return {12, 1};
    case 3:
        return {6, 2};
    case 2:
        return {2, 3};
    default:
        break;
    }
    for (int length = std::min(n, kLongestRun); length >= 3; --length) {
        if (checkforrun(seq, length) != 0) return {length, length + 1};
    }
    return {};
}

bool holdsCards(const Hand& hand) {
    for (int position = 1; position <= kHandSize; ++position) {
        if (isCard(hand[position])) return true;
    }
    return false;
}

bool canPlay(const Hand& hand, int count) {
    if (!holdsCards(hand)) return false;
    // At 21 or less even a ten-card fits.
    if (count <= 21) return true;
    for (int position = 1; position <= kHandSize; ++position) {
        if (isCard(hand[position]) && count + countValue(hand[position]) <= 31) return true;
    }
    return false;
}

} // namespace rules
