// TServer: the game server inside the program: connections and seats, login, relays, the round
// flow, the action timer and the computer players.
#pragma once

#include "net/message.h"
#include "rules/deal.h"
#include "rules/pegging.h"
#include "rules/scoring.h"
#include "rules/seatview.h"
#include "rules/types.h"
#include "server/clientlink.h"

#include <QObject>
#include <QString>

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

class QTimer;
class TSock;

// How the computer seats play: Classic by fixed rules, Expert by the discard analysis and a
// search of the play.
enum class ComputerLevel { Classic = 0, Expert = 1 };

// One record per connection number 1..11 (10 and 11 never hold a live client). Seats 1..4 also
// carry the seat's state in the game; their cards live in TServer::Game::deal.
struct tplayer {
    std::string name;
    bool connected = false;
    std::shared_ptr<ClientLink> link;
    // Which connection last held this number, so a message queued by an earlier holder is never
    // taken for the current one.
    std::uint64_t serial = 0;
    net::ReceiveBuffer buffer{net::kMaxClientMessage, net::ReceiveBuffer::Empty::Drop};
    // Set by the login; a connection that stays without one is closed (TServer::kLoginSeconds).
    bool loggedIn = false;
    int loginTicks = 0;
    // Has more unsent than net::kMaxUnsentBytes: nothing more is sent, it is about to be closed.
    bool overfull = false;
    int score = 0;
    bool watching = false;
    int partner = 0;
    bool gave = false;
    bool done = false;
    bool turn = false;
    rules::ShowScore breakdown;
};

class TServer : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaxConnections = 9;
    static constexpr int kRecords = 11;
    static constexpr int kDefaultBotSpeed = 1000;

    // Everything the round flow keeps for one game and its current deal.
    struct Game {
        bool inProgress = false;
        bool dealInProgress = false;
        rules::GameType gameType = rules::NoGameType;
        int target = 120;
        rules::Phase phase = rules::NoPhase;
        int dealer = 0;
        int currentPlayer = 0;
        int lastPlayer = 0;
        rules::Deal deal;
        rules::PlaySequence seq;
        rules::ShowScore cribBreakdown;
    };

    // Actions of the action timer timer1.
    enum Action {
        NoAction = 0,
        NextDealAfterShow = 1,
        ResetCount = 2,
        TheShow = 3,
        ComputerCard = 4,
        NextPlayer = 5,
        NextDealConfirmed = 6
    };

    explicit TServer(QObject* parent = nullptr);
    ~TServer() override;

    // Who may reach the table: anybody (a hosted game) or this machine alone (a solo game).
    enum class ListenOn { AllInterfaces, LoopbackOnly };
    // Turns on Sock1. false when the port cannot be bound; lastError() then says why. A server
    // that already listens keeps its port and its interfaces.
    bool listen(quint16 port = 7772, ListenOn where = ListenOn::AllInterfaces);
    quint16 listeningPort() const;
    QString lastError() const { return m_lastError; }
    // The host's own client connects from this machine's 127.0.0.1:clientPort. Until it has,
    // number 1 (seat 1, with the host's rights) is kept for it: a stranger who connects in the
    // moment between the listen and the host's own connection gets another number.
    void reserveHostConnection(quint16 clientPort) { m_hostClientPort = clientPort; }

    // The interval of the action timer, read each time an action is scheduled.
    void setBotSpeedSource(std::function<int()> msFn) { m_botSpeed = std::move(msFn); }
    int botSpeed() const;
    // The level of every computer seat, read each time a computer gives or plays; Classic when
    // no source is set.
    void setComputerLevelSource(std::function<ComputerLevel()> levelFn) {
        m_computerLevel = std::move(levelFn);
    }
    // Simulations pit levels against each other: a seat's own level, over the source. Nothing
    // on the wire reaches it.
    void overrideComputerLevel(int seat, std::optional<ComputerLevel> level);
    ComputerLevel computerLevel(int seat) const;
    // One line per connection, disconnection, game start and game end.
    void setLogSink(std::function<void(const std::string&)> sink) { m_log = std::move(sink); }

    // The send seam. attachConnection runs the accept steps for a new link and answers its
    // number, or 0 when the table is full (the link then got CMD_full and was closed).
    // A link that is the host's own connection takes number 1 (see reserveHostConnection).
    int attachConnection(std::shared_ptr<ClientLink> link, bool hostsOwn = false);
    // Bytes that arrived on connection n, cut into messages and queued.
    void receiveBytes(int n, std::string_view bytes);
    // The connection behind number n is gone (closed, reset or dropped): frees the number.
    void connectionLost(int n);
    // Closes the connection of a connected number; the clean-up follows at once.
    void disconnectsock(int n);
    void sendTo(int n, const std::string& message);
    void broadcast(const std::string& message);

    // Tick handlers of socktimer, timer1 and the login timer; tests call them instead of waiting.
    void socktimerTimer();
    void timer1Timer();
    void logintimerTimer();
    // Closes the connections that stopped reading (more than net::kMaxUnsentBytes unsent). Runs
    // from the event loop soon after a send finds one, never inside the handler that sent.
    void closeOverfull();

    // A newcomer's client answers CMD_sendlogininfo at once; a connection that has not logged
    // in after this long is not a player and only holds a number another one could use.
    static constexpr int kLoginSeconds = 10;
    static constexpr int kLoginTimerMs = 1000;

    std::size_t queuedMessages() const;
    // What connection n has waiting in the inbound queue, at its cost in memory.
    std::size_t queuedBytes(int n) const;
    const tplayer& player(int n) const { return m_players[n]; }
    tplayer& player(int n) { return m_players[n]; }
    int slotsInUse() const { return m_slots; }
    // The game and its deal; tests arrange hands and decks through it.
    Game& game() { return m_game; }
    const Game& game() const { return m_game; }
    // What a seat knows: its own cards and what every client has been told of the play. The
    // Expert decides from this alone.
    rules::SeatView seatView(int seat) const;
    int pendingAction() const { return m_pendingAction; }
    int countdown() const { return m_countdown; }
    bool socktimerActive() const;

private:
    struct Queued {
        int connection = 0;
        std::uint64_t serial = 0;
        std::uint64_t seq = 0; // arrival order over all connections
        std::string text;
    };
    // The next message to handle: the oldest of a connection not yet served in this round, so a
    // client flooding the queue delays the others by a tick, not by its whole burst.
    int nextQueue();
    static std::size_t costOf(const Queued& item);
    void forgetQueued(int n);
    // Ends connection n at once, unsent bytes and all, and handles it as any leave.
    void dropConnection(int n);

    // Table (tserver.cpp)
    void Sock1Accept();
    void Sock1Read(TSock* sock);
    void tempsockDisconnect(TSock* sock);
    void tempsockInfo(TSock* sock, const QString& text);
    int numberOf(const TSock* sock) const;
    // Every message reaches its handler through the shared reader of its type, after the check
    // that its first field names the connection it came on.
    void dispatch(const Queued& item);
    void receivedlogininfo(const net::Login& m);
    void chat(const net::SeatText& m);
    void action(const net::SeatText& m);
    void playasound(const net::Sound& m);
    void justwatch(const net::WatchChange& m);
    void kickhim(const net::Kick& m);
    void bringUpToDate(int n);
    void handOverToComputer(int seat);
    void log(const std::string& line) const;

    // Round flow (roundflow.cpp)
    void startgame(const net::StartGame& m);
    void startround();
    void findplayer1();
    // Reached from the wire and by the computer players alike; the computers hand over the
    // argument text a client would send ("seat+pos+"), read by the same reader.
    void sendcard(std::string_view args);
    void sendcard(const net::CribCards& m);
    void playcard(std::string_view args);
    void playcard(const net::CardChoice& m);
    void clickdone(int seat);
    void findplayer();
    void startagain();
    void figurescores();
    bool checkforwin(int seat);
    void addScore(int seat, int points);
    void schedule(int action, int intervals);
    void cancelAction();
    void runAction(int action);
    bool seatInPlay(int seat) const;
    bool isComputerPlayed(int seat) const;
    bool checkfornocards() const; // true when no seat in play holds a card
    void sendScoreMessage(std::string (*build)(const net::ScoreChange&), int seat);

    // Computer players (computer.cpp)
    void computersendcard(int seat);
    void computerresend(int seat);
    void computerplay(int seat);
    // What the table has seen of the play, noted from every broadcast as a client would.
    void notePublic(const std::string& message);

    std::array<tplayer, kRecords + 1> m_players;
    int m_slots = 0;
    quint16 m_hostClientPort = 0;
    std::uint64_t m_nextSerial = 0;
    // The inbound queue, one line per connection number, taken in turns (see nextQueue()).
    std::array<std::deque<Queued>, kRecords + 1> m_receivedlist;
    std::array<std::size_t, kRecords + 1> m_queuedBytes{};
    std::array<bool, kRecords + 1> m_servedThisRound{};
    std::uint64_t m_nextSeq = 0;
    Game m_game;
    int m_pendingAction = NoAction;
    int m_countdown = 0;

    TSock* m_sock1 = nullptr;
    QTimer* m_socktimer = nullptr;
    QTimer* m_timer1 = nullptr;
    QTimer* m_logintimer = nullptr;
    bool m_closeOverfullQueued = false;
    QString m_lastError;
    std::function<int()> m_botSpeed;
    std::function<ComputerLevel()> m_computerLevel;
    std::array<std::optional<ComputerLevel>, rules::kSeats + 1> m_levelOverride{};
    rules::PlayRecord m_playRecord;
    std::function<void(const std::string&)> m_log;
};
