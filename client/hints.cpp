// Tchat's hints and its computer players: the Game menu's Hint, the discard values at every
// giving, and the level the computer players of a hosted table play at.
#include "client/tchat.h"

#include "client/hintadvisor.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

namespace {

const char* const kLevelEntries[] = {"ComputerClassic1", "ComputerExpert1"};

} // namespace

void Tchat::buildGameMenu(QMenu* game) {
    QAction* hint = game->addAction(tr("&Hint"));
    hint->setObjectName(QStringLiteral("Hint1"));
    // A plain letter: the chat's entry line takes it first while it has the focus.
    hint->setShortcut(QKeySequence(Qt::Key_H));
    hint->setStatusTip(tr("The cards a good player would give, or the card to lay"));
    hint->setEnabled(m_hints->available());
    connect(m_hints, &HintAdvisor::availableChanged, hint, &QAction::setEnabled);
    connect(hint, &QAction::triggered, this, &Tchat::Hint1Click);
}

void Tchat::buildComputerMenu(QMenu* options) {
    QMenu* menu = options->addMenu(tr("&Computer Players"));
    menu->setObjectName(QStringLiteral("ComputerPlayers1"));
    menu->setToolTipsVisible(true);
    // Every table is run by its host's program, so only the host's choice plays.
    const QString tip = tr("How the computer players play at a table you host. At "
                           "another player's table the host's choice holds.");
    menu->menuAction()->setStatusTip(tip);
    auto* group = new QActionGroup(menu);
    const char* const texts[] = {QT_TR_NOOP("Classic"), QT_TR_NOOP("Expert")};
    for (int level = 0; level <= 1; ++level) {
        QAction* entry = menu->addAction(tr(texts[level]));
        entry->setObjectName(QString::fromLatin1(kLevelEntries[level]));
        entry->setCheckable(true);
        entry->setData(level);
        entry->setStatusTip(tip);
        entry->setToolTip(tip);
        group->addAction(entry);
        connect(entry, &QAction::triggered, this, [this, level] { ComputerLevel1Click(level); });
    }
    showComputerLevel();

    QAction* values = options->addAction(tr("Show &Discard Values"));
    values->setObjectName(QStringLiteral("ShowDiscardValues1"));
    values->setCheckable(true);
    values->setStatusTip(tr("The values of every way to give, at every giving"));
    connect(values, &QAction::triggered, this, &Tchat::ShowDiscardValues1Click);
}

void Tchat::showComputerLevel() {
    for (int level = 0; level <= 1; ++level)
        if (auto* entry = findChild<QAction*>(QString::fromLatin1(kLevelEntries[level])))
            entry->setChecked(level == m_computerLevel);
}

void Tchat::ComputerLevel1Click(int level) {
    m_computerLevel = level == 1 ? 1 : 0;
    showComputerLevel();
    saveChoice(IniKey::ComputerLevel);
}

void Tchat::applyDiscardValues(bool on) {
    m_hints->setShowDiscardValues(on);
    if (auto* entry = findChild<QAction*>(QStringLiteral("ShowDiscardValues1")))
        entry->setChecked(on);
}

void Tchat::ShowDiscardValues1Click(bool checked) {
    applyDiscardValues(checked);
    saveChoice(IniKey::DiscardValues);
}

void Tchat::Hint1Click() {
    m_hints->request();
}
