// Tchat's chat panel and its settings: what the settings file holds goes in and out here.
#include "client/tchat.h"

#include "chat/chatpanel.h"
#include "settings/inifile.h"

#include <QAction>
#include <QScreen>
#include <climits>

namespace {

// The chat beside the table: its message boxes go where the window's own go.
class TableChat final : public ChatPanel {
public:
    explicit TableChat(Tchat* owner) : ChatPanel(owner), m_owner(owner) {}

protected:
    void showMessage(const QString& text) override { m_owner->tellPlayer(text); }

private:
    Tchat* m_owner;
};

} // namespace

void Tchat::buildChat() {
    m_chatPanel = new TableChat(this);
    m_chatPanel->setObjectName(QStringLiteral("chatpanel"));
    connect(m_chatPanel, &ChatPanel::messageReady, this, &Tchat::sendRaw);
    connect(m_chatPanel, &ChatPanel::settingsChanged, this, &Tchat::saveinifile);
    connect(&m_model, &TableModel::connectionChanged, m_chatPanel, [this] {
        m_chatPanel->setLocalSeat(m_model.localSeat());
        m_chatPanel->setConnected(m_model.connected());
    });
    connect(&m_model, &TableModel::seatChanged, m_chatPanel,
            [this](int seat) { m_chatPanel->setSeatName(seat, m_model.seatName(seat)); });
    for (int seat = 1; seat <= table::kSeats; ++seat)
        m_chatPanel->setSeatName(seat, m_model.seatName(seat));
}

void Tchat::loadinifile() {
    QString error;
    const IniSettings ini = ::loadinifile(UserFiles::settingsPath(), &error);
    if (!error.isEmpty()) addSystemLine(error);

    m_chatPanel->setTextSize(ini.textSize);
    // A stored size below the window's minimum is the size the window takes; kept as that, an
    // unmoved window has nothing to write at its close.
    m_savedGeometry = fittedGeometry(ini.geometry());
    placeWindow(m_savedGeometry);
    m_chatPanel->setTurnSound(ini.turnSound);
    m_chatPanel->setPlayChatterSounds(ini.chatterSounds);
    m_chatPanel->setChatColourText(ini.textColor);
    emit gameChoicesLoaded(ini.playToScore, ini.gameType);
    m_botSpeed = ini.botSpeed;
    for (QAction* a : findChildren<QAction*>()) {
        const QString n = a->objectName();
        if (n == QLatin1String("Slow1") || n == QLatin1String("Normal1") ||
            n == QLatin1String("Fast1"))
            a->setChecked(a->data().toInt() == m_botSpeed);
    }
    for (std::size_t n = 1; n <= PhraseCount; ++n)
        if (!ini.phrases[n - 1].isEmpty()) m_chatPanel->setPhrase(int(n), ini.phrases[n - 1]);
    m_chatPanel->setPlaySounds(ini.playSounds);
    emit settingsLoaded();
}

void Tchat::saveinifile() {
    IniSettings ini;
    ini.setGeometry(QRect(pos(), size()));
    ini.textSize = m_chatPanel->textSize();
    ini.turnSound = m_chatPanel->turnSound();
    ini.chatterSounds = m_chatPanel->playChatterSounds();
    ini.textColor = m_chatPanel->chatColourText();
    ini.playToScore = m_points;
    ini.gameType = m_gameTypeChoice;
    ini.botSpeed = m_botSpeed;
    ini.playSounds = m_chatPanel->playSounds();
    // A full disk or a read-only folder is said once; the game goes on.
    const QString error = m_saveErrors.filter(::saveinifile(ini, UserFiles::settingsPath()));
    if (!error.isEmpty()) addSystemLine(error);
    emit settingsSaved();
}

void Tchat::applyPhrases(const QStringList& texts) {
    std::array<QString, PhraseCount> stored;
    for (int n = 1; n <= PhraseCount && n <= texts.size(); ++n) {
        m_chatPanel->setPhrase(n, texts[n - 1]);
        stored[std::size_t(n - 1)] = texts[n - 1];
    }
    const QString error = savePhrases(stored);
    if (!error.isEmpty()) addSystemLine(error);
}

QRect Tchat::fittedGeometry(const QRect& wanted) const {
    return QRect(wanted.topLeft(), wanted.size().expandedTo(minimumSizeHint()));
}

// The frame goes to the place, not the inside: under a window manager a title bar above the
// screen's top could not be dragged.
void Tchat::placeWindow(const QRect& place) {
    move(place.topLeft());
    resize(place.size());
}

void Tchat::ResetScreenLocation1Click() {
    placeWindow(fittedGeometry(defaultWindowGeometry()));
}

// Only a moved or resized window is worth writing down.
void Tchat::storeWindowPlace() {
    const QScreen* screen = this->screen();
    const QSize area = screen ? screen->availableGeometry().size() : QSize(INT_MAX, INT_MAX);
    const auto kept = geometryToStore(QRect(pos(), size()), m_savedGeometry, area);
    if (!kept) return;
    m_savedGeometry = *kept;
    if (kept->size() != size()) resize(kept->size());
    saveinifile();
}
