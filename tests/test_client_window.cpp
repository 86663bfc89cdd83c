// The main window's place and its end: where it goes, what its close writes, and leaving a game
// in progress.
#include "settings/inifile.h"
#include "test_client_support.h"

#include <QCloseEvent>
#include <QFile>
#include <QtTest/qtestspontaneevent.h>

static ::testing::Environment* const kEnv =
    ::testing::AddGlobalTestEnvironment(new ClientAppEnvironment);

namespace {

// The window manager's close button: a close event from outside the program. (Sending it
// would mark it as the program's own, so it goes to the window's event handler directly.)
void closeButton(QWidget* window) {
    QCloseEvent event;
    QSpontaneKeyEvent::setSpontaneous(&event);
    static_cast<QObject*>(window)->event(&event);
}

class WindowTest : public ClientTest {
protected:
    void SetUp() override {
        ClientTest::SetUp();
        QObject::connect(chat.get(), &Tchat::closed, [this] { closed = true; });
    }
    bool closed = false;
};

} // namespace

// The frame goes to 3,3, not the inside: a title bar above the screen cannot be dragged.
TEST_F(WindowTest, ResetScreenLocationPutsTheFrameAtTheCorner) {
    chat->show();
    chat->move(200, 150);
    chat->ResetScreenLocation1Click();
    EXPECT_EQ(chat->pos(), QPoint(3, 3));
    EXPECT_EQ(chat->frameGeometry().topLeft(), QPoint(3, 3));
    EXPECT_EQ(chat->size(), QSize(772, 530));
}

TEST_F(WindowTest, StoredPlaceIsTheFrameAndAStoredSizeBelowTheMinimumIsRaised) {
    IniSettings stored;
    stored.setGeometry(QRect(40, 30, 700, 400));
    ASSERT_TRUE(saveinifile(stored, UserFiles::settingsPath()).isEmpty());
    chat->show();
    login(1);
    feed(net::toClient::newplayerinfo(1, "You"));
    EXPECT_EQ(chat->frameGeometry().topLeft(), QPoint(40, 30));
    EXPECT_GE(chat->width(), 772);
    EXPECT_EQ(chat->savedGeometry(), QRect(chat->pos(), chat->size()));
}

// The default width agrees with the window's own minimum, so the first close after a login
// without moving anything writes nothing.
TEST_F(WindowTest, ClosingAnUnmovedWindowAfterLoginWritesNothing) {
    chat->show();
    login(1);
    feed(net::toClient::newplayerinfo(1, "You"));
    ASSERT_FALSE(QFile::exists(UserFiles::settingsPath()));
    chat->close();
    EXPECT_TRUE(closed);
    EXPECT_FALSE(QFile::exists(UserFiles::settingsPath()));
}

TEST_F(WindowTest, MovedWindowIsStoredWhereItsFrameStands) {
    chat->show();
    login(1);
    feed(net::toClient::newplayerinfo(1, "You"));
    chat->move(60, 70);
    chat->close();
    const IniSettings stored = loadinifile(UserFiles::settingsPath());
    EXPECT_EQ(stored.geometry().topLeft(), QPoint(60, 70));
    EXPECT_EQ(stored.geometry().size(), chat->size());
}

TEST_F(WindowTest, ExitDuringAGameAsksFirst) {
    chat->show();
    chat->Exit1Click(); // no game: no question
    EXPECT_TRUE(prompts.asked.isEmpty());
    EXPECT_TRUE(closed);

    closed = false;
    chat->show();
    startGame(2, 3);
    prompts.answers = {false};
    chat->Exit1Click();
    EXPECT_EQ(prompts.asked, QStringList{"Leave the game in progress?"});
    EXPECT_FALSE(closed);
    EXPECT_TRUE(chat->isVisible());
    chat->Exit1Click(); // Yes
    EXPECT_TRUE(closed);
    EXPECT_EQ(prompts.asked.size(), 2);
}

TEST_F(WindowTest, TheWindowsCloseButtonAsksDuringAGameButTheProgramsOwnCloseDoesNot) {
    chat->show();
    startGame(1, 1);
    prompts.answers = {false};
    closeButton(chat.get());
    EXPECT_EQ(prompts.asked, QStringList{"Leave the game in progress?"});
    EXPECT_FALSE(closed);

    // A won game is over: nothing to confirm.
    feed(net::toClient::winner(2, 0));
    closeButton(chat.get());
    EXPECT_EQ(prompts.asked.size(), 1);
    EXPECT_TRUE(closed);
}

TEST_F(WindowTest, ASpectatorLeavesWithoutAQuestionAndTheProgramClosesQuietly) {
    chat->show();
    startGame(6, 3);
    chat->Exit1Click();
    EXPECT_TRUE(prompts.asked.isEmpty());
    EXPECT_TRUE(closed);

    closed = false;
    chat->show();
    feed(net::toClient::sendlogininfo(2) + net::toClient::startgame("Host", "1", "3"));
    chat->close(); // the program's own close: a lost table, the lobby, a signal to end
    EXPECT_TRUE(prompts.asked.isEmpty());
    EXPECT_TRUE(closed);
}
