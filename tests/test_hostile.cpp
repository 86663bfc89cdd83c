// Hostile clients against the headless server over loopback: impersonation, bad fields, floods,
// overlong messages and dropped connections, while an honest game runs to its winner.
#include "net/message.h"
#include "server/tserver.h"
#include "tests/spin_until.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTcpSocket>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace net;

namespace {

// One connection that answers the login and records what it gets; onMessage sees each message.
class Client {
public:
    Client(quint16 port, std::string name, bool login = true)
        : m_name(std::move(name)), m_login(login) {
        QObject::connect(&sock, &QTcpSocket::readyRead, [this] {
            const QByteArray bytes = sock.readAll();
            for (std::string& m : m_buffer.append({bytes.constData(), std::size_t(bytes.size())}))
                take(std::move(m));
        });
        QObject::connect(&sock, &QTcpSocket::disconnected, [this] { closed = true; });
        sock.connectToHost(QStringLiteral("127.0.0.1"), port);
    }
    void send(const std::string& m) { sock.write(m.data(), qint64(m.size())); }
    bool has(std::string_view m) const { return std::find(got.begin(), got.end(), m) != got.end(); }
    bool hasPrefix(std::string_view p, std::size_t from = 0) const {
        return std::any_of(got.begin() + std::ptrdiff_t(std::min(from, got.size())), got.end(),
                           [p](const std::string& m) { return m.starts_with(p); });
    }
    bool hasText(std::string_view t) const {
        return std::any_of(got.begin(), got.end(),
                           [t](const std::string& m) { return m.find(t) != std::string::npos; });
    }
    // A chat line of our own, relayed back, proves the server has handled all we sent before.
    bool sync(const std::string& tag) {
        send(toServer::chat(seat, tag));
        return spinUntil([&] { return hasText(tag); });
    }

    QTcpSocket sock;
    int seat = 0;
    bool closed = false;
    std::vector<std::string> got;
    std::function<void(const std::string&)> onMessage;

private:
    void take(std::string m) {
        const auto [command, args] = splitCommand(m);
        if (command == "CMD_sendlogininfo") {
            seat = parseInt(args).value_or(0);
            if (m_login) send(toServer::logininfo(seat, kVersion, m_name));
        }
        got.push_back(std::move(m));
        if (onMessage) onMessage(got.back());
    }
    std::string m_name;
    bool m_login;
    ReceiveBuffer m_buffer;
};

long residentKb(qint64 pid) {
    QFile f(QStringLiteral("/proc/%1/status").arg(pid));
    if (!f.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

class HostileTest : public ::testing::Test {
public:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "test_hostile";
        static char* argv[] = {name, nullptr};
        if (!QCoreApplication::instance()) new QCoreApplication(argc, argv);
    }

protected:
    void SetUp() override {
        m_server.start(QStringLiteral(CRIBBAGE_SERVER_BIN),
                       {"--port", "0", "--bot-speed", "1", "--seed", "11"});
        ASSERT_TRUE(m_server.waitForStarted());
        ASSERT_TRUE(spinUntil([&] {
            m_log += m_server.readAllStandardError();
            return m_log.contains("listening on port ");
        }));
        const int at = int(m_log.indexOf("listening on port ")) + 18;
        m_port = quint16(m_log.mid(at, m_log.indexOf('\n', at) - at).toUInt());
        ASSERT_NE(m_port, 0);
    }
    void TearDown() override {
        EXPECT_EQ(m_server.state(), QProcess::Running) << "the server died";
        m_server.terminate();
        m_server.waitForFinished(10000);
    }
    // A client that has logged in and was given the expected seat.
    std::unique_ptr<Client> join(const char* name, int seat) {
        auto c = std::make_unique<Client>(m_port, name);
        const std::string seen = toClient::newplayerinfo(seat, name);
        EXPECT_TRUE(spinUntil([&] {
            return c->has(std::string_view(seen).substr(0, seen.size() - 1));
        })) << name;
        EXPECT_EQ(c->seat, seat);
        return c;
    }
    bool alive() { return m_server.state() == QProcess::Running; }

    QProcess m_server;
    QByteArray m_log;
    quint16 m_port = 0;
};

bool lastIsWinner(const Client& c) {
    return !c.got.empty() && splitCommand(c.got.back()).first == "CMD_winner";
}

} // namespace

TEST_F(HostileTest, ImpersonationNonHostCommandsAndBadFieldsAreDropped) {
    auto host = join("Host", 1);
    auto bob = join("Bob", 2);
    auto mal = join("Mal", 3);

    // Before any game: only the host may start one or remove a player, and nobody speaks for
    // another seat.
    mal->send(toServer::startgame("Mal", "1", 3));
    mal->send(toServer::kickhim(3, 2));
    mal->send(toServer::kickhim(1, 2));
    mal->send(toServer::chat(2, "evil chat|clRed"));
    mal->send(toServer::chat(1, "evil chat|clRed"));
    mal->send(toServer::action(2, "evil action|clRed"));
    mal->send(toServer::playasound(1, "wave3"));
    mal->send(toServer::justwatch(2, "2"));
    for (const char* seat : {"0", "7", "-1", "99999999999", "x", "", "3x", " 3"}) {
        const std::string s(seat);
        mal->send("CMD_chat+" + s + "+evil seat|clRed" + kTerminator);
        mal->send("CMD_kickhim+" + s + "+2+" + kTerminator);
        mal->send("CMD_kickhim+1+" + s + "+" + kTerminator);
        mal->send("CMD_justwatch+" + s + "+2" + kTerminator);
        mal->send("CMD_logininfo+" + s + "+2.0.8+Ghost" + kTerminator);
    }
    ASSERT_TRUE(mal->sync("sync one"));
    ASSERT_TRUE(host->sync("sync host"));
    EXPECT_FALSE(host->hasPrefix("CMD_startgame+"));
    EXPECT_FALSE(host->hasText("evil"));
    EXPECT_FALSE(host->hasPrefix("CMD_playasound+"));
    EXPECT_FALSE(host->hasPrefix("CMD_justwatching+"));
    EXPECT_FALSE(host->hasText("Ghost"));
    EXPECT_FALSE(bob->closed);
    EXPECT_FALSE(host->hasPrefix("CMD_playerdisconnected+"));

    // The honest game: the host and Mal let the computer play; Bob plays by hand at first.
    host->send(toServer::startgame("Host", "1", 3));
    ASSERT_TRUE(spinUntil([&] { return bob->hasPrefix("CMD_playergive+2+"); }));
    host->send(toServer::justwatch(1, "1"));
    mal->send(toServer::justwatch(3, "1"));
    ASSERT_TRUE(spinUntil([&] { return host->has("CMD_justwatching+3+1"); }));

    // The giving: Mal gives for Bob, hands Bob to the computer, and sends nonsense for himself.
    mal->send(toServer::sendcard(2, 1, 0));
    mal->send(toServer::justwatch(2, "1"));
    for (const char* bad :
         {"CMD_sendcard+2+1+", "CMD_sendcard+0+1+0+", "CMD_sendcard+7+1+0+", "CMD_sendcard+-1+1+0+",
          "CMD_sendcard+99999999999+1+0+", "CMD_sendcard+x+y+", "CMD_sendcard+3+0+0+",
          "CMD_sendcard+3+7+0+", "CMD_sendcard+3+-1+0+", "CMD_sendcard+3+99999999999+0+",
          "CMD_sendcard+3+one+two+", "CMD_sendcard+", "CMD_sendcard"})
        mal->send(std::string(bad) + kTerminator);
    ASSERT_TRUE(mal->sync("sync two"));
    EXPECT_FALSE(bob->hasPrefix("CMD_gavecards+"));
    EXPECT_FALSE(host->has("CMD_justwatching+2+1"));
    EXPECT_FALSE(host->hasPrefix("CMD_turnover+"));

    // Bob gives; dealer is seat 1, so Bob leads the play. Mal plays and confirms for him.
    const std::size_t before = bob->got.size();
    bob->send(toServer::sendcard(2, 1, 0));
    ASSERT_TRUE(spinUntil([&] { return bob->has("CMD_nextplayer+2+3+"); }));
    for (int pos : {1, 2, 3, 4, 5, 6}) mal->send(toServer::playcard(2, pos));
    for (const char* bad :
         {"CMD_playcard+0+1+", "CMD_playcard+7+1+", "CMD_playcard+-1+1+",
          "CMD_playcard+99999999999+1+", "CMD_playcard+2+99999999999+", "CMD_playcard+2+0+",
          "CMD_playcard+2+7+", "CMD_playcard+2+-1+", "CMD_playcard+2+x+", "CMD_playcard+x+",
          "CMD_clickdone+2+", "CMD_clickdone+0+", "CMD_clickdone+99999999999+"})
        mal->send(std::string(bad) + kTerminator);
    ASSERT_TRUE(mal->sync("sync three"));
    EXPECT_FALSE(bob->hasPrefix("CMD_playcard+", before));
    EXPECT_FALSE(bob->closed);

    // Bob hands over too, and the computers finish the game.
    bob->send(toServer::justwatch(2, "1"));
    ASSERT_TRUE(spinUntil([&] { return lastIsWinner(*host); }, 40000));
    // Bob's copy of the winner may still be on its way when the host has read its own.
    EXPECT_TRUE(spinUntil([&] { return lastIsWinner(*bob); }));
    EXPECT_TRUE(alive());
}

// Connections that come and go in the middle of each phase of the deal, closed cleanly or
// reset, some in the middle of a message: the game is not held up by any of them.
TEST_F(HostileTest, ConnectionsDroppedInEveryPhaseDoNotStopTheGame) {
    auto host = join("Host", 1);
    std::vector<std::unique_ptr<Client>> passers;
    int giving = 0, play = 0, show = 0;
    auto pass = [&](int kind) {
        auto c = std::make_unique<Client>(m_port, "Passer", kind % 3 != 0);
        Client* raw = c.get();
        raw->onMessage = [raw, kind](const std::string& m) {
            if (!m.starts_with("CMD_sendlogininfo")) return;
            if (kind % 2) raw->send("CMD_chat+" + std::to_string(raw->seat) + "+half");
            if (kind % 4 < 2)
                raw->sock.abort(); // reset
            else
                raw->sock.disconnectFromHost();
        };
        passers.push_back(std::move(c));
    };
    host->onMessage = [&](const std::string& m) {
        if (m.starts_with("CMD_playergive+") && giving < 4) pass(giving++);
        if (m.starts_with("CMD_nextplayer+") && play < 8) pass(play++);
        if (m.starts_with("CMD_final+") && show < 4) pass(show++);
    };
    host->send(toServer::startgame("Host", "1", 3));
    host->send(toServer::justwatch(1, "1"));
    ASSERT_TRUE(spinUntil([&] { return lastIsWinner(*host); }, 40000));
    host->onMessage = nullptr;
    EXPECT_GT(giving + play + show, 8);
    EXPECT_TRUE(spinUntil([&] {
        return std::all_of(passers.begin(), passers.end(), [](const auto& c) {
            return c->sock.state() == QAbstractSocket::UnconnectedState;
        });
    }));
    // Everybody who came has gone again, as the server sees it too: a newcomer gets seat 2.
    const auto seated =
        std::count_if(passers.begin(), passers.end(), [](const auto& c) { return c->seat != 0; });
    EXPECT_TRUE(spinUntil([&] {
        return std::count_if(host->got.begin(), host->got.end(), [](const std::string& m) {
                   return m.starts_with("CMD_playerdisconnected+");
               }) >= seated;
    }));
    auto late = join("Late", 2);
    EXPECT_TRUE(alive());
}

TEST_F(HostileTest, OverlongMessagesAreCutOffAndMemoryReturns) {
    auto host = join("Host", 1);
    ASSERT_TRUE(host->sync("warm up"));
    const long before = residentKb(m_server.processId());

    // A megabyte without a terminator: the connection is closed once it passes 64 KiB.
    for (int round = 0; round < 3; ++round) {
        auto big = join("Big", 2);
        big->send("CMD_chat+2+" + std::string(1024 * 1024, 'a'));
        ASSERT_TRUE(spinUntil([&] { return big->closed; }));
        ASSERT_TRUE(spinUntil([&] {
            return std::count(host->got.begin(), host->got.end(),
                              toClient::playerdisconnected(2, "Big").substr(
                                  0, toClient::playerdisconnected(2, "Big").size() - 1)) ==
                   round + 1;
        }));
    }
    ASSERT_TRUE(host->sync("after the blobs"));
    EXPECT_FALSE(host->hasText("aaaa"));

    // A game still runs to its winner on the same server.
    host->send(toServer::startgame("Host", "1", 1));
    host->send(toServer::justwatch(1, "1"));
    ASSERT_TRUE(spinUntil([&] { return lastIsWinner(*host); }, 40000));
    const long after = residentKb(m_server.processId());
    std::printf("server resident memory: %ld kB before, %ld kB after\n", before, after);
    EXPECT_GT(before, 0);
    EXPECT_LT(after, before + 20 * 1024);
}

TEST_F(HostileTest, ABurstOfTenThousandMessagesDoesNotHoldBackOthers) {
    auto host = join("Host", 1);
    auto flood = join("Flood", 2);
    const long before = residentKb(m_server.processId());
    std::string burst;
    for (int i = 0; i < 10000; ++i) {
        switch (i % 5) {
        case 0:
            burst += toServer::chat(2, "flood|clRed");
            break;
        case 1:
            burst += toServer::playcard(2, 1);
            break;
        case 2:
            burst += std::string("CMD_nonsense+1+2+") + kTerminator;
            break;
        case 3:
            burst += toServer::clickdone(1);
            break;
        default:
            burst += toServer::sendcard(9, 1, 2);
            break;
        }
    }
    flood->send(burst);
    ASSERT_TRUE(spinUntil([&] { return flood->sock.bytesToWrite() == 0; }));
    QElapsedTimer clock;
    clock.start();
    // An honest line after the burst is taken in turn with the flood, not after all of it. The
    // server handles one message a tick, so the burst alone takes well over a minute; what the
    // host saw of the flood before the honest line shows the order without timing anything.
    const bool relayed = host->sync("honest after the flood");
    const auto honest = std::find_if(host->got.begin(), host->got.end(), [](const std::string& m) {
        return m.find("honest after the flood") != std::string::npos;
    });
    const auto floodBefore = std::count_if(host->got.begin(), honest, [](const std::string& m) {
        return m.find("flood|clRed") != std::string::npos;
    });
    std::printf("honest line relayed: %d after %lld ms behind %ld flood lines of 2000; "
                "resident %ld kB before, %ld kB after\n",
                relayed, (long long)clock.elapsed(), long(floodBefore), before,
                residentKb(m_server.processId()));
    EXPECT_TRUE(relayed);
    EXPECT_LT(floodBefore, 500);
    EXPECT_FALSE(flood->closed);
}

TEST_F(HostileTest, WholeMessagesQueuedByOneClientAreBounded) {
    auto host = join("Host", 1);
    auto big = join("Big", 2);
    const long before = residentKb(m_server.processId());
    const long limit = before + 20 * 1024;
    const std::string junk = "CMD_nonsense+" + std::string(60000, 'a') + kTerminator;
    for (int i = 0; i < 500; ++i) big->send(junk);
    // Either the server ends the connection or its memory stays within bounds.
    spinUntil([&] { return big->closed || residentKb(m_server.processId()) > limit; }, 10000);
    const long after = residentKb(m_server.processId());
    std::printf("server resident memory: %ld kB before, %ld kB after 30 MB of queued junk\n",
                before, after);
    EXPECT_LT(after, limit);
}

// ---- Limits, the queue and what a connection costs -------------------------------------------

namespace {

// The honest game still runs to its winner: a two-player game to 61 the computer plays for
// both seats.
bool playToWinner(Client& host) {
    const std::size_t from = host.got.size();
    host.send(toServer::startgame("Host", "2", 1));
    host.send(toServer::justwatch(1, "1"));
    host.send(toServer::justwatch(2, "1"));
    return spinUntil([&] { return host.got.size() > from && lastIsWinner(host); }, 60000);
}

std::size_t countPrefix(const Client& c, std::string_view prefix, std::size_t from = 0) {
    return std::size_t(
        std::count_if(c.got.begin() + std::ptrdiff_t(std::min(from, c.got.size())), c.got.end(),
                      [prefix](const std::string& m) { return m.starts_with(prefix); }));
}

} // namespace

// A 60 kB name and a 60 kB chat line were relayed whole to every client.
TEST_F(HostileTest, NamesAndChatAreCutAndAnOverlongMessageClosesItsSender) {
    auto host = join("Host", 1);
    Client mal(m_port, "", false);
    ASSERT_TRUE(spinUntil([&] { return mal.seat == 2; }));
    // Sent raw: the shared builders would cut the name themselves.
    mal.send("CMD_logininfo+2+2.0.8+" + std::string(3000, 'M') + kTerminator);
    ASSERT_TRUE(spinUntil([&] { return host->hasPrefix("CMD_newplayerinfo+2+"); }));
    EXPECT_TRUE(host->has("CMD_newplayerinfo+2+" + std::string(kMaxNameChars, 'M')));

    mal.send("CMD_chat+2+" + std::string(3000, 'c') + "|clRed" + kTerminator);
    // Mal's lines reach the host in the order Mal sent them.
    mal.send(toServer::chat(2, "after the long line"));
    ASSERT_TRUE(spinUntil([&] { return host->hasText("after the long line"); }));
    const std::string relay = "CMD_chat+2+" + std::string(kMaxNameChars, 'M') +
                              " chats: " + cutChatText(std::string(3000, 'c') + "|clRed");
    EXPECT_TRUE(host->has(relay));
    for (const std::string& m : host->got) EXPECT_LE(m.size(), 700u);

    mal.send("CMD_chat+2+" + std::string(60000, 'd') + "|clRed" + kTerminator);
    ASSERT_TRUE(spinUntil([&] { return mal.closed; }));
    ASSERT_TRUE(spinUntil([&] { return host->hasPrefix("CMD_playerdisconnected+2+"); }));
    ASSERT_TRUE(host->sync("after the blob"));
    EXPECT_FALSE(host->hasText("ddd"));
    EXPECT_TRUE(playToWinner(*host));
    EXPECT_TRUE(alive());
}

// A million bare terminators cost the server 59 MB and, drained one a tick, kept the flooder's
// next real message waiting for hours.
TEST_F(HostileTest, BareTerminatorsCostNothingAndDelayNothing) {
    auto host = join("Host", 1);
    auto flood = join("Flood", 2);
    ASSERT_TRUE(host->sync("warm up"));
    const long before = residentKb(m_server.processId());
    flood->send(std::string(1000000, kTerminator));
    // The flooder's own line after its flood is relayed like any other.
    ASSERT_TRUE(flood->sync("after a million terminators"));
    const long after = residentKb(m_server.processId());
    std::printf("server resident memory: %ld kB before, %ld kB after a million terminators\n",
                before, after);
    EXPECT_LT(after, before + 8 * 1024);
    EXPECT_FALSE(flood->closed);
    EXPECT_TRUE(playToWinner(*host));
}

// A flooder's queued messages used to outlive it: a removed flooder's chat went on being relayed
// and the next client given its number waited behind them for its login.
TEST_F(HostileTest, AFloodersQueueLeavesWithIt) {
    auto host = join("Host", 1);
    auto flood = join("Flood", 2);
    std::string burst;
    for (int i = 0; i < 5000; ++i) burst += toServer::chat(2, "flood line|clRed");
    flood->send(burst);
    ASSERT_TRUE(spinUntil([&] { return flood->sock.bytesToWrite() == 0; }));
    ASSERT_TRUE(spinUntil([&] { return host->hasText("flood line"); }));
    host->send(toServer::kickhim(1, 2));
    ASSERT_TRUE(spinUntil([&] { return host->hasPrefix("CMD_playerdisconnected+2+"); }));
    const std::size_t kicked = host->got.size();
    ASSERT_TRUE(host->sync("after the kick"));
    EXPECT_EQ(countPrefix(*host, "CMD_chat+2+", kicked), 0u);

    auto next = join("Next", 2); // its login waits behind nothing
    EXPECT_FALSE(next->closed);
    EXPECT_TRUE(playToWinner(*host));
    EXPECT_LT(countPrefix(*host, "CMD_chat+2+"), 5000u);
}

// ---- The same over loopback against a server in this process, whose timers the test drives ----

namespace {

class InProcessHostileTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { HostileTest::SetUpTestSuite(); }
    void SetUp() override {
        server.setBotSpeedSource([] { return 1; });
        ASSERT_TRUE(server.listen(0));
        port = server.listeningPort();
    }
    std::unique_ptr<Client> join(const char* name, int seat) {
        auto c = std::make_unique<Client>(port, name);
        EXPECT_TRUE(spinUntil([&] { return server.player(seat).name == name; })) << name;
        EXPECT_EQ(c->seat, seat);
        return c;
    }

    TServer server;
    quint16 port = 0;
};

// A socket that never reads: a small receive window, so what the server sends it piles up in
// the server rather than in this machine's buffers.
int nonReadingSocket(quint16 port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    const int small = 4096;
    ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &small, sizeof small);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&to), sizeof to) != 0) {
        ::close(fd);
        return -1;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    return fd;
}

} // namespace

// A client that sent chat and never read grew the server by megabytes a second without bound.
// Now it is closed once a megabyte waits for it, and its seat is left to the computer.
TEST_F(InProcessHostileTest, AClientThatNeverReadsIsClosedAndItsSeatLeft) {
    auto host = join("Host", 1);
    const int fd = nonReadingSocket(port);
    ASSERT_GE(fd, 0);
    ASSERT_TRUE(spinUntil([&] { return server.player(2).connected; }));
    const std::string login = toServer::logininfo(2, kVersion, "Deaf");
    ASSERT_EQ(::send(fd, login.data(), login.size(), MSG_NOSIGNAL), ssize_t(login.size()));
    ASSERT_TRUE(spinUntil([&] { return server.player(2).name == "Deaf"; }));

    // A game that waits for the deaf seat's card.
    host->send(toServer::startgame("Host", "2", 1));
    host->send(toServer::justwatch(1, "1"));
    ASSERT_TRUE(spinUntil([&] { return host->hasPrefix("CMD_gavecards+1+"); }));

    const std::string line = toServer::chat(2, std::string(500, 'x') + "|clRed");
    std::size_t sent = 0;
    const bool closed = spinUntil(
        [&] {
            for (int i = 0; i < 20; ++i)
                if (::send(fd, line.data(), line.size(), MSG_NOSIGNAL | MSG_DONTWAIT) > 0) ++sent;
            // The dispatcher at full speed instead of one message every 10 ms.
            for (int i = 0; i < 20 && server.queuedMessages(); ++i) server.socktimerTimer();
            return !server.player(2).connected;
        },
        90000);
    ::close(fd);
    std::printf("the deaf client was closed after %zu lines of chat\n", sent);
    ASSERT_TRUE(closed);
    EXPECT_GT(sent * line.size(), kMaxUnsentBytes);
    EXPECT_TRUE(spinUntil([&] { return host->hasPrefix("CMD_playerdisconnected+2+Deaf"); }));
    // The computer gives for seat 2 and the game goes on to its winner.
    EXPECT_TRUE(spinUntil([&] { return lastIsWinner(*host); }, 60000));
}

// Eight connections that never log in held every number for ever: newcomers got CMD_full.
TEST_F(InProcessHostileTest, ConnectionsThatNeverLogInAreClosed) {
    auto host = join("Host", 1);
    std::vector<std::unique_ptr<QTcpSocket>> silent;
    for (int n = 2; n <= 9; ++n) {
        silent.push_back(std::make_unique<QTcpSocket>());
        silent.back()->connectToHost(QStringLiteral("127.0.0.1"), port);
        ASSERT_TRUE(spinUntil([&] { return server.player(n).connected; })) << n;
    }
    Client turnedAway(port, "Tenth");
    ASSERT_TRUE(spinUntil([&] { return turnedAway.has("CMD_full+"); }));

    for (int i = 0; i <= TServer::kLoginSeconds * 1000 / TServer::kLoginTimerMs; ++i)
        server.logintimerTimer();
    ASSERT_TRUE(spinUntil([&] {
        return std::all_of(silent.begin(), silent.end(), [](const auto& s) {
            return s->state() == QAbstractSocket::UnconnectedState;
        });
    }));
    auto late = join("Late", 2);
    EXPECT_TRUE(spinUntil([&] { return host->has("CMD_newplayerinfo+2+Late"); }));
    host->send(toServer::startgame("Host", "2", 1));
    host->send(toServer::justwatch(1, "1"));
    late->send(toServer::justwatch(2, "1"));
    EXPECT_TRUE(spinUntil([&] { return lastIsWinner(*host); }, 60000));
}
