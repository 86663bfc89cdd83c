// The hints on the real widgets: the button, the menu entry and its key, the keeps' panel during
// the giving and the card with its reason during the play, in every game type.
//
// With CRIBBAGE_SCREENSHOTS set to a folder, the four-player game leaves pictures of both there.
#include "client/hintadvisor.h"
#include "rules/cards.h"
#include "rules/hint.h"
#include "test_client_support.h"

#include <QAction>
#include <QDir>

using namespace net::toClient;

static ::testing::Environment* const kEnv =
    ::testing::AddGlobalTestEnvironment(new ClientAppEnvironment);

namespace {

struct TypeCase {
    int type;
    int dealer; // an opponent, or in the partners game the local seat's partner
    std::vector<int> dealt;
};

const TypeCase kTypes[] = {
    {1, 2, {5, 18, 31, 11, 2, 44}}, // three fives, a jack and two small cards
    {2, 2, {5, 18, 11, 2, 44}},
    {3, 2, {5, 18, 11, 2, 44}},
    {4, 3, {5, 18, 11, 2, 44}},
};

int phaseOf(int type) {
    return type == 1 ? 1 : 2;
}

class HintTest : public ClientTest {
protected:
    void SetUp() override {
        ClientTest::SetUp();
        chat->show();
    }
    // The local seat 1 holds its deal and is asked for its crib cards.
    void giving(const TypeCase& c) {
        startGame(1, c.type);
        feed(startround());
        dealHand(1, c.dealt);
        feed(playergive(1, c.dealer, phaseOf(c.type)));
        sent.clear();
    }
    // The giving done with the given positions, the starter turned, and the play begun.
    void play(const TypeCase& c, int pos1, int pos2, int starter) {
        giving(c);
        feed(gavecards(1, pos1, pos2));
        feed(turnover(starter, 0, c.dealer, 0, 0, 0) + nextplayer(1, 3));
        sent.clear();
    }
    void shoot(const TypeCase& c, const char* name) {
        const QString dir = qEnvironmentVariable("CRIBBAGE_SCREENSHOTS");
        if (dir.isEmpty() || c.type != 3) return;
        QDir().mkpath(dir);
        QString file = QString::fromLatin1(name);
        if (chat->devicePixelRatioF() >= 2) file.replace(".png", "-200.png");
        chat->grab().save(QDir(dir).filePath(file));
    }
    QAction* hintAction() const { return chat->findChild<QAction*>("Hint1"); }
    // As a player would: with the table, not the chat's entry line, holding the focus.
    void pressH() {
        QWidget* board = find("panel_board");
        chat->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(chat.get()));
        board->setFocus();
        QTest::keyClick(board, Qt::Key_H);
    }
    std::vector<int> raised() const {
        std::vector<int> out;
        for (int pos = 1; pos <= 6; ++pos)
            if (model().card(pos).held && model().isRaised(pos)) out.push_back(pos);
        return out;
    }
    int positionOf(int code) const {
        for (int pos = 1; pos <= 6; ++pos)
            if (model().card(pos).held && model().card(pos).code == code) return pos;
        return 0;
    }
};

} // namespace

TEST_F(HintTest, TheHintIsOfferedOnlyWhileTheLocalSeatMayAct) {
    ASSERT_NE(hintAction(), nullptr);
    EXPECT_FALSE(hintAction()->isEnabled());
    EXPECT_FALSE(shown("button_hint")); // no game yet

    startGame(1, 1);
    feed(startround());
    dealHand(1, kTypes[0].dealt);
    EXPECT_TRUE(shown("button_hint"));
    EXPECT_FALSE(find("button_hint")->isEnabled());
    pressH(); // nothing to ask yet
    EXPECT_FALSE(shown("panel_hint"));
    EXPECT_TRUE(raised().empty());

    feed(playergive(1, 2, 1));
    EXPECT_TRUE(hintAction()->isEnabled());
    EXPECT_TRUE(find("button_hint")->isEnabled());

    // Another seat's turn in the play: nothing to ask.
    feed(gavecards(1, 1, 2));
    feed(turnover(40, 0, 2, 0, 0, 0) + nextplayer(2, 3));
    EXPECT_FALSE(hintAction()->isEnabled());
    feed(nextplayer(1, 3));
    EXPECT_TRUE(hintAction()->isEnabled());
    // A seat that is just watching is played for.
    feed(justwatching(1, "1"));
    EXPECT_FALSE(hintAction()->isEnabled());
}

TEST_F(HintTest, TheGivingRaisesTheBestThrowAndListsTheBestKeepsInEveryGameType) {
    for (const TypeCase& c : kTypes) {
        SCOPED_TRACE(c.type);
        giving(c);
        const std::vector<rules::KeepValue> expected = rules::discardHint(model().seatView());
        ASSERT_FALSE(expected.empty());
        EXPECT_FALSE(shown("panel_hint"));

        if (c.type % 2)
            pressH();
        else
            click("button_hint");
        ASSERT_TRUE(shown("panel_hint"));
        EXPECT_EQ(text("label_hinttitle"),
                  c.type == 4 ? "Best keeps, your crib" : "Best keeps, their crib");
        const std::size_t rows = std::min<std::size_t>(5, expected.size());
        for (std::size_t r = 0; r < 5; ++r) {
            const QString n = QString::number(r + 1);
            EXPECT_EQ(shown("label_hintnet" + n), r < rows);
            if (r >= rows) continue;
            EXPECT_EQ(text("label_hinthand" + n), QString::number(expected[r].hand, 'f', 2));
            EXPECT_EQ(text("label_hintcrib" + n), QString::number(expected[r].crib, 'f', 2));
            EXPECT_EQ(text("label_hintnet" + n), QString::number(expected[r].net, 'f', 2));
        }
        // The best keep's cards to give stand raised as the crib choice; OK sends them.
        const auto& best = expected.front();
        std::vector<int> want = {positionOf(best.thrown[0])};
        if (c.type == 1) want.push_back(positionOf(best.thrown[1]));
        std::sort(want.begin(), want.end());
        EXPECT_EQ(raised(), want);
        shoot(c, "hint-giving.png");
        ASSERT_TRUE(shown("button_ok"));
        click("button_ok");
        EXPECT_EQ(lastSent(),
                  net::toServer::sendcard(1, positionOf(best.thrown[0]),
                                          c.type == 1 ? positionOf(best.thrown[1]) : 0));
        // Gone once the cards are given.
        feed(gavecards(1, want[0], c.type == 1 ? want[1] : 0));
        EXPECT_FALSE(shown("panel_hint"));
    }
}

TEST_F(HintTest, APlayHintRaisesTheCardSaysWhyAndAClickLaysIt) {
    for (const TypeCase& c : kTypes) {
        SCOPED_TRACE(c.type);
        // Kept: 5, 18 (a five), 11 (a jack) and, in the two-player game, 44 (a five).
        play(c, 4, c.type == 1 ? 5 : 0, 40);
        feed(playcard(2, 1, 1, 23, 10)); // a ten: a five makes 15
        feed(nextplayer(1, 3));
        pressH();
        ASSERT_TRUE(shown("panel_hintplay"));
        const int pos = model().suggestedPlay();
        ASSERT_NE(pos, 0);
        EXPECT_EQ(rules::countValue(model().card(pos).code), 5);
        EXPECT_EQ(raised(), std::vector<int>{pos});
        EXPECT_TRUE(text("label_hintplay").startsWith("Lay the 5"));
        EXPECT_TRUE(text("label_hintplay").contains("15 for 2"));
        EXPECT_FALSE(shown("panel_hint"));
        shoot(c, "hint-play.png");

        click(QString("card%1").arg(pos));
        EXPECT_EQ(lastSent(), net::toServer::playcard(1, pos));
        feed(playcard(1, pos, 2, model().card(pos).code, 15));
        EXPECT_FALSE(shown("panel_hintplay"));
        EXPECT_EQ(model().suggestedPlay(), 0);
    }
}

TEST_F(HintTest, AnotherCardRaisedByThePlayerTakesThePlaceOfTheHint) {
    play(kTypes[0], 4, 5, 40);
    feed(playcard(2, 1, 1, 23, 10));
    feed(nextplayer(1, 3));
    click("button_hint");
    const int suggested = model().suggestedPlay();
    ASSERT_NE(suggested, 0);
    const int other = suggested == 3 ? 2 : 3;
    click(QString("card%1").arg(other));
    EXPECT_EQ(raised(), std::vector<int>{other});
    EXPECT_EQ(lastSent(), net::toServer::playcard(1, other));
}

TEST_F(HintTest, ShownDiscardValuesOpenAtEveryGivingWithoutRaisingACard) {
    chat->ShowDiscardValues1Click(true);
    giving(kTypes[0]);
    EXPECT_TRUE(shown("panel_hint"));
    EXPECT_TRUE(raised().empty());
    EXPECT_FALSE(shown("button_ok"));
    // The hint itself still raises the throw.
    pressH();
    EXPECT_EQ(raised().size(), 2u);
    feed(gavecards(1, 4, 5));
    EXPECT_FALSE(shown("panel_hint"));

    feed(startround());
    dealHand(1, {7, 8, 9, 20, 33, 46});
    feed(playergive(1, 1, 1));
    EXPECT_TRUE(shown("panel_hint"));
    EXPECT_EQ(text("label_hinttitle"), "Best keeps, your crib");
    chat->ShowDiscardValues1Click(false);
    EXPECT_FALSE(shown("panel_hint"));
}
