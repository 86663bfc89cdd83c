// The small closed sets of the game as types: game type, phase of a deal, kind of pegging points.
#pragma once

#include <optional>

namespace rules {

// Unscoped with an int base, so a value still reads as the number the wire carries and passes
// to the functions that take that number; nothing turns an int into one of these implicitly,
// so a number from outside has to go through the checked conversions below.

enum GameType : int {
    NoGameType = 0,
    TwoPlayers = 1,   // 6 cards each, two to the crib
    ThreePlayers = 2, // 5 cards each, one to the crib, the crib's fourth from the deck
    FourPlayers = 3,  // 5 cards each, one to the crib
    Partners = 4      // four players, seats 1 and 3 against 2 and 4
};

enum Phase : int {
    NoPhase = 0,
    GiveTwo = 1, // every seat gives two cards to the crib
    GiveOne = 2, // every seat gives one card
    ThePlay = 3  // the play and the show
};

// What a card laid in the play scores for pairs or a run.
enum PegKind : int {
    NoPegKind = 0,
    FourOfAKind = 1,
    ThreeOfAKind = 2,
    Pair = 3,
    RunOf3 = 4,
    RunOf4 = 5,
    RunOf5 = 6,
    RunOf6 = 7,
    RunOf7 = 8 // a count of 31 holds no longer run (Ace to 7 makes 28)
};

constexpr bool isOk(GameType t) {
    return t >= TwoPlayers && t <= Partners;
}
constexpr bool isOk(Phase p) {
    return p >= GiveTwo && p <= ThePlay;
}
constexpr bool isOk(PegKind k) {
    return k >= FourOfAKind && k <= RunOf7;
}

constexpr std::optional<GameType> toGameType(int value) {
    if (!isOk(GameType(value))) return std::nullopt;
    return GameType(value);
}
constexpr std::optional<Phase> toPhase(int value) {
    if (!isOk(Phase(value))) return std::nullopt;
    return Phase(value);
}
constexpr std::optional<PegKind> toPegKind(int value) {
    if (!isOk(PegKind(value))) return std::nullopt;
    return PegKind(value);
}

// The points a kind is worth: 12, 6 and 2 for the pairs, the length for a run.
constexpr int pegPoints(PegKind k) {
    switch (k) {
    case FourOfAKind:
        return 12;
    case ThreeOfAKind:
        return 6;
    case Pair:
        return 2;
    case NoPegKind:
        return 0;
    default:
        return isOk(k) ? int(k) - 1 : 0;
    }
}

// The phase a deal opens with: two cards each to the crib in the two-player game, else one.
constexpr Phase givingPhase(GameType t) {
    if (!isOk(t)) return NoPhase;
    return t == TwoPlayers ? GiveTwo : GiveOne;
}

} // namespace rules
