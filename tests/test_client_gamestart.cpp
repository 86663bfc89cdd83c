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
        window.sendHook = [this](const std::string& m) { sent.push_back(m); };
        window.ownName = [] { return QStringLiteral("Ann"); };
        window.onSave = [this] { ++saves; };
    }
    int selected(const char* name) const {
        return window.findChild<QWidget*>(name)->property("selected").toInt();
    }
    void click(const char* name) {
        QTest::mouseClick(window.findChild<QWidget*>(name), Qt::LeftButton, Qt::NoModifier,
                          QPoint(3, 3));
    }

    Tgamestart window;
    std::vector<std::string> sent;
    int saves = 0;
};

} // namespace

TEST_F(GameStartTest, StartingWithoutLoadedSettingsSendsOneAndOne) {
    EXPECT_EQ(window.windowTitle(), "Cribbage - Game Start");
    window.show();
    click("button_start");
    EXPECT_EQ(sent, std::vector<std::string>{std::string("CMD_startgame+Ann+1+1+") + '\xFF'});
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(saves, 1);
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
    EXPECT_EQ(sent.back(), std::string("CMD_startgame+Ann+2+3+") + '\xFF');
}

TEST_F(ClientTest, StartCommandOpensTheWindowOnlyWhenConnected) {
    QStringList opened;
    chat->showSideWindow = [&opened](const QString& name) { opened << name; };
    chat->button_startClick();
    EXPECT_EQ(messages, QStringList{"You are not connected"});
    login(1);
    chat->findChild<QAction*>("StartGame1")->trigger();
    EXPECT_EQ(opened, QStringList{"gamestart"});
}

TEST_F(ClientTest, BotSpeedEntriesSetTheSpeedAndCheckOnlyThemselves) {
    EXPECT_EQ(chat->botSpeed(), 1000);
    int saved = 0;
    chat->onSaveIni = [&saved] { ++saved; };
    chat->findChild<QAction*>("Fast1")->trigger();
    EXPECT_EQ(chat->botSpeed(), 500);
    chat->findChild<QAction*>("Slow1")->trigger();
    EXPECT_EQ(chat->botSpeed(), 2000);
    EXPECT_TRUE(chat->findChild<QAction*>("Slow1")->isChecked());
    EXPECT_FALSE(chat->findChild<QAction*>("Fast1")->isChecked());
    EXPECT_FALSE(chat->findChild<QAction*>("Normal1")->isChecked());
    EXPECT_EQ(saved, 2);
}

TEST_F(ClientTest, ResetScreenLocationAndMinimumSize) {
    chat->show();
    chat->resize(300, 200);
    EXPECT_GE(chat->centralWidget()->width(), 757 + 15);
    EXPECT_GE(chat->centralWidget()->height(), 481 + 12);
    chat->ResetScreenLocation1Click();
    EXPECT_EQ(chat->geometry().topLeft(), QPoint(3, 3));
}
