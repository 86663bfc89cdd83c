// TSock: the event-driven TCP socket both the server and the client talk through, on Qt's
// sockets and the event loop of the one UI thread.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <functional>

class QTcpServer;
class QTcpSocket;

class TSock : public QObject {
    Q_OBJECT
public:
    // Kinds of information reports, in this order (0..7).
    enum InfoKind { Lookup, Connect, Close, Listen, Receive, Send, Accept, Error };

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
    quint16 localPort() const;

    // Called from OnAccept: takes the waiting connection as a new connected TSock carrying
    // this socket's handlers. nullptr (and "Could Not Accept Connection") when none waits.
    TSock* Accept();

    // Starts connecting to HostName:PortName; completion comes as "Non-Blocking Socket Connected".
    bool Open();
    // Queues the bytes and writes what the system takes now; false when not connected
    // ("Send - Socket Not Connected") or listening.
    bool Send(const QByteArray& data);
    // All bytes received and not yet taken.
    QByteArray Receive();
    // Closes; reports "Socket Closed" unless the socket was listening.
    void Close();
    // Drops the connection at once, without a clean shutdown (a reset, for tests).
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
    void attach(QTcpSocket* socket);
    void info(InfoKind kind, const QString& text);

    QTcpServer* m_server = nullptr;
    QTcpSocket* m_socket = nullptr;
    QByteArray m_received;
};
