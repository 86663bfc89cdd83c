// Asks once whether a table's server still listens: after the connection to it has closed,
// that tells a player who was removed from one whose host has closed the table.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

class TSock;

class HostProbe : public QObject {
    Q_OBJECT
public:
    // How long a host that neither answers nor refuses is waited for.
    static constexpr int kWaitMs = 3000;

    explicit HostProbe(QObject* parent = nullptr);
    ~HostProbe() override;

    // Opens a connection and closes it as soon as it is made; answered() follows once.
    void start(const QString& host, quint16 port);

signals:
    void answered(bool listening);

private:
    void finish(bool listening);

    TSock* m_sock = nullptr;
    QTimer m_timeout;
    bool m_done = false;
};
