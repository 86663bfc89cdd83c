// Waiting in tests: for a condition, on the event loop, never for a fixed time. The deadline is
// generous, so a busy machine or a sanitizer build makes a test slower, never red.
#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>

inline constexpr int kSpinPatienceMs = 30000;

template <class Done> bool spinUntil(Done done, int ms = kSpinPatienceMs) {
    QDeadlineTimer deadline(ms);
    while (!done()) {
        if (deadline.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}
