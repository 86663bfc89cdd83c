// The probe: one connection attempt, closed again at once, never logged in.
#include "client/hostprobe.h"

#include "net/tsock.h"

HostProbe::HostProbe(QObject* parent) : QObject(parent) {
    m_timeout.setSingleShot(true);
    m_timeout.setInterval(kWaitMs);
    connect(&m_timeout, &QTimer::timeout, this, [this] { finish(false); });
}

HostProbe::~HostProbe() {
    if (!m_sock) return;
    m_sock->OnInfo = nullptr;
    delete m_sock;
}

void HostProbe::start(const QString& host, quint16 port) {
    m_sock = new TSock;
    m_sock->OnInfo = [this](TSock*, TSock::InfoKind kind, const QString&) {
        if (kind == TSock::InfoKind::Connect)
            finish(true);
        else if (kind == TSock::InfoKind::Error)
            finish(false);
    };
    m_sock->setHostName(host);
    m_sock->setPortName(QString::number(port));
    m_timeout.start();
    m_sock->Open();
}

void HostProbe::finish(bool listening) {
    if (m_done) return;
    m_done = true;
    m_timeout.stop();
    // Answered from inside the socket's report: the answer goes out after it has returned.
    QMetaObject::invokeMethod(
        this,
        [this, listening] {
            if (m_sock) {
                m_sock->OnInfo = nullptr;
                m_sock->Close();
                m_sock->deleteLater();
                m_sock = nullptr;
            }
            emit answered(listening);
        },
        Qt::QueuedConnection);
}
