// Hostile names against the real client offscreen, over real loopback sockets: markup in a name
// is shown as the name, never as a link, a picture or a table, and a storm of logins from one
// spectator number leaves one entry in every list.
#include "client/prompts.h"
#include "server/tserver.h"
#include "settings/tspylist.h"
#include "test_client_support.h"

#include <QDeadlineTimer>
#include <QListWidget>
#include <QMessageBox>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTextDocument>
#include <QTimer>

static ::testing::Environment* const kEnv =
    ::testing::AddGlobalTestEnvironment(new ClientAppEnvironment);

namespace {

const QString kLink = QStringLiteral("<a href='file:///etc/passwd'>x</a>");
const QString kPicture = QStringLiteral("<img src=':/x.png' width=90>");
const QString kTables = QStringLiteral("<table><tr><td>").repeated(3000);

// A client of the real server, driven by hand: it logs in with any name, as often as it likes.
class RawClient {
public:
    explicit RawClient(quint16 port) { m_socket.connectToHost(QHostAddress::LocalHost, port); }
    int seat() const { return m_seat; }
    bool readSeat() {
        m_buffer += m_socket.readAll();
        const QByteArray head("CMD_sendlogininfo+");
        const qsizetype at = m_buffer.indexOf(head);
        const qsizetype end = m_buffer.indexOf(net::kTerminator, at);
        if (at < 0 || end < 0) return false;
        m_seat = m_buffer.mid(at + head.size(), end - at - head.size()).toInt();
        return m_seat > 0;
    }
    void login(const QString& name) {
        m_socket.write(QByteArray::fromStdString(
            net::toServer::logininfo(m_seat, net::kVersion, name.toStdString())));
    }

private:
    QTcpSocket m_socket;
    QByteArray m_buffer;
    int m_seat = 0;
};

// A host that sends whatever it likes to the one client that joins it.
class HostileHost {
public:
    HostileHost() {
        m_server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&m_server, &QTcpServer::newConnection,
                         [this] { m_client = m_server.nextPendingConnection(); });
    }
    quint16 port() const { return m_server.serverPort(); }
    bool joined() const { return m_client != nullptr; }
    void send(const std::string& bytes) {
        m_client->write(QByteArray::fromStdString(bytes));
        m_client->flush();
    }

private:
    QTcpServer m_server;
    QTcpSocket* m_client = nullptr;
};

class HostileNames : public ClientTest {
protected:
    void SetUp() override {
        ClientTest::SetUp();
        QObject::connect(&chat->model(), &TableModel::spectatorsChanged, &spies,
                         [this] { spies.setSpectators(model().spectatorEntries()); });
        chat->show();
    }
    void TearDown() override {
        others.clear();
        ClientTest::TearDown();
        server.reset();
    }
    template <class Done> bool spinUntil(Done done, int ms = 60000) {
        QDeadlineTimer deadline(ms);
        while (!done()) {
            if (deadline.hasExpired()) return false;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            // The server's queue is worked off as fast as the test can: its tick, called here.
            if (server) server->socktimerTimer();
        }
        return true;
    }
    void joinRealServer() {
        server = std::make_unique<TServer>();
        server->setBotSpeedSource([] { return 1; });
        ASSERT_TRUE(server->listen(0));
        chat->setPort(server->listeningPort());
        chat->processparams({"Host", "127.0.0.1", "false"});
        ASSERT_TRUE(spinUntil([&] { return model().seat(1).person; }));
    }
    RawClient& rawClient() {
        others.push_back(std::make_unique<RawClient>(server->listeningPort()));
        RawClient& c = *others.back();
        EXPECT_TRUE(spinUntil([&] { return c.readSeat(); }));
        return c;
    }
    // A label shows its text as it is: it looks exactly as it does when told its text is plain.
    static bool showsAsText(QLabel* label, const QString& text) {
        if (!label || label->text() != text) return false;
        const QImage shown = label->grab().toImage();
        const Qt::TextFormat format = label->textFormat();
        label->setTextFormat(Qt::PlainText);
        const QImage plain = label->grab().toImage();
        label->setTextFormat(format);
        return shown == plain;
    }
    // A tooltip that looks like markup is escaped, so it too reads as the text.
    static QString tooltipText(const QString& tip) {
        if (!Qt::mightBeRichText(tip)) return tip;
        QTextDocument doc;
        doc.setHtml(tip);
        return doc.toPlainText();
    }

    std::unique_ptr<TServer> server;
    std::vector<std::unique_ptr<RawClient>> others;
    Tspylist spies;
};

} // namespace

// Through the real server a name is cut to 32 characters, markup and all; what is left still
// looks like markup and must not act as it.
TEST_F(HostileNames, MarkupNamesFromOtherPlayersAreShownAsText) {
    joinRealServer();
    const QString names[] = {kLink, kPicture, kTables};
    for (int i = 0; i < 3; ++i) rawClient().login(names[i]);
    ASSERT_TRUE(spinUntil([&] {
        return model().seat(2).person && model().seat(3).person && model().seat(4).person;
    }));
    const QString kept = model().seatName(2);
    EXPECT_TRUE(names[0].startsWith(kept));
    for (int seat = 2; seat <= 4; ++seat) {
        SCOPED_TRACE(seat);
        const QString name = model().seatName(seat);
        EXPECT_LE(name.size(), 32);
        EXPECT_TRUE(showsAsText(label(QString("label_playername%1").arg(seat)), name));
    }
    // The table at play: the names in the status line, the summary and the pegs' hints.
    feed(net::toClient::startgame("Host", "1", "3") + net::toClient::nextplayer(2, 3));
    EXPECT_TRUE(showsAsText(label("label_status"), model().seatName(2) + "'s turn."));
    EXPECT_EQ(tooltipText(label("image_peg21")->toolTip()), model().seatName(2));
    chat->image_peg11MouseMove(3, 1);
    EXPECT_EQ(tooltipText(label("image_peg31")->toolTip()), model().seatName(3) + " - score: 0");
    net::EndScore hand;
    hand.dealer = 1;
    hand.seat = 2;
    hand.score = 8;
    hand.total = 8;
    hand.fifteens = 8;
    for (int k = 0; k < 5; ++k) hand.cards[k] = k + 1;
    feed(net::toClient::final(1) + net::toClient::endscore(hand));
    EXPECT_TRUE(showsAsText(label("label_final2"), model().seatName(2)));
}

// A hostile host is not cut by our server: it sends names of any length and any markup. The
// client shows them as text, without a freeze and without a crash.
TEST_F(HostileNames, AHostileHostsLongMarkupNamesNeitherCrashNorFreezeTheClient) {
    HostileHost host;
    chat->setPort(host.port());
    chat->processparams({"Me", "127.0.0.1", "false"});
    ASSERT_TRUE(spinUntil([&] { return host.joined(); }));
    host.send(net::toClient::sendlogininfo(2) + net::toClient::newplayerinfo(2, "Me") +
              net::toClient::existingplayers(1, kTables.toStdString()) +
              net::toClient::existingplayers(3, kLink.toStdString()) +
              net::toClient::existingplayers(6, kPicture.toStdString()) +
              net::toClient::startgame(kTables.toStdString(), "1", "3") +
              net::toClient::nextplayer(1, 3) + net::toClient::winner(1, 0));
    ASSERT_TRUE(spinUntil([&] { return model().winner() == 1; }));
    EXPECT_TRUE(showsAsText(label("label_playername1"), kTables));
    EXPECT_TRUE(showsAsText(label("label_playername3"), kLink));
    EXPECT_TRUE(showsAsText(label("label_status"), kTables + " has Won the Game!"));
    EXPECT_EQ(spies.entries(), QStringList{"6: " + kPicture});
    auto* list = spies.findChild<QListWidget*>(QStringLiteral("listbox_spys"));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->item(0)->text(), "6: " + kPicture);
    // The tally hears the name as it came.
    EXPECT_EQ(tally, QStringList{kTables + "|"});
}

// Each login again from a spectator number used to add an entry to every client's list (1,500
// kept a client busy for 27 s of CPU): one entry per number, the latest name.
TEST_F(HostileNames, ALoginStormFromOneSpectatorNumberLeavesOneEntry) {
    joinRealServer();
    for (int i = 0; i < 3; ++i) rawClient().login(QStringLiteral("Filler"));
    RawClient& spy = rawClient();
    ASSERT_EQ(spy.seat(), 5);
    constexpr int kLogins = 300;
    for (int i = 0; i < kLogins; ++i) spy.login(QStringLiteral("Spy %1").arg(i));
    const QString last = QStringLiteral("5: Spy %1").arg(kLogins - 1);
    ASSERT_TRUE(spinUntil([&] { return model().spectatorEntries().value(0) == last; }));
    EXPECT_EQ(model().spectatorEntries(), QStringList{last});
    EXPECT_EQ(spies.entries(), QStringList{last});
}

// The message boxes themselves show a name as text.
TEST(HostilePrompts, AMessageBoxShowsMarkupAsText) {
    testApp();
    Prompts prompts;
    Qt::TextFormat shown = Qt::RichText;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        shown = box->textFormat();
        box->done(0);
    });
    prompts.tell(nullptr, kLink);
    EXPECT_EQ(shown, Qt::PlainText);
}
