// The self-playing seat: it keeps the last cards of the row for the crib, plays the first card
// that fits under 31, and closes each summary once the crib is shown.
#include "client/autoplay.h"

#include "client/tchat.h"
#include "rules/cards.h"

#include <QLabel>
#include <QListWidget>
#include <utility>
#include <vector>

namespace {

constexpr int kWatchdogMs = 250;
// A summary stays up this many watchdog steps at most waiting for the crib's line.
constexpr int kSummarySteps = 12;

bool visible(const QWidget* w) {
    return w && !w->isHidden();
}

} // namespace

AutoPlayer::AutoPlayer(Tchat& chat, int startWith, QString gameType, QString points,
                       QObject* parent)
    : QObject(parent), m_chat(chat), m_startWith(startWith), m_gameType(std::move(gameType)),
      m_points(std::move(points)) {
    m_watchdog.setInterval(kWatchdogMs);
    connect(&m_watchdog, &QTimer::timeout, this, &AutoPlayer::step);
    m_chainedHandled = std::move(m_chat.onHandled);
    m_chat.onHandled = [this](std::string_view command) {
        if (m_chainedHandled) m_chainedHandled(command);
        scheduleStep();
    };
    // A host that waits for players to sit looks at the server's seats now and then.
    if (m_startWith > 0) m_watchdog.start();
}

AutoPlayer::~AutoPlayer() {
    m_chat.onHandled = std::move(m_chainedHandled);
}

// Once the message being handled has done its work.
void AutoPlayer::scheduleStep() {
    if (m_stepPending || m_finished) return;
    m_stepPending = true;
    QTimer::singleShot(0, this, [this] {
        m_stepPending = false;
        step();
    });
}

void AutoPlayer::finish(int code, const QString& line) {
    if (m_finished) return;
    m_finished = true;
    m_watchdog.stop();
    if (report) report(line);
    if (onFinished) onFinished(code);
}

void AutoPlayer::step() {
    if (m_finished) return;
    const table::State& s = m_chat.state();
    if (!s.connected) {
        if (m_wasConnected) finish(1, QStringLiteral("connection lost"));
        return;
    }
    m_wasConnected = true;
    if (s.localSeat != m_reportedSeat) {
        m_reportedSeat = s.localSeat;
        if (report) report(QStringLiteral("seat %1").arg(s.localSeat));
    }
    if (m_chat.queueSize() > 0) return; // let the table catch up first

    const auto* status = m_chat.findChild<QLabel*>(QStringLiteral("label_status"));
    const QString text = status ? status->text() : QString();
    if (m_started && text.contains(QLatin1String("on the Game"), Qt::CaseInsensitive)) {
        QStringList scores;
        for (int seat = 1; seat <= table::playersOf(s.gameType); ++seat) {
            const auto* label = m_chat.findChild<QLabel*>(QStringLiteral("label_score%1").arg(seat));
            scores << (label ? label->text() : QStringLiteral("?"));
        }
        finish(0, text + QStringLiteral(" scores ") + scores.join(QLatin1Char(' ')));
        return;
    }

    if (!m_started) {
        if (s.gameType != 0 || s.phase != 0) {
            m_started = true; // somebody else started it
            m_watchdog.start();
        } else if (m_startWith > 0 && s.host && seatedPlayers && startGame &&
                   seatedPlayers() >= m_startWith) {
            m_started = true;
            m_watchdog.start();
            startGame(m_gameType, m_points);
        }
        return;
    }

    auto* done = m_chat.findChild<QWidget*>(QStringLiteral("button_done"));
    if (visible(m_chat.findChild<QWidget*>(QStringLiteral("panel_final"))) && visible(done)) {
        const auto* crib = m_chat.findChild<QListWidget*>(QStringLiteral("listbox_final5"));
        if ((crib && crib->count() > 0) || ++m_summaryTicks > kSummarySteps) {
            m_summaryTicks = 0;
            m_chat.button_doneClick();
        }
        return;
    }
    if (s.turnSeat != s.localSeat || s.mayAct < 1) return;
    if (s.phase == 1 || s.phase == 2)
        chooseCrib();
    else
        playCard();
}

// The hand positions of the row, left to right.
static std::vector<int> rowPositions(const table::State& s) {
    std::vector<int> positions;
    for (int slot = 1; slot <= table::kSlots; ++slot) {
        const int pos = s.handSlots[slot];
        if (pos >= 1 && pos <= table::kMaxHandPos && s.hand[pos].held) positions.push_back(pos);
    }
    return positions;
}

bool AutoPlayer::chooseCrib() {
    const table::State& s = m_chat.state();
    const std::vector<int> row = rowPositions(s);
    const size_t need = s.phase == 1 ? 2 : 1;
    if (row.size() < need) return false;
    for (size_t i = 0; i < need; ++i) {
        const int pos = row[row.size() - 1 - i];
        if (!s.hand[pos].raised) m_chat.cardimagesMouseDown(pos, Qt::LeftButton);
    }
    m_chat.button_okClick();
    return true;
}

bool AutoPlayer::playCard() {
    const table::State& s = m_chat.state();
    const auto* running = m_chat.findChild<QLabel*>(QStringLiteral("label_running"));
    const QString text = running ? running->text() : QString();
    const int total = text.mid(text.lastIndexOf(QLatin1Char(' ')) + 1).toInt();
    for (const int pos : rowPositions(s)) {
        if (total + rules::countValue(s.hand[pos].code) <= 31) {
            m_chat.cardimagesMouseDown(pos, Qt::LeftButton);
            return true;
        }
    }
    return false;
}
