// Fuzzes the game server through its receive path: connections come and go, send bytes (raw or
// as well-formed messages with arbitrary fields), and the dispatcher and the action timer tick
// in between, so that the round flow and the computer players run on whatever arrived.
#include "net/message.h"
#include "rules/random.h"
#include "server/tserver.h"

#include <QCoreApplication>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

namespace {

void check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "fuzz_server: %s\n", what);
        std::abort();
    }
}

// What a client is sent must be one whole message: a command, its fields, one terminator.
// A deaf link never reads: it reports more unsent than the server may hold for it.
struct Link : ClientLink {
    bool closed = false;
    bool deaf = false;
    void send(const std::string& message) override {
        check(!closed, "a message was sent to a closed connection");
        check(message.size() > 4 && message.compare(0, 4, "CMD_") == 0,
              "a message without a command");
        check(message.back() == net::kTerminator, "a message without its terminator");
        check(message.find(net::kTerminator) == message.size() - 1,
              "a terminator inside a message: the client would cut it in two");
    }
    void close() override { closed = true; }
    std::size_t unsent() const override { return deaf ? net::kMaxUnsentBytes + 1 : 0; }
};

// Reads the script the fuzzer writes: one operation byte, then what that operation takes.
class Script {
public:
    Script(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    bool atEnd() const { return m_at >= m_size; }
    std::uint8_t byte() { return m_at < m_size ? m_data[m_at++] : 0; }
    std::string_view bytes(std::size_t n) {
        n = std::min(n, m_size - m_at);
        const std::string_view out(reinterpret_cast<const char*>(m_data + m_at), n);
        m_at += n;
        return out;
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
};

// A dealt card is in one place only: no code twice across the hands in play and the crib.
void checkCards(const TServer& server) {
    const TServer::Game& g = server.game();
    if (!g.inProgress || !g.dealInProgress) return;
    std::array<bool, rules::kDeckSize + 1> seen{};
    auto place = [&seen](int card) {
        check(card >= 0 && card <= rules::kDeckSize, "a card code out of range");
        if (!card) return;
        check(!seen[card], "a card is in two places at once");
        seen[card] = true;
    };
    for (int seat = 1; seat <= rules::seatsInPlay(g.gameType); ++seat)
        for (int pos = 1; pos <= rules::kHandSize; ++pos) place(g.deal.hands[seat][pos]);
    for (int pos = 1; pos <= rules::kHandSize; ++pos) place(g.deal.crib[pos]);
}

void checkState(const TServer& server) {
    check(server.slotsInUse() >= 0 && server.slotsInUse() <= TServer::kMaxConnections,
          "more slots than connections");
    // What waits for a connection is bounded, and goes when the connection goes.
    for (int n = 1; n <= TServer::kMaxConnections; ++n) {
        check(server.queuedBytes(n) <= net::kMaxQueuedBytes, "a queue past its bound");
        check(server.player(n).connected || server.queuedBytes(n) == 0,
              "a closed connection still has messages queued");
    }
    const TServer::Game& g = server.game();
    // A seat wins as soon as it passes the target, and no single score is above 29.
    for (int seat = 1; seat <= rules::kSeats; ++seat)
        check(server.player(seat).score >= 0 && server.player(seat).score <= 120 + 29,
              "a score ran past the end of the board");
    if (g.inProgress) check(rules::validGameType(g.gameType), "a game of no type");
    check(g.seq.count >= 0 && g.seq.count <= 31, "the count passed 31");
    checkCards(server);
}

// Work one input may cause. A game to 61 fits; more would only slow the search, since what a
// long input does is mostly what a shorter one did before.
constexpr int kTickLimit = 1500;

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    // QTimer needs an application; its event loop never runs, the ticks are called by hand.
    // Never destroyed: other statics (the painted pictures) must not outlive it at exit.
    static QCoreApplication* app = new QCoreApplication(*argc, *argv);
    (void)app;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    rules::setRandomSeed(12345);
    TServer server;
    server.setBotSpeedSource([] { return 1; });
    std::array<std::shared_ptr<Link>, TServer::kRecords + 1> links;
    Script in(data, size);

    int ticks = 0;
    auto tick = [&server, &ticks] {
        if (ticks++ < kTickLimit) server.timer1Timer();
    };
    // The event loop closes a connection that stopped reading once the handler that found it
    // full has returned; here that is after each dispatch.
    auto dispatch = [&server, &ticks] {
        if (ticks++ < kTickLimit) server.socktimerTimer();
        server.closeOverfull();
    };
    auto connection = [](int arg) { return arg % TServer::kMaxConnections + 1; };
    auto seat = [](int arg) { return arg % rules::kSeats + 1; };
    auto from = [&server](int n, const std::string& bytes) { server.receiveBytes(n, bytes); };

    while (!in.atEnd()) {
        const std::uint8_t op = in.byte();
        const int kind = op % 16;
        const int arg = op / 16;
        switch (kind) {
        case 0: { // a new connection; arg 15 makes it one that never reads
            auto link = std::make_shared<Link>();
            link->deaf = arg == 15;
            const int n = server.attachConnection(link);
            check(n >= 0 && n <= TServer::kMaxConnections, "a connection numbered out of range");
            if (n) links[n] = link;
            break;
        }
        case 1: { // raw bytes: one length byte, then that many; length 0 floods 4 KiB
            const std::uint8_t length = in.byte();
            if (length)
                server.receiveBytes(connection(arg), in.bytes(length));
            else
                server.receiveBytes(connection(arg), std::string(4096, 'A'));
            break;
        }
        case 2:
            for (int i = 0; i <= arg; ++i) dispatch();
            break;
        case 3: // the action timer arg + 1 times; from 12 up the login timer 1 to 4 times
            if (arg >= 12) {
                for (int i = 11; i < arg; ++i) server.logintimerTimer();
            } else {
                for (int i = 0; i <= arg; ++i) tick();
            }
            break;
        case 4:
            server.connectionLost(connection(arg));
            break;
        case 5:
            while (ticks < kTickLimit && server.queuedMessages()) dispatch();
            break;
        case 6: // the pending action run to its end, arg + 1 times over
            for (int i = 0; i <= arg && server.pendingAction() != TServer::NoAction; ++i) {
                const int countdown = server.countdown();
                for (int t = 0; t < std::max(countdown, 1) && ticks < kTickLimit; ++t) tick();
            }
            break;
        case 7:
            server.disconnectsock(connection(arg));
            break;
        case 8: {
            const int n = connection(arg);
            from(n, net::toServer::logininfo(n, net::kVersion, "P" + std::to_string(n)));
            break;
        }
        case 9: {
            const std::uint8_t b = in.byte();
            from(1, net::toServer::startgame("P1", b & 1 ? "2" : "1", (b >> 1) % 6));
            break;
        }
        case 10: {
            const std::uint8_t b = in.byte();
            from(seat(arg), net::toServer::sendcard(seat(arg), b % 8, b / 8 % 8));
            break;
        }
        case 11:
            from(seat(arg), net::toServer::playcard(seat(arg), in.byte() % 8));
            break;
        case 12:
            from(seat(arg), net::toServer::clickdone(seat(arg)));
            break;
        case 13:
            from(seat(arg), net::toServer::justwatch(seat(arg), in.byte() & 1 ? "1" : "2"));
            break;
        case 14:
            from(1, net::toServer::kickhim(1, connection(arg)));
            break;
        case 15: // one message from a connection, its text fuzzed, the terminator added
            from(connection(arg), std::string(in.bytes(in.byte())) + net::kTerminator);
            break;
        }
        checkState(server);
    }
    // Whatever is still queued is dispatched, so every input reaches the handlers.
    for (int i = 0; i < 256 && server.queuedMessages(); ++i) server.socktimerTimer();
    checkState(server);
    return 0;
}
