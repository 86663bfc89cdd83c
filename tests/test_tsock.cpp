// TSock over real loopback connections: reports and their order, whole delivery of large and
// batched data, peer close, refusal, reset, and owners that delete the socket in a handler.
#include "net/message.h"
#include "net/tsock.h"

#include <gtest/gtest.h>

#include <QAbstractSocket>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QPointer>
#include <QStringList>
#include <QTcpSocket>

#include <functional>
#include <memory>
#include <ostream>

// Readable failure messages.
void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace {

// Spins the event loop until the condition holds or a few seconds have passed.
bool waitFor(const std::function<bool()>& done, int ms = 30000) {
    QDeadlineTimer deadline(ms);
    while (!done()) {
        if (deadline.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

// Lets events that are already queued run, without waiting for anything new.
void drainEvents() {
    for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
}

// Writes down every report and event of the sockets it is attached to.
struct Recorder {
    QStringList events;
    QList<TSock::InfoKind> kinds;

    void attach(TSock* s) {
        s->OnInfo = [this](TSock*, TSock::InfoKind kind, const QString& text) {
            events << text;
            kinds << kind;
        };
        s->OnDisconnect = [this](TSock*) { events << QStringLiteral("OnDisconnect"); };
        s->OnConnect = [this](TSock*) { events << QStringLiteral("OnConnect"); };
    }
    int count(const QString& text) const { return int(events.count(text)); }
    bool has(const QString& text) const { return events.contains(text); }
};

const QString kClosed = QStringLiteral("Socket Closed");

class TSockTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (!QCoreApplication::instance()) {
            static int argc = 1;
            static char name[] = "test_tsock";
            static char* argv[] = {name, nullptr};
            new QCoreApplication(argc, argv);
        }
    }

    void TearDown() override {
        delete m_client;
        delete m_accepted;
        delete m_listener;
        drainEvents();
    }

    // A listener on a free port whose accepted connection lands in m_accepted.
    void listen() {
        m_listener = new TSock;
        m_listener->PortName = QStringLiteral("0");
        serverLog.attach(m_listener);
        m_listener->OnAccept = [this](TSock* l) {
            m_accepted = l->Accept();
            ASSERT_NE(m_accepted, nullptr);
            serverLog.attach(m_accepted);
            if (m_onAccepted) m_onAccepted(m_accepted);
        };
        ASSERT_TRUE(m_listener->setListen(true));
        ASSERT_NE(m_listener->localPort(), 0);
    }

    // A client connected to the listener, both ends established.
    void connectPair() {
        listen();
        m_client = new TSock;
        m_client->HostName = QStringLiteral("127.0.0.1");
        m_client->PortName = QString::number(m_listener->localPort());
        clientLog.attach(m_client);
        ASSERT_TRUE(m_client->Open());
        ASSERT_TRUE(waitFor([&] { return m_client->connected() && m_accepted; }));
    }

    TSock* m_listener = nullptr;
    TSock* m_accepted = nullptr;
    TSock* m_client = nullptr;
    std::function<void(TSock*)> m_onAccepted;
    Recorder serverLog;
    Recorder clientLog;
};

TEST_F(TSockTest, ListenReportsAndClose) {
    TSock l;
    Recorder log;
    log.attach(&l);
    l.PortName = QStringLiteral("0");
    ASSERT_TRUE(l.setListen(true));
    EXPECT_TRUE(l.listening());
    EXPECT_EQ(log.events, QStringList{QStringLiteral("Listening Started")});
    EXPECT_EQ(log.kinds, QList<TSock::InfoKind>{TSock::Listen});

    // Close on a listener stops it without a report.
    l.Close();
    EXPECT_FALSE(l.listening());
    EXPECT_EQ(log.events.size(), 1);

    ASSERT_TRUE(l.setListen(true));
    log.events.clear();
    log.kinds.clear();
    ASSERT_TRUE(l.setListen(false));
    EXPECT_FALSE(l.listening());
    EXPECT_EQ(log.events, (QStringList{kClosed, QStringLiteral("Listening Stopped")}));
    EXPECT_EQ(log.kinds, (QList<TSock::InfoKind>{TSock::InfoKind::Close, TSock::Listen}));
}

TEST_F(TSockTest, ListenOnATakenPortFails) {
    TSock first;
    first.PortName = QStringLiteral("0");
    ASSERT_TRUE(first.setListen(true));
    TSock second;
    Recorder log;
    log.attach(&second);
    second.PortName = QString::number(first.localPort());
    EXPECT_FALSE(second.setListen(true));
    EXPECT_FALSE(second.listening());
    EXPECT_EQ(log.events, QStringList{QStringLiteral("Listen - Error Binding Socket")});
    EXPECT_EQ(log.kinds, QList<TSock::InfoKind>{TSock::Error});
}

TEST_F(TSockTest, OperationErrorsAreReportedNotThrown) {
    TSock s;
    Recorder log;
    log.attach(&s);
    EXPECT_FALSE(s.Send("x"));
    EXPECT_TRUE(s.Receive().isEmpty());
    EXPECT_EQ(s.Accept(), nullptr);
    EXPECT_EQ(log.events, (QStringList{QStringLiteral("Send - Socket Not Connected"),
                                       QStringLiteral("Receive - Socket Not Connected"),
                                       QStringLiteral("Could Not Accept Connection")}));
    for (auto kind : log.kinds) EXPECT_EQ(kind, TSock::Error);

    log.events.clear();
    s.PortName = QStringLiteral("no-such-service-here");
    EXPECT_FALSE(s.Open());
    EXPECT_EQ(log.events,
              (QStringList{QStringLiteral("Lookup Of Port no-such-service-here"),
                           QStringLiteral("Port Lookup - Could Not Find Service Entry")}));

    log.events.clear();
    s.PortName = QStringLiteral("99999");
    EXPECT_FALSE(s.setListen(true));
    s.PortName = QStringLiteral("1");
    s.HostName = QStringLiteral("1.2.3.999");
    EXPECT_FALSE(s.Open());
    EXPECT_EQ(log.events, (QStringList{QStringLiteral("Port Lookup - Could Not Find Service Entry"),
                                       QStringLiteral("Host Lookup - Could Not Find Host Entry")}));

    // Closing what was never opened says nothing.
    log.events.clear();
    s.Close();
    s.abort();
    EXPECT_TRUE(log.events.isEmpty());

    TSock l;
    l.PortName = QStringLiteral("0");
    ASSERT_TRUE(l.setListen(true));
    log.attach(&l);
    EXPECT_FALSE(l.Send("x"));
    l.Receive();
    EXPECT_EQ(log.events.mid(log.events.size() - 2),
              (QStringList{QStringLiteral("Send - Cannot Send On A Listener Socket"),
                           QStringLiteral("Receive - Cannot Receive On A Listener Socket")}));
}

TEST_F(TSockTest, ErrorTexts) {
    EXPECT_EQ(TSock::errorText(QAbstractSocket::ConnectionRefusedError),
              "Error #10061 (WSAECONNREFUSED)");
    EXPECT_EQ(TSock::errorText(QAbstractSocket::RemoteHostClosedError),
              "Error #10054 (WSAECONNRESET)");
    EXPECT_EQ(TSock::errorText(QAbstractSocket::SocketTimeoutError), "Error #10060 (WSAETIMEDOUT)");
    EXPECT_EQ(TSock::errorText(QAbstractSocket::NetworkError), "Error #10051 (WSAENETUNREACH)");
    EXPECT_EQ(TSock::errorText(QAbstractSocket::AddressInUseError), "Error #10048 (WSAEADDRINUSE)");
    EXPECT_EQ(TSock::errorText(QAbstractSocket::HostNotFoundError),
              "Error #11001 (WSAHOST_NOT_FOUND)");
    EXPECT_EQ(TSock::errorText(QAbstractSocket::SocketAccessError), "Error #10013 (WSAEACCES)");
    EXPECT_TRUE(TSock::errorText(QAbstractSocket::UnknownSocketError).endsWith("(UNKNOWN ERROR)"));
}

TEST_F(TSockTest, ConnectAndAccept) {
    connectPair();
    EXPECT_TRUE(clientLog.has(QStringLiteral("Non-Blocking Socket Connected")));
    EXPECT_EQ(clientLog.events.indexOf(QStringLiteral("Non-Blocking Socket Connected")) + 1,
              clientLog.events.indexOf(QStringLiteral("OnConnect")));
    EXPECT_TRUE(serverLog.has(QStringLiteral("Created New TSock Structure")));
    EXPECT_TRUE(m_accepted->connected());
    EXPECT_EQ(m_accepted->HostName, QStringLiteral("127.0.0.1"));
    EXPECT_EQ(m_accepted->PortName, m_listener->PortName);
    EXPECT_EQ(m_accepted->parent(), nullptr);

    const QString before = m_client->HostName;
    m_client->setHostName(QStringLiteral("example.invalid"));
    m_client->setPortName(QStringLiteral("1"));
    EXPECT_EQ(m_client->HostName, before);
    EXPECT_TRUE(clientLog.has(QStringLiteral("Setting HostName While Connected Has No Effect")));
    EXPECT_TRUE(clientLog.has(QStringLiteral("Setting PortName While Connected Has No Effect")));
}

TEST_F(TSockTest, ConnectByHostName) {
    listen();
    TSock c;
    Recorder log;
    log.attach(&c);
    c.HostName = QStringLiteral("localhost");
    c.PortName = QString::number(m_listener->localPort());
    ASSERT_TRUE(c.Open());
    EXPECT_EQ(log.events.value(0), QStringLiteral("Lookup Of Host localhost"));
    EXPECT_TRUE(waitFor([&] { return c.connected(); }));
}

TEST_F(TSockTest, SeveralMessagesArriveInOneReceive) {
    connectPair();
    const std::string batch = net::toServer::playcard(2, 3) + net::toServer::clickdone(2) +
                              net::toServer::chat(2, "a+b|clRed");
    QByteArray got;
    int reads = 0;
    m_accepted->OnRead = [&](TSock* s, qint64 buffered) {
        ++reads;
        EXPECT_EQ(buffered, qint64(batch.size()));
        got = s->Receive();
    };
    ASSERT_TRUE(m_client->Send(QByteArray::fromStdString(batch)));
    EXPECT_TRUE(clientLog.has(QStringLiteral("Non-Blocking Outgoing Data")));
    ASSERT_TRUE(waitFor([&] { return !got.isEmpty(); }));
    EXPECT_EQ(reads, 1);
    EXPECT_TRUE(serverLog.has(QStringLiteral("Non-Blocking Incoming Data")));
    net::ReceiveBuffer buffer;
    const auto messages = buffer.append(got.toStdString());
    EXPECT_EQ(messages, (std::vector<std::string>{"CMD_playcard+2+3+", "CMD_clickdone+2+",
                                                  "CMD_chat+2+a+b|clRed"}));
}

TEST_F(TSockTest, LargeDataArrivesWholeAndInOrder) {
    connectPair();
    QByteArray sent;
    for (int part = 0; part < 4; ++part) {
        QByteArray chunk(1024 * 1024, Qt::Uninitialized);
        for (int i = 0; i < chunk.size(); ++i) chunk[i] = char((i * 7 + part * 13) % 251);
        sent += chunk;
    }
    QByteArray got;
    qint64 largestRead = 0;
    m_accepted->OnRead = [&](TSock* s, qint64 buffered) {
        largestRead = std::max(largestRead, buffered);
        got += s->Receive();
    };
    int writes = 0;
    m_client->OnWrite = [&](TSock*) { ++writes; };
    for (int part = 0; part < 4; ++part)
        ASSERT_TRUE(m_client->Send(sent.mid(part * 1024 * 1024, 1024 * 1024)));
    // The system does not take 4 MB at once: the rest waits and goes out as the socket drains.
    EXPECT_GT(m_client->bytesToWrite(), 0);
    ASSERT_TRUE(waitFor([&] { return got.size() >= sent.size(); }, 20000));
    EXPECT_EQ(got.size(), sent.size());
    EXPECT_TRUE(got == sent);
    EXPECT_GT(writes, 1);
    EXPECT_LE(largestRead, 32768);
    EXPECT_EQ(m_client->bytesToWrite(), 0);
}

TEST_F(TSockTest, PeerCloseGivesDisconnectThenSocketClosed) {
    connectPair();
    serverLog.events.clear();
    m_client->Close();
    EXPECT_EQ(clientLog.count(kClosed), 1);
    EXPECT_FALSE(m_client->connected());
    ASSERT_TRUE(waitFor([&] { return serverLog.has(kClosed); }));
    drainEvents();
    EXPECT_EQ(serverLog.events, (QStringList{QStringLiteral("OnDisconnect"), kClosed}));
    EXPECT_FALSE(m_accepted->connected());
    // A second Close has nothing left to report.
    m_accepted->Close();
    m_client->Close();
    EXPECT_EQ(serverLog.count(kClosed), 1);
    EXPECT_EQ(clientLog.count(kClosed), 1);
}

// The server tells a newcomer the table is full and closes at once: the text must still arrive.
TEST_F(TSockTest, BytesSentBeforeCloseStillArrive) {
    m_onAccepted = [](TSock* s) {
        s->Send(QByteArray::fromStdString(net::toClient::full()));
        s->Close();
    };
    listen();
    m_client = new TSock;
    m_client->PortName = QString::number(m_listener->localPort());
    clientLog.attach(m_client);
    QByteArray got;
    m_client->OnRead = [&](TSock* s, qint64) {
        got += s->Receive();
        clientLog.events << QStringLiteral("OnRead");
    };
    ASSERT_TRUE(m_client->Open());
    ASSERT_TRUE(waitFor([&] { return clientLog.has(kClosed); }));
    EXPECT_EQ(got.toStdString(), net::toClient::full());
    const auto at = [&](const char* e) { return clientLog.events.indexOf(QString::fromLatin1(e)); };
    EXPECT_LT(at("OnRead"), at("OnDisconnect"));
    EXPECT_LT(at("OnDisconnect"), at("Socket Closed"));
    EXPECT_EQ(serverLog.count(kClosed), 1);
}

TEST_F(TSockTest, RefusedConnectionReportsOnlyTheError) {
    quint16 port = 0;
    {
        TSock probe;
        probe.PortName = QStringLiteral("0");
        ASSERT_TRUE(probe.setListen(true));
        port = probe.localPort();
    }
    TSock c;
    Recorder log;
    log.attach(&c);
    c.PortName = QString::number(port);
    ASSERT_TRUE(c.Open());
    const QString refused = QStringLiteral("Error #10061 (WSAECONNREFUSED)");
    ASSERT_TRUE(waitFor([&] { return log.has(refused); }));
    drainEvents();
    EXPECT_EQ(log.events, QStringList{refused});
    EXPECT_EQ(log.kinds, QList<TSock::InfoKind>{TSock::Error});
    EXPECT_FALSE(c.connected());
    // The attempt is over: closing says nothing, and the socket can be opened again.
    c.Close();
    EXPECT_EQ(log.count(kClosed), 0);
    ASSERT_TRUE(c.Open());
    ASSERT_TRUE(waitFor([&] { return log.count(refused) == 2; }));
}

TEST_F(TSockTest, ResetOfPeerEndsInSocketClosed) {
    connectPair();
    m_client->abort();
    EXPECT_EQ(clientLog.count(kClosed), 1);
    ASSERT_TRUE(waitFor([&] { return serverLog.has(kClosed); }));
    drainEvents();
    EXPECT_EQ(serverLog.count(kClosed), 1);
    EXPECT_FALSE(m_accepted->connected());
    // Whatever error came first, "Socket Closed" is the last word.
    EXPECT_EQ(serverLog.events.last(), kClosed);
    // Qt reads a reset like an orderly end of the stream, so the owner sees a peer close.
    EXPECT_EQ(serverLog.events.mid(serverLog.events.size() - 2),
              (QStringList{QStringLiteral("OnDisconnect"), kClosed}));
}

TEST_F(TSockTest, ResetWhileDataIsInFlight) {
    connectPair();
    m_accepted->OnRead = [](TSock* s, qint64) { s->Receive(); };
    m_client->OnRead = [](TSock* s, qint64) { s->Receive(); };
    // The server keeps writing to a client that resets under it.
    m_accepted->Send(QByteArray(2 * 1024 * 1024, 'x'));
    m_client->abort();
    ASSERT_TRUE(waitFor([&] { return serverLog.has(kClosed); }));
    drainEvents();
    EXPECT_EQ(serverLog.count(kClosed), 1);
    EXPECT_EQ(serverLog.events.last(), kClosed);
}

// The server closes a connection from its disconnect handler; the report comes once, after.
TEST_F(TSockTest, CloseInsideDisconnectHandlerReportsOnceAfterIt) {
    connectPair();
    m_accepted->OnDisconnect = [this](TSock* s) {
        serverLog.events << QStringLiteral("OnDisconnect");
        s->Close();
        serverLog.events << QStringLiteral("OnDisconnect done");
    };
    serverLog.events.clear();
    m_client->Close();
    ASSERT_TRUE(waitFor([&] { return serverLog.has(kClosed); }));
    drainEvents();
    EXPECT_EQ(serverLog.events, (QStringList{QStringLiteral("OnDisconnect"),
                                             QStringLiteral("OnDisconnect done"), kClosed}));
}

TEST_F(TSockTest, CloseInsideReadHandlerReportsAfterIt) {
    connectPair();
    QStringList order;
    m_accepted->OnInfo = [&](TSock*, TSock::InfoKind, const QString& text) { order << text; };
    m_accepted->OnRead = [&](TSock* s, qint64) {
        order << QStringLiteral("OnRead");
        s->Receive();
        s->Close();
        order << QStringLiteral("OnRead done");
    };
    m_client->Send("CMD_kickhim+1+2+\xFF");
    ASSERT_TRUE(waitFor([&] { return order.contains(kClosed); }));
    drainEvents();
    EXPECT_EQ(order.mid(order.indexOf(QStringLiteral("OnRead"))),
              (QStringList{QStringLiteral("OnRead"), QStringLiteral("OnRead done"), kClosed}));
    ASSERT_TRUE(waitFor([&] { return clientLog.has(kClosed); }));
}

TEST_F(TSockTest, OwnerDeletesSocketInsideItsHandlers) {
    connectPair();
    // A plain delete from inside the report of the lost connection.
    QPointer<TSock> accepted = m_accepted;
    m_accepted->OnInfo = [](TSock* s, TSock::InfoKind, const QString& text) {
        if (text == QLatin1String("Socket Closed")) delete s;
    };
    m_accepted = nullptr;
    m_client->Close();
    ASSERT_TRUE(waitFor([&] { return accepted.isNull(); }));

    // deleteLater from inside a read, and a plain delete from inside a disconnect.
    m_client->deleteLater();
    m_client = nullptr;
    TSock* c = new TSock;
    c->PortName = QString::number(m_listener->localPort());
    QPointer<TSock> client = c;
    ASSERT_TRUE(c->Open());
    ASSERT_TRUE(waitFor([&] { return m_accepted && c->connected(); }));
    m_accepted->OnRead = [](TSock* s, qint64) { s->deleteLater(); };
    c->OnDisconnect = [](TSock* s) { delete s; };
    c->Send("CMD_clickdone+1+\xFF");
    QPointer<TSock> server = m_accepted;
    m_accepted = nullptr;
    ASSERT_TRUE(waitFor([&] { return server.isNull() && client.isNull(); }));

    // A plain delete inside the read handler itself.
    TSock* d = new TSock;
    d->PortName = QString::number(m_listener->localPort());
    ASSERT_TRUE(d->Open());
    ASSERT_TRUE(waitFor([&] { return m_accepted && d->connected(); }));
    QPointer<TSock> reader = m_accepted;
    m_accepted->OnRead = [](TSock* s, qint64) { delete s; };
    m_accepted = nullptr;
    d->Send("CMD_clickdone+1+\xFF");
    ASSERT_TRUE(waitFor([&] { return reader.isNull(); }));
    delete d;
}

} // namespace

namespace {

// What a peer did before the owner got round to Accept() is not lost.
TEST_F(TSockTest, EventsBeforeAcceptAreReplayed) {
    TSock l;
    l.PortName = QStringLiteral("0");
    bool waiting = false;
    l.OnAccept = [&](TSock*) { waiting = true; };
    ASSERT_TRUE(l.setListen(true));
    TSock c;
    c.PortName = QString::number(l.localPort());
    ASSERT_TRUE(c.Open());
    ASSERT_TRUE(waitFor([&] { return waiting && c.connected(); }));
    c.Send("CMD_playcard+1+2+\xFF");
    c.Close();
    drainEvents();

    Recorder log;
    QByteArray got;
    l.OnRead = [&](TSock* s, qint64) {
        got += s->Receive();
        log.events << QStringLiteral("OnRead");
    };
    log.attach(&l);
    std::unique_ptr<TSock> s(l.Accept());
    ASSERT_TRUE(s);
    ASSERT_TRUE(waitFor([&] { return log.has(kClosed); }));
    EXPECT_EQ(got, QByteArray("CMD_playcard+1+2+\xFF"));
    const auto at = [&](const char* e) { return log.events.indexOf(QString::fromLatin1(e)); };
    EXPECT_LT(at("OnRead"), at("OnDisconnect"));
    EXPECT_LT(at("OnDisconnect"), at("Socket Closed"));
    EXPECT_EQ(log.count(kClosed), 1);
}

TEST_F(TSockTest, UnknownHostIsReportedAsLookupFailure) {
    TSock c;
    Recorder log;
    log.attach(&c);
    c.HostName = QString();
    c.PortName = QStringLiteral("1");
    ASSERT_TRUE(c.Open());
    const QString failed = QStringLiteral("Host Lookup - Could Not Find Host Entry");
    ASSERT_TRUE(waitFor([&] { return log.has(failed); }));
    drainEvents();
    EXPECT_EQ(log.events, (QStringList{QStringLiteral("Lookup Of Host "), failed}));
    EXPECT_FALSE(c.connected());
}

} // namespace

namespace {

// Whether a connection to host:port is taken. Any 127.x.y.z address reaches this machine, so
// 127.0.0.2 stands in for an address other than the loopback one.
bool reachable(const QString& host, quint16 port) {
    QTcpSocket probe;
    probe.connectToHost(host, port);
    const bool ok = probe.waitForConnected(5000);
    probe.abort();
    return ok;
}

} // namespace

TEST_F(TSockTest, ALoopbackOnlyListenerTakesNoOtherAddress) {
    TSock open;
    open.PortName = QStringLiteral("0");
    ASSERT_TRUE(open.setListen(true));
    if (!reachable(QStringLiteral("127.0.0.2"), open.localPort()))
        GTEST_SKIP() << "127.0.0.2 does not reach this machine here";

    TSock local;
    local.PortName = QStringLiteral("0");
    local.setLoopbackOnly(true);
    ASSERT_TRUE(local.setListen(true));
    EXPECT_TRUE(reachable(QStringLiteral("127.0.0.1"), local.localPort()));
    EXPECT_FALSE(reachable(QStringLiteral("127.0.0.2"), local.localPort()));
}
