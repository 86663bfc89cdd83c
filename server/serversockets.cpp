// The server's sockets: Sock1 listening, one TSock per client, and their events.
#include "server/tserver.h"

#include "net/tsock.h"

#include <QHostAddress>
#include <QPointer>

#include <algorithm>

namespace {

// A client connection on a real socket. The socket outlives the link: it is deleted on its own
// "Socket Closed" report, so what was sent just before a close (CMD_full) still goes out.
class TSockLink final : public ClientLink {
public:
    explicit TSockLink(TSock* sock) : m_sock(sock) {}
    void send(const std::string& message) override {
        if (m_sock && m_sock->connected())
            m_sock->Send(QByteArray(message.data(), qsizetype(message.size())));
    }
    void close() override {
        if (m_sock) m_sock->Close();
    }
    void drop() override {
        if (m_sock) m_sock->abort();
    }
    std::size_t unsent() const override {
        return m_sock ? std::size_t(std::max<qint64>(m_sock->bytesToWrite(), 0)) : 0;
    }
    const TSock* sock() const { return m_sock; }

private:
    QPointer<TSock> m_sock;
};

} // namespace

// ---- Sockets ---------------------------------------------------------------------------------

bool TServer::listen(quint16 port, ListenOn where) {
    if (!m_sock1) {
        m_sock1 = new TSock(this);
        m_sock1->OnAccept = [this](TSock*) { Sock1Accept(); };
    }
    if (m_sock1->listening()) return true;
    QString failure;
    m_sock1->OnInfo = [&failure](TSock*, TSock::InfoKind kind, const QString& text) {
        if (kind == TSock::Error) failure = text;
    };
    m_sock1->setPortName(QString::number(port));
    m_sock1->setLoopbackOnly(where == ListenOn::LoopbackOnly);
    const bool ok = m_sock1->setListen(true);
    m_sock1->OnInfo = nullptr;
    if (!ok) {
        m_lastError =
            QStringLiteral("cannot listen on port %1: %2")
                .arg(port)
                .arg(failure.isEmpty() ? QStringLiteral("the port cannot be bound") : failure);
        return false;
    }
    m_lastError.clear();
    return true;
}

quint16 TServer::listeningPort() const {
    return m_sock1 && m_sock1->listening() ? m_sock1->localPort() : 0;
}

void TServer::Sock1Accept() {
    TSock* sock = m_sock1->Accept();
    if (!sock) return;
    sock->setParent(this);
    sock->OnRead = [this](TSock* s, qint64) { Sock1Read(s); };
    sock->OnDisconnect = [this](TSock* s) { tempsockDisconnect(s); };
    sock->OnInfo = [this](TSock* s, TSock::InfoKind, const QString& text) {
        tempsockInfo(s, text);
    };
    sock->OnAccept = nullptr;
    const bool hostsOwn = m_hostClientPort != 0 && sock->peerPort() == m_hostClientPort &&
                          QHostAddress(sock->HostName).isEqual(QHostAddress::LocalHost);
    const int n = attachConnection(std::make_shared<TSockLink>(sock), hostsOwn);
    if (n) {
        sock->Tag = n;
        log("connection " + std::to_string(n) + " from " + sock->HostName.toStdString());
    } else {
        log("connection refused: the table is full");
    }
}

int TServer::numberOf(const TSock* sock) const {
    for (int n = 1; n <= kMaxConnections; ++n) {
        const auto* link = dynamic_cast<const TSockLink*>(m_players[n].link.get());
        if (link && link->sock() == sock) return n;
    }
    return 0;
}

void TServer::Sock1Read(TSock* sock) {
    const QByteArray bytes = sock->Receive();
    const int n = numberOf(sock);
    if (n) receiveBytes(n, std::string_view(bytes.constData(), std::size_t(bytes.size())));
}

void TServer::tempsockDisconnect(TSock* sock) {
    if (const int n = numberOf(sock)) disconnectsock(n);
}

// A lost connection, closed or reset, ends in "Socket Closed"; that is where the number is freed
// and the socket let go. An error that leaves the socket unconnected frees the number at once as
// well, so a seat never waits on a connection that is gone. Later reports for the same socket
// find no number and do nothing.
void TServer::tempsockInfo(TSock* sock, const QString& text) {
    if (text == QLatin1String("Socket Closed")) {
        if (const int n = numberOf(sock)) connectionLost(n);
        sock->deleteLater();
    } else if (text.startsWith(QLatin1String("Error #")) && !sock->connected()) {
        if (const int n = numberOf(sock)) connectionLost(n);
    }
}
