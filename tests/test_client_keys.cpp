// The table from the keyboard and for a screen reader: the keys reach the mouse's handlers, the
// mark shows which card a key takes, and cards, seats and buttons carry spoken names.
#include "client/handrow.h"
#include "test_client_support.h"

#include <QAction>
#include <QFrame>
#include <QMenu>

using namespace net::toClient;

static ::testing::Environment* const kEnv =
    ::testing::AddGlobalTestEnvironment(new ClientAppEnvironment);

namespace {

class KeysTest : public ClientTest {
protected:
    QWidget* board() const { return find("panel_board"); }
    void key(int k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(board(), Qt::Key(k), mods);
    }
    int cardY(int pos) const { return at(QString("card%1").arg(pos)).y(); }
    void twoPlayerCribTurn() {
        startGame(1, 1);
        feed(startround());
        // 3C, KC, AC, 10C, 5C, JC
        dealHand(1, {3, 13, 1, 10, 5, 11});
        feed(playergive(1, 2, 1));
        sent.clear();
    }
};

} // namespace

TEST_F(KeysTest, NumberKeysRaiseAndLowerTheCardsByTheirPlaceAndEnterGivesThem) {
    twoPlayerCribTurn();
    // Sorted, the row from the left is A, 3, 5, 10, J, K: the keys follow the row, not the deal.
    click("card1", Qt::RightButton);
    key(Qt::Key_1);
    EXPECT_EQ(cardY(3), 332); // the Ace
    key(Qt::Key_1);
    EXPECT_EQ(cardY(3), 336);
    key(Qt::Key_2);
    key(Qt::Key_6);
    EXPECT_EQ(cardY(1), 332);
    EXPECT_EQ(cardY(2), 332);
    EXPECT_TRUE(shown("button_ok"));
    key(Qt::Key_9); // no such card, nothing happens
    key(Qt::Key_H); // not the table's key
    EXPECT_TRUE(sent.empty());

    key(Qt::Key_Return);
    EXPECT_EQ(sent, std::vector<std::string>{net::toServer::sendcard(1, 1, 2)});
    EXPECT_FALSE(shown("button_ok"));
    key(Qt::Key_Enter); // nothing shows: nothing is sent
    EXPECT_EQ(sent.size(), 1u);
}

TEST_F(KeysTest, TheMarkMovesWithArrowsAndTabAndSpaceTakesTheMarkedCard) {
    twoPlayerCribTurn();
    chat->show();
    board()->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return board()->hasFocus(); }));
    HandRow* row = chat->handRow();
    auto* mark = find<QFrame>("handmark");
    EXPECT_TRUE(row->markShown());
    EXPECT_TRUE(mark->isVisible());
    EXPECT_EQ(row->markedPosition(), 1);
    EXPECT_EQ(mark->geometry().left(), at("card1").x() - 2);

    key(Qt::Key_Right);
    key(Qt::Key_Right);
    EXPECT_EQ(row->markedPosition(), 3);
    key(Qt::Key_Left);
    EXPECT_EQ(row->markedPosition(), 2);
    key(Qt::Key_Tab);
    EXPECT_EQ(row->markedPosition(), 3);
    EXPECT_TRUE(board()->hasFocus());
    key(Qt::Key_End);
    EXPECT_EQ(row->markedPosition(), 6);
    // The front card is marked whole.
    EXPECT_EQ(mark->width(), 71 + 4);
    key(Qt::Key_Space);
    EXPECT_EQ(cardY(6), 332);
    EXPECT_EQ(mark->y(), 332 - 2); // the mark follows the raised card

    // The mark takes no click: the card under it does.
    QTest::mouseClick(mark, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(cardY(6), 332);
    click("card6");
    EXPECT_EQ(cardY(6), 336);

    // Past the last card Tab leaves the table for the chat, and the mark goes with it.
    key(Qt::Key_Tab);
    EXPECT_FALSE(board()->hasFocus());
    EXPECT_FALSE(mark->isVisible());
}

TEST_F(KeysTest, InThePlayANumberKeyPlaysTheCard) {
    startGame(1, 3);
    feed(startround());
    dealHand(1, {7, 8, 9, 20, 33});
    feed(gavecards(1, 5, 0) + turnover(44, 0, 4, 0, 2, 0) + nextplayer(1, 3));
    sent.clear();
    key(Qt::Key_3);
    EXPECT_EQ(sent, std::vector<std::string>{net::toServer::playcard(1, 3)});
    key(Qt::Key_1); // the turn went with the card
    EXPECT_EQ(sent.size(), 1u);
}

TEST_F(KeysTest, EnterPressesDoneInTheSummaryAndStartGameWhenOffered) {
    startGame(1, 1);
    feed(final(1));
    ASSERT_TRUE(shown("button_done"));
    sent.clear();
    key(Qt::Key_Return);
    EXPECT_EQ(sent, std::vector<std::string>{net::toServer::clickdone(1)});
    EXPECT_FALSE(shown("panel_final"));

    // A host between games: Enter is the Start Game button.
    std::vector<Tchat::SideWindow> asked;
    QObject::connect(chat.get(), &Tchat::sideWindowRequested,
                     [&](Tchat::SideWindow w) { asked.push_back(w); });
    chat->model().setHost(true);
    feed(winner(1, 0));
    ASSERT_TRUE(model().startOffered());
    key(Qt::Key_Enter);
    EXPECT_EQ(asked, std::vector<Tchat::SideWindow>{Tchat::SideWindow::GameStart});
}

TEST_F(KeysTest, MenusHaveMnemonicsAndCtrlQAsksDuringAGame) {
    for (const char* name : {"File1", "Options1", "View1", "Help1", "Zoom1"}) {
        auto* menu = chat->findChild<QMenu*>(name);
        ASSERT_TRUE(menu) << name;
        EXPECT_TRUE(menu->title().contains('&')) << name;
    }
    QAction* exit = chat->findChild<QAction*>("Exit1");
    EXPECT_EQ(exit->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));

    startGame(1, 1);
    bool closed = false;
    QObject::connect(chat.get(), &Tchat::closed, [&] { closed = true; });
    chat->show();
    prompts.answers = {false};
    exit->trigger();
    EXPECT_EQ(prompts.asked.size(), 1u);
    EXPECT_TRUE(chat->isVisible());
    EXPECT_FALSE(closed);
}

TEST_F(KeysTest, CardsSeatsAndButtonsCarrySpokenNames) {
    twoPlayerCribTurn();
    EXPECT_EQ(find("card1")->accessibleName(), "Three of Clubs");
    EXPECT_EQ(find("card2")->accessibleName(), "King of Clubs");
    click("card2");
    EXPECT_EQ(find("card2")->accessibleName(), "King of Clubs, raised");
    click("card2");
    EXPECT_EQ(find("card2")->accessibleName(), "King of Clubs");
    EXPECT_EQ(find("button_ok")->accessibleName(), "OK");
    EXPECT_EQ(find("button_done")->accessibleName(), "Done");
    EXPECT_EQ(find("button_start")->accessibleName(), "Start Game");

    // The seats follow the model: score, dealer, turn.
    feed(playergive(2, 2, 1)); // the computer's turn
    EXPECT_EQ(find("label_playername1")->accessibleName(), "You, 0 points");
    chat->postscore(2, 57);
    const QString other = find("label_playername2")->accessibleName();
    EXPECT_TRUE(other.contains(", 57 points")) << other.toStdString();
    EXPECT_TRUE(other.startsWith(model().seatName(2))) << other.toStdString();
    EXPECT_NE(find("image_cards2")->accessibleName(), "");
    chat->model().setDealer(2);
    EXPECT_TRUE(find("label_playername2")->accessibleName().contains(", 57 points, dealer"));

    feed(turnover(27, 0, 1, 0, 2, 0));
    EXPECT_EQ(find("image_turnover")->accessibleName(), "Starter: Ace of Hearts");
}
