// The server's table: accepting and numbering connections, the inbound queue and its dispatcher,
// login, relays, just watch, kicks and disconnects.
#include "server/tserver.h"

#include <QMetaObject>
#include <QTimer>
#include <algorithm>

namespace {

constexpr int kSocktimerMs = 10;

bool validNumber(int n) {
    return n >= 1 && n <= TServer::kMaxConnections;
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

    // Runs only while a connection waits for its login.
    m_logintimer = new QTimer(this);
    m_logintimer->setInterval(kLoginTimerMs);
    connect(m_logintimer, &QTimer::timeout, this, &TServer::logintimerTimer);
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

int TServer::attachConnection(std::shared_ptr<ClientLink> link, bool hostsOwn) {
    int n = 0;
    if (hostsOwn && !m_players[1].connected) {
        n = 1;
        m_slots = std::max(m_slots, 1);
        m_hostClientPort = 0;
    } else {
        const int first = m_hostClientPort != 0 ? 2 : 1;
        for (int i = first; i <= m_slots; ++i) {
            if (!m_players[i].connected) {
                n = i;
                break;
            }
        }
        if (!n && m_slots < kMaxConnections) n = m_slots = std::max(m_slots + 1, first);
    }
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
    p.loggedIn = false;
    p.loginTicks = 0;
    p.overfull = false;
    forgetQueued(n);
    if (!m_logintimer->isActive()) m_logintimer->start();
    sendTo(n, net::toClient::sendlogininfo(n));
    return n;
}

// What an entry of the queue holds in memory: the entry itself and its text's buffer. An empty
// message counted at one byte let a million bare terminators hold 59 MB under a 1 MiB bound.
std::size_t TServer::costOf(const Queued& item) {
    return sizeof(Queued) + item.text.capacity();
}

void TServer::receiveBytes(int n, std::string_view bytes) {
    if (!validNumber(n) || !m_players[n].connected) return;
    tplayer& p = m_players[n];
    std::vector<std::string> messages = p.buffer.append(bytes);
    // One message longer than any an honest client sends, whole or still unterminated, and the
    // sender is closed; the buffer has already let go of it.
    if (p.buffer.overflowed()) {
        log("connection " + std::to_string(n) + " closed: message too long");
        disconnectsock(n);
        return;
    }
    for (std::string& text : messages) {
        // Only what a handler would take waits in the queue: empty messages, unknown commands
        // and malformed fields cost neither memory nor the ticks it takes to drop them later.
        const auto [command, args] = net::splitCommand(text);
        if (!net::toServer::isValid(command, args)) continue;
        Queued item{n, p.serial, m_nextSeq++, std::move(text)};
        m_queuedBytes[n] += costOf(item);
        m_receivedlist[n].push_back(std::move(item));
    }
    if (queuedMessages() > 0 && !m_socktimer->isActive()) m_socktimer->start();
    // Whole messages count too: a client may not make us hold more than this for it.
    if (m_queuedBytes[n] > net::kMaxQueuedBytes) {
        log("connection " + std::to_string(n) + " closed: too much waiting in the queue");
        disconnectsock(n);
    }
}

// What a connection queued leaves with it, memory and count alike, so the next holder of the
// number starts with nothing and a removed client's messages are never handled.
void TServer::forgetQueued(int n) {
    std::deque<Queued>().swap(m_receivedlist[n]);
    m_queuedBytes[n] = 0;
    m_servedThisRound[n] = false;
}

void TServer::disconnectsock(int n) {
    if (!validNumber(n) || !m_players[n].connected) return;
    // Keep the link alive through close(): a socket reports "Socket Closed" from inside it.
    const std::shared_ptr<ClientLink> link = m_players[n].link;
    if (link) link->close();
    connectionLost(n);
}

void TServer::dropConnection(int n) {
    if (!validNumber(n) || !m_players[n].connected) return;
    const std::shared_ptr<ClientLink> link = m_players[n].link;
    if (link) link->drop();
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
    p.loggedIn = false;
    p.overfull = false;
    forgetQueued(n);
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
    if (!p.connected || !p.link || p.overfull) return;
    p.link->send(message);
    if (p.link->unsent() <= net::kMaxUnsentBytes) return;
    // A client that does not read would make us hold everything sent to it. It is closed from
    // the event loop: a seat must not leave in the middle of the handler or broadcast that
    // found it full.
    p.overfull = true;
    if (!m_closeOverfullQueued) {
        m_closeOverfullQueued = true;
        QMetaObject::invokeMethod(this, &TServer::closeOverfull, Qt::QueuedConnection);
    }
}

void TServer::broadcast(const std::string& message) {
    notePublic(message);
    for (int n = 1; n <= kMaxConnections; ++n) sendTo(n, message);
}

void TServer::closeOverfull() {
    m_closeOverfullQueued = false;
    for (int n = 1; n <= kMaxConnections; ++n) {
        if (!m_players[n].connected || !m_players[n].overfull) continue;
        log("connection " + std::to_string(n) + " closed: it does not read what it is sent");
        dropConnection(n);
    }
}

void TServer::logintimerTimer() {
    bool waiting = false;
    for (int n = 1; n <= kMaxConnections; ++n) {
        tplayer& p = m_players[n];
        if (!p.connected || p.loggedIn) continue;
        // A tick may come just after the accept; counting past the limit, not up to it, closes
        // the connection no earlier than kLoginSeconds after it came.
        if (++p.loginTicks * kLoginTimerMs > kLoginSeconds * 1000) {
            log("connection " + std::to_string(n) + " closed: no login in time");
            disconnectsock(n);
        } else {
            waiting = true;
        }
    }
    if (!waiting) m_logintimer->stop();
}

// ---- Dispatch --------------------------------------------------------------------------------

std::size_t TServer::queuedMessages() const {
    std::size_t total = 0;
    for (const auto& q : m_receivedlist) total += q.size();
    return total;
}

std::size_t TServer::queuedBytes(int n) const {
    return n >= 1 && n <= kRecords ? m_queuedBytes[n] : 0;
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
    m_queuedBytes[n] -= std::min(m_queuedBytes[n], costOf(item));
    dispatch(item);
    if (queuedMessages() == 0) m_socktimer->stop();
}

// The first field of most client messages names the sender; it must be the connection the
// message arrived on, or any client could act for any seat.
void TServer::dispatch(const Queued& item) {
    const int from = item.connection;
    // A connection that is gone, or whose number a newer one holds, is answerable for nothing.
    if (!m_players[from].connected || m_players[from].serial != item.serial) return;
    const auto [command, args] = net::splitCommand(item.text);
    using namespace net::toServer;

    if (command == "CMD_logininfo") {
        if (const auto m = readLogininfo(args); m && m->seat == from) receivedlogininfo(*m);
        return;
    }
    // Until it has a name a connection is nobody at the table: it may not speak or play.
    if (!m_players[from].loggedIn) return;
    if (command == "CMD_kickhim") {
        if (const auto m = readKickhim(args); m && from == 1 && m->requester == from) kickhim(*m);
    } else if (command == "CMD_chat") {
        if (const auto m = readChat(args); m && m->seat == from) chat(*m);
    } else if (command == "CMD_action") {
        if (const auto m = readAction(args); m && m->seat == from) action(*m);
    } else if (command == "CMD_startgame") {
        if (const auto m = readStartgame(args); m && from == 1) startgame(*m);
    } else if (command == "CMD_justwatch") {
        if (const auto m = readJustwatch(args); m && (from == 1 || m->seat == from)) justwatch(*m);
    } else if (command == "CMD_sendcard") {
        if (const auto m = readSendcard(args); m && m->seat == from) sendcard(*m);
    } else if (command == "CMD_playcard") {
        if (const auto m = readPlaycard(args); m && m->seat == from) playcard(*m);
    } else if (command == "CMD_clickdone") {
        if (const auto m = readClickdone(args); m && *m == from) clickdone(*m);
    } else if (command == "CMD_playasound") {
        if (const auto m = readPlayasound(args); m && m->seat == from) playasound(*m);
    }
}

// ---- Login -----------------------------------------------------------------------------------

void TServer::receivedlogininfo(const net::Login& m) {
    const int n = m.seat;
    if (!validNumber(n) || !m_players[n].connected) return;
    const std::string name(net::cutName(m.name));

    tplayer& p = m_players[n];
    p.name = name;
    p.loggedIn = true;
    log("connection " + std::to_string(n) + " logged in as " + name);

    broadcast(net::toClient::newplayerinfo(n, name));
    for (int other = 1; other <= kMaxConnections; ++other) {
        if (other != n && m_players[other].connected)
            sendTo(n, net::toClient::existingplayers(other, m_players[other].name));
    }
    if (m.version != net::kVersion) {
        sendTo(1, net::toClient::havewrongversion(name));
        sendTo(n, net::toClient::wrongversion());
    }
    if (m_game.inProgress) bringUpToDate(n);
}

void TServer::bringUpToDate(int n) {
    const Game& g = m_game;
    const int scores[4] = {m_players[1].score, m_players[2].score, m_players[3].score,
                           m_players[4].score};
    net::LoadStats stats;
    stats.seat = n;
    stats.gameType = g.gameType;
    stats.target = g.target;
    stats.phase = g.phase;
    stats.dealer = g.dealer;
    stats.current = g.currentPlayer;
    std::copy(std::begin(scores), std::end(scores), stats.scores.begin());
    sendTo(n, net::toClient::loadstats(stats));
    if (g.phase == rules::ThePlay) {
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
    if (g.dealInProgress && (g.phase == rules::GiveTwo || g.phase == rules::GiveOne) &&
        seatInPlay(n) && !m_players[n].gave)
        sendTo(n, net::toClient::playergive(n, g.dealer, g.phase));
    if (g.dealInProgress && g.phase == rules::ThePlay && g.currentPlayer == n && m_players[n].turn)
        sendTo(n, net::toClient::nextplayer(n, rules::ThePlay));
}

// ---- Relays, just watch, kicks ---------------------------------------------------------------

// The name was cut at login and the text is cut here, so a relay is never longer than a name,
// " chats: " and kMaxChatBytes.
void TServer::chat(const net::SeatText& m) {
    broadcast(net::toClient::chat(m.seat,
                                  m_players[m.seat].name + " chats: " + net::cutChatText(m.text)));
}

void TServer::action(const net::SeatText& m) {
    broadcast(
        net::toClient::action(m.seat, m_players[m.seat].name + " " + net::cutChatText(m.text)));
}

void TServer::playasound(const net::Sound& m) {
    broadcast(net::toClient::playasound(m.seat, m.name));
}

void TServer::justwatch(const net::WatchChange& m) {
    if (!m.watching) {
        m_players[m.seat].watching = false;
        broadcast(net::toClient::justwatching(m));
    } else if (m_game.inProgress) {
        m_players[m.seat].watching = true;
        broadcast(net::toClient::justwatching(m));
        handOverToComputer(m.seat);
    }
}

void TServer::kickhim(const net::Kick& m) {
    if (m.requester != 1 || !m_players[m.target].connected) return;
    log("connection " + std::to_string(m.target) + " removed by the host");
    disconnectsock(m.target);
}

// A seat that has just lost its player (gone or watching) is played by the computer from now on;
// what it owes the deal at this moment is done at once or scheduled.
void TServer::handOverToComputer(int seat) {
    const Game& g = m_game;
    if (!g.inProgress || !g.dealInProgress || !seatInPlay(seat) || !isComputerPlayed(seat)) return;
    if ((g.phase == rules::GiveTwo || g.phase == rules::GiveOne) && !m_players[seat].gave) {
        computersendcard(seat);
    } else if (g.phase == rules::ThePlay && g.currentPlayer == seat && m_players[seat].turn) {
        schedule(ComputerCard, 1);
    }
}
