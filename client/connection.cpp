// Tchat's connection: the command line, hosting and joining, a table that cannot be reached,
// the end of the connection, and leaving the game.
#include "client/tchat.h"

#include "client/hostprobe.h"

#include <QCloseEvent>
#include <QScreen>

namespace {

std::string toWire(const QString& text) {
    return text.toUtf8().toStdString();
}

// The name as the server keeps it (cut on a character boundary) and one terminator.
std::string loginSuffix(const QString& name) {
    return std::string(net::cutName(toWire(name))) + net::kTerminator;
}

} // namespace

void Tchat::processparams(const QStringList& params) {
    m_model.setStartOffered(false);
    m_startGame->setEnabled(false);
    m_loginSuffix.clear();

    if (params.isEmpty()) {
        addSystemLine(QStringLiteral("Loading Solo Game..Please wait."));
        emit sideWindowRequested(SideWindow::Download);
        m_hostAddress = QStringLiteral("127.0.0.1");
        m_ownName = QStringLiteral("You");
        hostpress();
        return;
    }
    addSystemLine(QStringLiteral("Loading Multi-player Game.. Please Wait."));
    if (params.size() < 3) return;
    m_ownName = params[0];
    m_hostAddress = params[1];
    if (params[2] == QLatin1String("true"))
        hostpress();
    else
        joinpress();
    // The lobby listens here; nothing is exchanged and the outcome does not matter.
    m_sock11 = new TSock(this);
    m_sock11->setHostName(QStringLiteral("127.0.0.1"));
    m_sock11->setPortName(QStringLiteral("9001"));
    m_sock11->Open();
}

void Tchat::hostpress() {
    emit listenRequested(m_port);
}

void Tchat::serverListening(quint16 port) {
    if (port == 0) {
        // The port is taken (another game?): say so; the window stays unconnected.
        addSystemLine(QStringLiteral("Listen - Error Binding Socket"));
        offerToClose();
        return;
    }
    m_loginSuffix = loginSuffix(m_ownName);
    m_model.setHost(true);
    m_sock->setBindBeforeConnect(true);
    openConnection(QStringLiteral("127.0.0.1"), port);
    if (const quint16 own = m_sock->localPort()) emit ownConnectionStarted(own);
    m_model.setStartOffered(true);
    m_startGame->setEnabled(true);
}

void Tchat::joinpress() {
    m_loginSuffix = loginSuffix(m_ownName);
    openConnection(m_hostAddress, m_port);
}

void Tchat::openConnection(const QString& host, quint16 port) {
    m_connectedTo = {host, port};
    m_connecting = true;
    m_sock->setHostName(host);
    m_sock->setPortName(QString::number(port));
    m_sock->Open();
}

void Tchat::sockRead() {
    receiveBytes(m_sock->Receive());
}

void Tchat::sockInfo(const QString& text, TSock::InfoKind kind) {
    if (kind == TSock::InfoKind::Connect) {
        m_connecting = false;
        return;
    }
    if (kind == TSock::InfoKind::Error && m_connecting) {
        // The table could not be reached (no such host, nobody listening): the loading line
        // would otherwise stand for ever.
        m_connecting = false;
        addSystemLine(text);
        offerToClose();
        return;
    }
    if (text == QLatin1String("Socket Closed")) connectionClosed();
}

bool Tchat::sendRaw(const std::string& message) {
    if (!m_model.connected()) return false;
    emit messageSent(message);
    if (!m_sock->connected()) return false;
    return m_sock->Send(QByteArray::fromStdString(message));
}

// Asked after the handler that found the trouble has returned: a question waits for the player
// in an event loop of its own.
void Tchat::offerToClose() {
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (m_ending) return;
            if (ask(tr("The game cannot go on. Close it now?"))) closeQuietly();
        },
        Qt::QueuedConnection);
}

// The server closed the connection: the program ends, but first says why. What the server said
// before it closed is heard first ("Game is full", a winner). The host's own server closes its
// client only to remove it; a joined player asks the host whether its table still listens.
void Tchat::connectionClosed() {
    m_connectionLost = true;
    if (m_ending || !m_receivedlist.empty()) return; // Timer1 comes back when the queue is done
    m_ending = true;
    if (m_model.isHost()) {
        endWithMessage(tr("You were removed from the game."));
        return;
    }
    auto* probe = new HostProbe(this);
    connect(probe, &HostProbe::answered, this, [this, probe](bool listening) {
        probe->deleteLater();
        endWithMessage(listening ? tr("You were removed from the game.")
                                 : tr("The host closed the table."));
    });
    probe->start(m_connectedTo.first, m_connectedTo.second);
}

void Tchat::endWithMessage(const QString& text) {
    m_ending = true;
    QMetaObject::invokeMethod(
        this,
        [this, text] {
            addSystemLine(text);
            tellPlayer(text);
            closeQuietly();
        },
        Qt::QueuedConnection);
}

// ---------------------------------------------------------------- leaving

bool Tchat::mayLeave() {
    // A game the local player takes part in would go on without them (or, for the host, end
    // for everybody): leaving it is a choice the player confirms.
    const bool playing = m_model.connected() && table::isPlayingSeat(m_model.localSeat()) &&
                         m_model.gameInProgress();
    return !playing || ask(tr("Leave the game in progress?"));
}

void Tchat::Exit1Click() {
    if (mayLeave()) closeQuietly();
}

void Tchat::closeQuietly() {
    m_ending = true;
    m_leaveConfirmed = true;
    close();
}

void Tchat::closeEvent(QCloseEvent* event) {
    // The window manager's close button asks like File > Exit; the program's own closes (a
    // full table, a lost connection, the lobby taking over, a signal to end) do not.
    if (event->spontaneous() && !m_leaveConfirmed && !mayLeave()) {
        event->ignore();
        return;
    }
    m_ending = true;
    storeWindowPlace();
    event->accept();
    m_timer1.stop();
    emit closed();
}
