// SIGTERM, SIGINT and SIGHUP close the program as its window's close does.
#include "client/quitsignals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

// Written before the handlers are installed and cleared after they are removed.
int s_writeEnd = -1;

// Only async-signal-safe calls here. A full pipe drops the signal: enough are waiting already.
extern "C" void noteSignal(int signal) {
    const int savedErrno = errno;
    const unsigned char number = static_cast<unsigned char>(signal);
    [[maybe_unused]] const ssize_t written = ::write(s_writeEnd, &number, 1);
    errno = savedErrno;
}

} // namespace

QuitSignals::QuitSignals(QObject* parent) : QObject(parent) {
    if (s_writeEnd >= 0) return;
    if (::pipe2(m_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        m_pipe[0] = m_pipe[1] = -1;
        return;
    }
    s_writeEnd = m_pipe[1];
    m_notifier = new QSocketNotifier(m_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &QuitSignals::readSignals);

    struct sigaction action = {};
    action.sa_handler = noteSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (size_t i = 0; i < std::size(kSignals); ++i) {
        sigaction(kSignals[i], &action, &m_previous[i]);
        // Started to ignore it (nohup, a background job): it stays ignored.
        if (m_previous[i].sa_handler == SIG_IGN) sigaction(kSignals[i], &m_previous[i], nullptr);
    }
}

QuitSignals::~QuitSignals() {
    if (!m_notifier) return;
    for (size_t i = 0; i < std::size(kSignals); ++i)
        sigaction(kSignals[i], &m_previous[i], nullptr);
    s_writeEnd = -1;
    delete m_notifier;
    ::close(m_pipe[0]);
    ::close(m_pipe[1]);
}

void QuitSignals::readSignals() {
    unsigned char numbers[64];
    for (;;) {
        const ssize_t n = ::read(m_pipe[0], numbers, sizeof numbers);
        if (n <= 0) {
            if (n < 0 && errno == EINTR) continue;
            return;
        }
        for (ssize_t i = 0; i < n; ++i) emit received(numbers[i]);
    }
}
