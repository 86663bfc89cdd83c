// The settings file: defaults, reading rules, round trips, and a file shared with another program.
#include "filesizelimit.h"
#include "settings/inifile.h"
#include "settings/userfiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <functional>

namespace {

class IniFileTest : public ::testing::Test {
protected:
    QString path() const { return m_dir.filePath(QStringLiteral("rudedidevaz.ini")); }

    void write(const QByteArray& data) const {
        QFile f(path());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(data);
    }
    QByteArray read() const {
        QFile f(path());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    IniSettings loadSection(const QByteArray& keys) const {
        write("[Cribbage]\n" + keys);
        return loadinifile(path());
    }

    QTemporaryDir m_dir;
};

IniSettings sample() {
    IniSettings s;
    s.setGeometry(QRect(40, 50, 900, 700));
    s.textSize = 12;
    s.turnSound = 1;
    s.chatterSounds = false;
    s.textColor = QStringLiteral("$00FF8000");
    s.playToScore = QStringLiteral("2");
    s.gameType = QStringLiteral("4");
    s.botSpeed = 500;
    s.playSounds = false;
    s.zoom = 150;
    return s;
}

void expectSameSaved(const IniSettings& a, const IniSettings& b) {
    EXPECT_EQ(a.geometry(), b.geometry());
    EXPECT_EQ(a.textSize, b.textSize);
    EXPECT_EQ(a.turnSound, b.turnSound);
    EXPECT_EQ(a.chatterSounds, b.chatterSounds);
    EXPECT_EQ(a.textColor, b.textColor);
    EXPECT_EQ(a.playToScore, b.playToScore);
    EXPECT_EQ(a.gameType, b.gameType);
    EXPECT_EQ(a.botSpeed, b.botSpeed);
    EXPECT_EQ(a.zoom, b.zoom);
    EXPECT_EQ(a.playSounds, b.playSounds);
}

} // namespace

TEST_F(IniFileTest, MissingFileOrSectionGivesTheReadDefaults) {
    QString error;
    for (const QByteArray& content : {QByteArray(), QByteArray("[Lobby]\nTop=99\n")}) {
        if (!content.isEmpty()) write(content);
        const IniSettings s = loadinifile(path(), &error);
        EXPECT_TRUE(error.isEmpty());
        EXPECT_EQ(s.geometry(), QRect(3, 3, 766, 530));
        EXPECT_EQ(s.geometry(), defaultWindowGeometry());
        EXPECT_EQ(s.textSize, 8);
        EXPECT_EQ(s.turnSound, 0);
        EXPECT_TRUE(s.chatterSounds);
        EXPECT_TRUE(s.playSounds);
        EXPECT_EQ(s.textColor, "clblack");
        EXPECT_EQ(s.playToScore, "1");
        EXPECT_EQ(s.gameType, "1");
        EXPECT_EQ(s.botSpeed, 1000);
        for (const QString& p : s.phrases) EXPECT_TRUE(p.isEmpty());
    }
    // Until login the main window shows its own form defaults.
    const IniSettings before = IniSettings::beforeLogin();
    EXPECT_FALSE(before.chatterSounds);
    EXPECT_EQ(before.textSize, 10);
}

TEST_F(IniFileTest, SavedValuesReadBack) {
    EXPECT_TRUE(saveinifile(sample(), path()).isEmpty());
    expectSameSaved(loadinifile(path()), sample());
    EXPECT_EQ(read(), "[Cribbage]\nTop=50\nLeft=40\nWidth=900\nHeight=700\nTextsize=12\n"
                      "Turnsound=1\nChatterSounds=false\nTextcolor=$00FF8000\nPlaytoscore1=2\n"
                      "Gametype=4\nBotspeed=500\nPlaysounds=false\nZoom=150\n");
}

TEST_F(IniFileTest, ReadingRulesOfSingleKeys) {
    EXPECT_EQ(loadSection("Textsize=9\n").textSize, 9);
    EXPECT_FALSE(isTextSizeEntry(9));
    EXPECT_TRUE(isTextSizeEntry(14));
    EXPECT_EQ(loadSection("Textsize=big\nTop=x\nLeft=\nWidth=1e3\nHeight=-20\n").geometry(),
              QRect(3, 3, 766, -20));
    EXPECT_EQ(loadSection("Textsize=big\n").textSize, 8);
    EXPECT_EQ(loadSection("Textsize=0\n").textSize, 8);
    EXPECT_EQ(loadSection("Textsize=100000\n").textSize, 8);

    EXPECT_EQ(loadSection("Playtoscore1=5\n").playToScore, "1");
    EXPECT_EQ(loadSection("Playtoscore1=2\n").playToScore, "2");
    EXPECT_EQ(loadSection("Playtoscore1=two\n").playToScore, ""); // left as it is
    EXPECT_EQ(loadSection("Playtoscore1=\n").playToScore, "");
    EXPECT_EQ(loadSection("Gametype=3\n").gameType, "3");
    EXPECT_EQ(loadSection("Gametype=7\n").gameType, "");

    EXPECT_EQ(loadSection("Botspeed=750\n").botSpeed, 1000);
    EXPECT_EQ(loadSection("Botspeed=2000\n").botSpeed, 2000);
    EXPECT_EQ(loadSection("Botspeed=500\n").botSpeed, 500);

    const IniSettings s = loadSection("Turnsound=2\nChatterSounds=False\nPlaysounds=false\n");
    EXPECT_EQ(s.turnSound, 0);
    EXPECT_TRUE(s.chatterSounds); // only the exact text "false" unchecks
    EXPECT_FALSE(s.playSounds);
    EXPECT_EQ(loadSection("Turnsound=1\n").turnSound, 1);

    // A file without the zoom, or with one the View menu does not offer, reads as 100%.
    EXPECT_EQ(loadSection("Textsize=12\n").zoom, 100);
    EXPECT_EQ(loadSection("Zoom=200\n").zoom, 200);
    EXPECT_EQ(loadSection("Zoom=125\n").zoom, 125);
    for (const char* odd : {"Zoom=175\n", "Zoom=0\n", "Zoom=-200\n", "Zoom=big\n", "Zoom=\n"})
        EXPECT_EQ(loadSection(odd).zoom, 100) << odd;
}

TEST_F(IniFileTest, SectionAndKeyNamesIgnoreCase) {
    write("[CRIBBAGE]\ntop=17\nTEXTSIZE=14\nbotSPEED=2000\n");
    const IniSettings s = loadinifile(path());
    EXPECT_EQ(s.top, 17);
    EXPECT_EQ(s.textSize, 14);
    EXPECT_EQ(s.botSpeed, 2000);

    ASSERT_TRUE(saveinifile(sample(), path()).isEmpty());
    const QByteArray out = read();
    EXPECT_EQ(out.count("[CRIBBAGE]"), 1);
    EXPECT_FALSE(out.contains("[Cribbage]"));
    EXPECT_EQ(QString::fromUtf8(out).count(QStringLiteral("top="), Qt::CaseInsensitive), 1);
    expectSameSaved(loadinifile(path()), sample());
}

TEST_F(IniFileTest, PhrasesAreWrittenOnlyByThePhraseEditor) {
    std::array<QString, PhraseCount> phrases;
    phrases[0] = QStringLiteral("Well played, ça va?");
    phrases[3] = QStringLiteral("two\r\nlines");
    phrases[5] = QString(QChar(0xFEFF)) + QStringLiteral("Nice hand!"); // not a byte order mark
    ASSERT_TRUE(savePhrases(phrases, path()).isEmpty());
    ASSERT_TRUE(saveinifile(sample(), path()).isEmpty());

    const IniSettings s = loadinifile(path());
    EXPECT_EQ(s.phrases[0], phrases[0]);
    EXPECT_EQ(s.phrases[2], ""); // empty: the button keeps its built-in phrase
    EXPECT_EQ(s.phrases[3], "twolines");
    EXPECT_EQ(s.phrases[5], phrases[5]);
    expectSameSaved(s, sample());

    // A phrase cleared later is stored empty, and the other keys stay.
    phrases[0].clear();
    ASSERT_TRUE(savePhrases(phrases, path()).isEmpty());
    EXPECT_TRUE(read().contains("\nPhrase1=\n"));
    expectSameSaved(loadinifile(path()), sample());
}

TEST_F(IniFileTest, ASharedFileKeepsEverythingElseByteForByte) {
    const QByteArray head = "\xEF\xBB\xBF; lobby settings, do not edit\r\n"
                            "[Lobby]\r\nName=Bob\r\n; the server\r\nServer = lobby.example\r\n"
                            "Name=second\r\nweird line\r\n\r\n";
    const QByteArray tail = "\r\n# players' colours\r\n[Colours]\r\nBob=clRed\r\n"
                            "; trailing comment\r\n";
    write(head + "[cribbage]\r\n; where the window was\r\nTop=10\r\nLobbyKey=keep me\r\n" + tail);

    ASSERT_TRUE(saveinifile(sample(), path()).isEmpty());
    QByteArray out = read();
    ASSERT_TRUE(out.startsWith(head));
    ASSERT_TRUE(out.endsWith(tail));
    const QByteArray section = out.mid(head.size(), out.size() - head.size() - tail.size());
    EXPECT_TRUE(section.startsWith("[cribbage]\r\n; where the window was\r\nTop=50\r\n"));
    EXPECT_TRUE(section.contains("\r\nLobbyKey=keep me\r\n"));
    EXPECT_FALSE(section.contains("\n\n"));
    EXPECT_EQ(section.count('\n'), section.count("\r\n"));
    expectSameSaved(loadinifile(path()), sample());

    // Saving the same values again changes nothing.
    ASSERT_TRUE(saveinifile(sample(), path()).isEmpty());
    EXPECT_EQ(read(), out);
}

TEST_F(IniFileTest, AnUnclosedHeaderEndsTheSectionAndStaysAsItWas) {
    const QByteArray tail = "[Broken\nBotspeed=500\nPhrase1=not ours\n";
    write("[Cribbage]\nTop=10\n" + tail);
    const IniSettings first = loadinifile(path());
    EXPECT_EQ(first.botSpeed, 1000);
    EXPECT_TRUE(first.phrases[0].isEmpty());

    ASSERT_TRUE(saveinifile(first, path()).isEmpty());
    const QByteArray out = read();
    EXPECT_TRUE(out.endsWith(tail));
    // Each save used to add the line below the unclosed one again, as a header.
    ASSERT_TRUE(saveinifile(loadinifile(path()), path()).isEmpty());
    EXPECT_EQ(read(), out);
}

TEST_F(IniFileTest, AHeaderWithAFormFeedIsNotOurs) {
    write("[Cribbage\f]\nTop=10\n");
    EXPECT_EQ(loadinifile(path()).top, 3);
    ASSERT_TRUE(saveinifile(loadinifile(path()), path()).isEmpty());
    const QByteArray out = read();
    EXPECT_TRUE(out.startsWith("[Cribbage\f]\nTop=10\n\n[Cribbage]\n"));
    ASSERT_TRUE(saveinifile(loadinifile(path()), path()).isEmpty());
    EXPECT_EQ(read(), out);
}

TEST_F(IniFileTest, ALoneCarriageReturnEndsALineAsTheReaderSeesIt) {
    // "[cribbage\r]" is two lines to the reader: an unclosed header and a stray "]".
    const QByteArray head = "; lobby\n\r\n[cribbage\r]\n\nTextcolor=$00FF8000\rPlay=1\n";
    write(head);
    ASSERT_TRUE(saveinifile(sample(), path()).isEmpty());
    const QByteArray out = read();
    EXPECT_TRUE(out.startsWith(head));
    expectSameSaved(loadinifile(path()), sample());
    // Each save used to add another "]" line to the file.
    ASSERT_TRUE(saveinifile(loadinifile(path()), path()).isEmpty());
    EXPECT_EQ(read(), out);
}

TEST_F(IniFileTest, ANewSectionGoesBelowTheOtherPrograms) {
    write("[Lobby]\nName=Bob\n; last words");
    ASSERT_TRUE(saveinifile(sample(), path()).isEmpty());
    const QByteArray out = read();
    EXPECT_TRUE(out.startsWith("[Lobby]\nName=Bob\n; last words\n\n[Cribbage]\nTop=50\n"));
    expectSameSaved(loadinifile(path()), sample());
}

TEST_F(IniFileTest, SingleByteCodePageValuesReadAsLatin1) {
    write("[Cribbage]\nPhrase2=Bien jou\xe9!\nPhrase3=d\xc3\xa9j\xc3\xa0\n");
    const IniSettings s = loadinifile(path());
    EXPECT_EQ(s.phrases[1], QStringLiteral("Bien joué!"));
    EXPECT_EQ(s.phrases[2], QStringLiteral("déjà"));
}

TEST_F(IniFileTest, AFailedWriteReportsAndLeavesTheFile) {
    // The "directory" is a plain file, so nothing can be created below it.
    const QString blocker = m_dir.filePath(QStringLiteral("blocker"));
    {
        QFile f(blocker);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    EXPECT_FALSE(saveinifile(sample(), blocker + QStringLiteral("/rudedidevaz.ini")).isEmpty());
    EXPECT_FALSE(savePhrases({}, blocker + QStringLiteral("/rudedidevaz.ini")).isEmpty());

    // The chat hears of a failing file once, and again only after a success in between.
    ReportOnce once;
    const QString failure = saveinifile(sample(), blocker + QStringLiteral("/rudedidevaz.ini"));
    EXPECT_EQ(once.filter(failure), failure);
    EXPECT_EQ(once.filter(failure), QString());
    EXPECT_EQ(once.filter(saveinifile(sample(), path())), QString());
    EXPECT_EQ(once.filter(failure), failure);

    // A settings file that cannot be read is not replaced by one holding only our section.
    const QString dirAsFile = m_dir.filePath(QStringLiteral("sub"));
    ASSERT_TRUE(QDir().mkpath(dirAsFile));
    QString error;
    loadinifile(dirAsFile, &error);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(saveinifile(sample(), dirAsFile).isEmpty());
    EXPECT_TRUE(QFileInfo(dirAsFile).isDir());
}

TEST_F(IniFileTest, AFullDiskKeepsTheOldFileByteForByte) {
    // The lobby's section and the player's own settings, as a full disk must leave them.
    const QByteArray before = "[Lobby]\r\nName=Bob\r\nServer=lobby.example\r\n\r\n"
                              "[Cribbage]\r\nTop=10\r\nTextsize=14\r\nBotspeed=500\r\n"
                              "Phrase1=Hello there\r\n";
    std::array<QString, PhraseCount> phrases;
    phrases[0] = QStringLiteral("Goodbye");
    const std::function<QString(const QString&)> saves[] = {
        [](const QString& file) { return saveinifile(sample(), file); },
        [&phrases](const QString& file) { return savePhrases(phrases, file); },
    };
    const QString other = m_dir.filePath(QStringLiteral("other.ini"));
    for (const auto& save : saves) {
        // How long the new file would be.
        QFile::remove(other);
        {
            QFile f(other);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(before);
        }
        ASSERT_TRUE(save(other).isEmpty());
        const qint64 newSize = QFileInfo(other).size();
        ASSERT_TRUE(QFile::remove(other));

        // Nothing fits, the first byte fits, or all but the last byte: each write fails
        // somewhere else, and either way the file stays as it was.
        write(before);
        for (const rlim_t limit : {rlim_t(0), rlim_t(1), rlim_t(40), rlim_t(newSize - 1)}) {
            QString error;
            {
                FileSizeLimit full(limit);
                ASSERT_TRUE(full.active());
                error = save(path());
            }
            SCOPED_TRACE(limit);
            EXPECT_TRUE(error.startsWith("The settings file " + path() + " could not be written: "))
                << error.toStdString();
            EXPECT_EQ(read(), before);
            // No half-written copy is left beside it.
            EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files),
                      QStringList{QStringLiteral("rudedidevaz.ini")});
        }
        // With room again the same save goes through.
        EXPECT_TRUE(save(path()).isEmpty());
    }
    const IniSettings after = loadinifile(path());
    EXPECT_EQ(after.phrases[0], "Goodbye");
    EXPECT_EQ(after.textSize, 14);
}

TEST_F(IniFileTest, WritesCreateTheConfigurationFolder) {
    const QString nested = m_dir.filePath(QStringLiteral("config/cribbage/rudedidevaz.ini"));
    ASSERT_TRUE(saveinifile(sample(), nested).isEmpty());
    expectSameSaved(loadinifile(nested), sample());
}

TEST_F(IniFileTest, ASaveOfSomeKeysLeavesTheOthersAsTheyStand) {
    write("[Lobby]\nTop=1\n[Cribbage]\nTop=10\nTextsize=14\nBotspeed=500\n");
    ASSERT_TRUE(saveinifile(sample(), path(), IniKey::Textsize | IniKey::Playsounds).isEmpty());
    EXPECT_EQ(read(), "[Lobby]\nTop=1\n[Cribbage]\nTop=10\nTextsize=12\nBotspeed=500\n"
                      "Playsounds=false\n");
    // Nothing to write: the file is not touched, not even made.
    const QString missing = m_dir.filePath(QStringLiteral("missing.ini"));
    EXPECT_TRUE(saveinifile(sample(), missing, {}).isEmpty());
    EXPECT_FALSE(QFile::exists(missing));
}

TEST(IniChangesRule, UntilTheFileIsReadOnlyWhatChangedAfterwardsEverything) {
    IniChanges changes;
    IniSettings now = IniSettings::beforeLogin();
    // Before the window has a start to compare with, only explicit choices count.
    EXPECT_EQ(changes.keysToWrite(sample()), IniKeys());

    changes.setStart(now);
    EXPECT_EQ(changes.keysToWrite(now), IniKeys());
    now.textSize = 12;
    EXPECT_EQ(changes.keysToWrite(now), IniKeys(IniKey::Textsize));
    // Set back to where it was, it is still the player's choice; so is a speed picked again.
    now.textSize = 10;
    EXPECT_EQ(changes.keysToWrite(now, IniKey::Botspeed), IniKey::Textsize | IniKey::Botspeed);

    // The desktop's placing of the window is no change; the player's move is.
    changes.setStartGeometry(QRect(50, 60, 766, 530));
    now.setGeometry(QRect(50, 60, 766, 530));
    EXPECT_EQ(changes.keysToWrite(now), IniKey::Textsize | IniKey::Botspeed);
    now.setGeometry(QRect(80, 60, 766, 530));
    EXPECT_EQ(changes.keysToWrite(now), IniKey::Textsize | IniKey::Botspeed | IniKey::Left);

    changes.setLoaded();
    EXPECT_EQ(changes.keysToWrite(now), AllIniKeys);
}

TEST(WindowPlacement, TheCloseRule) {
    const QRect saved(3, 3, 766, 530);
    const QSize work(1920, 1040);
    EXPECT_EQ(geometryToStore(saved, saved, work), std::nullopt);
    EXPECT_EQ(geometryToStore(QRect(4, 3, 766, 530), saved, work), QRect(4, 3, 766, 530));
    EXPECT_EQ(geometryToStore(QRect(0, 0, 2000, 530), saved, work), QRect(0, 0, 1985, 530));
    EXPECT_EQ(geometryToStore(QRect(0, 0, 2000, 1100), saved, work), QRect(0, 0, 1985, 1085));
    // Once, not until it fits.
    EXPECT_EQ(geometryToStore(QRect(0, 0, 766, 2000), saved, work), QRect(0, 0, 766, 1985));
    EXPECT_EQ(geometryToStore(QRect(0, 0, 1920, 1040), saved, work), QRect(0, 0, 1920, 1040));
}

TEST(UserFilesPlace, ProgramDirectoryWhenWritableElseConfigFolder) {
    QTemporaryDir dir;
    const QString fallback = dir.filePath(QStringLiteral("config/cribbage"));
    EXPECT_EQ(UserFiles::chooseDirectory(dir.path(), fallback), QDir::cleanPath(dir.path()));
    EXPECT_EQ(UserFiles::chooseDirectory(dir.filePath(QStringLiteral("missing")), fallback),
              fallback);
    EXPECT_EQ(UserFiles::chooseDirectory(QString(), fallback), fallback);
    // An installed layout, even a writable one, keeps the files with the user.
    const QString bin = dir.filePath(QStringLiteral("usr/bin"));
    ASSERT_TRUE(QDir().mkpath(bin));
    EXPECT_EQ(UserFiles::chooseDirectory(bin, fallback), QDir::cleanPath(bin));
    ASSERT_TRUE(QDir().mkpath(dir.filePath(QStringLiteral("usr/share/applications"))));
    QFile entry(dir.filePath(QStringLiteral("usr/share/applications/cribbage.desktop")));
    ASSERT_TRUE(entry.open(QIODevice::WriteOnly));
    entry.close();
    EXPECT_EQ(UserFiles::chooseDirectory(bin, fallback), fallback);
    EXPECT_TRUE(UserFiles::configDirectory().endsWith(QStringLiteral("/cribbage")));

    UserFiles::setDirectoryOverride(dir.path());
    EXPECT_EQ(UserFiles::settingsPath(), dir.filePath(QStringLiteral("rudedidevaz.ini")));
    EXPECT_EQ(UserFiles::tallyPath(), dir.filePath(QStringLiteral("Cribbagetally.tld")));
    UserFiles::setDirectoryOverride(QString());
    EXPECT_NE(UserFiles::directory(), QDir::cleanPath(dir.path()));
}

// The computer players' level and the discard values came after files were in use: a file
// without them reads as before, and a save leaves them out until they hold something else.
TEST_F(IniFileTest, TheLaterKeysReadAsTheirAbsenceUntilSet) {
    EXPECT_EQ(loadSection("").computerLevel, 0);
    EXPECT_FALSE(loadSection("").discardValues);
    EXPECT_EQ(loadSection("ComputerLevel=Expert\n").computerLevel, 1);
    EXPECT_EQ(loadSection("ComputerLevel= expert \n").computerLevel, 1);
    EXPECT_EQ(loadSection("ComputerLevel=1\n").computerLevel, 0);
    EXPECT_EQ(loadSection("ComputerLevel=hardest\n").computerLevel, 0);
    EXPECT_TRUE(loadSection("DiscardValues=true\n").discardValues);
    EXPECT_FALSE(loadSection("DiscardValues=yes\n").discardValues);

    write("[Cribbage]\nTop=10\n");
    IniSettings s = sample();
    ASSERT_TRUE(saveinifile(s, path()).isEmpty());
    EXPECT_FALSE(read().contains("ComputerLevel"));
    EXPECT_FALSE(read().contains("DiscardValues"));

    s.computerLevel = 1;
    s.discardValues = true;
    ASSERT_TRUE(saveinifile(s, path()).isEmpty());
    EXPECT_TRUE(read().endsWith("ComputerLevel=expert\nDiscardValues=true\n"));
    EXPECT_EQ(loadinifile(path()).computerLevel, 1);
    EXPECT_TRUE(loadinifile(path()).discardValues);

    // Once in the file, going back is written too.
    s.computerLevel = 0;
    s.discardValues = false;
    ASSERT_TRUE(saveinifile(s, path()).isEmpty());
    EXPECT_TRUE(read().endsWith("ComputerLevel=classic\nDiscardValues=false\n"));
    EXPECT_EQ(loadinifile(path()).computerLevel, 0);
}
