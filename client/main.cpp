// The program: one copy per desktop, the windows in their order, and the few hooks through
// which the client and the game server inside the same program meet.
//
// Usage: cribbage [--port N] [--instance NAME] [name host true|false]
//   --port N         the game port to host or join on instead of 7772 (also CRIBBAGE_PORT)
//   --instance NAME  the single-instance marker instead of "levraz", so that a second copy
//                    can run beside the first on one desktop
#include "chat/chatpanel.h"
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

#include <QApplication>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>

namespace {

struct Options {
    quint16 port = Tchat::kGamePort;
    QString instance = QStringLiteral("levraz");
    QStringList params;
};

std::optional<quint16> parsePort(const QString& text) {
    bool ok = false;
    const uint port = text.toUInt(&ok);
    if (!ok || port == 0 || port > 65535) return std::nullopt;
    return static_cast<quint16>(port);
}

Options readOptions(QStringList args) {
    Options options;
    if (const auto env = parsePort(qEnvironmentVariable("CRIBBAGE_PORT"))) options.port = *env;
    while (args.size() >= 2 && args.first().startsWith(QLatin1String("--"))) {
        const QString option = args.takeFirst();
        const QString value = args.takeFirst();
        if (option == QLatin1String("--port")) {
            if (const auto port = parsePort(value)) options.port = *port;
        } else if (option == QLatin1String("--instance") && !value.isEmpty()) {
            options.instance = value;
        }
    }
    options.params = args;
    return options;
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
    QApplication app(argc, argv);
    const Options options = readOptions(app.arguments().mid(1));

    if (raiseFirstCopy(options.instance)) return 0;
    QLocalServer marker;
    if (!marker.listen(options.instance)) {
        // A marker left behind by a copy that crashed answers nobody; take it over.
        QLocalServer::removeServer(options.instance);
        marker.listen(options.instance);
    }

    QApplication::setApplicationName(QStringLiteral("Cribbage"));
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

    chat.listenHook = [&server](quint16 port) -> quint16 {
        return server.listen(port) ? server.listeningPort() : 0;
    };
    server.setBotSpeedSource([&chat] { return chat.botSpeed(); });
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
    chat.onAddGame = [&tally, otherSeatNames](const QString& winner, const QString& partner) {
        tally.addgame(winner, partner, otherSeatNames());
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

    chat.setPort(options.port);
    chat.setStartParameters(options.params);
    chat.show();
    return app.exec();
}
