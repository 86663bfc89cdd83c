// The table as the local player knows it, without a widget: seats, scores, turn, hand, pile,
// starter, summary and winner. The message handlers change it; the views redraw from its signals.
#pragma once

#include "rules/seatview.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

namespace table {

constexpr int kSeats = 4;   // playing seats 1..4
constexpr int kMaxSeat = 9; // spectators 5..9
constexpr int kSlots = 10;  // the hand row
constexpr int kMaxHandPos = 6;
constexpr int kCribBox = 5; // the summary's crib box beside the four seats' rows

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
inline const QString kWaiting = QStringLiteral("<Waiting>");

// Kings sort highest, the suit is ignored.
constexpr int sortRank(int card) {
    return card % 13 == 0 ? 14 : card % 13;
}

// One hand or the crib as the show counted it (a CMD_endscore).
struct ShowRecord {
    int box = 0;   // 1..4 that seat's hand, kCribBox the crib
    int score = 0; // the seat's score after the hand (not used for the crib)
    int total = 0;
    std::array<int, 5> points{}; // fifteens, pairs, runs, flush, knob
    std::array<int, 4> cards{};
    int starter = 0;
};

// What one deal left behind, for the summary now and a history of the game later.
struct DealRecord {
    int dealer = 0;
    int starter = 0;
    std::array<std::vector<int>, kSeats + 1> played{}; // cards each seat played, in order
    std::array<int, kSeats + 1> playPoints{};          // pegged in the play and for the knob
    std::array<std::optional<ShowRecord>, kCribBox + 1> shows{};
};

} // namespace table

class TableModel : public QObject {
    Q_OBJECT
public:
    // What a seat's hand picture shows at its place on the table.
    enum class SeatCards { Blank, NotPlaying, Backs };

    struct Seat {
        QString name = table::kWaiting; // what the seat's name label shows
        bool person = false;            // a person has logged in to this seat
        bool watching = false;
        int score = 0;
        int pegFront = 0; // scores the two pegs stand at
        int pegBack = 0;
        int showScore = 0; // as the last summary recorded it
        int handCount = 0; // card backs shown
        SeatCards cards = SeatCards::Blank;
        bool go = false;
        bool winner = false;
    };

    struct HandCard {
        int code = 0;
        bool held = false;   // the hand position holds a card on the row
        bool raised = false; // lifted by a click
        bool nudged = false; // placed 2 pixels left by the last sort swap
    };

    struct Spectator {
        int seat = 0;
        QString name;
    };

    explicit TableModel(QObject* parent = nullptr);

    // ---- connection and the seat rotation ----
    int localSeat() const { return m_localSeat; }
    bool connected() const { return m_connected; }
    bool isHost() const { return m_host; }
    // The login: the seat the server gave; the table turns so that it sits at the bottom.
    void login(int seat);
    void setHost(bool host);
    // The seat shown at a screen position (table::Position) and the position of a seat.
    int seatAt(int position) const { return m_seatAt[std::size_t(position & 3)]; }
    int positionOf(int seat) const;
    // Turns the table so that the local seat 2, 3 or 4 sits at the bottom; seat 1 and the
    // spectators see the table as it is.
    void sortstuff(int seat);

    // ---- seats ----
    // Seats 1..4; any other number answers an empty seat.
    const Seat& seat(int s) const;
    QString seatName(int s) const { return seat(s).name; }
    // Persons logged in to playing seats (computer seats and spectators are not counted).
    int seatedPersons() const;
    void seatPerson(int seat, const QString& name);
    // A person left: the seat shows "<Waiting>" when the game type leaves it empty, otherwise
    // the computer player that takes it over.
    void seatLeft(int seat);
    void setWatching(int seat, bool watching);
    // The pegs move: the back peg to where the front one stood, the front one to the score; at
    // the start and past 120 both share one hole.
    void postscore(int seat, int score);
    // Points pegged in the play or for the knob: posted, and kept in the deal's record.
    void peg(int seat, int score);
    void setHandCount(int seat, int count);
    void setGo(int seat);
    void clearGo();

    // ---- spectators: one entry per number, replaced when the number logs in again ----
    const std::vector<Spectator>& spectators() const { return m_spectators; }
    // "seat: name" entries, in order of arrival.
    QStringList spectatorEntries() const;
    void addSpectator(int seat, const QString& name);
    // False when no such entry was listed.
    bool removeSpectator(int seat, const QString& name);

    // ---- the game ----
    int gameType() const { return m_gameType; }
    int target() const { return m_target; } // 60 or 120, 0 before a game
    bool gameInProgress() const { return m_gameType != 0 && m_winner == 0; }
    int phase() const { return m_phase; }
    int turnSeat() const { return m_turnSeat; }
    int turnMark() const { return m_turnMark; } // the seat whose turn highlight shows, 0 none
    int mayAct() const { return m_mayAct; }
    int dealer() const { return m_dealer; } // also the crib's owner
    bool startOffered() const { return m_startOffered; }

    // The whole table back to its start (names and the seat rotation stay).
    void clearall();
    // A new game of a type to a target; the table is cleared and the seats filled.
    void startGame(int gameType, int target);
    // A game joined while it runs.
    void restoreGame(int gameType, int target, int dealer, int turnSeat,
                     const std::array<int, table::kSeats + 1>& scores);
    void setStartOffered(bool offered);
    void setPhase(int phase);
    void setDealer(int dealer);
    // Who is to act, with the highlight on that seat; mayAct is the local player's licence.
    void setTurn(int turnSeat, int turnMark, int mayAct);
    // The local player acted: nobody is to act until the server answers.
    void giveUpTurn();
    void hideTurnMark();

    // ---- a deal ----
    void startDeal();
    // Every seat in the game is dealt its cards again (the crib prompt).
    void dealBacks();

    // ---- the local hand ----
    const HandCard& card(int pos) const;
    // The hand position in a row slot (1..10), 0 for a free slot.
    int positionInSlot(int slot) const;
    int slotOf(int pos) const;
    // The card codes of the row from left to right.
    std::vector<int> rowPositions() const;
    bool isRaised(int pos) const { return card(pos).raised; }
    // A card the local player may play now under 31.
    bool isPlayable(int pos) const;
    int crib1() const { return m_crib1; }
    int crib2() const { return m_crib2; }
    bool okOffered() const { return m_okOffered; }
    // Takes the lowest free slot; a position outside 1..6, one already held, no free slot or no
    // card leaves the row as it is.
    bool addCard(int pos, int code);
    // The card leaves the row; the cards right of it close the gap and every card rests.
    void movecards(int pos);
    void clearHand();
    // Rank order, equal ranks keeping theirs; every card rests, the crib choice stays.
    void sortHand();
    // A left click on a card: Ignored when it is not the local player's to make, Changed for a
    // card raised or lowered in the crib choice, Play for a card raised in the play, which the
    // caller then sends.
    enum class ClickResult { Ignored, Changed, Play };
    ClickResult clickCard(int pos);
    void resetCribChoice();
    void setOkOffered(bool offered);
    // A hint's answer on the row, only while the local player may act: during the giving the
    // cards to give are raised as the crib choice (any other card rests) and OK is offered;
    // during the play the card is raised, and a click on it plays it where a click on a card
    // the player raised lowers it. False, and nothing changes, when the cards do not fit.
    bool suggestCrib(int first, int second);
    bool suggestPlay(int pos);
    int suggestedPlay() const { return m_suggested; }

    // ---- the middle of the table ----
    int runningTotal() const { return m_runningTotal; }
    int starter() const { return m_starter; }
    int pileCount() const { return m_pileCount; }
    // Card codes of the pile in play order; 0 for an entry that names no card.
    const std::vector<int>& pile() const { return m_pile; }
    void setStarter(int code);
    void setRunningTotal(int total);
    // A card played: the pile grows by one entry and its count becomes n.
    void cardPlayed(int seat, int pos, int n, int code, int total);
    void clearPile();
    void restorePile(int total, int count, const std::vector<int>& entries);

    // ---- status line and score log ----
    QString status() const { return m_status; }
    void setStatus(const QString& text);
    const QStringList& scoreLog() const { return m_scoreLog; }
    void logScore(const QString& line);
    // The line for the start of a deal, or "" while nobody leads; random draws from the
    // program's generator.
    QString leaderLine(int (*random)(int)) const;

    // ---- the summary of the show ----
    bool summaryOpen() const { return m_summaryOpen; }
    // Closing the summary must be reported to the server.
    bool doneAwaited() const { return m_doneAwaited; }
    // The seat whose row the crib box stands beside, 0 before any crib was shown.
    int cribBoxDealer() const { return m_cribBoxDealer; }
    // A row's score as the summary shows it (also for a partner), nullopt while not reported.
    std::optional<int> rowScore(int seat) const;
    QString rowName(int seat) const;
    // The lines of a box (1..4 seats, 5 crib): placeholders, the categories and the total.
    QStringList summaryLines(int box) const;
    const std::optional<table::ShowRecord>& shown(int box) const;
    void openSummary(bool doneAwaited);
    void reportShow(int dealer, const table::ShowRecord& record, int partner, int partnerScore);
    void closeSummary();

    // The deals of the game so far, the current one last.
    const std::vector<table::DealRecord>& deals() const { return m_deals; }

    // ---- what the local seat knows, for the hints ----
    // The cards the row received since the deal began, in the order they came.
    const std::vector<int>& dealt() const { return m_dealt; }
    // The local seat's own cards in the crib: dealt, no longer held and not played.
    std::vector<int> thrown() const;
    // The play as every seat saw it: the starter, each card laid and by whom, and the count at
    // which a seat could not lay a card.
    const rules::PlayRecord& playRecord() const { return m_playRecord; }
    // A seat could not lay a card at the count as it stands (a go said or pegged).
    void noteGo(int seat);
    // The deal as the local seat knows it: its cards (all it was dealt during the giving), its
    // own crib cards, the scores and the play so far. Nothing the server keeps hidden.
    rules::SeatView seatView() const;

    // ---- the winner ----
    int winner() const { return m_winner; }
    int winnerPartner() const { return m_winnerPartner; }
    void setWinner(int seat, int partner);

signals:
    void connectionChanged();
    void rotationChanged();
    void seatChanged(int seat);
    // Also when the score stays: the pegs were posted again.
    void scoreChanged(int seat);
    // A seat's GO badge, 0 for every seat.
    void goChanged(int seat);
    void spectatorsChanged();
    void gameChanged();
    void phaseChanged();
    void turnChanged();
    void dealerChanged();
    void startOfferedChanged();
    void handChanged();
    void countChanged();
    void pileChanged();
    void starterChanged();
    void statusChanged();
    void scoreLogged(const QString& line);
    void scoreLogCleared();
    // The summary panel opens (again) for a show; its rows follow with summaryChanged.
    void summaryOpened();
    void summaryChanged();
    void winnerChanged();
    // A deal's record changed (its dealer, starter, a card, a point, a hand counted), or the
    // records were cleared for a new game.
    void dealsChanged();

private:
    Seat* seatRef(int s);
    table::DealRecord& currentDeal();

    int m_localSeat = 0;
    bool m_connected = false;
    bool m_host = false;
    std::array<int, 4> m_seatAt{1, 2, 3, 4};
    std::array<Seat, table::kSeats + 1> m_seats{};
    std::vector<Spectator> m_spectators;

    int m_gameType = 0;
    int m_target = 0;
    int m_phase = 0;
    int m_turnSeat = 0;
    int m_turnMark = 0;
    int m_mayAct = 0;
    int m_dealer = 0;
    bool m_startOffered = false;

    std::array<int, table::kSlots + 1> m_slots{};
    std::array<HandCard, table::kMaxHandPos + 1> m_hand{};
    int m_crib1 = 0;
    int m_crib2 = 0;
    bool m_okOffered = false;
    int m_suggested = 0; // the hand position a hint raised in the play
    std::vector<int> m_dealt;

    int m_runningTotal = 0;
    int m_starter = 0;
    int m_pileCount = 0;
    std::vector<int> m_pile;

    QString m_status;
    QStringList m_scoreLog;

    bool m_summaryOpen = false;
    bool m_doneAwaited = false;
    int m_cribBoxDealer = 0;
    std::array<std::optional<int>, table::kSeats + 1> m_rowScore{};
    std::array<QString, table::kSeats + 1> m_rowName{};
    std::array<std::optional<table::ShowRecord>, table::kCribBox + 1> m_shown{};
    int m_placeholderSeats = 0; // rows 1..n show "Game Over" until counted

    std::vector<table::DealRecord> m_deals;
    rules::PlayRecord m_playRecord;

    int m_winner = 0;
    int m_winnerPartner = 0;
};
