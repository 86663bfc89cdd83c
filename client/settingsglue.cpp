// Tchat's chat panel and its settings: what the settings file holds goes in and out here.
#include "client/tchat.h"

#include "chat/chatpanel.h"
#include "settings/inifile.h"

#include <QAction>
#include <QEvent>

namespace {

// The checked entry of each menu whose choice may equal the value the window already had (the
// bot speed and the text size start with no entry checked).
struct MenuMarks {
    QString botSpeed;
    QString textSize;
};

MenuMarks menuMarks(const QObject* window) {
    MenuMarks marks;
    for (const QAction* a : window->findChildren<QAction*>()) {
        if (!a->isChecked()) continue;
        const QString n = a->objectName();
        if (n == QLatin1String("Slow1") || n == QLatin1String("Normal1") ||
            n == QLatin1String("Fast1"))
            marks.botSpeed = n;
        else if (n == QLatin1String("N8") || n == QLatin1String("N10") ||
                 n == QLatin1String("N12") || n == QLatin1String("N14"))
            marks.textSize = n;
    }
    return marks;
}

// Beside the window until it closes: what the player changed before the settings file was read
// (IniChanges), and the window as it first appeared, to tell those changes apart.
class SettingsTracker : public QObject {
    Q_OBJECT
public:
    SettingsTracker(Tchat* window, std::function<IniSettings()> current)
        : QObject(window), m_window(window), m_current(std::move(current)) {
        setObjectName(QStringLiteral("settingsTracker"));
        window->installEventFilter(this);
    }

    IniKeys keysToWrite() {
        IniKeys chosen;
        if (m_changes.started()) {
            const MenuMarks now = menuMarks(m_window);
            if (now.botSpeed != m_startMarks.botSpeed) chosen |= IniKey::Botspeed;
            if (now.textSize != m_startMarks.textSize) chosen |= IniKey::Textsize;
        }
        return m_changes.keysToWrite(m_current(), chosen);
    }
    void setLoaded() { m_changes.setLoaded(); }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != m_window) return false;
        switch (event->type()) {
        case QEvent::Show:
            if (!m_changes.started()) {
                m_changes.setStart(m_current());
                m_startMarks = menuMarks(m_window);
            }
            break;
        // The desktop may still place the window after it was shown (and not always with a
        // move event); nobody can have moved it before it was first drawn or activated.
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Paint:
        case QEvent::UpdateRequest:
        case QEvent::WindowActivate:
            if (!m_changes.started() || m_drawn) break;
            m_changes.setStartGeometry(m_window->geometry());
            m_drawn = event->type() != QEvent::Move && event->type() != QEvent::Resize;
            break;
        default:
            break;
        }
        return false;
    }

private:
    Tchat* m_window;
    std::function<IniSettings()> m_current;
    IniChanges m_changes;
    MenuMarks m_startMarks;
    bool m_drawn = false;
};

// The settings as the window holds them now.
IniSettings currentSettings(const Tchat& window, const ChatPanel& panel,
                            const std::function<std::pair<QString, QString>()>& gameChoices) {
    IniSettings ini;
    ini.setGeometry(window.geometry());
    ini.textSize = panel.textSize();
    ini.turnSound = panel.turnSound();
    ini.chatterSounds = panel.playChatterSounds();
    ini.textColor = panel.chatColourText();
    if (gameChoices) {
        const auto [points, type] = gameChoices();
        ini.playToScore = points;
        ini.gameType = type;
    }
    ini.botSpeed = window.botSpeed();
    ini.playSounds = panel.playSounds();
    return ini;
}

} // namespace

void Tchat::buildChat() {
    m_chatPanel = new ChatPanel(this);
    m_chatPanel->setObjectName(QStringLiteral("chatpanel"));
    m_chatPanel->send = [this](const std::string& message) {
        sendRaw(message);
        updateTimer(); // a phrase closes the gate, which Timer1 counts open again
    };
    m_chatPanel->localSeat = [this] { return m_state.localSeat; };
    m_chatPanel->connected = [this] { return m_state.connected; };
    m_chatPanel->seatName = [this](int seat) { return seatName(seat); };
    m_chatPanel->settingsChanged = [this] { saveinifile(); };
    m_chatPanel->showMessage = [this](const QString& text) {
        if (showMessage) showMessage(text);
    };
    new SettingsTracker(this, [this] { return currentSettings(*this, *m_chatPanel, gameChoices); });
}

void Tchat::loadinifile() {
    QString error;
    const IniSettings ini = ::loadinifile(UserFiles::settingsPath(), &error);
    if (!error.isEmpty()) addSystemLine(error);

    m_chatPanel->setTextSize(ini.textSize);
    m_savedGeometry = ini.geometry();
    setGeometry(m_savedGeometry);
    m_chatPanel->setTurnSound(ini.turnSound);
    m_chatPanel->setPlayChatterSounds(ini.chatterSounds);
    m_chatPanel->setChatColourText(ini.textColor);
    if (selectGameChoices) selectGameChoices(ini.playToScore, ini.gameType);
    m_botSpeed = ini.botSpeed;
    for (QAction* a : findChildren<QAction*>()) {
        const QString n = a->objectName();
        if (n == QLatin1String("Slow1") || n == QLatin1String("Normal1") ||
            n == QLatin1String("Fast1"))
            a->setChecked(a->data().toInt() == m_botSpeed);
    }
    for (int n = 1; n <= PhraseCount; ++n)
        if (!ini.phrases[size_t(n - 1)].isEmpty())
            m_chatPanel->setPhrase(n, ini.phrases[size_t(n - 1)]);
    m_chatPanel->setPlaySounds(ini.playSounds);
    if (auto* tracker = findChild<SettingsTracker*>(QString(), Qt::FindDirectChildrenOnly))
        tracker->setLoaded();
    if (onLoadIni) onLoadIni();
}

void Tchat::saveinifile() {
    const IniSettings ini = currentSettings(*this, *m_chatPanel, gameChoices);
    auto* tracker = findChild<SettingsTracker*>(QString(), Qt::FindDirectChildrenOnly);
    const IniKeys keys = tracker ? tracker->keysToWrite() : AllIniKeys;
    const QString error = ::saveinifile(ini, UserFiles::settingsPath(), keys);
    // A full disk or a read-only folder is said once; the game goes on.
    if (!error.isEmpty() && error != m_lastSaveError) addSystemLine(error);
    m_lastSaveError = error;
    if (onSaveIni) onSaveIni();
}

#include "settingsglue.moc"
