// The tally: counting finished games, following, the stored text, and damaged tally files.
#include "filesizelimit.h"
#include "settings/lzrw1kh.h"
#include "settings/tally.h"
#include "tests/file_bytes.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

using Counts = std::array<int, 8>;

// A tally following the three computer players, seated with the local player.
Tally computerTable() {
    Tally t;
    const QStringList seats = {QStringLiteral("Rori"), QStringLiteral("Vozuz"),
                               QStringLiteral("Rudoz")};
    for (const QString& name : seats) EXPECT_TRUE(t.follow(name));
    t.loadchecklist(seats);
    return t;
}

} // namespace

TEST(TallyCounting, OwnWinCountsForEveryFollowedPlayerAtTheTable) {
    Tally t = computerTable();
    t.addgame(Tally::AddToMine, QString());
    EXPECT_EQ(t.totalGames(), 1);
    EXPECT_EQ(t.ownWins(), 1);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(t.opponent(i), (Counts{1, 0, 1, 0, 1, 0, 1, 0}));

    t.addgame(QStringLiteral("Vozuz"), QString());
    EXPECT_EQ(t.totalGames(), 2);
    EXPECT_EQ(t.ownWins(), 1);
    EXPECT_EQ(t.opponent(0), (Counts{2, 0, 1, 1, 2, 0, 1, 1})); // Rori: someone else won
    EXPECT_EQ(t.opponent(1), (Counts{2, 1, 1, 0, 2, 1, 1, 0})); // Vozuz won
}

TEST(TallyCounting, PartnersGameWonAndLost) {
    // Seats as the local player (seat 1) sees them: partner in seat 3, opponents in 2 and 4.
    Tally t;
    t.follow(QStringLiteral("Ann"));   // opponent
    t.follow(QStringLiteral("Bert"));  // opponent
    t.follow(QStringLiteral("Carla")); // partner
    t.loadchecklist({QStringLiteral("Ann"), QStringLiteral("Carla"), QStringLiteral("Bert")});

    t.addgame(QStringLiteral("Ann"), QStringLiteral("Bert"));
    EXPECT_EQ(t.totalGames(), 1);
    EXPECT_EQ(t.ownWins(), 0);
    EXPECT_EQ(t.opponent(0), (Counts{1, 1, 0, 0, 1, 1, 0, 0}));
    EXPECT_EQ(t.opponent(1), (Counts{1, 1, 0, 0, 1, 1, 0, 0}));
    EXPECT_EQ(t.opponent(2), (Counts{1, 0, 0, 1, 1, 0, 0, 1})); // the partner: "Neither Won"

    t.addgame(Tally::AddToMine, QString());
    EXPECT_EQ(t.totalGames(), 2);
    EXPECT_EQ(t.ownWins(), 1);
    EXPECT_EQ(t.opponent(0), (Counts{2, 1, 1, 0, 2, 1, 1, 0}));
    EXPECT_EQ(t.opponent(2), (Counts{2, 0, 1, 1, 2, 0, 1, 1}));
}

TEST(TallyCounting, OnlyFollowedPlayersAtTheTableAreCounted) {
    Tally t;
    t.follow(QStringLiteral("Rori"));
    t.follow(QStringLiteral("Away"));
    // An empty seat is never listed; a seat taken twice by one name counts one game.
    t.loadchecklist({QStringLiteral("Rori"), Tally::Waiting, QStringLiteral("Rori")});
    EXPECT_EQ(t.currentGame(), QStringList({QStringLiteral("Rori"), QStringLiteral("Rori")}));
    t.addgame(QStringLiteral("Rori"), QString());
    EXPECT_EQ(t.opponent(0), (Counts{1, 1, 0, 0, 1, 1, 0, 0}));
    EXPECT_EQ(t.opponent(1), (Counts{0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(t.totalGames(), 1);
}

TEST(TallyFollowing, FollowDeleteAndReset) {
    Tally t;
    EXPECT_TRUE(t.follow(QStringLiteral("Rori")));
    EXPECT_FALSE(t.follow(QStringLiteral("Rori")));
    EXPECT_FALSE(t.follow(QStringLiteral("\r\n")));
    EXPECT_TRUE(t.follow(QStringLiteral("Vozuz")));
    EXPECT_EQ(t.rowCount(), 3);
    EXPECT_TRUE(t.isFollowed(QStringLiteral("Vozuz")));

    t.loadchecklist({QStringLiteral("Vozuz")});
    t.addgame(QStringLiteral("Vozuz"), QString());
    EXPECT_TRUE(t.unfollow(0));
    EXPECT_EQ(t.followed(), QStringList{QStringLiteral("Vozuz")});
    EXPECT_EQ(t.cell(Tally::NameColumn, 1), "Vozuz");
    EXPECT_EQ(t.opponent(0), (Counts{1, 1, 0, 0, 1, 1, 0, 0}));
    EXPECT_TRUE(t.unfollow(0));
    EXPECT_FALSE(t.unfollow(0));
    EXPECT_EQ(t.rowCount(), 1);
    EXPECT_EQ(t.totalGames(), 1);

    t.follow(QStringLiteral("Rudoz"));
    t.reset();
    EXPECT_EQ(t.rowCount(), 1);
    EXPECT_TRUE(t.followed().isEmpty());
    EXPECT_EQ(t.totalGames(), 0);
    EXPECT_EQ(t.toText(), "9\r\n1\r\n\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n");
}

TEST(TallyText, LayoutIsColumnByColumn) {
    Tally t;
    t.follow(QStringLiteral("Rori"));
    t.loadchecklist({QStringLiteral("Rori")});
    t.addgame(Tally::AddToMine, QString());
    EXPECT_EQ(t.toText(), "9\r\n2\r\n"
                          "0\r\nRori\r\n"
                          "1\r\n1\r\n"
                          "1\r\n0\r\n"
                          "0\r\n1\r\n"
                          "0\r\n0\r\n"
                          "0\r\n1\r\n"
                          "0\r\n0\r\n"
                          "0\r\n1\r\n"
                          "0\r\n0\r\n");

    // Reading it back starts a new session: the run's columns are 0 again.
    Tally back;
    ASSERT_TRUE(back.fromText(t.toText()));
    EXPECT_EQ(back.followed(), QStringList{QStringLiteral("Rori")});
    EXPECT_EQ(back.opponent(0), (Counts{1, 0, 1, 0, 0, 0, 0, 0}));
    EXPECT_EQ(back.totalGames(), 1);
    EXPECT_EQ(back.ownWins(), 1);
}

TEST(TallyText, NamesWithControlCharactersCannotShiftTheCells) {
    Tally t;
    EXPECT_TRUE(t.follow(QStringLiteral("Evil\r\n5\r\nName\t\x01")));
    EXPECT_EQ(t.followed(), QStringList{QStringLiteral("Evil5Name")});
    // The same name as the seat label shows it is found, and counted.
    t.loadchecklist({QStringLiteral("Evil\r\n5\r\nName\t\x01")});
    t.addgame(QStringLiteral("Evil\r\n5\r\nName\t\x01"), QString());
    EXPECT_EQ(t.opponent(0)[1], 1);
    EXPECT_EQ(t.toText().count("\r\n"), 2 + 9 * 2);
    EXPECT_EQ(t.toText().count('\n'), 2 + 9 * 2);
    Tally back;
    ASSERT_TRUE(back.fromText(t.toText()));
    EXPECT_EQ(back.opponent(0), (Counts{1, 1, 0, 0, 0, 0, 0, 0}));
}

TEST(TallyText, OldAndOddTexts) {
    Tally t;
    // Latin-1 names from an older system, empty cells, and bare line feeds.
    ASSERT_TRUE(t.fromText("9\n2\n0\nJos\xe9\n3\n\n1\n\n0\n\n0\n\n0\n9\n0\n9\n0\n9\n0\n9\n"));
    EXPECT_EQ(t.followed(), QStringList{QStringLiteral("José")});
    EXPECT_EQ(t.totalGames(), 3);
    EXPECT_EQ(t.cell(Tally::Games, 1), "");
    t.loadchecklist({QStringLiteral("José")});
    t.addgame(QStringLiteral("José"), QString());
    EXPECT_EQ(t.opponent(0), (Counts{1, 1, 0, 0, 1, 1, 0, 0}));

    // A count at the top of the range stays there instead of wrapping round.
    ASSERT_TRUE(t.fromText("9\r\n1\r\n0\r\n2147483647\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n"
                           "0\r\n"));
    t.loadchecklist({});
    t.addgame(Tally::AddToMine, QString());
    EXPECT_EQ(t.totalGames(), 2147483647);
    EXPECT_EQ(t.ownWins(), 1);

    Tally u;
    EXPECT_FALSE(u.fromText(""));
    EXPECT_FALSE(u.fromText("9\r\nmany\r\n"));
    EXPECT_FALSE(u.fromText("9\r\n0\r\n"));
    EXPECT_FALSE(u.fromText("9\r\n2000000000\r\n0\r\n"));
    EXPECT_FALSE(u.fromText("9\r\n2\r\n0\r\n"));
    EXPECT_EQ(u.rowCount(), 1);
}

class TallyFileTest : public ::testing::Test {
protected:
    QString path() const { return m_dir.filePath(QStringLiteral("Cribbagetally.tld")); }

    // Loads a damaged file and checks the message, the zero tally, and that the first store
    // keeps the damaged bytes beside the new file.
    void expectDamaged(const QByteArray& bytes, const QString& message) {
        writeFile(path(), bytes);
        Tally t;
        t.follow(QStringLiteral("stale"));
        EXPECT_EQ(t.load(path()), message);
        EXPECT_TRUE(t.loadFailed());
        EXPECT_EQ(t.rowCount(), 1);
        EXPECT_EQ(t.totalGames(), 0);
        EXPECT_TRUE(t.followed().isEmpty());

        t.addgame(Tally::AddToMine, QString());
        ASSERT_EQ(t.store(path()), QString());
        EXPECT_EQ(readFile(path() + QStringLiteral(".bad")), bytes);
        Tally fresh;
        EXPECT_EQ(fresh.load(path()), QString());
        EXPECT_EQ(fresh.totalGames(), 1);
        QFile::remove(path() + QStringLiteral(".bad"));
    }

    QTemporaryDir m_dir;
};

TEST_F(TallyFileTest, StoreAndLoad) {
    Tally none;
    EXPECT_EQ(none.load(path()), QString());
    EXPECT_FALSE(none.loadFailed());
    EXPECT_EQ(none.toText(), Tally().toText());

    Tally t = computerTable();
    for (int i = 0; i < 5; ++i) t.addgame(i % 2 ? Tally::AddToMine : QStringLiteral("Rudoz"), {});
    ASSERT_EQ(t.store(path()), QString());
    EXPECT_EQ(readFile(path()), LZRW1KH::pack(t.toText()));
    EXPECT_FALSE(QFile::exists(QStringLiteral("temp.txt")));
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{"Cribbagetally.tld"});

    Tally back;
    EXPECT_EQ(back.load(path()), QString());
    EXPECT_EQ(back.followed(), t.followed());
    EXPECT_EQ(back.totalGames(), 5);
    EXPECT_EQ(back.ownWins(), 2);
    EXPECT_EQ(back.opponent(2), (Counts{5, 3, 2, 0, 0, 0, 0, 0}));
}

TEST_F(TallyFileTest, DamagedFilesGiveTheMessageAZeroTallyAndAKeptCopy) {
    Tally t = computerTable();
    t.addgame(Tally::AddToMine, QString());
    const QByteArray good = LZRW1KH::pack(t.toText());

    QByteArray wrongId = good;
    wrongId[1] = 'Q';
    expectDamaged(wrongId, path() + " : Lzrw1 decompression : this file has no valid header !");

    QByteArray wrongSize = good;
    wrongSize[4] = char(wrongSize[4] + 3);
    expectDamaged(wrongSize,
                  "Lzrw1 (decompression LZRW1/KH) : Original and compressed sizes do not match !");

    expectDamaged(good.left(good.size() - 2), "Lzrw1 : Error reading from input file : " + path());

    // A copy item reaching before the start of the output.
    expectDamaged(QByteArray::fromHex("57525a4c03000000050040800000f0"),
                  "Lzrw1 (decompression LZRW1/KH) : Original and compressed sizes do not match !");

    // A container that is sound but holds no table.
    expectDamaged(LZRW1KH::pack("not a tally"),
                  path() + " : the tally in this file cannot be read !");
}

TEST_F(TallyFileTest, AnEarlierBadCopyIsNotOverwritten) {
    writeFile(path() + QStringLiteral(".bad"), "older");
    writeFile(path(), "garbage!");
    Tally t;
    EXPECT_FALSE(t.load(path()).isEmpty());
    ASSERT_EQ(t.store(path()), QString());
    EXPECT_EQ(readFile(path() + QStringLiteral(".bad")), "older");
    EXPECT_EQ(readFile(path() + QStringLiteral(".bad.1")), "garbage!");
    // Once moved aside, later stores simply replace the good file.
    ASSERT_EQ(t.store(path()), QString());
    EXPECT_FALSE(QFile::exists(path() + QStringLiteral(".bad.2")));
}

TEST_F(TallyFileTest, AFullDiskKeepsTheOldFileByteForByte) {
    Tally t = computerTable();
    for (int i = 0; i < 3; ++i) t.addgame(Tally::AddToMine, QString());
    ASSERT_EQ(t.store(path()), QString());
    const QByteArray before = readFile(path());
    t.addgame(QStringLiteral("Rori"), QString());
    const qint64 newSize = LZRW1KH::pack(t.toText()).size();

    for (const rlim_t limit : {rlim_t(0), rlim_t(1), rlim_t(newSize - 1)}) {
        QString error;
        {
            FileSizeLimit full(limit);
            ASSERT_TRUE(full.active());
            error = t.store(path());
        }
        SCOPED_TRACE(limit);
        EXPECT_EQ(error, "Lzrw1 : Error writing to output file : " + path());
        EXPECT_EQ(readFile(path()), before);
        EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{"Cribbagetally.tld"});
    }
    ASSERT_EQ(t.store(path()), QString());
    Tally back;
    ASSERT_EQ(back.load(path()), QString());
    EXPECT_EQ(back.totalGames(), 4);
}

TEST_F(TallyFileTest, AFailedStoreReportsAndKeepsTheOldFile) {
    Tally t = computerTable();
    ASSERT_EQ(t.store(path()), QString());
    const QByteArray before = readFile(path());

    const QString blocker = m_dir.filePath(QStringLiteral("blocker"));
    writeFile(blocker, "x");
    EXPECT_EQ(t.store(blocker + QStringLiteral("/Cribbagetally.tld")),
              "Lzrw1 (de)compression : Failed to open output file : " + blocker +
                  "/Cribbagetally.tld");

    // A directory in the file's place cannot be replaced.
    const QString dirPath = m_dir.filePath(QStringLiteral("dir.tld"));
    ASSERT_TRUE(QDir().mkpath(dirPath));
    EXPECT_FALSE(t.store(dirPath).isEmpty());
    EXPECT_EQ(readFile(path()), before);
}
