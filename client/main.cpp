// The program: one copy per desktop, the windows in their order, and the few hooks through
// which the client and the game server inside the same program meet.
//
// Usage: cribbage [options] [name host true|false]   (cribbage --help lists the options)
// The three parameters come from the lobby: the player's name, the host's address, and whether
// this copy hosts the table. Without them the program starts a solo game.
#include "chat/chatpanel.h"
#include "client/autoplay.h"
#include "client/options.h"
#include "client/quitsignals.h"
#include "client/tchat.h"
#include "server/tserver.h"
#include "settings/inifile.h"
#include "settings/tabout.h"
#include "settings/tdownload.h"
#include "settings/tgamestart.h"
#include "settings/thelp.h"
#include "settings/tphrases.h"
#include "settings/tspylist.h"
#include "settings/ttallylist.h"
#include "settings/userfiles.h"

#include <QApplication>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>

#include <cstdio>

namespace {

void setIdentity() {
    QCoreApplication::setApplicationName(QStringLiteral("Cribbage"));
    QCoreApplication::setApplicationVersion(QStringLiteral(CRIBBAGE_VERSION ".14"));
}

// A later copy finds the first one's marker, asks it to come forward, and ends.
bool raiseFirstCopy(const QString& marker) {
    QLocalSocket probe;
    probe.connectToServer(marker);
    if (!probe.waitForConnected(300)) return false;
    probe.write("raise");
    probe.waitForBytesWritten(300);
    probe.disconnectFromServer();
    return true;
}

} // namespace

int main(int argc, char** argv) {
    {
        QStringList raw;
        for (int i = 0; i < argc; ++i) raw << QString::fromLocal8Bit(argv[i]);
        const QStringList optionArgs = splitArguments(raw).first;
        if (wantsHelpOrVersion(optionArgs)) {
            // Answered without a display: the help must work in a plain terminal.
            QCoreApplication core(argc, argv);
            setIdentity();
            showHelpOrVersion(optionArgs);
        }
    }
    QApplication app(argc, argv);
    setIdentity();
    // Qt has taken its own options (-platform, -style, ...) out of the arguments by now.
    const auto [optionArgs, params] = splitArguments(QApplication::arguments());
    const auto read = readOptions(optionArgs, params, qEnvironmentVariable("CRIBBAGE_PORT"));
    if (const QString* error = std::get_if<QString>(&read)) {
        std::fprintf(stderr, "cribbage: %s\nTry 'cribbage --help'.\n", qPrintable(*error));
        return 2;
    }
    const Options& options = std::get<Options>(read);
    if (!options.filesDir.isEmpty()) UserFiles::setDirectoryOverride(options.filesDir);

    if (raiseFirstCopy(options.instance)) return 0;
    QLocalServer marker;
    if (!marker.listen(options.instance)) {
        // A marker left behind by a copy that crashed answers nobody; take it over.
        QLocalServer::removeServer(options.instance);
        marker.listen(options.instance);
    }

    QApplication::setQuitOnLastWindowClosed(false);

    // Held for the life of the process for the lobby's sake; the game never tests it.
    QLockFile mutex(QDir::temp().filePath(QStringLiteral("cribbage.lock")));
    mutex.tryLock(0);

    Tchat chat;
    Ttallylist tally;
    Tabout about;
    Tgamestart gamestart;
    Thelp help;
    Tphrases phrases;
    TServer server;
    Tspylist spylist;
    Tdownload download;

    QObject::connect(&marker, &QLocalServer::newConnection, &chat, [&marker, &chat] {
        while (QLocalSocket* other = marker.nextPendingConnection()) {
            other->deleteLater();
            if (chat.isMinimized()) chat.showNormal();
            chat.raise();
            chat.activateWindow();
        }
    });

    auto report = [](const QString& line) {
        std::printf("autoplay: %s\n", qPrintable(line));
        std::fflush(stdout);
    };
    chat.listenHook = [&server, &options, report](quint16 port) -> quint16 {
        const quint16 listening = server.listen(port) ? server.listeningPort() : 0;
        if (options.autoplay && listening != 0) report(QStringLiteral("hosting on port %1").arg(listening));
        return listening;
    };
    server.setBotSpeedSource([&chat, &options] {
        return options.botSpeed > 0 ? options.botSpeed : chat.botSpeed();
    });
    chat.onClosed = [] { QCoreApplication::quit(); };
    // Until the settings file is read here, loading at login shows the start window's current
    // choices, which draws its option boxes.
    // The game start window's choices live in the settings file with the rest.
    chat.gameChoices = [&gamestart] {
        return std::make_pair(gamestart.ptsChoice(), gamestart.gtChoice());
    };
    chat.selectGameChoices = [&gamestart](const QString& points, const QString& type) {
        gamestart.selectpts(points.isEmpty() ? gamestart.ptsChoice() : points);
        gamestart.selectgt(type.isEmpty() ? gamestart.gtChoice() : type);
    };

    // The other seats' names, as the tally counts them.
    auto otherSeatNames = [&chat] {
        QStringList names;
        for (int seat = 1; seat <= 4; ++seat)
            if (seat != chat.state().localSeat) names << chat.seatName(seat);
        return names;
    };
    chat.onAddGame = [&tally, &chat, otherSeatNames](const QString& winner,
                                                     const QString& partner) {
        const QString error = tally.addgame(winner, partner, otherSeatNames());
        if (!error.isEmpty()) chat.addSystemLine(error);
    };
    if (!tally.loadMessage().isEmpty()) chat.addSystemLine(tally.loadMessage());

    chat.onSpectators = [&spylist](const QStringList& entries) {
        for (const QString& entry : spylist.entries())
            if (!entries.contains(entry)) spylist.removeSpy(entry);
        for (const QString& entry : entries)
            if (!spylist.hasSpy(entry)) spylist.addSpy(entry);
    };
    chat.onHosting = [&spylist] { spylist.setHosting(true); };
    spylist.kicking = [&chat](int seat) { chat.kicking(seat); };

    help.showAbout = [&about] {
        about.show();
        about.raise();
    };
    phrases.applyPhrases = [&chat](const QStringList& texts) {
        std::array<QString, PhraseCount> stored;
        for (int n = 1; n <= PhraseCount && n <= texts.size(); ++n) {
            chat.chatPanel()->setPhrase(n, texts[n - 1]);
            stored[size_t(n - 1)] = texts[n - 1];
        }
        const QString error = savePhrases(stored);
        if (!error.isEmpty()) chat.addSystemLine(error);
    };
    download.closeMainWindow = [&chat] { chat.close(); };

    gamestart.sendHook = [&chat](const std::string& message) { chat.sendRaw(message); };
    gamestart.ownName = [&chat] { return chat.ownName(); };
    gamestart.onSave = [&chat] { chat.saveinifile(); };

    chat.showSideWindow = [&](const QString& name) {
        QWidget* window = nullptr;
        if (name == QLatin1String("phrases")) {
            QStringList current;
            for (int n = 1; n <= PhraseCount; ++n) current << chat.chatPanel()->phrase(n);
            phrases.PrhaseList1Click(current);
            return;
        }
        if (name == QLatin1String("tally")) {
            tally.ViewTally1Click(otherSeatNames());
            return;
        }
        if (name == QLatin1String("weblink")) {
            about.webAddressClick();
            return;
        }
        if (name == QLatin1String("gamestart"))
            window = &gamestart;
        else if (name == QLatin1String("download"))
            window = &download;
        else if (name == QLatin1String("spylist"))
            window = &spylist;
        else if (name == QLatin1String("help"))
            window = &help;
        else if (name == QLatin1String("about"))
            window = &about;
        if (!window) return;
        window->show();
        window->raise();
    };

    std::unique_ptr<AutoPlayer> autoplayer;
    if (options.autoplay) {
        autoplayer = std::make_unique<AutoPlayer>(chat, options.startWith, options.gameType,
                                                  options.points);
        autoplayer->report = report;
        autoplayer->seatedPlayers = [&server] {
            int seated = 0;
            for (int n = 1; n <= 4; ++n)
                if (server.player(n).connected && !server.player(n).name.empty()) ++seated;
            return seated;
        };
        autoplayer->startGame = [&gamestart](const QString& gameType, const QString& points) {
            gamestart.selectgt(gameType);
            gamestart.selectpts(points);
            gamestart.button_startClick();
        };
        autoplayer->onFinished = [](int code) {
            // A moment for the last messages to leave before the window closes.
            QTimer::singleShot(200, [code] { QCoreApplication::exit(code); });
        };
        // Nothing may wait for a click on a message box.
        chat.showMessage = report;
    }

    // A logout, a shutdown or Ctrl+C closes the window as the player would.
    QuitSignals quitSignals;
    QObject::connect(&quitSignals, &QuitSignals::received, &chat, [&chat] { chat.close(); });

    chat.setPort(options.port);
    chat.setStartParameters(options.params);
    chat.show();
    const int code = app.exec();
    autoplayer.reset();
    // A tally that cannot be written was said when the game ended; it is said again on the way
    // out, where a terminal or a log still hears it.
    if (const QString error = tally.FormDestroy(); !error.isEmpty()) {
        chat.addSystemLine(error);
        std::fprintf(stderr, "cribbage: %s\n", qPrintable(error));
    }
    return code;
}
