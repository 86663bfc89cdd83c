// The client's model of the table as the local player sees it; widgets are redrawn from it.
#pragma once

#include <QString>
#include <QStringList>
#include <array>

namespace table {

constexpr int kSeats = 4;   // playing seats 1..4
constexpr int kMaxSeat = 9; // spectators 5..9
constexpr int kSlots = 10;  // the hand row
constexpr int kMaxHandPos = 6;

// Screen positions around the play area, clockwise.
enum Position { Bottom = 0, Left = 1, Top = 2, Right = 3 };

// Seat shown at each position for the local seat (spectators see seat 1 at the bottom).
constexpr int seatAt(int localSeat, int position) {
    const int base = (localSeat >= 2 && localSeat <= 4) ? localSeat : 1;
    return (base - 1 + position) % 4 + 1;
}

constexpr bool isPlayingSeat(int seat) {
    return seat >= 1 && seat <= kSeats;
}

// Seats and cards of each game type; 0 for an unknown type.
constexpr int playersOf(int gameType) {
    return gameType == 1 ? 2 : gameType == 2 ? 3 : (gameType == 3 || gameType == 4) ? 4 : 0;
}
constexpr int cardsDealt(int gameType) {
    return gameType == 1 ? 6 : 5;
}
// Ball of a seat: partners share the colour of seats 1 and 2.
constexpr int ballOf(int gameType, int seat) {
    return gameType == 4 ? (seat % 2 == 1 ? 1 : 2) : seat;
}
constexpr int partnerOf(int seat) {
    return seat <= 2 ? seat + 2 : seat - 2;
}

QString gameTypeText(int gameType);
QString defaultName(int seat); // "" , "Rori", "Vozuz", "Rudoz"

// Kings sort highest, the suit is ignored.
constexpr int sortRank(int card) {
    return card % 13 == 0 ? 14 : card % 13;
}

struct HandCard {
    int code = 0;
    bool raised = false;
    bool nudged = false; // placed 2 pixels left by the last sort swap
    bool held = false;   // the hand position holds a card on the row
};

struct State {
    int localSeat = 0;
    bool connected = false;
    bool host = false;
    int gameType = 0;
    int turnSeat = 0;
    int phase = 0;
    int mayAct = 0;
    int crib1 = 0;
    int crib2 = 0;
    int dealer = 0;

    // Hand slots 1..10: the hand position shown there, -1 when free. Index 0 unused.
    std::array<int, kSlots + 1> handSlots{};
    // Hand positions 1..6. Index 0 unused.
    std::array<HandCard, kMaxHandPos + 1> hand{};

    std::array<int, kSeats + 1> handCount{}; // card backs per seat
    std::array<int, kSeats + 1> showScore{}; // recorded by the last summary
    int pileCount = 0;
    QString pileList; // each card code followed by ","

    QStringList spectators; // "seat: name"

    State() { clearHand(); }

    void clearHand() {
        handSlots.fill(-1);
        hand.fill(HandCard{});
    }
    int slotOf(int pos) const {
        for (int s = 1; s <= kSlots; ++s)
            if (handSlots[s] == pos) return s;
        return 0;
    }
    int freeSlot() const {
        for (int s = 1; s <= kSlots; ++s)
            if (handSlots[s] < 0) return s;
        return 0;
    }
};

// The score log line for the start of a deal, or "" when nobody leads yet. names[1..4] are
// the seats' name labels; random draws from the program's generator.
QString leaderLine(const State& state, const std::array<QString, kSeats + 1>& names,
                   int (*random)(int));

} // namespace table
