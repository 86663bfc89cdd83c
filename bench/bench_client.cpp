// Time from the server's send to the client's handling of the message, over loopback: the
// program's own server and main window in one process, as on the host's desk. Each chat line
// is sent to an idle table (2 ms after the last one was handled), so the figure is what one
// message costs, not how a backlog drains.
//
// Usage: bench_client [messages]   (default 2000)
#include "client/prompts.h"
#include "client/tchat.h"
#include "net/message.h"
#include "server/tserver.h"
#include "settings/userfiles.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

template <class Done> bool spinUntil(Done done, int ms) {
    QDeadlineTimer deadline(ms);
    while (!done()) {
        if (deadline.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    }
    return true;
}

void pause(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

double percentile(const std::vector<double>& sorted, double p) {
    const auto at = static_cast<std::size_t>(p / 100.0 * double(sorted.size() - 1) + 0.5);
    return sorted[std::min(at, sorted.size() - 1)];
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int count = argc > 1 ? std::max(10, std::atoi(argv[1])) : 2000;

    QTemporaryDir files;
    UserFiles::setDirectoryOverride(files.path());
    TServer server;
    Tchat chat;
    chat.setPort(0);
    QObject::connect(&chat, &Tchat::listenRequested, [&](quint16 port) {
        chat.serverListening(server.listen(port) ? server.listeningPort() : 0);
    });
    struct : Prompts {
        void tell(QWidget*, const QString&) override {}
        bool ask(QWidget*, const QString&) override { return true; }
    } quiet;
    chat.setPrompts(&quiet);
    chat.show();
    chat.processparams({});
    if (!spinUntil([&] { return chat.model().connected() && chat.model().localSeat() == 1; },
                   10000)) {
        std::fprintf(stderr, "bench_client: the client did not log in\n");
        return 1;
    }
    pause(200);
    spinUntil([&] { return chat.queueSize() == 0; }, 5000);

    QElapsedTimer clock;
    clock.start();
    qint64 sentAt = 0;
    bool waiting = false;
    std::vector<double> micros;
    micros.reserve(std::size_t(count));
    QObject::connect(&chat, &Tchat::messageHandled, [&](const std::string& command) {
        if (!waiting || command != "CMD_chat") return;
        micros.push_back(double(clock.nsecsElapsed() - sentAt) / 1000.0);
        waiting = false;
    });
    for (int i = 0; i < count; ++i) {
        pause(2);
        const std::string line = "Rori chats: line " + std::to_string(i);
        waiting = true;
        sentAt = clock.nsecsElapsed();
        server.sendTo(1, net::toClient::chat(2, line));
        if (!spinUntil([&] { return !waiting; }, 5000)) {
            std::fprintf(stderr, "bench_client: message %d was never handled\n", i);
            return 1;
        }
    }
    std::sort(micros.begin(), micros.end());
    std::printf("server send to client handling over loopback, %d chat lines, microseconds:\n",
                count);
    std::printf("  min %.0f  median %.0f  p90 %.0f  p99 %.0f  max %.0f\n", micros.front(),
                percentile(micros, 50), percentile(micros, 90), percentile(micros, 99),
                micros.back());
    return 0;
}
