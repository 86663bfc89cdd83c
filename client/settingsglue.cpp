// Tchat's chat panel and its settings: what the settings file holds goes in and out here.
#include "client/tchat.h"

#include "chat/chatpanel.h"
#include "client/hintadvisor.h"
#include "settings/inifile.h"

#include <QAction>
#include <QEvent>
#include <QScreen>
#include <climits>
#include <functional>

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

    // A key the player set through a menu, to be written even where the value stayed.
    void choose(IniKey key) { m_chosen |= key; }

    IniKeys keysToWrite() {
        IniKeys chosen = m_chosen;
        m_chosen = {};
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
            m_changes.setStartGeometry(QRect(m_window->pos(), m_window->size()));
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
    IniKeys m_chosen;
    MenuMarks m_startMarks;
    bool m_drawn = false;
};

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
    new SettingsTracker(this, [this] { return currentSettings(); });
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
    m_computerLevel = ini.computerLevel;
    showComputerLevel();
    applyDiscardValues(ini.discardValues);
    // A window stored larger than the zoom asks keeps its size; the table fits it.
    applyZoom(ini.zoom, true);
    if (auto* tracker = findChild<SettingsTracker*>(QString(), Qt::FindDirectChildrenOnly))
        tracker->setLoaded();
    emit settingsLoaded();
}

// The settings as the window holds them now.
IniSettings Tchat::currentSettings() const {
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
    ini.computerLevel = m_computerLevel;
    ini.discardValues = m_hints->showDiscardValues();
    ini.zoom = m_zoom;
    return ini;
}

void Tchat::saveinifile() {
    auto* tracker = findChild<SettingsTracker*>(QString(), Qt::FindDirectChildrenOnly);
    const IniKeys keys = tracker ? tracker->keysToWrite() : AllIniKeys;
    // A full disk or a read-only folder is said once; the game goes on.
    const QString error =
        m_saveErrors.filter(::saveinifile(currentSettings(), UserFiles::settingsPath(), keys));
    if (!error.isEmpty()) addSystemLine(error);
    emit settingsSaved();
}

void Tchat::saveChoice(IniKey key) {
    if (auto* tracker = findChild<SettingsTracker*>(QString(), Qt::FindDirectChildrenOnly))
        tracker->choose(key);
    saveinifile();
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

#include "settingsglue.moc"
