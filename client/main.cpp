// The program: one copy per desktop, the windows in their order, and the connects through which
// they, and the client and the game server inside the same program, meet.
//
// Usage: cribbage [options] [name host true|false]   (cribbage --help lists the options)
// The three parameters come from the lobby: the player's name, the host's address, and whether
// this copy hosts the table; options may stand before, between or after them. Without them the
// program starts a solo game.
#include "chat/chatpanel.h"
#include "client/autoplay.h"
#include "client/dealhistory.h"
#include "client/options.h"
#include "client/prompts.h"
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
        std::fprintf(stderr, "cribbage: %s\n%s\n", qPrintable(*error),
                     qPrintable(QCoreApplication::translate("Options", "Try 'cribbage --help'.")));
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
    // The one place where the client and the game server inside the program meet. A solo game
    // (started without the lobby's parameters) is nobody else's business: its server takes
    // connections from this machine only. A hosted table is open to the network.
    const TServer::ListenOn reach = options.params.isEmpty() ? TServer::ListenOn::LoopbackOnly
                                                             : TServer::ListenOn::AllInterfaces;
    QObject::connect(&chat, &Tchat::listenRequested, &server, [&, reach](quint16 port) {
        const quint16 listening = server.listen(port, reach) ? server.listeningPort() : 0;
        if (options.autoplay && listening != 0)
            report(QStringLiteral("hosting on port %1").arg(listening));
        chat.serverListening(listening);
    });
    QObject::connect(&chat, &Tchat::ownConnectionStarted, &server, &TServer::reserveHostConnection);
    server.setBotSpeedSource(
        [&chat, &options] { return options.botSpeed > 0 ? options.botSpeed : chat.botSpeed(); });
    // Read at each decision, so a change in the menu holds from the next card on.
    server.setComputerLevelSource([&chat] {
        return chat.computerLevel() == 1 ? ComputerLevel::Expert : ComputerLevel::Classic;
    });
    QObject::connect(&chat, &Tchat::closed, &app, &QCoreApplication::quit);

    // The game start window's choices live in the settings file with the rest.
    QObject::connect(&chat, &Tchat::gameChoicesLoaded, &gamestart, &Tgamestart::selectChoices);
    QObject::connect(&gamestart, &Tgamestart::choicesChanged, &chat, &Tchat::setGameChoices);
    QObject::connect(&gamestart, &Tgamestart::startRequested, &chat, &Tchat::startGame);

    // The other seats' names, as the tally counts them.
    const TableModel& table = chat.model();
    DealHistory dealHistory(table);
    auto otherSeatNames = [&table] {
        QStringList names;
        for (int seat = 1; seat <= 4; ++seat)
            if (seat != table.localSeat()) names << table.seatName(seat);
        return names;
    };
    QObject::connect(
        &chat, &Tchat::gameRecorded, &tally,
        [&tally, &chat, otherSeatNames](const QString& winner, const QString& partner) {
            const QString error = tally.addgame(winner, partner, otherSeatNames());
            if (!error.isEmpty()) chat.addSystemLine(error);
        });
    if (!tally.loadMessage().isEmpty()) chat.addSystemLine(tally.loadMessage());

    QObject::connect(&table, &TableModel::spectatorsChanged, &spylist,
                     [&spylist, &table] { spylist.setSpectators(table.spectatorEntries()); });
    QObject::connect(&table, &TableModel::connectionChanged, &spylist,
                     [&spylist, &table] { spylist.setHosting(table.isHost()); });
    QObject::connect(&spylist, &Tspylist::kickRequested, &chat, &Tchat::kicking);

    QObject::connect(&help, &Thelp::aboutRequested, &about, [&about] {
        about.show();
        about.raise();
    });
    QObject::connect(&phrases, &Tphrases::phrasesApplied, &chat, &Tchat::applyPhrases);
    QObject::connect(&download, &Tdownload::closeMainWindowRequested, &chat, &QWidget::close);

    QObject::connect(&chat, &Tchat::sideWindowRequested, &chat, [&](Tchat::SideWindow which) {
        QWidget* window = nullptr;
        switch (which) {
        case Tchat::SideWindow::Phrases: {
            QStringList current;
            for (int n = 1; n <= PhraseCount; ++n) current << chat.chatPanel()->phrase(n);
            phrases.PrhaseList1Click(current);
            return;
        }
        case Tchat::SideWindow::Tally:
            tally.ViewTally1Click(otherSeatNames());
            return;
        case Tchat::SideWindow::WebLink:
            about.webAddressClick();
            return;
        case Tchat::SideWindow::GameStart:
            window = &gamestart;
            break;
        case Tchat::SideWindow::Download:
            window = &download;
            break;
        case Tchat::SideWindow::SpyList:
            window = &spylist;
            break;
        case Tchat::SideWindow::Help:
            window = &help;
            break;
        case Tchat::SideWindow::About:
            window = &about;
            break;
        case Tchat::SideWindow::DealHistory:
            window = &dealHistory;
            break;
        }
        window->show();
        window->raise();
    });

    // Nothing may wait for a click on a message box while the seat plays by itself.
    struct ReportingPrompts : Prompts {
        void tell(QWidget*, const QString& text) override {
            std::printf("autoplay: %s\n", qPrintable(text));
            std::fflush(stdout);
        }
        bool ask(QWidget*, const QString&) override { return true; }
    } reportingPrompts;
    std::unique_ptr<AutoPlayer> autoplayer;
    if (options.autoplay) {
        autoplayer =
            std::make_unique<AutoPlayer>(chat, options.startWith, options.gameType, options.points);
        QObject::connect(autoplayer.get(), &AutoPlayer::reportLine, autoplayer.get(), report);
        QObject::connect(autoplayer.get(), &AutoPlayer::startGameRequested, &gamestart,
                         [&gamestart](const QString& gameType, const QString& points) {
                             gamestart.selectgt(gameType);
                             gamestart.selectpts(points);
                             gamestart.button_startClick();
                         });
        QObject::connect(autoplayer.get(), &AutoPlayer::finished, &app, [](int code) {
            // A moment for the last messages to leave before the window closes.
            QTimer::singleShot(200, [code] { QCoreApplication::exit(code); });
        });
        chat.setPrompts(&reportingPrompts);
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
