// The real client offscreen as the target of a hostile peer over loopback: a relayed chat line
// that would smuggle in messages, a hostile host, a host whose name holds "+", and who can reach
// the table of a solo game.
#include "chat/chatpanel.h"
#include "chat/soundplayer.h"
#include "client/prompts.h"
#include "client/tablemodel.h"
#include "client/tchat.h"
#include "net/message.h"
#include "server/tserver.h"
#include "settings/userfiles.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTextEdit>
#include <gtest/gtest.h>

#include <linux/sockios.h>
#include <sys/ioctl.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

using namespace net;

namespace {

QApplication* app() {
    static int argc = 1;
    static char arg0[] = "test_hostile_table";
    static char* argv[] = {arg0, nullptr};
    static QApplication* instance = new QApplication(argc, argv);
    return instance;
}

template <class Pred> bool spinUntil(Pred pred, int ms = 30000) {
    QDeadlineTimer deadline(ms);
    while (!pred()) {
        if (deadline.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

// A peer on a plain socket: a player at the table, or, accepted by a QTcpServer, a host.
class Peer {
public:
    explicit Peer(QTcpSocket* sock, std::string name = {}) : m_sock(sock), m_name(std::move(name)) {
        QObject::connect(m_sock, &QTcpSocket::readyRead, [this] {
            const QByteArray bytes = m_sock->readAll();
            for (std::string& m : m_buffer.append({bytes.constData(), std::size_t(bytes.size())}))
                take(std::move(m));
        });
    }
    void send(const std::string& m) { m_sock->write(m.data(), qint64(m.size())); }
    bool hasPrefix(std::string_view p) const {
        return std::any_of(got.begin(), got.end(),
                           [p](const std::string& m) { return m.starts_with(p); });
    }

    int seat = 0;
    std::vector<std::string> got;

private:
    void take(std::string m) {
        const auto [command, args] = splitCommand(m);
        if (command == "CMD_sendlogininfo") {
            seat = toClient::readSendlogininfo(args).value_or(0);
            if (!m_name.empty()) send(toServer::logininfo(seat, kVersion, m_name));
        }
        got.push_back(std::move(m));
    }
    QTcpSocket* m_sock;
    std::string m_name;
    ReceiveBuffer m_buffer;
};

// Message boxes are kept, not shown; a question (leaving a game) is answered Yes.
class KeptPrompts : public Prompts {
public:
    void tell(QWidget*, const QString& text) override { told << text; }
    bool ask(QWidget*, const QString&) override { return true; }
    QStringList told;
};

class HostileTableTest : public ::testing::Test {
protected:
    void SetUp() override {
        app();
        UserFiles::setDirectoryOverride(m_files.path());
        chat = std::make_unique<Tchat>();
        chat->setPrompts(&prompts);
        if (SoundPlayer* player = chat->chatPanel()->soundPlayer()) player->setMuted(true);
        QObject::connect(chat.get(), &Tchat::gameRecorded,
                         [this](const QString& w, const QString& p) { tally << (w + "|" + p); });
        QObject::connect(chat.get(), &Tchat::closed, [this] { closed = true; });
        QObject::connect(chat.get(), &Tchat::messageHandled,
                         [this](const std::string& command) { handled.push_back(command); });
    }
    void TearDown() override { chat.reset(); }

    // The client joins the table at port as the lobby would start it.
    void joinAs(const QString& name, quint16 port) {
        chat->setPort(port);
        chat->setStartParameters({name, QStringLiteral("127.0.0.1"), QStringLiteral("false")});
        chat->show();
    }
    bool hasHandled(std::string_view command) const {
        return std::find(handled.begin(), handled.end(), command) != handled.end();
    }
    QString label(const char* name) const {
        const auto* l = chat->findChild<QLabel*>(QString::fromLatin1(name));
        return l ? l->text() : QString();
    }
    QString chatText() const {
        const auto* view = chat->findChild<QTextEdit*>(QStringLiteral("mainchat"));
        return view ? view->toPlainText() : QString();
    }

    QTemporaryDir m_files;
    KeptPrompts prompts;
    std::unique_ptr<Tchat> chat;
    QStringList& messages = prompts.told;
    QStringList tally;
    std::vector<std::string> handled;
    bool closed = false;
};

// Bytes that have left the sender and are not yet read by the receiver, in the kernel or in
// Qt's buffer: once both are 0 the receiver has taken everything the sender wrote.
bool inFlight(QTcpSocket& sender, QTcpSocket& receiver) {
    int unsent = 0, unread = 0;
    ::ioctl(int(sender.socketDescriptor()), SIOCOUTQ, &unsent);
    ::ioctl(int(receiver.socketDescriptor()), FIONREAD, &unread);
    return sender.bytesToWrite() > 0 || unsent > 0 || unread > 0 || receiver.bytesAvailable() > 0;
}

// A line longer than the client's buffer used to be cut where the buffer overflowed and its
// rest read as messages from the server: "CMD_full+" at its end closed the program ("Game is
// full"), "CMD_winner+1+0+" put games that were never played into the tally.
TEST_F(HostileTableTest, AHostileHostCannotSmuggleMessagesInALongLine) {
    QTcpServer hostile;
    ASSERT_TRUE(hostile.listen(QHostAddress::LocalHost, 0));
    joinAs(QStringLiteral("Victim"), hostile.serverPort());
    ASSERT_TRUE(spinUntil([&] { return hostile.hasPendingConnections(); }));
    QTcpSocket* link = hostile.nextPendingConnection();
    Peer host(link);
    host.send(toClient::sendlogininfo(2));
    host.send(toClient::newplayerinfo(2, "Victim"));
    ASSERT_TRUE(
        spinUntil([&] { return chat->model().connected() && hasHandled("CMD_newplayerinfo"); }));
    QTcpSocket* victim = nullptr;
    for (QTcpSocket* s : chat->findChildren<QTcpSocket*>())
        if (s->peerPort() == hostile.serverPort()) victim = s;
    ASSERT_NE(victim, nullptr);

    // One byte past what the client holds of one message, and the rest in a read of its own.
    const std::string head = "CMD_chat+3+Mal chats: ";
    const std::string line = head + std::string(kMaxServerMessage + 1 - head.size(), 'a');
    for (const char* tail : {"CMD_full+", "CMD_winner+1+0+", "CMD_winner+1+0+"}) {
        host.send(line);
        ASSERT_TRUE(spinUntil([&] { return !inFlight(*link, *victim); }));
        host.send(tail + std::string(1, kTerminator));
    }
    host.send(toClient::chat(3, "Mal chats: the end|clRed"));
    ASSERT_TRUE(spinUntil([&] { return chatText().contains(QLatin1String("the end")) || closed; }));
    EXPECT_FALSE(closed);
    EXPECT_TRUE(messages.isEmpty()) << messages.join(' ').toStdString();
    EXPECT_TRUE(tally.isEmpty());
    EXPECT_FALSE(hasHandled("CMD_full"));
    EXPECT_FALSE(hasHandled("CMD_winner"));
}

// Through the real server. A 30 kB name and a 40 kB line each fit the server's old limit, and
// their relay passed the client's. Now the name alone closes its sender, nothing of the line
// is relayed, and the victim plays on to the winner.
TEST_F(HostileTableTest, ALongNameAndChatLineThroughTheServerSpoilNothing) {
    TServer server;
    server.setBotSpeedSource([] { return 1; });
    ASSERT_TRUE(server.listen(0));
    QTcpSocket hostSock, malSock;
    Peer host(&hostSock, "Host"), mal(&malSock);
    hostSock.connectToHost(QStringLiteral("127.0.0.1"), server.listeningPort());
    ASSERT_TRUE(spinUntil([&] { return server.player(1).name == "Host"; }));
    joinAs(QStringLiteral("Victim"), server.listeningPort());
    ASSERT_TRUE(spinUntil([&] { return server.player(2).name == "Victim"; }));
    malSock.connectToHost(QStringLiteral("127.0.0.1"), server.listeningPort());
    ASSERT_TRUE(spinUntil([&] { return mal.seat == 3; }));

    // Sent raw: the shared builders would cut both.
    mal.send("CMD_logininfo+3+2.0.8+" + std::string(30000, 'M') + kTerminator);
    mal.send("CMD_chat+3+" + std::string(40000, 'a') + "CMD_full+" + kTerminator);
    mal.send("CMD_chat+3+" + std::string(40000, 'a') + "CMD_winner+1+0+" + kTerminator);
    host.send(toServer::chat(1, "after Mal|clRed"));
    ASSERT_TRUE(spinUntil([&] { return chatText().contains(QLatin1String("after Mal")); }));
    ASSERT_TRUE(spinUntil([&] { return malSock.state() == QAbstractSocket::UnconnectedState; }));
    // Neither the name nor the line reached the table whole.
    EXPECT_LE(label("label_playername3").size(), qsizetype(kMaxNameChars));
    EXPECT_FALSE(chatText().contains(QString(1000, QLatin1Char('a'))));

    host.send(toServer::startgame("Host", "2", 1));
    host.send(toServer::justwatch(1, "1"));
    host.send(toServer::justwatch(2, "1"));
    ASSERT_TRUE(spinUntil([&] { return hasHandled("CMD_winner") || closed; }, 60000));
    EXPECT_FALSE(closed);
    EXPECT_TRUE(messages.isEmpty()) << messages.join(' ').toStdString();
    EXPECT_LE(tally.size(), 1) << tally.join(' ').toStdString(); // the one game played
}

// The client read CMD_startgame from the front: with a host named "Ann+Bo" it took "Bo" for the
// points and "2" for the game type, showed a three-player game to 121, and tracked three seats
// while the server played four.
TEST_F(HostileTableTest, AHostNamedWithAPlusStartsTheGameItChose) {
    TServer server;
    server.setBotSpeedSource([] { return 1; });
    ASSERT_TRUE(server.listen(0));
    QTcpSocket hostSock;
    Peer host(&hostSock, "Ann+Bo");
    hostSock.connectToHost(QStringLiteral("127.0.0.1"), server.listeningPort());
    ASSERT_TRUE(spinUntil([&] { return server.player(1).name == "Ann+Bo"; }));
    joinAs(QStringLiteral("Cy"), server.listeningPort());
    ASSERT_TRUE(spinUntil([&] { return server.player(2).name == "Cy"; }));

    host.send(toServer::startgame("Ann+Bo", "2", 4));
    ASSERT_TRUE(spinUntil([&] { return hasHandled("CMD_startgame"); }));
    EXPECT_EQ(chat->model().gameType(), 4);
    EXPECT_EQ(label("label_playtoscore"), QStringLiteral("Play to Score: 61"));
    const QString shown = label("label_gametype");
    EXPECT_EQ(shown, table::gameTypeText(4));
    EXPECT_TRUE(chatText().contains(QStringLiteral("Ann+Bo has started a ") + shown))
        << chatText().toStdString();

    host.send(toServer::justwatch(1, "1"));
    host.send(toServer::justwatch(2, "1"));
    ASSERT_TRUE(spinUntil([&] { return hasHandled("CMD_winner"); }, 60000));
    EXPECT_EQ(chat->model().gameType(), 4);
}

// ---- Who can reach a solo game ------------------------------------------------------------

// Whether host:port takes a connection; the connection is let go at once. Any 127.x.y.z address
// reaches this machine, so 127.0.0.2 stands in for an address other than the loopback one.
bool reachable(const QString& host, quint16 port) {
    QTcpSocket probe;
    probe.connectToHost(host, port);
    const bool ok = spinUntil(
                        [&] {
                            return probe.state() != QAbstractSocket::ConnectingState &&
                                   probe.state() != QAbstractSocket::HostLookupState;
                        },
                        10000) &&
                    probe.state() == QAbstractSocket::ConnectedState;
    probe.abort();
    return ok;
}

class ProgramReachTest : public ::testing::TestWithParam<bool> {};

// The program itself, self-playing: a solo game's server takes no connection from outside this
// machine, a hosted one does, and both games go on to their winner.
TEST_P(ProgramReachTest, OnlyAHostedTableIsOpenToTheNetwork) {
    app();
    const bool hosted = GetParam();
    {
        QTcpServer control;
        ASSERT_TRUE(control.listen(QHostAddress::AnyIPv4, 0));
        if (!reachable(QStringLiteral("127.0.0.2"), control.serverPort()))
            GTEST_SKIP() << "127.0.0.2 does not reach this machine here";
    }
    QTemporaryDir files;
    QStringList args = {
        QStringLiteral("--instance"),
        QStringLiteral("hostile-reach-%1-%2").arg(QCoreApplication::applicationPid()).arg(hosted),
        QStringLiteral("--files"),
        files.path(),
        QStringLiteral("--port"),
        QStringLiteral("0"),
        QStringLiteral("--bot-speed"),
        QStringLiteral("1"),
        QStringLiteral("--autoplay"),
        QStringLiteral("--start-when"),
        QStringLiteral("1"),
        QStringLiteral("--game-type"),
        QStringLiteral("1"),
        QStringLiteral("--points"),
        QStringLiteral("61")};
    if (hosted)
        args << QStringLiteral("Host") << QStringLiteral("127.0.0.1") << QStringLiteral("true");

    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(CRIBBAGE_CLIENT_BIN), args);
    ASSERT_TRUE(program.waitForStarted());
    QByteArray out;
    quint16 port = 0;
    ASSERT_TRUE(spinUntil([&] {
        out += program.readAllStandardOutput();
        const qsizetype at = out.indexOf("hosting on port ");
        const qsizetype end = at < 0 ? -1 : out.indexOf('\n', at);
        if (end > at) port = quint16(out.mid(at + 16, end - at - 16).toUInt());
        return port != 0 || program.state() == QProcess::NotRunning;
    })) << out.toStdString();
    ASSERT_NE(port, 0) << out.toStdString();

    EXPECT_EQ(reachable(QStringLiteral("127.0.0.2"), port), hosted);

    ASSERT_TRUE(spinUntil([&] { return program.state() == QProcess::NotRunning; }, 90000));
    out += program.readAllStandardOutput();
    EXPECT_EQ(program.exitCode(), 0) << out.toStdString();
    EXPECT_TRUE(out.contains("on the Game")) << out.toStdString();
}

INSTANTIATE_TEST_SUITE_P(SoloAndHosted, ProgramReachTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Hosted" : "Solo"; });


// A stranger who connects between the host's listen and the host's own connection gets another
// number: number 1, the seat with the host's rights, waits for the host's own client.
TEST(HostSeatTest, AStrangerWhoIsFirstDoesNotTakeTheHostsNumber) {
    app();
    TServer server;
    ASSERT_TRUE(server.listen(0, TServer::ListenOn::LoopbackOnly));
    QTcpSocket ownSocket;
    ASSERT_TRUE(ownSocket.bind(QHostAddress(QHostAddress::LocalHost), 0));
    server.reserveHostConnection(ownSocket.localPort());

    QTcpSocket strangerSocket;
    Peer stranger(&strangerSocket, "Mallory");
    strangerSocket.connectToHost(QHostAddress(QHostAddress::LocalHost), server.listeningPort());
    ASSERT_TRUE(spinUntil([&] { return stranger.seat != 0; }));
    EXPECT_EQ(stranger.seat, 2);

    Peer own(&ownSocket, "Host");
    ownSocket.connectToHost(QHostAddress(QHostAddress::LocalHost), server.listeningPort());
    ASSERT_TRUE(spinUntil([&] { return own.seat != 0; }));
    EXPECT_EQ(own.seat, 1);

    // The stranger is not the host: a game it asks for never starts.
    ASSERT_TRUE(spinUntil([&] { return server.player(1).loggedIn && server.player(2).loggedIn; }));
    stranger.send(toServer::startgame("Mallory", "121", 1));
    stranger.send(toServer::chat(2, "after the start"));
    ASSERT_TRUE(spinUntil([&] { return own.hasPrefix("CMD_chat"); }));
    EXPECT_FALSE(own.hasPrefix("CMD_startgame"));
    EXPECT_FALSE(stranger.hasPrefix("CMD_startgame"));
}

} // namespace
