// The command line: options anywhere, and the lobby's three parameters, which reach the game word
// for word (a player's name may start with "-").
#pragma once

#include <QString>
#include <QStringList>
#include <utility>
#include <variant>

struct Options {
    quint16 port = 7772;
    QString instance = QStringLiteral("levraz");
    QString filesDir; // empty: the usual place of the settings and tally
    int botSpeed = 0; // 0: the Options menu's pace
    bool autoplay = false;
    int startWith = 0;                      // with autoplay as the host: start at this many players
    QString gameType = QStringLiteral("1"); // "1".."4"
    QString points = QStringLiteral("1");   // "1" to 121, "2" to 61
    QStringList params;
};

// The program's name followed by the options (wherever they stood, with their values), and
// the lobby's parameters.
std::pair<QStringList, QStringList> splitArguments(const QStringList& args);

bool wantsHelpOrVersion(const QStringList& options);

// The options read, or the text saying what is wrong with them. portFromEnvironment is the
// value of CRIBBAGE_PORT, which --port overrides.
std::variant<Options, QString> readOptions(const QStringList& options, const QStringList& params,
                                           const QString& portFromEnvironment = {});

// Prints the help or the version the options ask for and ends the program; an application
// object must exist.
[[noreturn]] void showHelpOrVersion(const QStringList& options);
