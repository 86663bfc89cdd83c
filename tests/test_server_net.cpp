// The server over real loopback sockets: logins, a lost connection, and whole computer games
// run at 1 ms a step to a winner.
#include "net/message.h"
#include "net/tsock.h"
#include "rules/random.h"
#include "server/tserver.h"
#include "tests/spin_until.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QProcess>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace net;

namespace {

// A client that answers the login and records every message it gets.
class Client {
public:
    Client(quint16 port, std::string name) : m_name(std::move(name)) {
        m_sock.setHostName(QStringLiteral("127.0.0.1"));
        m_sock.setPortName(QString::number(port));
        m_sock.OnRead = [this](TSock* s, qint64) {
            const QByteArray bytes = s->Receive();
            for (std::string& m : m_buffer.append({bytes.constData(), std::size_t(bytes.size())})) {
                const auto [command, args] = splitCommand(m);
                if (command == "CMD_sendlogininfo") {
                    seat = parseInt(args).value_or(0);
                    send(toServer::logininfo(seat, kVersion, m_name));
                }
                got.push_back(std::move(m));
            }
        };
        m_sock.OnInfo = [this](TSock*, TSock::InfoKind, const QString& text) {
            if (text == QLatin1String("Socket Closed")) closed = true;
        };
        m_sock.Open();
    }
    void send(const std::string& message) {
        m_sock.Send(QByteArray(message.data(), qsizetype(message.size())));
    }
    bool has(std::string_view message) const {
        return std::find(got.begin(), got.end(), message) != got.end();
    }
    std::vector<std::string> commands() const {
        std::vector<std::string> out;
        for (const auto& m : got) out.emplace_back(splitCommand(m).first);
        return out;
    }

    int seat = 0;
    bool closed = false;
    std::vector<std::string> got;

private:
    std::string m_name;
    TSock m_sock;
    ReceiveBuffer m_buffer;
};

// Waiting for I/O, not for a timer: the loop runs until the condition holds or time is up.
class ServerNetTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "test_server_net";
        static char* argv[] = {name, nullptr};
        if (!QCoreApplication::instance()) new QCoreApplication(argc, argv);
    }
};

// Plays one game of computers with seat 1's client just watching; returns what that client got.
std::vector<std::string> watchGame(int gameType, std::uint32_t seed) {
    rules::setRandomSeed(seed);
    TServer server;
    server.setBotSpeedSource([] { return 1; });
    EXPECT_TRUE(server.listen(0)) << server.lastError().toStdString();
    Client host(server.listeningPort(), "Host");
    EXPECT_TRUE(spinUntil([&] { return host.has("CMD_newplayerinfo+1+Host"); }));
    host.send(toServer::startgame("Host", "1", gameType));
    host.send(toServer::justwatch(1, "1"));
    EXPECT_TRUE(spinUntil(
        [&] { return !host.got.empty() && splitCommand(host.got.back()).first == "CMD_winner"; }));
    return host.got;
}

} // namespace

TEST_F(ServerNetTest, ClientsLogInAndAResetConnectionFreesItsSeat) {
    TServer server;
    ASSERT_TRUE(server.listen(0));
    ASSERT_NE(server.listeningPort(), 0);
    std::vector<std::unique_ptr<Client>> clients;
    auto join = [&](const char* name) {
        clients.push_back(std::make_unique<Client>(server.listeningPort(), name));
        Client& c = *clients.back();
        return spinUntil([&] { return c.seat && server.player(c.seat).name == name; });
    };
    ASSERT_TRUE(join("Ann"));
    // Bob's connection is a plain socket, so that it can end in a reset rather than a close.
    const int bob = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(server.listeningPort());
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::connect(bob, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    const std::string login = toServer::logininfo(2, kVersion, "Bob");
    ASSERT_EQ(::send(bob, login.data(), login.size(), 0), ssize_t(login.size()));
    ASSERT_TRUE(spinUntil([&] { return server.player(2).name == "Bob"; }));
    clients.push_back(nullptr);
    ASSERT_TRUE(join("Cy"));
    EXPECT_EQ(clients[2]->seat, 3);
    EXPECT_TRUE(spinUntil([&] {
        return clients[2]->has("CMD_existingplayers+1+Ann") &&
               clients[2]->has("CMD_existingplayers+2+Bob") &&
               clients[0]->has("CMD_newplayerinfo+3+Cy");
    }));

    const linger hard{1, 0};
    ::setsockopt(bob, SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
    ::close(bob);
    ASSERT_TRUE(spinUntil([&] { return clients[0]->has("CMD_playerdisconnected+2+Bob"); }));
    EXPECT_FALSE(server.player(2).connected);
    Client again(server.listeningPort(), "Dee");
    ASSERT_TRUE(spinUntil([&] { return again.seat != 0; }));
    EXPECT_EQ(again.seat, 2);

    // A second server cannot take the same port.
    TServer other;
    EXPECT_FALSE(other.listen(server.listeningPort()));
    EXPECT_FALSE(other.lastError().isEmpty());
}

TEST_F(ServerNetTest, FourComputersPlayAWholeGameInOrder) {
    const auto got = watchGame(3, 77);
    ASSERT_FALSE(got.empty());
    std::vector<std::string> cmds;
    for (const auto& m : got) cmds.emplace_back(splitCommand(m).first);
    // The first deal, in the order the clients rely on.
    auto at = [&](std::string_view c, std::size_t from = 0) {
        return std::size_t(std::find(cmds.begin() + std::ptrdiff_t(from), cmds.end(), c) -
                           cmds.begin());
    };
    const std::size_t start = at("CMD_startgame");
    const std::size_t round = at("CMD_startround");
    const std::size_t mine = at("CMD_mycards");
    const std::size_t give = at("CMD_playergive");
    const std::size_t gave = at("CMD_gavecards");
    const std::size_t turn = at("CMD_turnover");
    const std::size_t next = at("CMD_nextplayer");
    const std::size_t fin = at("CMD_final");
    const std::size_t nextRound = at("CMD_startround", round + 1);
    ASSERT_LT(nextRound, cmds.size());
    EXPECT_LT(start, round);
    EXPECT_LT(round, mine);
    EXPECT_LT(mine, give);
    EXPECT_LT(give, gave);
    EXPECT_LT(gave, turn);
    EXPECT_EQ(at("CMD_setcrib", give), give + 1); // seats 2 to 4 give before seat 1 watches
    EXPECT_LT(turn, next);
    EXPECT_LT(next, fin);
    EXPECT_EQ(std::count(cmds.begin() + std::ptrdiff_t(round), cmds.begin() + std::ptrdiff_t(turn),
                         "CMD_setcrib"),
              3);
    EXPECT_EQ(std::count(cmds.begin() + std::ptrdiff_t(turn), cmds.begin() + std::ptrdiff_t(fin),
                         "CMD_playcard"),
              16);
    const auto last = cmds.begin() + std::ptrdiff_t(fin) - 1;
    EXPECT_TRUE(*last == "CMD_pegslast" || *last == "CMD_total31") << *last;
    EXPECT_EQ(std::count(cmds.begin() + std::ptrdiff_t(fin),
                         cmds.begin() + std::ptrdiff_t(nextRound), "CMD_endscore"),
              5);
    EXPECT_EQ(got[fin], "CMD_final+1+");
    EXPECT_EQ(cmds.back(), "CMD_winner");
}

TEST_F(ServerNetTest, TheSameSeedReplaysTheSameGame) {
    const auto first = watchGame(1, 4242);
    const auto second = watchGame(1, 4242);
    EXPECT_EQ(first, second);
    EXPECT_EQ(splitCommand(first.back()).first, "CMD_winner");
}

// The headless server: a whole game through it, then a clean stop on SIGTERM.
TEST_F(ServerNetTest, HeadlessServerHostsAGameAndStopsOnTerm) {
    QProcess proc;
    proc.start(QStringLiteral(CRIBBAGE_SERVER_BIN),
               {"--port", "0", "--bot-speed", "1", "--seed", "9"});
    ASSERT_TRUE(proc.waitForStarted());
    QByteArray log;
    auto readLog = [&] {
        log += proc.readAllStandardError();
        return log;
    };
    ASSERT_TRUE(spinUntil([&] { return readLog().contains("listening on port"); }));
    const int at = log.indexOf("listening on port ") + 18;
    const quint16 port = quint16(log.mid(at, log.indexOf('\n', at) - at).toUInt());
    ASSERT_NE(port, 0);
    {
        Client host(port, "Host");
        ASSERT_TRUE(spinUntil([&] { return host.has("CMD_newplayerinfo+1+Host"); }));
        host.send(toServer::startgame("Host", "1", 1));
        host.send(toServer::justwatch(1, "1"));
        ASSERT_TRUE(spinUntil([&] {
            return !host.got.empty() && splitCommand(host.got.back()).first == "CMD_winner";
        }));
        // Another server cannot have the same port.
        QProcess second;
        second.start(QStringLiteral(CRIBBAGE_SERVER_BIN), {"--port", QString::number(port)});
        ASSERT_TRUE(second.waitForFinished(10000));
        EXPECT_NE(second.exitCode(), 0);
        EXPECT_TRUE(second.readAllStandardError().contains("cannot listen"));
    }
    proc.terminate();
    ASSERT_TRUE(proc.waitForFinished(10000));
    EXPECT_EQ(proc.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(proc.exitCode(), 0);
    readLog();
    for (const char* line : {"connection 1 from", "game started", "game won", "stopping"})
        EXPECT_TRUE(log.contains(line)) << line << "\n" << log.toStdString();
}

// --computer sets the level of every computer seat: the same seed deals the same cards, and
// the two levels play them differently.
TEST_F(ServerNetTest, HeadlessServerPlaysAtTheChosenLevel) {
    auto play = [](const QString& level) {
        QProcess proc;
        proc.start(QStringLiteral(CRIBBAGE_SERVER_BIN),
                   {"--port", "0", "--bot-speed", "1", "--seed", "9", "--computer", level});
        EXPECT_TRUE(proc.waitForStarted());
        QByteArray log;
        EXPECT_TRUE(spinUntil(
            [&] { return (log += proc.readAllStandardError()).contains("listening on port "); }));
        const int at = log.indexOf("listening on port ") + 18;
        const quint16 port = quint16(log.mid(at, log.indexOf('\n', at) - at).toUInt());
        std::vector<std::string> got;
        {
            Client host(port, "Host");
            EXPECT_TRUE(spinUntil([&] { return host.has("CMD_newplayerinfo+1+Host"); }));
            host.send(toServer::startgame("Host", "1", 1));
            host.send(toServer::justwatch(1, "1"));
            EXPECT_TRUE(spinUntil([&] {
                return !host.got.empty() && splitCommand(host.got.back()).first == "CMD_winner";
            }));
            got = host.got;
        }
        proc.terminate();
        EXPECT_TRUE(proc.waitForFinished(10000));
        return got;
    };
    const auto expert = play(QStringLiteral("expert"));
    const auto classic = play(QStringLiteral("classic"));
    ASSERT_FALSE(expert.empty());
    ASSERT_FALSE(classic.empty());
    EXPECT_EQ(splitCommand(expert.back()).first, "CMD_winner");
    EXPECT_NE(expert, classic);
    // The first cards dealt are the same in both.
    const auto firstCards = [](const std::vector<std::string>& got) {
        return *std::find_if(got.begin(), got.end(),
                             [](const std::string& m) { return m.rfind("CMD_mycards", 0) == 0; });
    };
    EXPECT_EQ(firstCards(expert), firstCards(classic));
}

TEST_F(ServerNetTest, HeadlessServerRefusesBadOptions) {
    for (const QStringList& args :
         {QStringList{"--bogus"}, QStringList{"--bot-speed", "0"}, QStringList{"--port", "x"},
          QStringList{"stray"}, QStringList{"--computer", "genius"}}) {
        QProcess proc;
        proc.start(QStringLiteral(CRIBBAGE_SERVER_BIN), args);
        ASSERT_TRUE(proc.waitForFinished(10000));
        EXPECT_EQ(proc.exitCode(), 2) << args.join(' ').toStdString();
        EXPECT_TRUE(proc.readAllStandardError().contains("Usage"));
    }
}
