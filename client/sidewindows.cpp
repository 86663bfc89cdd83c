// The side windows: hidden at creation, living until the program ends.
#include "client/sidewindows.h"

SideWindow::SideWindow(const char* name, const QString& title, QWidget* parent)
    : QWidget(parent, Qt::Window) {
    setObjectName(QString::fromLatin1(name));
    setWindowTitle(title);
    resize(360, 260);
    hide();
}

Ttallylist::Ttallylist(QWidget* parent)
    : SideWindow("Ttallylist", QStringLiteral("Cribbage - Tally"), parent) {}
Tabout::Tabout(QWidget* parent) : SideWindow("Tabout", QStringLiteral("About"), parent) {}
Thelp::Thelp(QWidget* parent) : SideWindow("Thelp", QStringLiteral("Help"), parent) {}
Tphrases::Tphrases(QWidget* parent) : SideWindow("Tphrases", QStringLiteral("Phrases"), parent) {}
Tspylist::Tspylist(QWidget* parent) : SideWindow("Tspylist", QStringLiteral("Spy List"), parent) {}
Tdownload::Tdownload(QWidget* parent)
    : SideWindow("Tdownload", QStringLiteral("Download"), parent) {}
