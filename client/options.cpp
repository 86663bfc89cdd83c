// The command line through Qt's parser, which gives --help and --version their usual form.
#include "client/options.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdlib>
#include <optional>

namespace {

const QStringList kWithValue = {"port",       "instance",  "files", "bot-speed",
                                "start-when", "game-type", "points"};
const QStringList kWithoutValue = {"autoplay", "help", "help-all", "version"};

// The option's name for "--name" or "--name=value", empty for anything else.
QString longName(const QString& arg) {
    if (!arg.startsWith(QLatin1String("--")) || arg.size() == 2) return {};
    return arg.mid(2).section(QLatin1Char('='), 0, 0);
}

bool isKnown(const QString& arg) {
    const QString name = longName(arg);
    return kWithValue.contains(name) || kWithoutValue.contains(name);
}

// "--name value" rather than "--name=value".
bool takesValue(const QString& arg) {
    return kWithValue.contains(longName(arg)) && !arg.contains(QLatin1Char('='));
}

struct ParserSetup {
    QCommandLineParser parser;
    QCommandLineOption port{
        QStringLiteral("port"),
        QCoreApplication::translate("Options", "Host or join on <port> instead of 7772 (also "
                                               "CRIBBAGE_PORT); 0 hosts on any free port."),
        QStringLiteral("port")};
    QCommandLineOption instance{
        QStringLiteral("instance"),
        QCoreApplication::translate("Options", "Single-copy marker <name> instead of levraz, so "
                                               "that a second copy can run beside the first."),
        QStringLiteral("name")};
    QCommandLineOption files{
        QStringLiteral("files"),
        QCoreApplication::translate("Options", "Keep the settings and tally files in <dir>."),
        QStringLiteral("dir")};
    QCommandLineOption botSpeed{
        QStringLiteral("bot-speed"),
        QCoreApplication::translate("Options", "Pace of the computer players and the deal in "
                                               "<ms> (1 to 10000) instead of the Options menu's."),
        QStringLiteral("ms")};
    QCommandLineOption autoplay{
        QStringLiteral("autoplay"),
        QCoreApplication::translate("Options", "Play the local seat by itself, report the game on "
                                               "standard output and quit when it is won.")};
    QCommandLineOption startWith{
        QStringLiteral("start-when"),
        QCoreApplication::translate("Options", "With --autoplay as the host: start the game when "
                                               "<n> players are seated."),
        QStringLiteral("n")};
    QCommandLineOption gameType{
        QStringLiteral("game-type"),
        QCoreApplication::translate("Options", "With --start-when: the game, 1 (2 players), 2 (3), "
                                               "3 (4) or 4 (partners)."),
        QStringLiteral("type"), QStringLiteral("1")};
    QCommandLineOption points{
        QStringLiteral("points"),
        QCoreApplication::translate("Options", "With --start-when: play to 121 or 61."),
        QStringLiteral("points"), QStringLiteral("121")};

    ParserSetup() {
        parser.setApplicationDescription(QCoreApplication::translate(
            "Options",
            "Cribbage for 2, 3 or 4 players and partners, solo against the computer or over "
            "the network.\nWithout parameters a solo game starts; the lobby passes the player's "
            "name, the host's address and true (host the table) or false (join it)."));
        parser.addHelpOption();
        parser.addVersionOption();
        parser.addOptions({port, instance, files, botSpeed, autoplay, startWith, gameType, points});
        parser.addPositionalArgument(QStringLiteral("name"),
                                     QCoreApplication::translate("Options", "The player's name."),
                                     QStringLiteral("[name"));
        parser.addPositionalArgument(QStringLiteral("host"),
                                     QCoreApplication::translate("Options", "The host's address."),
                                     QStringLiteral("host"));
        parser.addPositionalArgument(
            QStringLiteral("true|false"),
            QCoreApplication::translate("Options", "true hosts the table, false joins it."),
            QStringLiteral("true|false]"));
    }
};

std::optional<quint16> parsePort(const QString& text, bool allowAny) {
    bool ok = false;
    const uint port = text.toUInt(&ok);
    if (!ok || port > 65535 || (port == 0 && !allowAny)) return std::nullopt;
    return static_cast<quint16>(port);
}

} // namespace

// Known options are taken wherever they stand, with their values; "--" ends them. The words
// left are the lobby's parameters. The first of three is the player's name and reaches the game
// whatever it looks like, so a name may start with "-"; any other word that starts with "-" is
// an option, and an unknown one is refused by name rather than silently dropped.
std::pair<QStringList, QStringList> splitArguments(const QStringList& args) {
    QStringList options{args.value(0)};
    QStringList words;
    qsizetype i = 1;
    for (; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--")) {
            ++i;
            break;
        }
        if (!isKnown(arg)) {
            words << arg;
            continue;
        }
        options << arg;
        if (takesValue(arg) && i + 1 < args.size()) options << args[++i];
    }
    const QStringList afterEnd = args.mid(i);
    const qsizetype count = words.size() + afterEnd.size();
    QStringList params;
    for (qsizetype w = 0; w < words.size(); ++w) {
        const QString& word = words[w];
        const bool nameInPlace = w == 0 && count >= 3;
        if (!nameInPlace && word.size() > 1 && word.startsWith(QLatin1Char('-')))
            options << word;
        else
            params << word;
    }
    return {options, params + afterEnd};
}

bool wantsHelpOrVersion(const QStringList& options) {
    for (qsizetype i = 1; i < options.size(); ++i) {
        const QString& o = options[i];
        if (takesValue(o)) {
            ++i; // "--files -v" names a folder
            continue;
        }
        if (o == QLatin1String("--help") || o == QLatin1String("-h") || o == QLatin1String("-?") ||
            o == QLatin1String("--help-all") || o == QLatin1String("--version") ||
            o == QLatin1String("-v"))
            return true;
    }
    return false;
}

std::variant<Options, QString> readOptions(const QStringList& options, const QStringList& params,
                                           const QString& portFromEnvironment) {
    ParserSetup setup;
    QCommandLineParser& parser = setup.parser;
    if (!parser.parse(options)) return parser.errorText();
    if (!parser.positionalArguments().isEmpty())
        return QCoreApplication::translate("Options", "unexpected argument %1")
            .arg(parser.positionalArguments()[0]);

    Options o;
    if (const auto env = parsePort(portFromEnvironment, false)) o.port = *env;
    if (parser.isSet(setup.port)) {
        const auto port = parsePort(parser.value(setup.port), true);
        if (!port)
            return QCoreApplication::translate("Options", "--port needs a number from 0 to 65535");
        o.port = *port;
    }
    if (parser.isSet(setup.instance)) {
        o.instance = parser.value(setup.instance);
        if (o.instance.isEmpty())
            return QCoreApplication::translate("Options", "--instance needs a name");
    }
    o.filesDir = parser.value(setup.files);
    QString error;
    // A number option's value within its bounds; an error is kept and the value read as low.
    auto number = [&](const QCommandLineOption& option, int low, int high) {
        bool ok = false;
        const int n = parser.value(option).toInt(&ok);
        if (ok && n >= low && n <= high) return n;
        if (error.isEmpty())
            error = QCoreApplication::translate("Options", "--%1 needs a number from %2 to %3")
                        .arg(option.names().first())
                        .arg(low)
                        .arg(high);
        return low;
    };
    if (parser.isSet(setup.botSpeed)) o.botSpeed = number(setup.botSpeed, 1, 10000);
    o.autoplay = parser.isSet(setup.autoplay);
    if (parser.isSet(setup.startWith)) o.startWith = number(setup.startWith, 1, 4);
    o.gameType = QString::number(number(setup.gameType, 1, 4));
    if (!error.isEmpty()) return error;
    const QString points = parser.value(setup.points);
    if (points != QLatin1String("121") && points != QLatin1String("61"))
        return QCoreApplication::translate("Options", "--points needs 121 or 61");
    o.points = points == QLatin1String("121") ? QStringLiteral("1") : QStringLiteral("2");
    o.params = params;
    return o;
}

void showHelpOrVersion(const QStringList& options) {
    ParserSetup setup;
    setup.parser.process(options);
    std::exit(0); // process() has ended the program for --help and --version already
}
