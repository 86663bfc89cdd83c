// The self-playing seat: it keeps the last cards of the row for the crib, plays the first card
// that fits under 31, and closes each summary once the crib is shown.
#include "client/autoplay.h"

#include "client/tchat.h"

#include <utility>

namespace {

constexpr int kWatchdogMs = 250;
// A summary stays up this many watchdog steps at most waiting for the crib's line.
constexpr int kSummarySteps = 12;

} // namespace

AutoPlayer::AutoPlayer(Tchat& chat, int startWith, QString gameType, QString points,
                       QObject* parent)
    : QObject(parent), m_chat(chat), m_startWith(startWith), m_gameType(std::move(gameType)),
      m_points(std::move(points)) {
    m_watchdog.setInterval(kWatchdogMs);
    connect(&m_watchdog, &QTimer::timeout, this, &AutoPlayer::step);
    connect(&m_chat, &Tchat::messageHandled, this, &AutoPlayer::scheduleStep);
    // A host that waits for players to sit looks at the seats now and then.
    if (m_startWith > 0) m_watchdog.start();
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
    emit reportLine(line);
    emit finished(code);
}

void AutoPlayer::step() {
    if (m_finished) return;
    const TableModel& m = m_chat.model();
    if (!m.connected()) {
        if (m_wasConnected) finish(1, QStringLiteral("connection lost"));
        return;
    }
    m_wasConnected = true;
    if (m.localSeat() != m_reportedSeat) {
        m_reportedSeat = m.localSeat();
        emit reportLine(QStringLiteral("seat %1").arg(m.localSeat()));
    }
    if (m_chat.queueSize() > 0) return; // let the table catch up first

    if (m_started && m.winner() != 0) {
        QStringList scores;
        for (int seat = 1; seat <= table::playersOf(m.gameType()); ++seat)
            scores << QString::number(m.seat(seat).score);
        finish(0, m.status() + QStringLiteral(" scores ") + scores.join(QLatin1Char(' ')));
        return;
    }

    if (!m_started) {
        if (m.gameType() != 0 || m.phase() != 0) {
            m_started = true; // somebody else started it
            m_watchdog.start();
        } else if (m_startWith > 0 && m.isHost() && m.seatedPersons() >= m_startWith) {
            m_started = true;
            m_watchdog.start();
            emit startGameRequested(m_gameType, m_points);
        }
        return;
    }

    if (m.summaryOpen()) {
        if (m.shown(table::kCribBox) || ++m_summaryTicks > kSummarySteps) {
            m_summaryTicks = 0;
            m_chat.button_doneClick();
        }
        return;
    }
    if (m.turnSeat() != m.localSeat() || m.mayAct() < 1) return;
    if (m.phase() == 1 || m.phase() == 2)
        chooseCrib();
    else
        playCard();
}

void AutoPlayer::chooseCrib() {
    const TableModel& m = m_chat.model();
    const std::vector<int> row = m.rowPositions();
    const std::size_t need = m.phase() == 1 ? 2 : 1;
    if (row.size() < need) return;
    for (std::size_t i = 0; i < need; ++i) {
        const int pos = row[row.size() - 1 - i];
        if (!m.isRaised(pos)) m_chat.cardimagesMouseDown(pos, Qt::LeftButton);
    }
    m_chat.button_okClick();
}

void AutoPlayer::playCard() {
    const TableModel& m = m_chat.model();
    for (const int pos : m.rowPositions()) {
        if (m.isPlayable(pos)) {
            m_chat.cardimagesMouseDown(pos, Qt::LeftButton);
            return;
        }
    }
}
