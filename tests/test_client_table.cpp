// The table as the local player sees it: queue and login, roster, seat rotation, the start of
// a game and of a deal in every game type, the leader phrase, joining a running game.
#include "rules/random.h"
#include "test_client_support.h"

#include <QAction>
#include <QDeadlineTimer>
#include <QPushButton>
#include <QRegularExpression>

using namespace net::toClient;

static ::testing::Environment* const kEnv =
    ::testing::AddGlobalTestEnvironment(new ClientAppEnvironment);

TEST_F(ClientTest, QueueHandlesOneMessagePerTickAndSleepsWhenIdle) {
    EXPECT_FALSE(chat->timerActive());
    chat->receiveBytes(QByteArray::fromStdString(sendlogininfo(1) + newplayerinfo(1, "You")));
    EXPECT_EQ(chat->queueSize(), 2u);
    EXPECT_TRUE(chat->timerActive());
    chat->Timer1Timer();
    EXPECT_EQ(model().localSeat(), 1);
    EXPECT_TRUE(chatLines().isEmpty());
    chat->Timer1Timer();
    EXPECT_EQ(chatLines(), QStringList{"You are Connected."});
    EXPECT_FALSE(chat->timerActive());
}

// The gate starts counting with the phrase that closes it, not with the next message from
// the server: at a quiet table it used to stay closed until somebody else did something.
TEST_F(ClientTest, APhraseGateReopensAtAQuietTable) {
    login(1);
    auto* phrase = find<QPushButton>("b_phrase1");
    QTest::mouseClick(phrase, Qt::LeftButton);
    QTest::mouseClick(phrase, Qt::LeftButton);
    ASSERT_EQ(sent.size(), 2u); // the login and one phrase
    EXPECT_TRUE(chat->chatPanel()->phraseGateClosed());
    EXPECT_FALSE(chat->timerActive()); // nothing from the server to work off
    QDeadlineTimer deadline(30000);
    while (chat->chatPanel()->phraseGateClosed() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    EXPECT_FALSE(chat->chatPanel()->phraseGateClosed());
    QTest::mouseClick(phrase, Qt::LeftButton);
    EXPECT_EQ(sent.size(), 3u);
}

TEST_F(ClientTest, SplitMessagesUnknownCommandsAndCaseAreHandledLikeTheWire) {
    const std::string login = sendlogininfo(2);
    chat->receiveBytes(QByteArray::fromStdString(login.substr(0, 10)));
    EXPECT_EQ(chat->queueSize(), 0u);
    feed(login.substr(10) + msg("CMD_FULL+") + msg("CMD_full") + msg("") + msg("CMD_logininfo+1+"));
    EXPECT_EQ(model().localSeat(), 2);
    EXPECT_TRUE(messages.isEmpty());
    feed(full());
    EXPECT_EQ(messages, QStringList{"Game is full"});
}

TEST_F(ClientTest, LoginSendsVersionNameAndSecondTerminator) {
    chat->setPort(0);
    login(3);
    ASSERT_EQ(sent.size(), 1u);
    // Not hosted nor joined: the login suffix is empty, so only the closing terminator is sent.
    EXPECT_EQ(sent[0], std::string("CMD_logininfo+3+2.0.8+") + '\xFF');
    EXPECT_TRUE(model().connected());
}

TEST_F(ClientTest, RosterShowsPlayersSpectatorsAndLeavers) {
    login(1);
    feed(newplayerinfo(1, "You") + newplayerinfo(2, "Ann+Bo") + newplayerinfo(6, "Spy") +
         existingplayers(4, "Dee"));
    EXPECT_EQ(text("label_playername2"), "Ann+Bo");
    EXPECT_EQ(text("label_playername4"), "Dee");
    EXPECT_EQ(chatLines(),
              (QStringList{"You are Connected.", "Ann+Bo is Connected.", "Spy is Connected.",
                           "Spy is spying.", "Dee is Connected."}));
    EXPECT_EQ(sounds.count("entered"), 4);
    EXPECT_EQ(model().spectatorEntries(), QStringList{"6: Spy"});

    feed(startgame("You", "1", "2")); // three players: seat 4 takes no part
    feed(playerdisconnected(2, "Ann+Bo") + playerdisconnected(4, "Dee") +
         playerdisconnected(6, "Spy") + playerdisconnected(6, "Spy"));
    EXPECT_EQ(text("label_playername2"), "Rori");
    EXPECT_EQ(text("label_playername4"), "<Waiting>");
    const QStringList lines = chatLines().mid(5);
    EXPECT_EQ(lines, (QStringList{"You has started a 3 Player Game.", "Ann+Bo disconnected.",
                                  "Dee disconnected.", "Spy has left."}));
    // A computer-held seat that is left again writes nothing.
    feed(playerdisconnected(2, "Rori"));
    EXPECT_EQ(chatLines().size(), 9);
}

TEST_F(ClientTest, VersionLinesAreSaid) {
    feed(havewrongversion("Old") + wrongversion());
    EXPECT_EQ(chatLines(), (QStringList{"Old has a different version of the game then you.",
                                        "You have a differnt version of the game then the host."}));
}

// Positions of the hand images, clockwise from the bottom.
static const QPoint kCardSpots[4] = {{201, 336}, {122, 128}, {278, 33}, {410, 218}};
static const QPoint kNameSpots[4] = {{200, 435}, {121, 226}, {277, 131}, {411, 316}};

class RotationTest : public ClientTest, public ::testing::WithParamInterface<int> {};

TEST_P(RotationTest, LocalSeatSitsAtTheBottomAndOthersFollowClockwise) {
    const int local = GetParam();
    startGame(local, 3);
    const int base = (local >= 2 && local <= 4) ? local : 1;
    for (int p = 0; p < 4; ++p) {
        const int seat = (base - 1 + p) % 4 + 1;
        SCOPED_TRACE(seat);
        EXPECT_EQ(at(QString("image_cards%1").arg(seat)), kCardSpots[p]);
        EXPECT_EQ(at(QString("label_playername%1").arg(seat)), kNameSpots[p]);
        EXPECT_EQ(model().seatAt(p), seat);
        const QStringList computers{"", "Rori", "Vozuz", "Rudoz"};
        EXPECT_EQ(label(QString("label_playername%1").arg(seat))->toolTip(), computers[seat - 1]);
        // Pegs are not rotated: each seat's pegs stay in that seat's lane.
        const int lane[5] = {0, 73, 13, 69, 9};
        EXPECT_EQ(at(QString("image_peg%1%2").arg(seat).arg(1)), QPoint(lane[seat], 455));
    }
    if (local <= 4) {
        EXPECT_FALSE(shown(QString("image_cards%1").arg(local)));
        EXPECT_EQ(text(QString("label_playername%1").arg(local)), "You");
    } else {
        for (int seat = 1; seat <= 4; ++seat)
            EXPECT_TRUE(shown(QString("image_cards%1").arg(seat)));
    }
}

INSTANTIATE_TEST_SUITE_P(EverySeat, RotationTest, ::testing::Values(1, 2, 3, 4, 7));

TEST_F(ClientTest, TwoPlayerDealShowsNotPlayingSeatsAndSixBacks) {
    startGame(1, 1, "2");
    EXPECT_EQ(text("label_gametype"), "2 Player Game");
    EXPECT_EQ(text("label_playtoscore"), "Play to Score: 61");
    EXPECT_EQ(text("label_playername2"), "Rori");
    EXPECT_EQ(text("label_playername3"), "<Waiting>");
    const QImage notPlaying = label("image_cards3")->pixmap().toImage();
    EXPECT_EQ(notPlaying.size(), QSize(71, 96));
    EXPECT_EQ(label("image_cards4")->pixmap().toImage(), notPlaying);

    feed(startround());
    EXPECT_EQ(find("image_cards2")->width(), 66 + 5 * 6);
    EXPECT_EQ(text("label_running"), "TOTAL: 0");
    feed(playergive(1, 2, 1));
    EXPECT_EQ(status(), "Choose 2 cards to send to the crib.");
    EXPECT_TRUE(shown("image_dealer2"));
    EXPECT_TRUE(shown("image_turn1"));
    EXPECT_EQ(model().mayAct(), 2);
    EXPECT_EQ(sounds.last(), "turn");
    // The not-playing seats keep their cross through the deal.
    EXPECT_EQ(label("image_cards3")->pixmap().toImage(), notPlaying);
}

TEST_F(ClientTest, ThreeAndFourPlayerDealsAndPartnerColours) {
    startGame(2, 2);
    EXPECT_EQ(text("label_gametype"), "3 Player Game");
    EXPECT_EQ(text("label_playtoscore"), "Play to Score: 121");
    EXPECT_EQ(text("label_playername1"), "<Waiting>"); // the host has not been announced
    EXPECT_EQ(text("label_playername3"), "Vozuz");
    EXPECT_EQ(text("label_playername4"), "<Waiting>");
    feed(startround() + playergive(2, 1, 2));
    EXPECT_EQ(find("image_cards1")->width(), 66 + 5 * 5);
    EXPECT_EQ(find("image_cards3")->width(), 66 + 5 * 5);
    EXPECT_EQ(status(), "Choose 1 card to send to the crib.");
    EXPECT_EQ(model().mayAct(), 1);

    feed(startgame("Host", "1", "4"));
    EXPECT_EQ(text("label_gametype"), "Partners Game");
    EXPECT_EQ(text("label_playername4"), "Rudoz");
    const QImage ball1 = label("image_peg11")->pixmap().toImage();
    const QImage ball2 = label("image_peg21")->pixmap().toImage();
    EXPECT_NE(ball1, ball2);
    EXPECT_EQ(label("image_peg32")->pixmap().toImage(), ball1);
    EXPECT_EQ(label("image_color4")->pixmap().toImage(), ball2);
    EXPECT_EQ(label("image_peg11")->toolTip(), "<Waiting>");
    EXPECT_EQ(label("image_peg41")->toolTip(), "Rudoz");

    feed(startgame("Host", "1", "3"));
    EXPECT_EQ(text("label_gametype"), "4 Player Game");
    EXPECT_NE(label("image_peg31")->pixmap().toImage(), ball1);
}

TEST_F(ClientTest, TurnChangesTheStatusLineAndHighlight) {
    startGame(1, 3);
    feed(nextplayer(3, 3));
    EXPECT_EQ(status(), "Vozuz's turn.");
    EXPECT_TRUE(shown("image_turn3"));
    EXPECT_FALSE(shown("image_turn1"));
    EXPECT_EQ(model().mayAct(), 0);
    chat->findChild<QAction*>("New1")->setChecked(true);
    feed(nextplayer(1, 3));
    EXPECT_EQ(status(), "Your Turn.");
    EXPECT_EQ(sounds.last(), "turnnew");
    EXPECT_EQ(model().mayAct(), 1);
    EXPECT_FALSE(shown("image_turn3"));
}

// The recorded show scores come from the summary's hand records.
static std::string handRecord(int dealer, int seat, int score) {
    EndScore e;
    e.dealer = dealer;
    e.seat = seat;
    e.score = score;
    e.total = 0;
    e.cards[0] = 1;
    e.cards[1] = 2;
    e.cards[2] = 3;
    e.cards[3] = 4;
    e.cards[4] = 5;
    return endscore(e);
}

TEST_F(ClientTest, LeaderPhraseNamesTheLowerSeatOnATieAndNobodyAtZero) {
    startGame(2, 3);
    feed(startround());
    EXPECT_TRUE(scoreLines().isEmpty());

    feed(final(2) + handRecord(1, 2, 5) + handRecord(1, 3, 9) + handRecord(1, 4, 9) +
         handRecord(1, 1, 3));
    // Seeded with 12345 the generator's first Random(25) is 9.
    rules::setRandomSeed(12345);
    feed(startround());
    // The leader's phrase, among the show's points.
    ASSERT_EQ(leaderLines().size(), 1);
    EXPECT_EQ(leaderLines()[0], "-Vozuz is taking the money.");

    // The local seat leading gets its own phrase.
    feed(final(2) + handRecord(1, 2, 20));
    // Seeded with 777 the first Random(25) is 9 as well.
    rules::setRandomSeed(777);
    feed(startround());
    const QStringList lines = leaderLines();
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[1], "-You are taking the money.");
}

TEST_F(ClientTest, PartnersLeaderNamesTheLeadingTeamSeenFromAnySeat) {
    startGame(2, 4);
    feed(final(2) + handRecord(4, 1, 10) + handRecord(4, 3, 12) + handRecord(4, 2, 8));
    rules::setRandomSeed(99);
    const int r = [] {
        rules::setRandomSeed(99);
        return rules::Random(10);
    }();
    rules::setRandomSeed(99);
    feed(startround());
    const char* team[10] = {
        " are in the lead.",      " are in first place.",       " are winning.",
        " have the most points.", " currently holds the lead.", " are leading.",
        " have the most points.", " have the most points.",     " have the most points.",
        " have the most points."};
    ASSERT_EQ(leaderLines().size(), 1);
    EXPECT_EQ(leaderLines()[0], QString("-<Waiting> and Vozuz") + team[r]);
}

TEST_F(ClientTest, JoiningARunningGameRestoresTheTable) {
    login(2);
    feed(loadstats(3, 1, 60, 3, 1, 1, std::array<int, 4>{1, 2, 3, 4}.data())); // another seat
    EXPECT_EQ(text("label_gametype"), "");
    const int scores[4] = {12, 0, 45, 7};
    feed(loadstats(2, 3, 60, 3, 4, 1, scores));
    EXPECT_EQ(text("label_gametype"), "4 Player Game");
    EXPECT_EQ(text("label_playtoscore"), "Play to Score: 61");
    EXPECT_TRUE(shown("image_dealer4"));
    EXPECT_EQ(text("label_playername3"), "Vozuz");
    EXPECT_EQ(text("label_score1"), "12");
    EXPECT_EQ(text("label_score3"), "45");
    EXPECT_EQ(at("image_peg31"), QPoint(52, 219)); // 45 is hole 16 of the down column
    EXPECT_EQ(at("image_peg21"), QPoint(13, 455));
    EXPECT_FALSE(shown("image_cards2"));
    EXPECT_EQ(model().turnSeat(), 1);

    feed(middlecards(30, 21, {5, 11, 6}) + theircards(1, 3));
    EXPECT_EQ(text("label_running"), "TOTAL: 21");
    EXPECT_EQ(find("image_played")->width(), 56 + 15 * 3);
    EXPECT_EQ(find("image_cards1")->width(), 66 + 15);
    EXPECT_FALSE(label("image_turnover")->pixmap().isNull());
}

TEST_F(ClientTest, FieldsThatAreNotNumbersStopTheHandler) {
    startGame(1, 3);
    feed(msg("CMD_nextplayer+x+3+") + msg("CMD_loadstats+1+3+") + msg("CMD_theircards+2+z+") +
         msg("CMD_playergive+1+2+") + msg("CMD_mycards+1+2+1+abc+") + msg("CMD_winner+") +
         msg("CMD_endscore+1+2+") + msg("CMD_extra+2+5+") + msg("CMD_sendlogininfo+nine"));
    EXPECT_EQ(status(), "");
    EXPECT_EQ(model().localSeat(), 1);
    EXPECT_TRUE(chat->findChildren<QWidget*>(QRegularExpression("^card")).isEmpty());
    EXPECT_TRUE(scoreLines().isEmpty());
    // Seats outside the table are ignored rather than indexing past it.
    feed(theircards(9, 4) + setcrib(0) + pegsgo(7, 3, 9, 3) + nextplayer(8, 3));
    EXPECT_EQ(status(), "");
}
