// cribbage-server: the game server without any window, for a table on a machine without a
// desktop and for simulations.
#include "rules/random.h"
#include "server/tserver.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int g_signalFd = -1;

// Only a write to the pipe: the event loop does the rest.
void onSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(g_signalFd, &byte, 1);
}

void logLine(const std::string& line) {
    std::fprintf(stderr, "cribbage-server: %s\n", line.c_str());
    std::fflush(stderr);
}

int usage(const QCommandLineParser& parser, const QString& error) {
    std::fprintf(stderr, "cribbage-server: %s\n\n%s", qPrintable(error),
                 qPrintable(parser.helpText()));
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("cribbage-server"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Hosts a cribbage table without a window."));
    parser.addHelpOption();
    const QCommandLineOption portOption(QStringList{QStringLiteral("p"), QStringLiteral("port")},
                                        QStringLiteral("TCP port to listen on (default 7772)."),
                                        QStringLiteral("N"), QStringLiteral("7772"));
    const QCommandLineOption speedOption(
        QStringList{QStringLiteral("b"), QStringLiteral("bot-speed")},
        QStringLiteral("Interval of the computer players in ms: 2000, 1000, 500, or any value "
                       "from 1 (default 1000)."),
        QStringLiteral("MS"), QStringLiteral("1000"));
    const QCommandLineOption seedOption(
        QStringList{QStringLiteral("s"), QStringLiteral("seed")},
        QStringLiteral("Seed of the generator, to replay a game (default: from the clock)."),
        QStringLiteral("N"));
    const QCommandLineOption computerOption(
        QStringList{QStringLiteral("c"), QStringLiteral("computer")},
        QStringLiteral("How the computer players play: classic or expert (default classic)."),
        QStringLiteral("LEVEL"), QStringLiteral("classic"));
    parser.addOption(portOption);
    parser.addOption(speedOption);
    parser.addOption(seedOption);
    parser.addOption(computerOption);

    if (!parser.parse(QCoreApplication::arguments())) return usage(parser, parser.errorText());
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"))) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        return 0;
    }
    if (!parser.positionalArguments().isEmpty())
        return usage(
            parser,
            QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().first()));

    bool ok = false;
    const uint port = parser.value(portOption).toUInt(&ok);
    if (!ok || port > 65535)
        return usage(parser, QStringLiteral("bad port '%1'").arg(parser.value(portOption)));
    const int speed = parser.value(speedOption).toInt(&ok);
    if (!ok || speed < 1)
        return usage(parser, QStringLiteral("bad bot speed '%1'").arg(parser.value(speedOption)));
    const QString levelName = parser.value(computerOption);
    if (levelName != QStringLiteral("classic") && levelName != QStringLiteral("expert"))
        return usage(parser,
                     QStringLiteral("bad computer level '%1' (classic or expert)").arg(levelName));
    const ComputerLevel level =
        levelName == QStringLiteral("expert") ? ComputerLevel::Expert : ComputerLevel::Classic;
    if (parser.isSet(seedOption)) {
        const uint seed = parser.value(seedOption).toUInt(&ok);
        if (!ok)
            return usage(parser, QStringLiteral("bad seed '%1'").arg(parser.value(seedOption)));
        rules::setRandomSeed(seed);
    } else {
        rules::seedRandomFromClock();
    }

    int fds[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, fds) != 0) {
        std::perror("cribbage-server: socketpair");
        return 1;
    }
    g_signalFd = fds[0];
    QSocketNotifier notifier(fds[1], QSocketNotifier::Read);
    QObject::connect(&notifier, &QSocketNotifier::activated, &app, [&] {
        char byte;
        [[maybe_unused]] const auto got = ::read(fds[1], &byte, 1);
        logLine("stopping");
        QCoreApplication::quit();
    });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);

    TServer server;
    server.setBotSpeedSource([speed] { return speed; });
    server.setComputerLevelSource([level] { return level; });
    server.setLogSink(logLine);
    if (!server.listen(quint16(port))) {
        logLine(server.lastError().toStdString());
        return 1;
    }
    logLine("listening on port " + std::to_string(server.listeningPort()));
    const int rc = app.exec();
    notifier.setEnabled(false);
    ::close(fds[0]);
    ::close(fds[1]);
    return rc;
}
