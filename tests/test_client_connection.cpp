// The client's connection over real loopback sockets: a table that cannot be reached, and the
// end of a connection told to the player before the program ends.
#include "server/tserver.h"
#include "test_client_support.h"
#include "tests/spin_until.h"

#include <QDeadlineTimer>
#include <QTcpServer>

static ::testing::Environment* const kEnv =
    ::testing::AddGlobalTestEnvironment(new ClientAppEnvironment);

namespace {

// A port nobody listens on: taken from the system, then let go.
quint16 freePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

class Connection : public ClientTest {
protected:
    void SetUp() override {
        ClientTest::SetUp();
        QObject::connect(chat.get(), &Tchat::closed, [this] { closed = true; });
    }
    // Joins a table at 127.0.0.1 as the lobby would start the program.
    void join(quint16 port) {
        chat->setPort(port);
        chat->processparams({"Ann", "127.0.0.1", "false"});
    }
    void startServer() {
        server = std::make_unique<TServer>();
        ASSERT_TRUE(server->listen(0));
    }
    void TearDown() override {
        chat.reset();
        server.reset();
    }

    std::unique_ptr<TServer> server;
    bool closed = false;
};

} // namespace

TEST_F(Connection, AnAddressThatDoesNotResolveIsSaidAndTheGameOffersToClose) {
    prompts.answers = {false}; // stay
    chat->setPort(7000);
    chat->processparams({"Ann", "300.1.2.3", "false"});
    ASSERT_TRUE(spinUntil([&] { return !prompts.asked.isEmpty(); }));
    EXPECT_EQ(chatLines().mid(1, 1), QStringList{"Host Lookup - Could Not Find Host Entry"});
    EXPECT_EQ(prompts.asked, QStringList{"The game cannot go on. Close it now?"});
    QCoreApplication::processEvents();
    EXPECT_FALSE(closed);
}

TEST_F(Connection, ATableWhereNobodyListensIsSaidAndTheGameCloses) {
    join(freePort());
    ASSERT_TRUE(spinUntil([&] { return closed; }));
    EXPECT_EQ(prompts.asked.size(), 1);
    ASSERT_GE(chatLines().size(), 2);
    EXPECT_EQ(chatLines()[1], "Error #10061 (WSAECONNREFUSED)");
}

TEST_F(Connection, APlayerTheHostRemovesIsToldSoBeforeTheEnd) {
    startServer();
    join(server->listeningPort());
    ASSERT_TRUE(spinUntil([&] { return model().seat(1).person; }));
    server->disconnectsock(1);
    ASSERT_TRUE(spinUntil([&] { return closed; }));
    EXPECT_EQ(messages, QStringList{"You were removed from the game."});
    EXPECT_TRUE(prompts.asked.isEmpty());
}

TEST_F(Connection, APlayerWhoseHostQuitsIsToldSoBeforeTheEnd) {
    startServer();
    join(server->listeningPort());
    ASSERT_TRUE(spinUntil([&] { return model().seat(1).person; }));
    server.reset();
    ASSERT_TRUE(spinUntil([&] { return closed; }));
    EXPECT_EQ(messages, QStringList{"The host closed the table."});
}

TEST_F(Connection, AFullTableIsSaidOnce) {
    startServer();
    std::vector<std::unique_ptr<QTcpSocket>> others;
    for (int i = 0; i < TServer::kMaxConnections; ++i) {
        others.push_back(std::make_unique<QTcpSocket>());
        others.back()->connectToHost(QHostAddress::LocalHost, server->listeningPort());
        ASSERT_TRUE(spinUntil([&] { return server->player(i + 1).connected; }));
    }
    join(server->listeningPort());
    ASSERT_TRUE(spinUntil([&] { return closed; }));
    // The closed connection that follows "Game is full" adds nothing.
    for (int i = 0; i < 20; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    EXPECT_EQ(messages, QStringList{"Game is full"});
}
