// The local hand: the row, the crib choice and its refusal, playing and refused cards, the
// sort, and hands that do not fit the row.
#include "test_client_support.h"

#include <QRegularExpression>

using namespace net::toClient;

static ::testing::Environment* const kEnv =
    ::testing::AddGlobalTestEnvironment(new ClientAppEnvironment);

class HandTest : public ClientTest {
protected:
    QPoint cardAt(int pos) const { return at(QString("card%1").arg(pos)); }
    int cardCount() const {
        return chat->findChildren<QWidget*>(QRegularExpression("^card\\d$")).size();
    }
    // The row from left to right, as hand positions (by x, then by stacking).
    std::vector<int> rowOrder() const {
        std::vector<std::pair<int, int>> xs;
        for (int pos = 1; pos <= 6; ++pos)
            if (auto* w = chat->findChild<QWidget*>(QString("card%1").arg(pos)))
                xs.push_back({w->x(), pos});
        std::sort(xs.begin(), xs.end());
        std::vector<int> order;
        for (auto& [x, pos] : xs) order.push_back(pos);
        return order;
    }
    void twoPlayerCribTurn(const std::vector<int>& codes) {
        startGame(1, 1);
        feed(startround());
        dealHand(1, codes);
        feed(playergive(1, 2, 1));
        sent.clear();
    }
};

TEST_F(HandTest, DealtCardsRestInTheRowLeftToRight) {
    twoPlayerCribTurn({3, 13, 1, 10, 5, 11});
    ASSERT_EQ(cardCount(), 6);
    for (int pos = 1; pos <= 6; ++pos) EXPECT_EQ(cardAt(pos), QPoint(185 + 18 * pos, 336));
    // Higher slots lie in front of lower ones.
    QWidget* board = find("panel_board");
    const QObjectList& order = board->children();
    EXPECT_LT(order.indexOf(find("card2")), order.indexOf(find("card3")));
    EXPECT_EQ(find("card4")->size(), QSize(71, 96));
}

TEST_F(HandTest, CribChoiceInTwoPlayerGameNeedsTwoRaisedCards) {
    twoPlayerCribTurn({3, 13, 1, 10, 5, 11});
    click("card2");
    EXPECT_EQ(cardAt(2).y(), 332);
    EXPECT_FALSE(shown("button_ok"));
    click("card5");
    EXPECT_TRUE(shown("button_ok"));
    click("card6"); // a third card does nothing
    EXPECT_EQ(cardAt(6).y(), 336);
    click("card2"); // lowering hides OK
    EXPECT_EQ(cardAt(2).y(), 336);
    EXPECT_FALSE(shown("button_ok"));
    click("card6");
    EXPECT_TRUE(shown("button_ok"));
    EXPECT_TRUE(sent.empty());

    click("button_ok");
    EXPECT_EQ(sent, std::vector<std::string>{net::toServer::sendcard(1, 6, 5)});
    EXPECT_EQ(status(), "Waiting on other players..");
    EXPECT_FALSE(shown("button_ok"));
    EXPECT_FALSE(shown("image_turn1"));
    click("button_ok"); // a second press sends nothing
    click("card1");
    EXPECT_EQ(sent.size(), 1u);

    feed(gavecards(1, 6, 5) + setcrib(2));
    EXPECT_EQ(cardCount(), 4);
    EXPECT_EQ(rowOrder(), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(cardAt(4), QPoint(185 + 18 * 4, 336));
    EXPECT_EQ(sounds.last(), "cribcard");
    EXPECT_EQ(find("image_cards2")->width(), 66 + 5 * 4);
}

TEST_F(HandTest, RefusedCribChoiceReturnsTheTurnWithTheCardsStillRaised) {
    twoPlayerCribTurn({3, 13, 1, 10, 5, 11});
    click("card1");
    click("card3");
    click("button_ok");
    feed(needtwo(1));
    EXPECT_EQ(status(), "You need to choose two cards.");
    EXPECT_TRUE(shown("image_turn1"));
    EXPECT_EQ(cardAt(1).y(), 332);
    EXPECT_EQ(model().mayAct(), 2);
    click("card3");
    click("card4");
    click("button_ok");
    EXPECT_EQ(lastSent(), net::toServer::sendcard(1, 1, 4));
}

TEST_F(HandTest, OneCardForTheCribShowsOkAtOnceAndSendsZeroSecond) {
    startGame(3, 3);
    dealHand(3, {7, 8, 9, 20, 33});
    feed(playergive(3, 1, 2));
    click("card4");
    EXPECT_TRUE(shown("button_ok"));
    click("card2");
    EXPECT_EQ(cardAt(2).y(), 336);
    click("button_ok");
    EXPECT_EQ(lastSent(), net::toServer::sendcard(3, 4, 0));
    feed(gavecards(3, 4, 0));
    EXPECT_EQ(rowOrder(), (std::vector<int>{1, 2, 3, 5}));
}

TEST_F(HandTest, PlayingACardAndARefusedCard) {
    startGame(1, 3);
    feed(startround());
    dealHand(1, {7, 8, 9, 20, 33});
    feed(gavecards(1, 5, 0) + turnover(44, 0, 4, 0, 2, 0) + nextplayer(2, 3));
    sent.clear();
    click("card2"); // not our turn
    EXPECT_TRUE(sent.empty());
    feed(nextplayer(1, 3));
    click("card3");
    EXPECT_EQ(sent, std::vector<std::string>{net::toServer::playcard(1, 3)});
    EXPECT_EQ(status(), "");
    click("card2"); // the turn was given up with the click
    EXPECT_EQ(sent.size(), 1u);

    feed(toomuch(1));
    EXPECT_EQ(status(), "Invalid Card.");
    EXPECT_EQ(sounds.last(), "wrong");
    EXPECT_EQ(cardAt(3).y(), 332);
    click("card3"); // lowers it
    EXPECT_EQ(cardAt(3).y(), 336);
    EXPECT_EQ(sent.size(), 1u);
    click("card3"); // plays it again
    EXPECT_EQ(sent.size(), 2u);

    // The middle card leaves; the two to its right close the gap.
    feed(playcard(1, 3, 1, 9, 9));
    EXPECT_EQ(rowOrder(), (std::vector<int>{1, 2, 4}));
    EXPECT_EQ(cardAt(4), QPoint(185 + 18 * 3, 336));
    EXPECT_EQ(text("label_running"), "TOTAL: 9");
    EXPECT_EQ(find("image_played")->width(), 71);
    EXPECT_EQ(sounds.last(), "placecard");

    feed(playcard(2, 1, 2, 40, 19));
    EXPECT_EQ(find("image_played")->width(), 86);
    EXPECT_EQ(find("image_cards2")->width(), 66 + 5 * 4);
    feed(startagain());
    EXPECT_EQ(find("image_played")->width(), 0);
    EXPECT_EQ(text("label_running"), "TOTAL: 0");
}

TEST_F(HandTest, RightClickSortsByRankAtAnyTimeAndSendsNothing) {
    startGame(1, 1);
    dealHand(1, {3, 13, 1, 10, 5, 11});
    sent.clear();
    click("card1", Qt::RightButton);
    // A, 3, 5, 10, J, K
    EXPECT_EQ(rowOrder(), (std::vector<int>{3, 1, 5, 4, 6, 2}));
    EXPECT_TRUE(sent.empty());
    for (int pos = 1; pos <= 6; ++pos) EXPECT_EQ(cardAt(pos).y(), 336);
}

TEST_F(HandTest, SortKeepsEqualRanksInOrderAndTheCribChoice) {
    twoPlayerCribTurn({20, 7, 2, 33});
    click("card1");
    click("card4");
    click("card4", Qt::RightButton);
    // 7D, 7C, 2C, 7H sorted: 2C then the three sevens in their dealt order.
    EXPECT_EQ(rowOrder().front(), 3);
    std::vector<int> sevens = rowOrder();
    sevens.erase(sevens.begin());
    EXPECT_EQ(sevens, (std::vector<int>{1, 2, 4}));
    EXPECT_EQ(cardAt(1).y(), 336);
    EXPECT_TRUE(shown("button_ok"));
    click("button_ok");
    EXPECT_EQ(lastSent(), net::toServer::sendcard(1, 1, 4));
}

TEST_F(HandTest, ASortedChosenCardIsNotChosenTwice) {
    twoPlayerCribTurn({20, 7, 2, 33, 4, 5});
    click("card1");
    click("card1", Qt::RightButton);
    click("card1"); // raised again, still the only choice
    EXPECT_EQ(cardAt(1).y(), 332);
    EXPECT_FALSE(shown("button_ok"));
    click("card2");
    click("button_ok");
    EXPECT_EQ(lastSent(), net::toServer::sendcard(1, 1, 2));
}

TEST_F(HandTest, HandsThatDoNotReadOrDoNotFitLeaveTheRowAlone) {
    startGame(1, 1);
    // Positions outside the hand, a position twice, no card, or more pairs than a hand holds:
    // the whole message is dropped.
    for (const auto& cards : std::vector<std::vector<std::pair<int, int>>>{
             {{0, 5}},
             {{7, 6}},
             {{2, 9}, {2, 10}},
             {{3, 99}},
             {{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}, {1, 7}}})
        feed(mycards(1, cards));
    EXPECT_EQ(cardCount(), 0);

    feed(mycards(1, {{2, 9}, {4, 12}}));
    EXPECT_EQ(rowOrder(), (std::vector<int>{2, 4}));
    EXPECT_EQ(cardAt(2), QPoint(203, 336));
    EXPECT_EQ(cardAt(4), QPoint(221, 336));
    feed(mycards(2, {{1, 5}})); // another seat's hand
    EXPECT_EQ(cardCount(), 2);
    // A whole hand on top: the positions the row holds keep their cards.
    feed(mycards(1, {{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}}));
    EXPECT_EQ(cardCount(), 6);
    EXPECT_EQ(find("card2")->property("cardCode").toInt(), 9);
    EXPECT_EQ(rowOrder(), (std::vector<int>{2, 4, 1, 3, 5, 6}));
}

// A deal that opens while cards are still on the row (a table joined or restarted mid-deal)
// starts an empty row: the old cards used to stay and hold their positions against the new hand.
TEST_F(HandTest, ANewDealStartsAnEmptyRow) {
    startGame(1, 1);
    dealHand(1, {1, 2, 3, 4, 5, 6});
    feed(startround());
    EXPECT_EQ(cardCount(), 0);
    dealHand(1, {40, 41, 42, 43, 44, 45});
    EXPECT_EQ(cardCount(), 6);
    EXPECT_EQ(find("card1")->property("cardCode").toInt(), 40);
}
