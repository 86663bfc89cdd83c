// Shows each side window with a few lines of example data and saves a picture of it, frame and
// all when a window manager draws one, to look at them at any scale. Run it in a virtual
// display with a window manager, e.g.
//   xvfb-run -a -s "-screen 0 1600x1200x24" sh -c 'openbox & sleep 2;
//       QT_SCALE_FACTOR=2 build/tools/sidewindow-shots docs/screenshots -200'
#include "settings/tabout.h"
#include "settings/tdownload.h"
#include "settings/tgamestart.h"
#include "settings/thelp.h"
#include "settings/tphrases.h"
#include "settings/tspylist.h"
#include "settings/ttallylist.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QScreen>
#include <QTemporaryDir>
#include <QWindow>

#include <cstdio>

namespace {

void settle(int ms) {
    QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired()) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

// The window as the screen shows it, with the window manager's frame; without a window system
// (offscreen) the widget's own picture.
QPixmap picture(QWidget* window) {
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("xcb") && window->screen()) {
        const QRect frame = window->frameGeometry();
        return window->screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
    }
    return window->grab();
}

bool shoot(QWidget* window, const QDir& dir, const QString& name) {
    window->show();
    window->raise();
    window->activateWindow();
    settle(700);
    const QPixmap pm = picture(window);
    const QString path = dir.filePath(name + QStringLiteral(".png"));
    window->hide();
    if (pm.isNull() || !pm.save(path, "PNG")) {
        std::fprintf(stderr, "sidewindow-shots: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s %dx%d\n", qPrintable(path), pm.width(), pm.height());
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: sidewindow-shots FOLDER [SUFFIX]\n");
        return 2;
    }
    QDir dir(args[1]);
    dir.mkpath(QStringLiteral("."));
    const QString suffix = args.size() > 2 ? args[2] : QString();
    QTemporaryDir scratch;
    bool ok = true;

    Tgamestart gamestart;
    gamestart.selectChoices(QStringLiteral("1"), QStringLiteral("3"));
    ok &= shoot(&gamestart, dir, QStringLiteral("gamestart") + suffix);

    Ttallylist tally(nullptr, scratch.filePath(QStringLiteral("tally.tld")));
    const QStringList seats = {QStringLiteral("Rori"), QStringLiteral("Vozuz"),
                               QStringLiteral("Rudoz")};
    tally.tally().loadchecklist(seats);
    tally.tally().follow(QStringLiteral("Rori"));
    tally.tally().follow(QStringLiteral("Rudoz"));
    tally.addgame(Tally::AddToMine, QString(), seats);
    tally.addgame(QStringLiteral("Rori"), QString(), seats);
    tally.addgame(Tally::AddToMine, QString(), seats);
    tally.ViewTally1Click(seats);
    tally.listbox_tallyClick(0);
    tally.followedList()->setCurrentRow(0);
    ok &= shoot(&tally, dir, QStringLiteral("tally") + suffix);

    Tspylist spies;
    spies.setSpectators(
        {QStringLiteral("5: Ann"), QStringLiteral("6: Bartholomew"), QStringLiteral("7: Ann")});
    ok &= shoot(&spies, dir, QStringLiteral("spylist") + suffix);

    Thelp help;
    help.SelButton1Click(4);
    ok &= shoot(&help, dir, QStringLiteral("help-scoring") + suffix);
    help.SelButton1Click(1);
    ok &= shoot(&help, dir, QStringLiteral("help-overview") + suffix);

    Tabout about;
    ok &= shoot(&about, dir, QStringLiteral("about") + suffix);

    Tphrases phrases;
    phrases.PrhaseList1Click({QStringLiteral("Hello!"), QStringLiteral("Good game"),
                              QStringLiteral("Nice hand"), QStringLiteral("Thanks"),
                              QStringLiteral("Go!"), QStringLiteral("Well played"),
                              QStringLiteral("Oops"), QStringLiteral("One more?"),
                              QStringLiteral("brb"), QStringLiteral("Bye")});
    ok &= shoot(&phrases, dir, QStringLiteral("phrases") + suffix);

    Tdownload download;
    ok &= shoot(&download, dir, QStringLiteral("download") + suffix);
    return ok ? 0 : 1;
}
