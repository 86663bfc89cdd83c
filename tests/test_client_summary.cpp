// The summary of the show, the Done button, and the winner for players, partners and
// spectators.
#include "resources/pictures.h"
#include "test_client_support.h"

#include <QRegularExpression>

using namespace net::toClient;

static ::testing::Environment* const kEnv =
    ::testing::AddGlobalTestEnvironment(new ClientAppEnvironment);

namespace {

EndScore record(int dealer, int hand, int score, std::array<int, 6> points,
                std::array<int, 5> cards = {1, 15, 29, 43, 5}, int partner = 0,
                int partnerScore = 0) {
    EndScore e;
    e.dealer = dealer;
    e.seat = hand;
    e.score = score;
    e.partner = partner;
    e.partnerScore = partnerScore;
    e.total = points[0];
    e.fifteens = points[1];
    e.pairs = points[2];
    e.runs = points[3];
    e.flush = points[4];
    e.nob = points[5];
    for (int i = 0; i < 5; ++i) e.cards[i] = cards[i];
    return e;
}

} // namespace

TEST_F(ClientTest, SummaryOpensWithPlaceholdersAndFillsRowByRow) {
    startGame(1, 3);
    feed(final(1));
    EXPECT_TRUE(shown("panel_final"));
    EXPECT_TRUE(shown("button_done"));
    EXPECT_EQ(status(), "Posting Scores, Please Wait...");
    for (int seat = 1; seat <= 4; ++seat)
        EXPECT_EQ(listLines(QString("listbox_final%1").arg(seat)),
                  (QStringList{"Game Over", "Score Not Tallied"}));
    EXPECT_TRUE(listLines("listbox_final5").isEmpty());

    feed(endscore(record(1, 2, 30, {6, 4, 2, 0, 0, 0})));
    EXPECT_EQ(text("label_final2"), "Rori");
    EXPECT_EQ(text("label_finalscore2"), "Score: 30");
    EXPECT_EQ(find("label_finalscore2")->x(), find("label_final2")->geometry().right() + 1 + 3);
    EXPECT_EQ(listLines("listbox_final2"),
              (QStringList{"4 for Fifteens", "2 for Pairs", "--------------", "6 - Hand Total"}));
    EXPECT_EQ(text("label_score2"), "30");
    EXPECT_EQ(sounds.last(), "roundover");
    EXPECT_EQ(label("image_final2")->pixmap().size(), QSize(84, 96));

    feed(pegsgo(3, 11, 1, 0)); // pegged in the play; the hand adds nothing
    feed(endscore(record(1, 3, 11, {0, 0, 0, 0, 0, 0})));
    EXPECT_EQ(listLines("listbox_final3"),
              (QStringList{"No Points Scored", "--------------", "0 - Hand Total"}));
    EXPECT_EQ(at("image_peg31"), at("image_peg32"));

    feed(endscore(record(1, 1, 20, {7, 2, 0, 3, 0, 1})) +
         endscore(record(1, 5, 0, {8, 6, 2, 0, 0, 0})));
    EXPECT_EQ(listLines("listbox_final1"),
              (QStringList{"2 for Fifteens", "3 for Runs", "1 for a Knob", "--------------",
                           "7 - Hand Total"}));
    EXPECT_EQ(listLines("listbox_final5"),
              (QStringList{"6 for Fifteens", "2 for Pairs", "--------------", "8 - Crib Total"}));
    // The crib sits beside the dealer's row.
    EXPECT_EQ(at("image_final5"), QPoint(204, 19));
    EXPECT_EQ(at("listbox_final5"), QPoint(287, 19));
    EXPECT_EQ(at("label_final5"), QPoint(203, 2));
    // Seat 4 never reported keeps its placeholders.
    EXPECT_EQ(listLines("listbox_final4"), (QStringList{"Game Over", "Score Not Tallied"}));

    sent.clear();
    click("button_done");
    EXPECT_FALSE(shown("panel_final"));
    EXPECT_EQ(sent, std::vector<std::string>{net::toServer::clickdone(1)});
}

TEST_F(ClientTest, CribOfTheFourthDealerAndTheTwoPlayerSummary) {
    startGame(2, 1);
    feed(final(0));
    for (int box = 1; box <= 5; ++box)
        EXPECT_TRUE(listLines(QString("listbox_final%1").arg(box)).isEmpty());
    feed(endscore(record(4, 5, 0, {2, 0, 2, 0, 0, 0})));
    EXPECT_EQ(at("image_final5"), QPoint(204, 336));
    EXPECT_EQ(at("label_final5"), QPoint(203, 319));
    // Not awaited by the server: Done only closes the panel.
    sent.clear();
    click("button_done");
    EXPECT_TRUE(sent.empty());
    EXPECT_FALSE(shown("panel_final"));

    // The next deal closes a panel left open.
    feed(final(2));
    feed(startround());
    EXPECT_FALSE(shown("panel_final"));
}

TEST_F(ClientTest, PartnersHandMovesBothPartners) {
    startGame(3, 4);
    feed(final(3) + endscore(record(2, 1, 44, {4, 4, 0, 0, 0, 0}, {1, 2, 3, 4, 5}, 3, 44)));
    EXPECT_EQ(text("label_final1"), "<Waiting>");
    EXPECT_EQ(text("label_final3"), "You");
    EXPECT_EQ(text("label_finalscore3"), "Score: 44");
    EXPECT_EQ(text("label_score1"), "44");
    EXPECT_EQ(text("label_score3"), "44");
    EXPECT_EQ(at("image_peg11"), pictures::pegSpot(1, 44));
    EXPECT_EQ(at("image_peg31"), pictures::pegSpot(3, 44));
}

TEST_F(ClientTest, WinnerForTheLocalPlayerAndForAnother) {
    startGame(1, 1);
    dealHand(1, {1, 2, 3, 4, 5, 6});
    feed(winner(1, 0));
    EXPECT_EQ(status(), "You have Won the Game!");
    EXPECT_EQ(chatLines().last(), "You have Won the Game!");
    EXPECT_EQ(scoreLines().last(), "You have Won the Game!");
    EXPECT_TRUE(shown("image_winner1"));
    EXPECT_TRUE(shown("image_finalwinner1"));
    EXPECT_FALSE(shown("image_winner2"));
    EXPECT_EQ(sounds.last(), "winner");
    EXPECT_TRUE(chat->findChildren<QWidget*>(QRegularExpression("^card")).isEmpty());
    EXPECT_EQ(tally, QStringList{"addtomine|"});

    feed(startgame("You", "1", "1"));
    EXPECT_FALSE(shown("image_winner1"));
    feed(winner(2, 0));
    EXPECT_EQ(status(), "Rori has Won the Game!");
    EXPECT_EQ(tally.last(), "Rori|");
}

TEST_F(ClientTest, PartnersWinnerAndTallyFromSeatThree) {
    startGame(3, 4);
    feed(winner(2, 4));
    EXPECT_EQ(status(), "Rori and Rudoz have won the Game!");
    EXPECT_TRUE(shown("image_winner2"));
    EXPECT_TRUE(shown("image_winner4"));
    EXPECT_TRUE(shown("image_finalwinner4"));
    EXPECT_FALSE(shown("image_winner3"));
    EXPECT_EQ(tally, QStringList{"Rori|Rudoz"});

    feed(startgame("You", "1", "4") + winner(1, 3));
    EXPECT_EQ(status(), "Your team has Won the Game!");
    EXPECT_EQ(tally.last(), "addtomine|");
    EXPECT_EQ(tally.size(), 2);
}

TEST_F(ClientTest, SpectatorSeesTheWinnerWithoutTouchingTheTally) {
    startGame(6, 3);
    feed(newplayerinfo(1, "Host") + winner(1, 0));
    EXPECT_EQ(status(), "Host has Won the Game!");
    EXPECT_EQ(chatLines().last(), "Host has Won the Game!");
    EXPECT_TRUE(shown("image_finalwinner1"));
    EXPECT_TRUE(tally.isEmpty());
    EXPECT_FALSE(shown("button_start")); // only the host may start again
}
