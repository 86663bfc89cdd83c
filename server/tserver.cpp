// The server's table: accepting and numbering connections, the inbound queue and its dispatcher,
// login, relays, just watch, kicks and disconnects.
#include "server/tserver.h"

#include <QTimer>
#include <algorithm>

namespace {

constexpr int kSocktimerMs = 10;

bool validNumber(int n) {
    return n >= 1 && n <= TServer::kMaxConnections;
}

// True when the first field of a message names the connection it arrived on.
bool namesSender(std::string_view args, int connection) {
    const auto first = net::FieldReader(args).takeInt();
    return first && *first == connection;
}

} // namespace

TServer::TServer(QObject* parent) : QObject(parent) {
    for (int seat = 1; seat <= rules::kSeats; ++seat)
        m_players[seat].partner = rules::partnerOf(seat);

    m_socktimer = new QTimer(this);
    m_socktimer->setInterval(kSocktimerMs);
    connect(m_socktimer, &QTimer::timeout, this, &TServer::socktimerTimer);
    // It stops itself on the first tick that finds the queue empty and starts again as soon as a
    // message is queued, so an idle server does not wake every 10 ms.
    m_socktimer->start();

    m_timer1 = new QTimer(this);
    m_timer1->setInterval(kDefaultBotSpeed);
    connect(m_timer1, &QTimer::timeout, this, &TServer::timer1Timer);
}

TServer::~TServer() {
    // Drop the links before QObject deletes the sockets they point at.
    for (auto& p : m_players) p.link.reset();
}

int TServer::botSpeed() const {
    const int ms = m_botSpeed ? m_botSpeed() : kDefaultBotSpeed;
    return ms >= 1 ? ms : 1;
}

bool TServer::socktimerActive() const {
    return m_socktimer->isActive();
}

void TServer::log(const std::string& line) const {
    if (m_log) m_log(line);
}

// ---- The table -------------------------------------------------------------------------------

int TServer::attachConnection(std::shared_ptr<ClientLink> link) {
    int n = 0;
    for (int i = 1; i <= m_slots; ++i) {
        if (!m_players[i].connected) {
            n = i;
            break;
        }
    }
    if (!n && m_slots < kMaxConnections) n = ++m_slots;
    if (!n) {
        link->send(net::toClient::full());
        link->close();
        return 0;
    }
    tplayer& p = m_players[n];
    p.connected = true;
    p.link = std::move(link);
    p.serial = ++m_nextSerial;
    p.buffer.clear();
    p.name.clear();
    sendTo(n, net::toClient::sendlogininfo(n));
    return n;
}

void TServer::receiveBytes(int n, std::string_view bytes) {
    if (!validNumber(n) || !m_players[n].connected) return;
    tplayer& p = m_players[n];
    for (std::string& text : p.buffer.append(bytes)) {
        m_queuedBytes[n] += text.size() + 1;
        m_receivedlist[n].push_back(Queued{n, p.serial, m_nextSeq++, std::move(text)});
    }
    if (queuedMessages() > 0 && !m_socktimer->isActive()) m_socktimer->start();
    // Whole messages count too: a client may not make us hold more than this for it.
    if (m_queuedBytes[n] > kMaxQueuedBytes) {
        log("connection " + std::to_string(n) + " closed: too much waiting in the queue");
        m_receivedlist[n].clear();
        m_queuedBytes[n] = 0;
        disconnectsock(n);
        return;
    }
    // A peer that never ends its message would make us hold its bytes for ever.
    if (p.buffer.overflowed()) {
        log("connection " + std::to_string(n) + " closed: message too long");
        disconnectsock(n);
    }
}

void TServer::disconnectsock(int n) {
    if (!validNumber(n) || !m_players[n].connected) return;
    // Keep the link alive through close(): a socket reports "Socket Closed" from inside it.
    const std::shared_ptr<ClientLink> link = m_players[n].link;
    if (link) link->close();
    connectionLost(n);
}

void TServer::connectionLost(int n) {
    if (!validNumber(n) || !m_players[n].connected) return;
    tplayer& p = m_players[n];
    const std::string name = p.name;
    p.connected = false;
    p.name.clear();
    p.watching = false;
    p.buffer.clear();
    const std::shared_ptr<ClientLink> link = std::move(p.link);
    log("connection " + std::to_string(n) + " left" + (name.empty() ? "" : " (" + name + ")"));
    broadcast(net::toClient::playerdisconnected(n, name));
    // Seat 1 too: if the host's client goes while seat 1 still has to give or to play, nobody
    // else would ever move the deal on.
    handOverToComputer(n);
}

void TServer::sendTo(int n, const std::string& message) {
    if (n < 1 || n > kRecords) return;
    tplayer& p = m_players[n];
    if (p.connected && p.link) p.link->send(message);
}

void TServer::broadcast(const std::string& message) {
    notePublic(message);
    for (int n = 1; n <= kMaxConnections; ++n) sendTo(n, message);
}

// ---- Dispatch --------------------------------------------------------------------------------

std::size_t TServer::queuedMessages() const {
    std::size_t total = 0;
    for (const auto& q : m_receivedlist) total += q.size();
    return total;
}

int TServer::nextQueue() {
    for (int pass = 0; pass < 2; ++pass) {
        int best = 0;
        for (int n = 1; n <= kRecords; ++n) {
            if (m_receivedlist[n].empty() || m_servedThisRound[n]) continue;
            if (best == 0 || m_receivedlist[n].front().seq < m_receivedlist[best].front().seq)
                best = n;
        }
        if (best != 0) return best;
        m_servedThisRound.fill(false); // every waiting connection had its turn: a new round
    }
    return 0;
}

void TServer::socktimerTimer() {
    const int n = nextQueue();
    if (n == 0) {
        m_socktimer->stop();
        return;
    }
    m_servedThisRound[n] = true;
    const Queued item = std::move(m_receivedlist[n].front());
    m_receivedlist[n].pop_front();
    m_queuedBytes[n] -= std::min(m_queuedBytes[n], item.text.size() + 1);
    dispatch(item);
    if (queuedMessages() == 0) m_socktimer->stop();
}

// The first field of most client messages names the sender; it must be the connection the
// message arrived on, or any client could act for any seat.
void TServer::dispatch(const Queued& item) {
    const auto [command, args] = net::splitCommand(item.text);
    if (command.empty()) return;
    const int from = item.connection;
    // The number has passed to a newer connection: what the old one queued is not the new one's.
    if (m_players[from].serial != item.serial) return;

    if (command == "CMD_logininfo") {
        // A login that arrives after its connection closed would seat a ghost nobody frees.
        if (namesSender(args, from) && m_players[from].connected) receivedlogininfo(args);
    } else if (command == "CMD_kickhim") {
        if (from == 1 && namesSender(args, from)) kickhim(args);
    } else if (command == "CMD_chat") {
        if (namesSender(args, from)) chat(args);
    } else if (command == "CMD_action") {
        if (namesSender(args, from)) action(args);
    } else if (command == "CMD_startgame") {
        if (from == 1) startgame(args);
    } else if (command == "CMD_justwatch") {
        if (from == 1 || namesSender(args, from)) justwatch(args);
    } else if (command == "CMD_sendcard") {
        if (namesSender(args, from)) sendcard(args);
    } else if (command == "CMD_playcard") {
        if (namesSender(args, from)) playcard(args);
    } else if (command == "CMD_clickdone") {
        if (namesSender(args, from)) clickdone(args);
    } else if (command == "CMD_playasound") {
        if (namesSender(args, from)) playasound(args);
    }
}

// ---- Login -----------------------------------------------------------------------------------

void TServer::receivedlogininfo(std::string_view args) {
    net::FieldReader r(args);
    const auto n = r.takeInt();
    if (!n || !validNumber(*n)) return;
    const std::string_view version = r.takeText();
    const std::string name(r.rest());

    tplayer& p = m_players[*n];
    p.name = name;
    p.connected = true;
    log("connection " + std::to_string(*n) + " logged in as " + name);

    broadcast(net::toClient::newplayerinfo(*n, name));
    for (int m = 1; m <= kMaxConnections; ++m) {
        if (m != *n && m_players[m].connected)
            sendTo(*n, net::toClient::existingplayers(m, m_players[m].name));
    }
    if (version != net::kVersion) {
        sendTo(1, net::toClient::havewrongversion(name));
        sendTo(*n, net::toClient::wrongversion());
    }
    if (m_game.inProgress) bringUpToDate(*n);
}

void TServer::bringUpToDate(int n) {
    const Game& g = m_game;
    const int scores[4] = {m_players[1].score, m_players[2].score, m_players[3].score,
                           m_players[4].score};
    sendTo(n, net::toClient::loadstats(n, g.gameType, g.target, g.phase, g.dealer, g.currentPlayer,
                                       scores));
    if (g.phase == 3) {
        std::vector<int> keys;
        for (int i = 1; i <= g.seq.n; ++i)
            if (g.seq.keys[i] != 0) keys.push_back(g.seq.keys[i]);
        if (!keys.empty()) sendTo(n, net::toClient::middlecards(g.deal.starter, g.seq.count, keys));
    }
    for (int seat = 1; seat <= rules::kSeats; ++seat) {
        const int held = g.deal.cardsHeld(seat);
        if (seat != n && held > 0) sendTo(n, net::toClient::theircards(seat, held));
    }
    if (n > rules::kSeats) return;
    const rules::Hand& hand = g.deal.hands[n];
    std::vector<std::pair<int, int>> cards;
    for (int pos = 1; pos <= rules::kHandSize; ++pos)
        if (hand[pos] != rules::kNoCard) cards.emplace_back(pos, hand[pos]);
    if (!cards.empty()) sendTo(n, net::toClient::mycards(n, cards));
    // Only a seat that still has to give is asked to: one that gave could never give again.
    if (g.dealInProgress && (g.phase == 1 || g.phase == 2) && seatInPlay(n) && !m_players[n].gave)
        sendTo(n, net::toClient::playergive(n, g.dealer, g.phase));
    if (g.dealInProgress && g.phase == 3 && g.currentPlayer == n && m_players[n].turn)
        sendTo(n, net::toClient::nextplayer(n, 3));
}

// ---- Relays, just watch, kicks ---------------------------------------------------------------

void TServer::chat(std::string_view args) {
    net::FieldReader r(args);
    const auto n = r.takeInt();
    if (!n || !validNumber(*n)) return;
    broadcast(net::toClient::chat(*n, m_players[*n].name + " chats: " + std::string(r.rest())));
}

void TServer::action(std::string_view args) {
    net::FieldReader r(args);
    const auto n = r.takeInt();
    if (!n || !validNumber(*n)) return;
    broadcast(net::toClient::action(*n, m_players[*n].name + " " + std::string(r.rest())));
}

void TServer::playasound(std::string_view args) {
    net::FieldReader r(args);
    const auto n = r.takeInt();
    if (!n || !validNumber(*n)) return;
    // The rest is relayed as it came; the builder puts back the "+" that ends it.
    std::string_view rest = r.rest();
    if (!rest.empty() && rest.back() == '+') rest.remove_suffix(1);
    broadcast(net::toClient::playasound(*n, rest));
}

void TServer::justwatch(std::string_view args) {
    net::FieldReader r(args);
    const auto seat = r.takeInt();
    if (!seat || *seat < 1 || *seat > rules::kSeats) return;
    const std::string_view mode = r.takeText();
    if (mode == "2") {
        m_players[*seat].watching = false;
        broadcast(net::toClient::justwatching(*seat, "2"));
    } else if (mode == "1" && m_game.inProgress) {
        m_players[*seat].watching = true;
        broadcast(net::toClient::justwatching(*seat, "1"));
        handOverToComputer(*seat);
    }
}

void TServer::kickhim(std::string_view args) {
    net::FieldReader r(args);
    const auto requester = r.takeInt();
    const auto target = r.takeInt();
    if (!requester || *requester != 1 || !target || !validNumber(*target)) return;
    if (m_players[*target].connected) {
        log("connection " + std::to_string(*target) + " removed by the host");
        disconnectsock(*target);
    }
}

// A seat that has just lost its player (gone or watching) is played by the computer from now on;
// what it owes the deal at this moment is done at once or scheduled.
void TServer::handOverToComputer(int seat) {
    const Game& g = m_game;
    if (!g.inProgress || !g.dealInProgress || !seatInPlay(seat) || !isComputerPlayed(seat)) return;
    if ((g.phase == 1 || g.phase == 2) && !m_players[seat].gave) {
        computersendcard(seat);
    } else if (g.phase == 3 && g.currentPlayer == seat && m_players[seat].turn) {
        schedule(ComputerCard, 1);
    }
}
