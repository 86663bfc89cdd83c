// The play's announcements in the score log, their sounds, the GO badges, and the holes the
// pegs stand in.
#include "resources/pictures.h"
#include "test_client_support.h"

using namespace net::toClient;

static ::testing::Environment* const kEnv =
    ::testing::AddGlobalTestEnvironment(new ClientAppEnvironment);

class PegTest : public ClientTest {
protected:
    QPoint front(int seat) const { return at(QString("image_peg%1%2").arg(seat).arg(1)); }
    QPoint back(int seat) const { return at(QString("image_peg%1%2").arg(seat).arg(2)); }
};

TEST_F(PegTest, HolesAlongTheBoardForBothLaps) {
    startGame(1, 3);
    struct Case {
        int score;
        QPoint seat1;
    };
    const Case cases[] = {
        {1, {73, 435}},   {5, {73, 387}},   {6, {73, 363}},   {10, {73, 315}}, {30, {73, 27}},
        {31, {56, 27}},   {60, {56, 435}},  {61, {73, 435}},  {90, {73, 27}},  {91, {56, 27}},
        {120, {56, 435}}, {121, {56, 455}}, {135, {56, 455}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.score);
        chat->postscore(1, c.score);
        EXPECT_EQ(front(1), c.seat1);
        EXPECT_EQ(front(1), pictures::pegSpot(1, c.score));
        EXPECT_EQ(text("label_score1"), QString::number(c.score));
    }
    // Seats 3 and 4 stand four pixels left of seats 1 and 2.
    chat->postscore(3, 10);
    EXPECT_EQ(front(3), QPoint(69, 315));
    chat->postscore(2, 31);
    EXPECT_EQ(front(2), QPoint(32, 27));
    chat->postscore(4, 61);
    EXPECT_EQ(front(4), QPoint(9, 435));
}

TEST_F(PegTest, BackPegFollowsAndBothShareStartAndFinish) {
    startGame(1, 3);
    EXPECT_EQ(front(2), QPoint(13, 455));
    EXPECT_EQ(back(2), front(2));
    chat->postscore(2, 7);
    EXPECT_EQ(back(2), QPoint(13, 455));
    chat->postscore(2, 12);
    EXPECT_EQ(back(2), pictures::pegSpot(2, 7));
    EXPECT_EQ(front(2), pictures::pegSpot(2, 12));
    // A hand worth nothing posts the same score twice: both pegs in one hole.
    chat->postscore(2, 12);
    EXPECT_EQ(back(2), front(2));
    chat->postscore(2, 118);
    chat->postscore(2, 124);
    EXPECT_EQ(front(2), QPoint(32, 455));
    EXPECT_EQ(back(2), QPoint(32, 455));
}

TEST_F(PegTest, AnnouncementsForTheLocalSeatAndOthers) {
    startGame(2, 3);
    sounds.clear();
    feed(hegoes(2));
    EXPECT_EQ(scoreLines().last(), "You GO!!");
    EXPECT_TRUE(shown("image_go2"));
    EXPECT_EQ(sounds.last(), "go");
    EXPECT_EQ(text("label_score2"), "0");

    feed(pegsgo(2, 1, 4, 0));
    EXPECT_EQ(scoreLines().last(), "You peg 1 for the Go");
    EXPECT_EQ(sounds.last(), "points");
    EXPECT_EQ(front(2), pictures::pegSpot(2, 1));

    sounds.clear();
    feed(hegoes(3) + pegslast(3, 5, 1, 0) + total15(4, 2, 2, 1) + total31(1, 2, 3, 5));
    const QStringList lines = scoreLines();
    EXPECT_EQ(lines.mid(lines.size() - 4),
              (QStringList{"Vozuz GO!!", "Vozuz pegs 1 for Last Card", "Rudoz pegs 2 for Total 15",
                           "<Waiting> pegs 2 for Total 31"}));
    EXPECT_EQ(sounds, (QStringList{"go"}));
    // Not a partners game: the partner's fields move nothing.
    EXPECT_EQ(text("label_score2"), "1");
    EXPECT_EQ(text("label_score1"), "2");

    feed(playcard(4, 1, 2, 7, 14));
    EXPECT_FALSE(shown("image_go3"));
}

TEST_F(PegTest, PairsAndRunsByKind) {
    startGame(1, 3);
    const char* suffixes[] = {
        " 12 for a Double Pair Royal", " 6 for a Pair Royal", " 2 for a Pair",
        " 3 for a Run of 3",           " 4 for a Run of 4",   " 5 for a Run of 5",
        " 6 for a Run of 6",           " 7 for a Run of 7"};
    for (int kind = 1; kind <= 8; ++kind) {
        feed(extra(kind % 2 ? 1 : 2, 10 + kind, kind, 3, 0));
        EXPECT_EQ(scoreLines().last(),
                  QString(kind % 2 ? "You peg" : "Rori pegs") + suffixes[kind - 1]);
    }
    // A run of eight cannot stay under 31, and an unknown kind names nothing: neither pegs.
    const int before = scoreLines().size();
    feed(extra(2, 40, 9, 4, 0) + extra(2, 40, 12, 4, 0));
    EXPECT_EQ(scoreLines().size(), before);
    EXPECT_EQ(text("label_score2"), "18");
}

TEST_F(PegTest, PartnersPegTogetherAndThePartnerHearsIt) {
    startGame(4, 4);
    sounds.clear();
    feed(pegsgo(2, 9, 4, 9));
    EXPECT_EQ(front(2), pictures::pegSpot(2, 9));
    EXPECT_EQ(front(4), pictures::pegSpot(4, 9));
    EXPECT_EQ(text("label_score4"), "9");
    EXPECT_EQ(sounds, QStringList{"points"});
    EXPECT_EQ(scoreLines().last(), "Rori pegs 1 for the Go");

    feed(turnover(11, 2, 1, 2, 3, 2));
    EXPECT_EQ(scoreLines().last(), "<Waiting> pegs 2 for the knob.");
    EXPECT_EQ(text("label_score3"), "2");
}

TEST_F(PegTest, KnobForTheLocalDealerAndPegHint) {
    startGame(1, 1);
    feed(newplayerinfo(1, "Sam"));
    feed(turnover(24, 2, 1, 2, 3, 0));
    EXPECT_EQ(scoreLines().last(), "You peg 2 for the knob.");
    EXPECT_EQ(sounds.last(), "points");
    EXPECT_FALSE(label("image_turnover")->pixmap().isNull());
    chat->postscore(1, 57);
    chat->image_peg11MouseMove(1, 2);
    EXPECT_EQ(label("image_peg12")->toolTip(), "Sam - score: 57");
}

TEST_F(PegTest, DamagedScoringMessagesShowNothing) {
    startGame(1, 3);
    feed(msg("CMD_total15+2+x+4+0+") + msg("CMD_extra+2+5+3+4+") + msg("CMD_pegslast+2+"));
    EXPECT_TRUE(scoreLines().isEmpty());
    EXPECT_EQ(text("label_score2"), "0");
}
