// The game start window: one choice per group, and the start message it sends.
#include "settings/tgamestart.h"
#include "test_client_support.h"

#include <QAction>

static ::testing::Environment* const kEnv =
    ::testing::AddGlobalTestEnvironment(new ClientAppEnvironment);

namespace {

class GameStartTest : public ::testing::Test {
protected:
    void SetUp() override {
        testApp();
        QObject::connect(
            &window, &Tgamestart::startRequested,
            [this](const QString& points, const QString& type) { started << points + "+" + type; });
    }
    int selected(const char* name) const {
        return window.findChild<QWidget*>(name)->property("selected").toInt();
    }
    void click(const char* name) {
        QTest::mouseClick(window.findChild<QWidget*>(name), Qt::LeftButton, Qt::NoModifier,
                          QPoint(3, 3));
    }

    Tgamestart window;
    QStringList started;
};

} // namespace

TEST_F(GameStartTest, StartingWithoutLoadedSettingsSendsOneAndOne) {
    EXPECT_EQ(window.windowTitle(), "Cribbage - Game Start");
    window.show();
    click("button_start");
    EXPECT_EQ(started, QStringList{"1+1"});
    EXPECT_FALSE(window.isVisible());
}

TEST_F(GameStartTest, ClicksMoveTheCheckWithinEachGroup) {
    window.selectpts("2"); // as the settings load would
    EXPECT_EQ(selected("image_pts2"), 1);
    EXPECT_EQ(selected("image_pts1"), 0);
    click("image_pts2"); // already checked: nothing changes
    EXPECT_EQ(window.ptsChoice(), "2");
    click("image_gt4");
    click("image_gt3");
    EXPECT_EQ(selected("image_gt3"), 1);
    EXPECT_EQ(selected("image_gt4"), 0);
    EXPECT_EQ(selected("image_gt1"), 0);
    const QImage checked = window.findChild<QLabel*>("image_gt3")->pixmap().toImage();
    EXPECT_NE(checked, window.findChild<QLabel*>("image_gt1")->pixmap().toImage());
    click("button_start");
    EXPECT_EQ(started.last(), "2+3");
}

TEST_F(ClientTest, StartCommandOpensTheWindowOnlyWhenConnected) {
    QList<Tchat::SideWindow> opened;
    QObject::connect(chat.get(), &Tchat::sideWindowRequested,
                     [&opened](Tchat::SideWindow window) { opened << window; });
    chat->button_startClick();
    EXPECT_EQ(messages, QStringList{"You are not connected"});
    login(1);
    chat->findChild<QAction*>("StartGame1")->trigger();
    EXPECT_EQ(opened, QList<Tchat::SideWindow>{Tchat::SideWindow::GameStart});

    // The host's start goes out with the host's name and is kept in the settings.
    int saved = 0;
    QObject::connect(chat.get(), &Tchat::settingsSaved, [&saved] { ++saved; });
    chat->startGame("2", "3");
    EXPECT_EQ(lastSent(), std::string("CMD_startgame++2+3+") + '\xFF');
    EXPECT_EQ(saved, 1);
}

TEST_F(ClientTest, BotSpeedEntriesSetTheSpeedAndCheckOnlyThemselves) {
    EXPECT_EQ(chat->botSpeed(), 1000);
    int saved = 0;
    QObject::connect(chat.get(), &Tchat::settingsSaved, [&saved] { ++saved; });
    chat->findChild<QAction*>("Fast1")->trigger();
    EXPECT_EQ(chat->botSpeed(), 500);
    chat->findChild<QAction*>("Slow1")->trigger();
    EXPECT_EQ(chat->botSpeed(), 2000);
    EXPECT_TRUE(chat->findChild<QAction*>("Slow1")->isChecked());
    EXPECT_FALSE(chat->findChild<QAction*>("Fast1")->isChecked());
    EXPECT_FALSE(chat->findChild<QAction*>("Normal1")->isChecked());
    EXPECT_EQ(saved, 2);
}

TEST_F(ClientTest, TheWindowNeverShrinksBelowTheBoard) {
    chat->show();
    chat->resize(300, 200);
    EXPECT_GE(chat->centralWidget()->width(), 757 + 15);
    EXPECT_GE(chat->centralWidget()->height(), 481 + 12);
}
