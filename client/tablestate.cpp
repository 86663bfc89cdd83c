// Texts of the table model: game types, the computer players' names, the leader phrases.
#include "client/tablestate.h"

namespace table {

QString gameTypeText(int gameType) {
    switch (gameType) {
    case 1:
        return QStringLiteral("2 Player Game");
    case 2:
        return QStringLiteral("3 Player Game");
    case 3:
        return QStringLiteral("4 Player Game");
    case 4:
        return QStringLiteral("Partners Game");
    default:
        return QString();
    }
}

QString defaultName(int seat) {
    switch (seat) {
    case 2:
        return QStringLiteral("Rori");
    case 3:
        return QStringLiteral("Vozuz");
    case 4:
        return QStringLiteral("Rudoz");
    default:
        return QString();
    }
}

namespace {

// Rows 21 to 24 repeat the last entry, so both single lists have 25 rows.
const char* const kOwnLead[25] = {
    "-You are in the lead.",
    "-You are in first place.",
    "-You are winning.",
    "-You have the most points.",
    "-You currently hold the lead.",
    "-You are leading.",
    "-You are doing it right.",
    "-You lead the pack.",
    "-You hold the baton.",
    "-You are taking the money.",
    "-You are not looking back.",
    "-You are racing towards the checkers.",
    "-You are holding all the bets.",
    "-You eat the cake.",
    "-You look unstoppable.",
    "-You hold the Pepsi.",
    "-You look back with impunity .",
    "-You have time to take a break.",
    "-You have clean air.",
    "-You are on top of the hill.",
    "-You are on top.",
    "-You have the most points.",
    "-You have the most points.",
    "-You have the most points.",
    "-You have the most points.",
};

const char* const kOtherLead[25] = {
    " is in the lead.",
    " is in first place.",
    " is winning.",
    " has the most points.",
    " currently holds the lead.",
    " is leading.",
    " is doing it right.",
    " leads the pack.",
    " holds the baton.",
    " is taking the money.",
    " isn't looking back.",
    " is racing towards the checkers.",
    " is holding all the bets.",
    " eats the cake.",
    " looks unstoppable.",
    " holds the Pepsi.",
    " looks back with impunity .",
    " has time to take a break.",
    " has clean air.",
    " is on top of the hill.",
    " is on top.",
    " has the most points.",
    " has the most points.",
    " has the most points.",
    " has the most points.",
};

const char* const kTeamLead[10] = {
    " are in the lead.",      " are in first place.",       " are winning.",
    " have the most points.", " currently holds the lead.", " are leading.",
    " have the most points.", " have the most points.",     " have the most points.",
    " have the most points.",
};

} // namespace

QString leaderLine(const State& state, const std::array<QString, kSeats + 1>& names,
                   int (*random)(int)) {
    int leader = 1;
    for (int seat = 2; seat <= kSeats; ++seat)
        if (state.showScore[seat] > state.showScore[leader]) leader = seat;
    if (state.showScore[leader] == 0) return QString();

    if (state.gameType == 4) {
        const int r = random(10);
        const QString phrase = QString::fromLatin1(kTeamLead[r < 0 || r > 9 ? 0 : r]);
        if (leader == 1 || leader == 3) return "-" + names[1] + " and " + names[3] + phrase;
        return "-" + names[2] + " and " + names[4] + phrase;
    }
    int r = random(25);
    if (r < 0 || r > 24) r = 0;
    if (leader == state.localSeat) return QString::fromLatin1(kOwnLead[r]);
    return "-" + names[leader] + QString::fromLatin1(kOtherLead[r]);
}

} // namespace table
