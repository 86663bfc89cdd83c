// Tchat's spectators and moderation: just watching, the popup on a player's name, removals.
#include "client/tchat.h"

#include "client/imagelabel.h"

#include <QAction>
#include <QLabel>
#include <QMenu>

void Tchat::buildModeration() {
    m_popupKick = new QMenu(this);
    m_popupKick->setObjectName(QStringLiteral("popup_kick"));
    const char* names[] = {"RemoveFromGame1", "SettoJustWatch1", "UnsetJustWatch1"};
    const char* texts[] = {"Remove From Game", "Set to Just Watch", "Unset Just Watch"};
    for (int i = 0; i < 3; ++i) {
        m_kickEntries[size_t(i)] = m_popupKick->addAction(QString::fromLatin1(texts[i]));
        m_kickEntries[size_t(i)]->setObjectName(QString::fromLatin1(names[i]));
    }
    connect(m_kickEntries[0], &QAction::triggered, this, &Tchat::RemoveFromGame1Click);
    connect(m_kickEntries[1], &QAction::triggered, this, &Tchat::SettoJustWatch1Click);
    connect(m_kickEntries[2], &QAction::triggered, this, &Tchat::UnsetJustWatch1Click);

    // The labels move with the seat rotation, so the seat is looked up when the popup opens.
    for (int p = 0; p < 4; ++p) {
        QLabel* label = m_positions[size_t(p)].name;
        label->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(label, &QWidget::customContextMenuRequested, this,
                [this, p, label](const QPoint& at) {
                    label_playername1ContextPopup(m_seatAt[size_t(p)], label->mapToGlobal(at));
                });
    }
    connect(m_justWatch, &QAction::triggered, this, &Tchat::JustWatch1Click);
}

void Tchat::JustWatch1Click() {
    // The check mark follows the server's answer, not the click.
    const bool wasChecked = !m_justWatch->isChecked();
    m_justWatch->setChecked(wasChecked);
    if (!m_state.connected || !table::isPlayingSeat(m_state.localSeat)) return;
    sendRaw(net::toServer::justwatch(m_state.localSeat, wasChecked ? "2" : "1"));
}

void Tchat::label_playername1ContextPopup(int seat, const QPoint& globalPos) {
    for (QAction* entry : m_kickEntries) entry->setEnabled(m_state.host);
    if (seatName(seat) == QLatin1String("<Waiting>")) m_kickEntries[0]->setEnabled(false);
    m_popupTarget = seat;
    if (!globalPos.isNull()) m_popupKick->popup(globalPos);
}

void Tchat::RemoveFromGame1Click() {
    kicking(m_popupTarget);
}

void Tchat::SettoJustWatch1Click() {
    if (m_state.connected && table::isPlayingSeat(m_popupTarget))
        sendRaw(net::toServer::justwatch(m_popupTarget, "1"));
}

void Tchat::UnsetJustWatch1Click() {
    if (m_state.connected && table::isPlayingSeat(m_popupTarget))
        sendRaw(net::toServer::justwatch(m_popupTarget, "2"));
}

void Tchat::kicking(int seat) {
    if (m_state.host && m_state.connected && seat >= 1 && seat <= table::kMaxSeat)
        sendRaw(net::toServer::kickhim(m_state.localSeat, seat));
}

void Tchat::justwatching(std::string_view args) {
    net::FieldReader f(args);
    const auto seat = f.takeInt();
    if (!seat || !table::isPlayingSeat(*seat)) return;
    const bool watching = f.takeText() == "1";
    if (*seat == m_state.localSeat) m_justWatch->setChecked(watching);
    addSystemLine(seatName(*seat) + (watching ? QStringLiteral(" is just watching")
                                              : QStringLiteral(" is now playing again")));
    items(*seat).eyes->setVisible(watching);
}
