// Tchat's spectators and moderation: just watching, the popup on a player's name, removals.
#include "client/tchat.h"

#include <QAction>
#include <QMenu>

void Tchat::buildModeration() {
    m_popupKick = new QMenu(this);
    m_popupKick->setObjectName(QStringLiteral("popup_kick"));
    const char* names[] = {"RemoveFromGame1", "SettoJustWatch1", "UnsetJustWatch1"};
    const char* texts[] = {"Remove From Game", "Set to Just Watch", "Unset Just Watch"};
    for (std::size_t i = 0; i < 3; ++i) {
        m_kickEntries[i] = m_popupKick->addAction(QString::fromLatin1(texts[i]));
        m_kickEntries[i]->setObjectName(QString::fromLatin1(names[i]));
    }
    connect(m_kickEntries[0], &QAction::triggered, this, &Tchat::RemoveFromGame1Click);
    connect(m_kickEntries[1], &QAction::triggered, this, &Tchat::SettoJustWatch1Click);
    connect(m_kickEntries[2], &QAction::triggered, this, &Tchat::UnsetJustWatch1Click);
    connect(m_justWatch, &QAction::triggered, this, &Tchat::JustWatch1Click);
    // The check mark shows whether the local seat is just watching, as the server said.
    connect(&m_model, &TableModel::seatChanged, this, [this](int seat) {
        if (seat == m_model.localSeat()) m_justWatch->setChecked(m_model.seat(seat).watching);
    });
}

void Tchat::JustWatch1Click() {
    // The check mark follows the server's answer, not the click.
    const bool watching = m_model.seat(m_model.localSeat()).watching;
    m_justWatch->setChecked(watching);
    if (!m_model.connected() || !table::isPlayingSeat(m_model.localSeat())) return;
    sendRaw(net::toServer::justwatch(m_model.localSeat(), watching ? "2" : "1"));
}

void Tchat::label_playername1ContextPopup(int seat, const QPoint& globalPos) {
    for (QAction* entry : m_kickEntries) entry->setEnabled(m_model.isHost());
    if (seatName(seat) == table::kWaiting) m_kickEntries[0]->setEnabled(false);
    m_popupTarget = seat;
    if (!globalPos.isNull()) m_popupKick->popup(globalPos);
}

void Tchat::RemoveFromGame1Click() {
    kicking(m_popupTarget);
}

void Tchat::SettoJustWatch1Click() {
    if (m_model.connected() && table::isPlayingSeat(m_popupTarget))
        sendRaw(net::toServer::justwatch(m_popupTarget, "1"));
}

void Tchat::UnsetJustWatch1Click() {
    if (m_model.connected() && table::isPlayingSeat(m_popupTarget))
        sendRaw(net::toServer::justwatch(m_popupTarget, "2"));
}

void Tchat::kicking(int seat) {
    if (m_model.isHost() && m_model.connected() && seat >= 1 && seat <= table::kMaxSeat)
        sendRaw(net::toServer::kickhim(m_model.localSeat(), seat));
}

void Tchat::justwatching(std::string_view args) {
    const auto m = net::toClient::readJustwatching(args);
    if (!m) return;
    m_model.setWatching(m->seat, m->watching);
    addSystemLine(seatName(m->seat) + (m->watching ? QStringLiteral(" is just watching")
                                                   : QStringLiteral(" is now playing again")));
}
