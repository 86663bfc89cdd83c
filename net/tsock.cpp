// TSock on Qt's TCP classes: operations return at once, socket events reach the owner's
// handlers on the event loop of the one thread.
#include "net/tsock.h"

#include <QHostAddress>
#include <QMetaObject>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <utility>

#if defined(Q_OS_UNIX)
#include <arpa/inet.h>
#include <netdb.h>
#include <sys/socket.h>
#endif

namespace {

// Reads hand at most this much to the owner per read event.
constexpr qint64 kReadChunk = 32768;
constexpr int kListenBacklog = 5;
// How long a closed connection may still try to deliver its last bytes to a peer that does not
// read them before it is dropped.
constexpr int kLingerMs = 30000;

bool startsWithDigit(const QString& s) {
    return !s.isEmpty() && s.at(0) >= QLatin1Char('0') && s.at(0) <= QLatin1Char('9');
}

QString classicText(int code, const char* name) {
    return QStringLiteral("Error #%1 (%2)").arg(code).arg(QLatin1String(name));
}

// Qt folds several system errors into NetworkError; its message tells which one it was.
QString errorTextFor(QAbstractSocket::SocketError error, const QString& detail) {
    if (error == QAbstractSocket::NetworkError) {
        if (detail.contains(QLatin1String("Host unreachable"), Qt::CaseInsensitive))
            return classicText(10065, "WSAEHOSTUNREACH");
        if (detail.contains(QLatin1String("timed out"), Qt::CaseInsensitive))
            return classicText(10060, "WSAETIMEDOUT");
    }
    return TSock::errorText(error);
}

// Lets a socket finish on its own, detached from its TSock: bytes still queued go out (a
// "Game is full" must reach the peer before the close), then it deletes itself. Never deleted
// at once, since we may be inside one of its own signals.
void release(QTcpSocket* socket, QObject* owner, bool graceful) {
    QObject::disconnect(socket, nullptr, owner, nullptr);
    socket->setParent(nullptr);
    if (graceful && socket->state() == QAbstractSocket::ConnectedState &&
        socket->bytesToWrite() > 0) {
        QObject::connect(socket, &QAbstractSocket::disconnected, socket, &QObject::deleteLater);
        QObject::connect(socket, &QAbstractSocket::errorOccurred, socket, &QObject::deleteLater);
        QTimer::singleShot(kLingerMs, socket, [socket] {
            socket->abort();
            socket->deleteLater();
        });
        socket->disconnectFromHost();
    } else {
        socket->abort();
        socket->deleteLater();
    }
}

} // namespace

TSock::TSock(QObject* parent) : QObject(parent) {}

// Silent on purpose: the owner whose handlers we hold may be in its own destructor.
TSock::~TSock() {
    dropServer();
    if (m_socket) release(takeSocket(), this, true);
}

void TSock::setHostName(const QString& host) {
    if (connected()) {
        info(InfoKind::Error, QStringLiteral("Setting HostName While Connected Has No Effect"));
        return;
    }
    HostName = host;
}

void TSock::setPortName(const QString& port) {
    if (connected()) {
        info(InfoKind::Error, QStringLiteral("Setting PortName While Connected Has No Effect"));
        return;
    }
    PortName = port;
}

bool TSock::setListen(bool on) {
    if (!on) {
        if (!m_server) return true;
        dropServer();
        reportClosing({{InfoKind::Close, QStringLiteral("Socket Closed")},
                       {InfoKind::Listen, QStringLiteral("Listening Stopped")}});
        return true;
    }
    if (m_server) return true;
    if (m_socket) {
        // A connection cannot turn into a listener.
        info(InfoKind::Error, QStringLiteral("Listen - Error Starting Listen"));
        return false;
    }
    const auto port = resolvePort();
    if (!port) return false;
    auto* server = new QTcpServer(this);
    server->setListenBacklogSize(kListenBacklog);
    const QHostAddress address = m_loopbackOnly ? QHostAddress(QHostAddress::LocalHost)
                                                : QHostAddress(QHostAddress::AnyIPv4);
    if (!server->listen(address, *port)) {
        delete server;
        info(InfoKind::Error, QStringLiteral("Listen - Error Binding Socket"));
        return false;
    }
    m_server = server;
    connect(server, &QTcpServer::newConnection, this, &TSock::onNewConnection);
    info(InfoKind::Listen, QStringLiteral("Listening Started"));
    return true;
}

bool TSock::listening() const {
    return m_server && m_server->isListening();
}

quint16 TSock::localPort() const {
    if (m_server) return m_server->serverPort();
    if (m_socket) return m_socket->localPort();
    return 0;
}

quint16 TSock::peerPort() const {
    return m_socket ? m_socket->peerPort() : 0;
}

TSock* TSock::Accept() {
    if (!m_server || !m_server->hasPendingConnections()) {
        info(InfoKind::Error, QStringLiteral("Could Not Accept Connection"));
        return nullptr;
    }
    QTcpSocket* socket = m_server->nextPendingConnection();
    auto* sock = new TSock;
    sock->OnRead = OnRead;
    sock->OnAccept = OnAccept;
    sock->OnConnect = OnConnect;
    sock->OnDisconnect = OnDisconnect;
    sock->OnWrite = OnWrite;
    sock->OnInfo = OnInfo;
    QHostAddress peer = socket->peerAddress();
    bool mapped = false;
    const quint32 v4 = peer.toIPv4Address(&mapped);
    if (mapped) peer = QHostAddress(v4);
    sock->HostName = peer.toString();
    sock->PortName = PortName;
    sock->attach(socket);
    // Whatever happened between the accept and now (bytes arrived, the peer already left) had
    // no handler to go to; replay it from the event loop once the owner has set up the socket.
    const quint64 serial = sock->m_serial;
    QMetaObject::invokeMethod(
        sock,
        [sock, serial] {
            if (serial != sock->m_serial || !sock->m_socket) return;
            if (sock->m_socket->bytesAvailable() > 0) sock->deliverRead();
        },
        Qt::QueuedConnection);
    if (socket->state() != QAbstractSocket::ConnectedState) sock->scheduleLost();
    info(InfoKind::Accept, QStringLiteral("Created New TSock Structure"));
    return sock;
}

bool TSock::Open() {
    if (m_server) {
        info(InfoKind::Error, QStringLiteral("Open - Cannot Open A Listener Socket"));
        return false;
    }
    if (m_socket) {
        if (m_socket->state() != QAbstractSocket::UnconnectedState) return true;
        release(takeSocket(), this, false);
    }
    const auto port = resolvePort();
    if (!port) return false;
    QHostAddress address;
    const bool byName = !startsWithDigit(HostName);
    if (!byName && !address.setAddress(HostName)) {
        info(InfoKind::Error, QStringLiteral("Host Lookup - Could Not Find Host Entry"));
        return false;
    }
    if (byName) {
        QPointer<TSock> self(this);
        info(InfoKind::Lookup, QStringLiteral("Lookup Of Host ") + HostName);
        if (!self) return false;
        if (m_socket || m_server) return m_socket != nullptr; // the handler acted itself
    }
    m_received.clear();
    auto* socket = new QTcpSocket(this);
    attach(socket);
    // Qt resolves names asynchronously and keeps a process-wide cache of earlier lookups.
    if (m_bindFirst && !byName && address.isLoopback())
        socket->bind(address.protocol() == QAbstractSocket::IPv6Protocol
                         ? QHostAddress(QHostAddress::LocalHostIPv6)
                         : QHostAddress(QHostAddress::LocalHost));
    if (byName)
        socket->connectToHost(HostName, *port);
    else
        socket->connectToHost(address, *port);
    return true;
}

bool TSock::Send(const QByteArray& data) {
    if (m_server) {
        info(InfoKind::Error, QStringLiteral("Send - Cannot Send On A Listener Socket"));
        return false;
    }
    if (!connected()) {
        info(InfoKind::Error, QStringLiteral("Send - Socket Not Connected"));
        return false;
    }
    // QTcpSocket keeps what the system does not take now and writes it as the socket drains.
    m_socket->write(data);
    info(InfoKind::Send, QStringLiteral("Non-Blocking Outgoing Data"));
    return true;
}

QByteArray TSock::Receive() {
    if (m_server) {
        info(InfoKind::Error, QStringLiteral("Receive - Cannot Receive On A Listener Socket"));
        return {};
    }
    if (!m_socket && m_received.isEmpty()) {
        info(InfoKind::Error, QStringLiteral("Receive - Socket Not Connected"));
        return {};
    }
    return std::exchange(m_received, {});
}

void TSock::Close() {
    if (m_server) {
        dropServer();
        return;
    }
    if (!m_socket) return;
    release(takeSocket(), this, true);
    reportClosing({{InfoKind::Close, QStringLiteral("Socket Closed")}});
}

void TSock::abort() {
    if (m_server) {
        dropServer();
        return;
    }
    if (!m_socket) return;
    QTcpSocket* socket = takeSocket();
#if defined(Q_OS_UNIX)
    // A zero linger makes the close send a reset instead of the orderly end.
    if (socket->socketDescriptor() != -1) {
        linger l{1, 0};
        ::setsockopt(int(socket->socketDescriptor()), SOL_SOCKET, SO_LINGER, &l, sizeof l);
    }
#endif
    release(socket, this, false);
    reportClosing({{InfoKind::Close, QStringLiteral("Socket Closed")}});
}

bool TSock::connected() const {
    return m_socket && m_socket->state() == QAbstractSocket::ConnectedState;
}

qint64 TSock::bytesToWrite() const {
    return m_socket ? m_socket->bytesToWrite() : 0;
}

QString TSock::errorText(int socketError) {
    switch (socketError) {
    case QAbstractSocket::ConnectionRefusedError:
        return classicText(10061, "WSAECONNREFUSED");
    case QAbstractSocket::RemoteHostClosedError:
        return classicText(10054, "WSAECONNRESET");
    case QAbstractSocket::HostNotFoundError:
        return classicText(11001, "WSAHOST_NOT_FOUND");
    case QAbstractSocket::SocketAccessError:
        return classicText(10013, "WSAEACCES");
    case QAbstractSocket::SocketTimeoutError:
        return classicText(10060, "WSAETIMEDOUT");
    case QAbstractSocket::NetworkError:
        return classicText(10051, "WSAENETUNREACH");
    case QAbstractSocket::AddressInUseError:
        return classicText(10048, "WSAEADDRINUSE");
    default:
        return QStringLiteral("Error #%1 (UNKNOWN ERROR)").arg(socketError);
    }
}

void TSock::attach(QTcpSocket* socket) {
    m_socket = socket;
    ++m_serial;
    m_established = socket->state() == QAbstractSocket::ConnectedState;
    m_lostScheduled = false;
    socket->setParent(this);
    socket->setReadBufferSize(kReadChunk);
    connect(socket, &QAbstractSocket::connected, this, &TSock::onConnected);
    connect(socket, &QIODevice::readyRead, this, &TSock::onReadyRead);
    connect(socket, &QIODevice::bytesWritten, this, &TSock::onBytesWritten);
    connect(socket, &QAbstractSocket::disconnected, this, &TSock::scheduleLost);
    // Errors may come synchronously from inside connectToHost() or a write; they are handled
    // from the event loop so no report runs inside an operation the owner is calling.
    connect(socket, &QAbstractSocket::errorOccurred, this,
            [this, socket, serial = m_serial](QAbstractSocket::SocketError error) {
                const QString text = errorTextFor(error, socket->errorString());
                QMetaObject::invokeMethod(
                    this, [this, serial, error, text] { onError(serial, error, text); },
                    Qt::QueuedConnection);
            });
}

void TSock::info(InfoKind kind, const QString& text) {
    const auto handler = OnInfo;
    if (handler) call([&] { handler(this, kind, text); });
}

bool TSock::call(const std::function<void()>& handler) {
    QPointer<TSock> self(this);
    ++m_depth;
    handler();
    if (!self) return false;
    --m_depth;
    if (m_depth == 0) flushDeferred();
    return !self.isNull();
}

void TSock::reportClosing(std::initializer_list<Report> reports) {
    for (const Report& r : reports) m_deferred.append(r);
    if (m_depth == 0) flushDeferred();
}

void TSock::flushDeferred() {
    QPointer<TSock> self(this);
    while (self && m_depth == 0 && !m_deferred.isEmpty()) {
        const Report r = m_deferred.takeFirst();
        info(r.kind, r.text);
    }
}

std::optional<quint16> TSock::resolvePort() {
    if (startsWithDigit(PortName)) {
        bool ok = false;
        const uint port = PortName.toUInt(&ok);
        if (ok && port <= 65535) return quint16(port);
    } else {
        QPointer<TSock> self(this);
        info(InfoKind::Lookup, QStringLiteral("Lookup Of Port ") + PortName);
        if (!self) return std::nullopt;
#if defined(Q_OS_UNIX)
        if (const servent* entry = ::getservbyname(PortName.toLocal8Bit().constData(), "tcp"))
            return quint16(ntohs(quint16(entry->s_port)));
#endif
    }
    info(InfoKind::Error, QStringLiteral("Port Lookup - Could Not Find Service Entry"));
    return std::nullopt;
}

QTcpSocket* TSock::takeSocket() {
    m_established = false;
    m_lostScheduled = false;
    return std::exchange(m_socket, nullptr);
}

void TSock::dropServer() {
    if (!m_server) return;
    QTcpServer* server = std::exchange(m_server, nullptr);
    disconnect(server, nullptr, this, nullptr);
    server->close();
    // Not deleted here: we may be inside its newConnection signal.
    server->setParent(nullptr);
    server->deleteLater();
}

void TSock::onNewConnection() {
    const auto handler = OnAccept;
    if (handler) call([&] { handler(this); });
}

void TSock::onConnected() {
    m_established = true;
    QPointer<TSock> self(this);
    info(InfoKind::Connect, QStringLiteral("Non-Blocking Socket Connected"));
    if (!self) return;
    const auto handler = OnConnect;
    if (handler) call([&] { handler(this); });
}

void TSock::onReadyRead() {
    if (m_socket) deliverRead();
}

void TSock::deliverRead() {
    m_received += m_socket->readAll();
    QPointer<TSock> self(this);
    info(InfoKind::Receive, QStringLiteral("Non-Blocking Incoming Data"));
    if (!self) return;
    const auto handler = OnRead;
    const qint64 buffered = m_received.size();
    if (handler) call([&] { handler(this, buffered); });
}

void TSock::onBytesWritten() {
    QPointer<TSock> self(this);
    info(InfoKind::Send, QStringLiteral("Non-Blocking Outgoing Data"));
    if (!self) return;
    const auto handler = OnWrite;
    if (handler) call([&] { handler(this); });
}

void TSock::onError(quint64 serial, int error, const QString& text) {
    if (serial != m_serial || !m_socket) return;
    if (!m_established) {
        // An attempt that never connected reports the error only; the TSock is closed again
        // and may be opened anew.
        if (m_socket->state() == QAbstractSocket::ConnectedState) return;
        release(takeSocket(), this, false);
        info(InfoKind::Error, error == QAbstractSocket::HostNotFoundError
                                  ? QStringLiteral("Host Lookup - Could Not Find Host Entry")
                                  : text);
        return;
    }
    // Qt reports an orderly close and a reset alike as "remote host closed"; both are the end
    // of the connection, not an error to show.
    if (error != QAbstractSocket::RemoteHostClosedError) {
        QPointer<TSock> self(this);
        info(InfoKind::Error, text);
        if (!self || serial != m_serial || !m_socket) return;
        if (m_socket->state() == QAbstractSocket::ConnectedState) return;
    }
    // A connection lost with an error still ends in "Socket Closed", so the owner cleans up.
    handleLost();
}

void TSock::scheduleLost() {
    if (m_lostScheduled || !m_socket) return;
    m_lostScheduled = true;
    QMetaObject::invokeMethod(
        this,
        [this, serial = m_serial] {
            if (serial == m_serial) handleLost();
        },
        Qt::QueuedConnection);
}

void TSock::handleLost() {
    if (!m_socket) return;
    QPointer<TSock> self(this);
    // Bytes that came with the close are still the owner's.
    if (m_socket->isOpen() && m_socket->bytesAvailable() > 0) {
        deliverRead();
        if (!self || !m_socket) return;
    }
    const auto handler = OnDisconnect;
    if (handler && !call([&] { handler(this); })) return;
    Close();
}
