// What the table says at each step: the starter and the crib on the table, a raised card, the
// summary's names and starter, the winner's marks over it, the watching mark, the refused card's
// reason, the show's points kept in the score log, and the chat kept at its newest line.
#include "chat/chatview.h"
#include "test_client_support.h"

#include <QScrollBar>

using namespace net::toClient;

static ::testing::Environment* const kEnv =
    ::testing::AddGlobalTestEnvironment(new ClientAppEnvironment);

namespace {

EndScore hand(int dealer, int box, int score, int total,
              std::array<int, 5> cards = {1, 15, 29, 43, 5}) {
    EndScore e;
    e.dealer = dealer;
    e.seat = box;
    e.score = score;
    e.total = total;
    e.fifteens = total;
    for (int i = 0; i < 5; ++i) e.cards[i] = cards[i];
    return e;
}

// Text items of the summary panel: its labels and lists.
std::vector<QWidget*> summaryText(QWidget* panel) {
    std::vector<QWidget*> out;
    for (QWidget* w : panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (w->isVisible() &&
            (qobject_cast<QListWidget*>(w) ||
             (qobject_cast<QLabel*>(w) && !qobject_cast<QLabel*>(w)->text().isEmpty())))
            out.push_back(w);
    return out;
}

} // namespace

TEST_F(ClientTest, TheStarterIsLabelledAndTheCribLiesBesideTheDealer) {
    startGame(1, 3);
    feed(startround());
    EXPECT_FALSE(shown("label_starter"));
    EXPECT_FALSE(shown("image_crib"));

    dealHand(1, {7, 8, 9, 20, 33});
    feed(playergive(1, 2, 2) + turnover(44, 0, 2, 0, 4, 0));
    EXPECT_TRUE(shown("label_starter"));
    EXPECT_EQ(text("label_starter"), "Starter");
    EXPECT_TRUE(shown("image_crib"));
    const QString name = model().seatName(2);
    EXPECT_EQ(text("label_crib"), name + "'s crib");
    // Beside the dealer's own place: the left one for seat 2 seen from seat 1.
    const QRect crib = find("image_crib")->geometry();
    EXPECT_LT((crib.center() - find("image_cards2")->geometry().center()).manhattanLength(), 200);
    EXPECT_TRUE(crib.intersects(find("label_crib")->geometry().adjusted(0, -4, 0, 0)));
    for (const char* other : {"image_cards2", "label_playername2", "label_score2", "label_bonus2",
                              "image_played", "image_turnover"})
        EXPECT_FALSE(crib.intersects(find(other)->geometry())) << other;

    chat->model().setDealer(1);
    EXPECT_EQ(text("label_crib"), "Your crib");
    for (const char* other : {"card1", "label_playername1", "label_score1", "image_dealer1"})
        EXPECT_FALSE(find("image_crib")->geometry().intersects(find(other)->geometry())) << other;
    feed(winner(1, 0));
    EXPECT_FALSE(shown("image_crib"));
}

TEST_F(ClientTest, ARaisedCardIsTintedAsWellAsLifted) {
    startGame(1, 1);
    feed(startround());
    dealHand(1, {3, 13, 1, 10, 5, 11});
    feed(playergive(1, 2, 1));
    const QImage resting = label("card2")->pixmap().toImage();
    click("card2");
    const QImage raised = label("card2")->pixmap().toImage();
    EXPECT_EQ(at("card2").y(), 332);
    EXPECT_EQ(raised.size(), resting.size());
    EXPECT_NE(raised, resting);
    // The white of the card's face turns warm.
    const QColor face = raised.pixelColor(35, 60);
    EXPECT_GT(face.red(), face.blue() + 10);
    click("card2");
    EXPECT_EQ(label("card2")->pixmap().toImage(), resting);
}

TEST_F(ClientTest, TheSummaryMarksTheStarterAndNamesHandsNeverCounted) {
    startGame(1, 3);
    feed(final(2));
    feed(endscore(hand(2, 1, 20, 12, {7, 15, 29, 43, 27})));
    // The gold tag over the starter's strip.
    const QColor tag = label("image_final1")->pixmap().toImage().pixelColor(18, 37);
    EXPECT_GT(tag.red(), 200);
    EXPECT_GT(tag.green(), 170);
    EXPECT_LT(tag.blue(), 140);

    // The game ends before seats 2 and 3 are counted: their rows still say whose they are.
    chat->model().setHost(true);
    feed(winner(1, 0));
    EXPECT_EQ(text("label_final2"), model().seatName(2));
    EXPECT_EQ(text("label_final3"), model().seatName(3));
    EXPECT_EQ(listLines("listbox_final2"), (QStringList{"Game Over", "Score Not Tallied"}));

    // Neither the winner's badge nor the Start Game button lies over the summary's text.
    QWidget* panel = find("panel_final");
    QWidget* board = find("panel_board");
    const QObjectList& order = board->children();
    EXPECT_GT(order.indexOf(panel), order.indexOf(find("image_winner1")));
    ASSERT_TRUE(shown("button_start"));
    EXPECT_GT(order.indexOf(find("button_start")), order.indexOf(panel));
    const QRect start = find("button_start")->geometry().translated(-panel->pos());
    for (QWidget* text : summaryText(panel))
        EXPECT_FALSE(start.intersects(text->geometry())) << text->objectName().toStdString();

    // Done: the button goes back below the pile.
    click("button_done");
    EXPECT_EQ(find("button_start")->geometry(), QRect(420 - 52, 405 - 15, 104, 30));
}

TEST_F(ClientTest, TheShowsPointsStayInTheScoreLogAfterDone) {
    startGame(1, 3);
    feed(final(1));
    feed(endscore(hand(1, 2, 12, 12)) + endscore(hand(1, 1, 8, 8)) + endscore(hand(1, 5, 14, 6)));
    const QString rori = model().seatName(2);
    EXPECT_TRUE(scoreLines().contains(rori + " scores 12 for the hand."));
    EXPECT_TRUE(scoreLines().contains("You score 8 for your hand."));
    EXPECT_TRUE(scoreLines().contains("You score 6 for your crib."));
    click("button_done");
    EXPECT_TRUE(scoreLines().contains("You score 6 for your crib."));
}

TEST_F(ClientTest, TheWatchingMarkLeavesThePointsLabelClear) {
    startGame(1, 3);
    for (int seat = 1; seat <= 3; ++seat) feed(justwatching(seat, "1"));
    for (int seat = 1; seat <= 3; ++seat) {
        QWidget* eyes = find(QString("image_eyes%1").arg(seat));
        ASSERT_TRUE(shown(eyes->objectName())) << seat;
        const QRect at = eyes->geometry();
        for (const QString& other :
             {QString("label_bonus%1").arg(model().positionOf(seat) + 1),
              QString("label_score%1").arg(seat), QString("label_playername%1").arg(seat)})
            EXPECT_FALSE(at.intersects(find(other)->geometry())) << other.toStdString();
    }
}

TEST_F(ClientTest, ARefusedCardSaysWhy) {
    startGame(1, 3);
    feed(startround());
    dealHand(1, {10, 8, 9, 20, 33}); // 10C first
    feed(gavecards(1, 5, 0) + turnover(44, 0, 4, 0, 2, 0) + nextplayer(2, 3));
    feed(playcard(2, 1, 1, 52, 10) + playcard(3, 1, 2, 51, 20) + playcard(4, 1, 3, 7, 27));
    feed(nextplayer(1, 3));
    click("card1"); // a ten on 27
    feed(toomuch(1));
    EXPECT_EQ(status(), "Invalid Card. It would pass 31.");
    EXPECT_TRUE(status().startsWith("Invalid Card."));
}

TEST_F(ClientTest, ChangingTheChatsTextSizeKeepsItsNewestLineInView) {
    ChatView* view = chat->chatPanel()->view();
    chat->show();
    for (int i = 0; i < 80; ++i) chat->addSystemLine(QString("line %1").arg(i));
    view->scrollToEnd();
    ASSERT_GT(view->verticalScrollBar()->maximum(), 0);
    for (const int size : {14, 8, 12}) {
        chat->chatPanel()->setTextSize(size);
        EXPECT_TRUE(view->atEnd()) << size;
    }
    // The zoom changes the size too.
    chat->Zoom1Click(150);
    EXPECT_TRUE(view->atEnd());
    // A reader scrolled back stays where they were.
    view->verticalScrollBar()->setValue(0);
    chat->chatPanel()->setTextSize(14);
    EXPECT_EQ(view->verticalScrollBar()->value(), 0);
}
