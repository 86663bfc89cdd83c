// SIGTERM, SIGINT and SIGHUP (a logout, a shutdown, Ctrl+C, a closed terminal) end the program as
// closing its window does, so the settings and the tally are written on the way out.
#pragma once

#include <QObject>

#include <csignal>

class QSocketNotifier;

// The signal handler itself only writes the signal's number into a pipe; the event loop reads it
// and reports it, so everything the program does about it runs on its one thread. A signal the
// program was started to ignore (nohup) stays ignored. One at a time: a second object while the
// first lives installs nothing.
class QuitSignals : public QObject {
    Q_OBJECT
public:
    explicit QuitSignals(QObject* parent = nullptr);
    // Puts back the handlers that were there before.
    ~QuitSignals() override;
    QuitSignals(const QuitSignals&) = delete;
    QuitSignals& operator=(const QuitSignals&) = delete;

    // The handlers are in place.
    bool isActive() const { return m_notifier != nullptr; }

signals:
    // On the event loop, once per signal caught.
    void received(int signal);

private:
    void readSignals();

    int m_pipe[2] = {-1, -1};
    QSocketNotifier* m_notifier = nullptr;
    struct sigaction m_previous[3] = {};
};
