// The main window and its settings file: what a close or a menu choice writes before the login
// has read the file, and after.
#include "chat/chatpanel.h"
#include "client/hintadvisor.h"
#include "settings/inifile.h"
#include "test_client_support.h"

#include <QAction>
#include <QFile>

namespace {

const QByteArray kStored = "; the lobby's own\r\n[Lobby]\r\nName=Bob\r\n\r\n"
                           "[Cribbage]\r\nTop=120\r\nLeft=140\r\nWidth=900\r\nHeight=640\r\n"
                           "Textsize=14\r\nTurnsound=1\r\nChatterSounds=false\r\n"
                           "Textcolor=clTeal\r\nPlaytoscore1=2\r\nGametype=3\r\nBotspeed=500\r\n"
                           "Phrase1=Hi all\r\nPlaysounds=false\r\n";

class SettingsGlueTest : public ClientTest {
protected:
    void SetUp() override {
        ClientTest::SetUp();
        // The game start window's choices, as the program wires them.
        QObject::connect(chat.get(), &Tchat::gameChoicesLoaded,
                         [this](const QString& points, const QString& type) {
                             if (!points.isEmpty()) m_points = points;
                             if (!type.isEmpty()) m_type = type;
                             chat->setGameChoices(m_points, m_type);
                         });
        QFile f(UserFiles::settingsPath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(kStored);
        f.close();
        chat->show();
        QCoreApplication::processEvents();
    }
    // As text, so that a failure shows the lines that differ.
    static std::string stored() {
        QFile f(UserFiles::settingsPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string();
    }
    void trigger(const char* action) {
        QAction* a = chat->findChild<QAction*>(QString::fromLatin1(action));
        ASSERT_NE(a, nullptr) << action;
        a->trigger();
    }
    // The stored file with some of the game's lines replaced.
    static std::string storedWith(const std::vector<std::pair<QByteArray, QByteArray>>& lines) {
        QByteArray expected = kStored;
        for (const auto& [from, to] : lines) expected.replace(from, to);
        return expected.toStdString();
    }

    QString m_points = QStringLiteral("1");
    QString m_type = QStringLiteral("1");
};

} // namespace

TEST_F(SettingsGlueTest, ClosingBeforeLoginKeepsEveryStoredKey) {
    // "Game is full", a failed listen or a table that never answered: the file was never read.
    chat->close();
    EXPECT_EQ(stored(), kStored.toStdString());
}

TEST_F(SettingsGlueTest, BeforeLoginOnlyWhatThePlayerChangedIsWritten) {
    trigger("N12");     // a text size
    trigger("Normal1"); // the speed the window already ran at, but the player's choice
    EXPECT_EQ(stored(),
              storedWith({{"Textsize=14", "Textsize=12"}, {"Botspeed=500", "Botspeed=1000"}}));

    // Moved, not resized: the place (where the frame stands) is written on closing, the stored
    // size and the earlier choices stay.
    chat->move(chat->pos() + QPoint(30, 20));
    const QPoint moved = chat->pos();
    chat->close();
    const IniSettings after = loadinifile(UserFiles::settingsPath());
    EXPECT_EQ(after.geometry(), QRect(moved, QSize(900, 640)));
    EXPECT_EQ(after.textSize, 12);
    EXPECT_EQ(after.botSpeed, 1000);
    EXPECT_EQ(after.textColor, "clTeal");
    EXPECT_EQ(after.gameType, "3");
    EXPECT_FALSE(after.playSounds);
    EXPECT_TRUE(QByteArray::fromStdString(stored()).startsWith(
        "; the lobby's own\r\n[Lobby]\r\nName=Bob\r\n\r\n"));
}

TEST_F(SettingsGlueTest, AfterLoginTheStoredValuesComeBackWithTheChange) {
    login(1);
    feed(net::toClient::newplayerinfo(1, "You"));
    EXPECT_EQ(chat->chatPanel()->textSize(), 14);
    EXPECT_EQ(chat->botSpeed(), 500);

    trigger("PlaySounds1"); // on again
    // Every key is written after login; the keys newer than the file (the zoom, the computer
    // level, the discard values) only once they hold something other than their absence means.
    const std::string expected = storedWith({{"Playsounds=false", "Playsounds=true"}});
    EXPECT_EQ(stored(), expected);
    chat->close();
    EXPECT_EQ(stored(), expected);
}

TEST_F(SettingsGlueTest, TheComputerLevelAndTheDiscardValuesAreSavedAtTheirChoice) {
    const auto checked = [this](const char* name) {
        QAction* a = chat->findChild<QAction*>(QString::fromLatin1(name));
        return a && a->isChecked();
    };
    EXPECT_TRUE(checked("ComputerClassic1"));
    EXPECT_EQ(chat->computerLevel(), 0);
    // Before the login only the choice itself is written.
    trigger("ComputerExpert1");
    EXPECT_EQ(chat->computerLevel(), 1);
    EXPECT_EQ(stored(),
              storedWith({{"Playsounds=false", "Playsounds=false\r\nComputerLevel=expert"}}));

    login(1);
    feed(net::toClient::newplayerinfo(1, "You"));
    EXPECT_TRUE(checked("ComputerExpert1"));
    EXPECT_FALSE(checked("ShowDiscardValues1"));
    trigger("ShowDiscardValues1");
    EXPECT_TRUE(chat->hints().showDiscardValues());
    EXPECT_EQ(stored(),
              storedWith({{"Playsounds=false",
                           "Playsounds=false\r\nComputerLevel=expert\r\nDiscardValues=true"}}));

    // Another window reads both back.
    chat.reset();
    chat = std::make_unique<Tchat>();
    chat->setPrompts(&prompts);
    chat->show();
    login(1);
    feed(net::toClient::newplayerinfo(1, "You"));
    EXPECT_EQ(chat->computerLevel(), 1);
    EXPECT_TRUE(checked("ComputerExpert1"));
    EXPECT_TRUE(checked("ShowDiscardValues1"));
    EXPECT_TRUE(chat->hints().showDiscardValues());
    trigger("ComputerClassic1");
    EXPECT_EQ(chat->computerLevel(), 0);
    EXPECT_TRUE(QByteArray::fromStdString(stored()).contains("ComputerLevel=classic\r\n"));
}
