// TSock: the event-driven TCP socket both the server and the client talk through, on Qt's
// sockets and the event loop of the one UI thread.
#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <functional>
#include <initializer_list>
#include <optional>

class QTcpServer;
class QTcpSocket;

// Every connection that was established ends in exactly one "Socket Closed" report, also when
// it is reset or lost with an error. Reports are never delivered inside another handler of
// the same TSock: a Close() called from a handler reports after that handler returns.
// An owner may delete a TSock from inside any of its handlers (deleteLater is the habit; a
// plain delete is safe too). Destroying a TSock closes it without calling any handler.
class TSock : public QObject {
    Q_OBJECT
public:
    // Kinds of information reports, in this order (0..7). Scoped, since four of the names are
    // also operations of the class; the others keep their short spelling (TSock::Error).
    enum class InfoKind { Lookup, Connect, Close, Listen, Receive, Send, Accept, Error };
    static constexpr InfoKind Lookup = InfoKind::Lookup;
    static constexpr InfoKind Connect = InfoKind::Connect;
    static constexpr InfoKind Listen = InfoKind::Listen;
    static constexpr InfoKind Error = InfoKind::Error;

    explicit TSock(QObject* parent = nullptr);
    ~TSock() override;

    QString HostName = QStringLiteral("127.0.0.1");
    QString PortName = QStringLiteral("7772");
    int Tag = 0;

    void setHostName(const QString& host);
    void setPortName(const QString& port);

    // Listening on PortName ("0" picks a free port, see localPort()). Reports
    // "Listening Started"; a failure reports "Listen - Error Binding Socket" (kind Error) and
    // returns false.
    bool setListen(bool on);
    bool listening() const;
    // Where the next setListen(true) takes connections from: every IPv4 interface (the
    // default) or 127.0.0.1 alone, so that nobody on the network can reach the port.
    void setLoopbackOnly(bool on) { m_loopbackOnly = on; }
    bool loopbackOnly() const { return m_loopbackOnly; }
    quint16 localPort() const;
    // The far end's port of a connection (0 when not connected).
    quint16 peerPort() const;
    // Open() to an address of this machine takes its own port first, so that localPort() names
    // the connection before it is made and the listener can tell it from any other.
    void setBindBeforeConnect(bool on) { m_bindFirst = on; }

    // Called from OnAccept: takes the waiting connection as a new connected TSock carrying
    // this socket's handlers. nullptr (and "Could Not Accept Connection") when none waits.
    // The caller owns the new TSock (it has no parent).
    TSock* Accept();

    // Starts connecting to HostName:PortName; completion comes as "Non-Blocking Socket Connected".
    // An attempt that fails reports its error only (no "Socket Closed") and may be retried.
    bool Open();
    // Queues the bytes; they go out from the event loop as the socket drains. False when not
    // connected ("Send - Socket Not Connected") or listening.
    bool Send(const QByteArray& data);
    // All bytes received and not yet taken.
    QByteArray Receive();
    // Closes; reports "Socket Closed" unless the socket was listening or had nothing open.
    // Bytes already queued by Send still reach the peer.
    void Close();
    // Drops the connection at once, without a clean shutdown (a reset, for tests). Reports
    // "Socket Closed" like Close().
    void abort();

    bool connected() const;
    qint64 bytesToWrite() const;

    std::function<void(TSock*, qint64)> OnRead;
    std::function<void(TSock*)> OnAccept;
    std::function<void(TSock*)> OnConnect;
    std::function<void(TSock*)> OnDisconnect;
    std::function<void(TSock*)> OnWrite;
    std::function<void(TSock*, InfoKind, const QString&)> OnInfo;

    // "Error #10061 (WSAECONNREFUSED)" style text for a Qt socket error.
    static QString errorText(int socketError);

private:
    struct Report {
        InfoKind kind;
        QString text;
    };

    void attach(QTcpSocket* socket);
    void info(InfoKind kind, const QString& text);
    // Runs an owner's handler; false when the handler deleted this TSock.
    bool call(const std::function<void()>& handler);
    // "Socket Closed" and friends wait until no handler of ours is running.
    void reportClosing(std::initializer_list<Report> reports);
    void flushDeferred();
    std::optional<quint16> resolvePort();
    QTcpSocket* takeSocket();
    void dropServer();
    void onNewConnection();
    void onConnected();
    void onReadyRead();
    void onBytesWritten();
    void onError(quint64 serial, int error, const QString& text);
    void scheduleLost();
    void handleLost();
    void deliverRead();

    QTcpServer* m_server = nullptr;
    QTcpSocket* m_socket = nullptr;
    QByteArray m_received;
    // Tells events queued for an earlier connection from those of the current one.
    quint64 m_serial = 0;
    bool m_established = false;
    bool m_lostScheduled = false;
    bool m_loopbackOnly = false;
    bool m_bindFirst = false;
    int m_depth = 0;
    QList<Report> m_deferred;
};
