// cribbage-tally: shows, unpacks and packs tally files, for backups and repairs.
#include "settings/lzrw1kh.h"
#include "settings/tally.h"
#include "settings/userfiles.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

#include <cstdio>

namespace {

constexpr int ExitOk = 0;
constexpr int ExitFailed = 1;
constexpr int ExitUsage = 2;

QTextStream& out() {
    static QTextStream s(stdout);
    return s;
}

QTextStream& err() {
    static QTextStream s(stderr);
    return s;
}

int usage() {
    err() << "usage: cribbage-tally show [FILE]\n"
             "       cribbage-tally unpack IN OUT\n"
             "       cribbage-tally pack IN OUT\n"
             "show prints the tally as a table (by default the game's own tally file, found\n"
             "where the game beside this tool keeps it); unpack writes the text held in a tally\n"
             "file; pack compresses such a text into a tally file.\n";
    err().flush();
    return ExitUsage;
}

bool readAll(const QString& path, QByteArray* data) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        err() << "Lzrw1 (de)compression : Failed to open input file : " << path << '\n';
        return false;
    }
    *data = file.readAll();
    return true;
}

bool writeAll(const QString& path, const QByteArray& data) {
    const UserFiles::WriteResult written = UserFiles::replaceFile(path, data);
    if (written.failed == UserFiles::WriteResult::Failed::Open ||
        written.failed == UserFiles::WriteResult::Failed::Folder) {
        err() << "Lzrw1 (de)compression : Failed to open output file : " << path << '\n';
        return false;
    }
    if (!written.ok()) {
        err() << "Lzrw1 : Error writing to output file : " << path << '\n';
        return false;
    }
    return true;
}

int show(const QString& path) {
    if (!QFile::exists(path)) {
        err() << "No tally file: " << path << '\n';
        return ExitFailed;
    }
    Tally tally;
    if (const QString error = tally.load(path); !error.isEmpty()) {
        err() << error << '\n';
        return ExitFailed;
    }
    out() << "Tally file: " << path << "\n"
          << "Total Games: " << tally.totalGames() << "\n"
          << "Your Wins: " << tally.ownWins() << "\n";
    if (tally.followed().isEmpty()) {
        out() << "\nNo players being tallied.\n";
        return ExitOk;
    }

    const QStringList headings = {QStringLiteral("Player"), QStringLiteral("Games"),
                                  QStringLiteral("Their Wins"), QStringLiteral("Your Wins"),
                                  QStringLiteral("Neither Won")};
    qsizetype nameWidth = headings[0].size();
    for (const QString& name : tally.followed()) nameWidth = std::max(nameWidth, name.size());

    out() << '\n' << headings[0].leftJustified(nameWidth);
    for (qsizetype c = 1; c < headings.size(); ++c) out() << "  " << headings[c];
    out() << '\n';
    for (int i = 0; i < tally.followed().size(); ++i) {
        out() << tally.followed()[i].leftJustified(nameWidth);
        const auto counts = tally.opponent(i);
        for (qsizetype c = 1; c < headings.size(); ++c)
            out() << "  " << QString::number(counts[c - 1]).rightJustified(headings[c].size());
        out() << '\n';
    }
    return ExitOk;
}

int unpack(const QString& in, const QString& outPath) {
    QByteArray container;
    if (!readAll(in, &container)) return ExitFailed;
    QByteArray text;
    if (const auto error = LZRW1KH::unpack(container, &text); error != LZRW1KH::Error::None) {
        err() << LZRW1KH::errorMessage(error, in) << '\n';
        return ExitFailed;
    }
    return writeAll(outPath, text) ? ExitOk : ExitFailed;
}

int pack(const QString& in, const QString& outPath) {
    QByteArray text;
    if (!readAll(in, &text)) return ExitFailed;
    if (text.size() > qsizetype(0xFFFFFFFFu)) {
        err() << "The text is too long for a tally file: " << in << '\n';
        return ExitFailed;
    }
    // Any text can be packed, but a repair that no longer parses would leave the game at zero.
    if (Tally check; !check.fromText(text))
        err() << "Warning: " << in << " does not hold a tally table; the game will not read it\n";
    return writeAll(outPath, LZRW1KH::pack(text)) ? ExitOk : ExitFailed;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    int code = ExitUsage;
    if (args.size() >= 1 && args.size() <= 2 && args[0] == QLatin1String("show"))
        code = show(args.size() == 2 ? args[1] : UserFiles::tallyPath());
    else if (args.size() == 3 && args[0] == QLatin1String("unpack"))
        code = unpack(args[1], args[2]);
    else if (args.size() == 3 && args[0] == QLatin1String("pack"))
        code = pack(args[1], args[2]);
    else
        code = usage();
    out().flush();
    err().flush();
    return code;
}
