// cribbage-tally on good and damaged files: show, unpack, pack, and the default file.
#include "settings/lzrw1kh.h"
#include "settings/tally.h"
#include "tests/file_bytes.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

struct ToolRun {
    int code = -1;
    QString out;
    QString err;
};

ToolRun runTool(const QStringList& args,
                const QString& program = QStringLiteral(CRIBBAGE_TALLY_TOOL)) {
    QProcess p;
    p.start(program, args);
    ToolRun r;
    if (!p.waitForFinished(60000)) return r;
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

Tally sampleTally() {
    Tally t;
    t.follow(QStringLiteral("Rori"));
    t.follow(QStringLiteral("Vozuz"));
    t.loadchecklist({QStringLiteral("Rori"), QStringLiteral("Vozuz")});
    t.addgame(Tally::AddToMine, QString());
    t.addgame(QStringLiteral("Vozuz"), QString());
    t.addgame(QStringLiteral("Vozuz"), QString());
    return t;
}

} // namespace

TEST(TallyTool, ShowsAGoodFile) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Cribbagetally.tld"));
    ASSERT_EQ(sampleTally().store(file), QString());

    const ToolRun r = runTool({QStringLiteral("show"), file});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("Total Games: 3\n")));
    EXPECT_TRUE(r.out.contains(QStringLiteral("Your Wins: 1\n")));
    EXPECT_TRUE(
        r.out.contains(QStringLiteral("Player  Games  Their Wins  Your Wins  Neither Won\n")));
    EXPECT_TRUE(
        r.out.contains(QStringLiteral("Rori        3           0          1            2\n")));
    EXPECT_TRUE(
        r.out.contains(QStringLiteral("Vozuz       3           2          1            0\n")));
}

TEST(TallyTool, ShowsTheDefaultFileBesideTheProgram) {
    // A copy of the tool in a writable folder finds the tally in that folder, as the game does.
    QTemporaryDir dir;
    const QString tool = dir.filePath(QStringLiteral("cribbage-tally"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(CRIBBAGE_TALLY_TOOL), tool));
    ASSERT_EQ(sampleTally().store(dir.filePath(QStringLiteral("Cribbagetally.tld"))), QString());
    const ToolRun r = runTool({QStringLiteral("show")}, tool);
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("Total Games: 3\n")));
}

TEST(TallyTool, DamagedFileFailsWithTheMessage) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Cribbagetally.tld"));
    QByteArray damaged = LZRW1KH::pack(sampleTally().toText());
    damaged[5] = char(damaged[5] + 1);
    writeFile(file, damaged);

    for (const QStringList& args :
         {QStringList{QStringLiteral("show"), file},
          QStringList{QStringLiteral("unpack"), file, dir.filePath(QStringLiteral("out.txt"))}}) {
        const ToolRun r = runTool(args);
        EXPECT_EQ(r.code, 1);
        EXPECT_EQ(r.err, QStringLiteral("Lzrw1 (decompression LZRW1/KH) : Original and compressed "
                                        "sizes do not match !\n"));
        EXPECT_TRUE(r.out.isEmpty());
    }
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("out.txt"))));
    // Showing a file never changes it.
    EXPECT_EQ(readFile(file), damaged);

    const ToolRun missing = runTool({QStringLiteral("show"), dir.filePath(QStringLiteral("none"))});
    EXPECT_EQ(missing.code, 1);
    EXPECT_EQ(runTool({QStringLiteral("frobnicate")}).code, 2);
}

TEST(TallyTool, UnpackEditPackRepairsAFile) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Cribbagetally.tld"));
    const QString text = dir.filePath(QStringLiteral("tally.txt"));
    const QString repaired = dir.filePath(QStringLiteral("repaired.tld"));
    Tally original = sampleTally();
    ASSERT_EQ(original.store(file), QString());

    ASSERT_EQ(runTool({QStringLiteral("unpack"), file, text}).code, 0);
    EXPECT_EQ(readFile(text), original.toText());

    // Rename a player by hand, as a repair would.
    writeFile(text, readFile(text).replace("Vozuz", "Vozuz2"));
    ASSERT_EQ(runTool({QStringLiteral("pack"), text, repaired}).code, 0);
    EXPECT_EQ(readFile(repaired), LZRW1KH::pack(readFile(text)));
    Tally back;
    EXPECT_EQ(back.load(repaired), QString());
    EXPECT_EQ(back.followed(), QStringList({QStringLiteral("Rori"), QStringLiteral("Vozuz2")}));
    EXPECT_EQ(back.opponent(1)[1], 2);

    // Packing something that is no table still works, with a warning.
    writeFile(text, "hello");
    const ToolRun odd = runTool({QStringLiteral("pack"), text, repaired});
    EXPECT_EQ(odd.code, 0);
    EXPECT_TRUE(odd.err.startsWith(QStringLiteral("Warning: ")));
    EXPECT_EQ(readFile(repaired), LZRW1KH::pack("hello"));
}
