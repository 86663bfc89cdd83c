// Card codes 1..52 (0 = no card) and the properties every part of the game derives from them.
#pragma once

namespace rules {

constexpr int kNoCard = 0;
constexpr int kDeckSize = 52;

// 1 for an Ace, 2..10 for pip cards, 11 Jack, 12 Queen, 0 King. Equal keys pair.
constexpr int rankKey(int card) {
    return card % 13;
}
// Ace 1 .. King 13.
constexpr int runRank(int card) {
    return card % 13 == 0 ? 13 : card % 13;
}
// Value for fifteens and the running count: pips at face value, court cards 10.
constexpr int countValue(int card) {
    const int k = card % 13;
    return (k >= 1 && k <= 10) ? k : 10;
}
// Value of a rank key in the count (a King's key is 0).
constexpr int keyCountValue(int key) {
    return (key >= 1 && key <= 10) ? key : 10;
}
// Suit 1..4; suits are only ever compared for equality.
constexpr int suitOf(int card) {
    return (card - 1) / 13 + 1;
}
constexpr bool isJack(int card) {
    return card % 13 == 11;
}
constexpr bool isCard(int card) {
    return card >= 1 && card <= kDeckSize;
}
constexpr int makeCard(int rank /*1..13*/, int suit /*1..4*/) {
    return (suit - 1) * 13 + rank;
}

} // namespace rules
