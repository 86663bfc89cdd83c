// The value of every way to keep four cards and give the rest to the crib, by exact enumeration.
#pragma once

#include <array>
#include <span>
#include <vector>

namespace rules {

// Whose crib the giving goes to, as seen from the seat that gives.
enum class CribSide {
    Own,      // the seat deals, or its partner deals in the partners game
    Opponent, // an opponent deals
};

// One way to give: the four cards kept and the one or two given, each in the order dealt.
struct KeepValue {
    std::array<int, 4> keep{};
    std::array<int, 2> thrown{}; // the second is 0 when one card is given
    double hand = 0; // mean show of the kept four over every starter the seat has not seen
    double crib = 0; // mean show of the crib over every way the unseen cards can fill it
    double net = 0;  // hand + crib for one's own crib, hand - crib for an opponent's
    // How many of the unseen starters give the kept four each show score (0 to 29).
    std::array<int, 30> handCounts{};
    int starters = 0;
};

// Ranks every keep, best net first; equal nets stay in the order of the cards given. The dealt
// cards are six in the two-player game (two given) and five in the others (one given); any
// other count, a repeated card or a non-card gives an empty list. Game types as dealt: 1 two
// players, 2 three, 3 four, 4 four in partnerships.
//
// What is taken as uniform, by game type:
//  1: the opponent's two crib cards are any two of the 46 cards the seat has not seen, all
//     1,035 pairs alike, and the starter any of the 44 left (45,540 cases).
//  2: the two opponents' crib cards and the crib's card from the deck are any three of the 47
//     unseen cards, and the starter any of the 44 left.
//  3, 4: the other three seats' crib cards are any three of the 47 unseen cards, and the starter
//     any of the 44 left. In the partners game the partner's card joins the seat's own crib when
//     the partner deals, which is why the side matters and not who deals.
std::vector<KeepValue> analyseDiscard(std::span<const int> dealt, int gameType, CribSide side);

// How much likelier than any other two unseen cards the opponent is to give two cards of these
// rank keys (0 King, 1 Ace .. 12 Queen), [x][y] with x <= y.
using ThrowWeights = std::array<std::array<double, 13>, 13>;

// The two-player analysis with the opponent's two crib cards weighted by `opponent` instead of
// taken alike: each pair of unseen cards counts its weight, the starter is any of the 44 left.
std::vector<KeepValue> analyseDiscard(std::span<const int> dealt, CribSide side,
                                      const ThrowWeights& opponent);

// The same values by scoring every case one by one with the show scorer: the plain
// enumeration the fast analysis is checked and measured against. Same order and results.
std::vector<KeepValue> analyseDiscardPlain(std::span<const int> dealt, int gameType, CribSide side);

} // namespace rules
