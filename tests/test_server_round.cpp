// The round flow on fake connections: giving, the play and its points, the show, confirmations,
// the win, computer hand-overs, and whole computer games.
#include "rules/random.h"
#include "test_server_fakes.h"

using namespace net;

namespace {

std::string M(const std::string& built) {
    return built.substr(0, built.size() - 1);
}

std::vector<std::string> since(const std::vector<std::string>& all, std::size_t from) {
    return {all.begin() + std::ptrdiff_t(std::min(from, all.size())), all.end()};
}

} // namespace

class ServerRoundTest : public ServerTest {};

// One two-player deal played by hand: the giving with its refusals, every kind of play message,
// the show in counting order and both confirmations.
TEST_F(ServerRoundTest, TwoPlayerDealFromGivingToTheNextDeal) {
    Table t;
    t.seat(2);
    t.feed(1, toServer::startgame("Host", "1", 1));
    EXPECT_EQ(since(t.sent(2), 3),
              (std::vector<std::string>{"CMD_startgame+Host+1+1+", "CMD_startround+",
                                        t.sent(2).at(5), "CMD_playergive+2+1+1+"}));
    const int clubs = 1, diamonds = 2, spades = 4;
    t.arrange(
        {{C(5, clubs), C(10, clubs), C(6, clubs), C(13, clubs), C(1, 3), C(2, 3)},
         {C(10, diamonds), C(5, diamonds), C(3, diamonds), C(12, diamonds), C(4, 3), C(8, 3)}},
        {C(9, spades)});
    auto& g = t.server.game();
    const rules::Hand before = g.deal.hands[1];
    t.clearSent();

    t.feed(1, toServer::sendcard(1, 3, 3)); // the same card twice
    t.feed(1, toServer::sendcard(1, 7, 1));
    t.feed(1, toServer::sendcard(1, 0, 1));
    EXPECT_TRUE(t.sent(1).empty());
    t.feed(1, toServer::sendcard(1, 2, 0));
    EXPECT_EQ(t.sent(1), std::vector<std::string>{"CMD_needtwo+1+"});
    EXPECT_EQ(g.deal.hands[1], before);
    EXPECT_EQ(g.deal.crib[1], 0);

    t.feed(1, toServer::sendcard(1, 5, 6));
    t.feed(2, toServer::sendcard(2, 5, 6));
    EXPECT_EQ(g.deal.crib, (rules::Hand{0, C(1, 3), C(4, 3), C(2, 3), C(8, 3), 0, 0}));
    EXPECT_EQ(since(t.sent(1), 1),
              (std::vector<std::string>{"CMD_gavecards+1+5+6+", "CMD_setcrib+2+",
                                        M(toClient::turnover(C(9, spades), 0, 1, 0, 3, 0)),
                                        "CMD_nextplayer+2+3+"}));
    EXPECT_EQ(t.sent(2)[0], "CMD_setcrib+1+");

    t.clearSent();
    t.feed(1, toServer::playcard(1, 1)); // not seat 1's turn
    t.feed(2, toServer::playcard(2, 7));
    t.feed(2, toServer::playcard(2, 0));
    t.feed(2, toServer::playcard(2, 5)); // given to the crib
    t.feed(2, toServer::playcard(2, 1));
    t.feed(1, toServer::playcard(1, 1));
    t.feed(1, toServer::clickdone(1)); // no show to confirm yet
    t.feed(2, toServer::playcard(2, 2));
    t.feed(1, toServer::playcard(1, 3));
    t.feed(2, toServer::playcard(2, 4)); // 26 + 10 passes 31
    EXPECT_EQ(t.sent(2).back(), "CMD_toomuch+2+");
    t.feed(2, toServer::playcard(2, 3));
    t.runAction(); // after seat 1's go, back to seat 2
    t.runAction(); // seat 2 pegs the go; the reset follows
    t.feed(1, toServer::playcard(1, 2));
    t.feed(2, toServer::playcard(2, 4));
    t.feed(1, toServer::playcard(1, 4));
    EXPECT_EQ(t.sent(1),
              (std::vector<std::string>{M(toClient::playcard(2, 1, 1, C(10, diamonds), 10)),
                                        "CMD_nextplayer+1+3+",
                                        M(toClient::playcard(1, 1, 2, C(5, clubs), 15)),
                                        "CMD_total15+1+2+3+0+",
                                        "CMD_nextplayer+2+3+",
                                        "CMD_extra+2+2+3+4+0+",
                                        M(toClient::playcard(2, 2, 3, C(5, diamonds), 20)),
                                        "CMD_nextplayer+1+3+",
                                        M(toClient::playcard(1, 3, 4, C(6, clubs), 26)),
                                        "CMD_nextplayer+2+3+",
                                        M(toClient::playcard(2, 3, 5, C(3, diamonds), 29)),
                                        "CMD_hegoes+1+",
                                        "CMD_pegsgo+2+3+4+0+",
                                        "CMD_startagain+",
                                        "CMD_nextplayer+1+3+",
                                        M(toClient::playcard(1, 2, 1, C(10, clubs), 10)),
                                        "CMD_nextplayer+2+3+",
                                        M(toClient::playcard(2, 4, 2, C(12, diamonds), 20)),
                                        "CMD_nextplayer+1+3+",
                                        M(toClient::playcard(1, 4, 3, C(13, clubs), 30)),
                                        "CMD_pegslast+1+3+3+0+"}));
    EXPECT_EQ(t.server.pendingAction(), TServer::TheShow);
    EXPECT_EQ(t.server.countdown(), 5);

    t.clearSent();
    t.runAction();
    const auto hand2 = rules::scoreShow(g.deal.showCards(2));
    const auto hand1 = rules::scoreShow(g.deal.showCards(1));
    const auto crib = rules::scoreShow(g.deal.cribShowCards());
    const auto endscores = t.only(1, {"CMD_endscore"});
    ASSERT_EQ(endscores.size(), 3u);
    EXPECT_EQ(t.sent(1).front(), "CMD_final+1+");
    EXPECT_EQ(t.sent(2).front(), "CMD_final+2+");
    toClient::EndScore e2{
        1,
        2,
        3 + hand2.total,
        4,
        0,
        hand2.total,
        hand2.fifteens,
        hand2.pairs,
        hand2.runs,
        hand2.flush,
        hand2.nob,
        {C(10, diamonds), C(5, diamonds), C(3, diamonds), C(12, diamonds), C(9, spades)}};
    EXPECT_EQ(endscores[0], M(toClient::endscore(e2)));
    // The dealer's score already holds the crib.
    toClient::EndScore e1{1,
                          1,
                          3 + hand1.total + crib.total,
                          3,
                          0,
                          hand1.total,
                          hand1.fifteens,
                          hand1.pairs,
                          hand1.runs,
                          hand1.flush,
                          hand1.nob,
                          {C(5, clubs), C(10, clubs), C(6, clubs), C(13, clubs), C(9, spades)}};
    EXPECT_EQ(endscores[1], M(toClient::endscore(e1)));
    toClient::EndScore ec{1,
                          5,
                          0,
                          0,
                          0,
                          crib.total,
                          crib.fifteens,
                          crib.pairs,
                          crib.runs,
                          crib.flush,
                          crib.nob,
                          {C(1, 3), C(4, 3), C(2, 3), C(8, 3), C(9, spades)}};
    EXPECT_EQ(endscores[2], M(toClient::endscore(ec)));
    EXPECT_EQ(t.server.player(1).score, 3 + hand1.total + crib.total);

    // Both confirm: the next deal three intervals later, dealt by seat 2.
    EXPECT_EQ(t.server.pendingAction(), TServer::NextDealAfterShow);
    t.feed(1, toServer::clickdone(1));
    t.feed(1, toServer::clickdone(1));
    EXPECT_EQ(t.server.countdown(), 30);
    t.feed(2, toServer::clickdone(2));
    EXPECT_EQ(t.server.pendingAction(), TServer::NextDealConfirmed);
    EXPECT_EQ(t.server.countdown(), 3);
    t.clearSent();
    t.runAction();
    EXPECT_EQ(t.sent(1).front(), "CMD_startround+");
    EXPECT_EQ(g.dealer, 2);
}

// Plays cards for the seat to play until the deal reaches its show.
void playUntilShow(Table& t, int humanSeats) {
    auto& g = t.server.game();
    for (int guard = 0; guard < 200 && t.server.pendingAction() != TServer::TheShow; ++guard) {
        const int s = g.currentPlayer;
        if (s <= humanSeats && t.server.player(s).turn) {
            for (int p = 1; p <= 6; ++p) {
                if (g.deal.hands[s][p] && g.seq.fits(g.deal.hands[s][p])) {
                    t.feed(s, toServer::playcard(s, p));
                    break;
                }
            }
        } else if (!t.runAction()) {
            break;
        }
    }
}

TEST_F(ServerRoundTest, ConfirmingLateOrNeverFallsBackToThirtyIntervals) {
    Table t;
    t.seat(2);
    t.feed(1, toServer::startgame("Host", "1", 1));
    t.feed(1, toServer::sendcard(1, 1, 2));
    t.feed(2, toServer::sendcard(2, 1, 2));
    playUntilShow(t, 2);
    t.runAction();
    ASSERT_EQ(t.server.pendingAction(), TServer::NextDealAfterShow);
    t.feed(1, toServer::clickdone(1));
    for (int i = 0; i < 29; ++i) t.server.timer1Timer();
    t.feed(2, toServer::clickdone(2)); // one tick left: too late
    EXPECT_EQ(t.server.pendingAction(), TServer::NextDealAfterShow);
    t.clearSent();
    t.server.timer1Timer();
    EXPECT_EQ(t.sent(2).front(), "CMD_startround+");
}

// After a 31 nobody has a go coming: a seat without cards is passed over, even the one that
// laid the card before the 31.
TEST_F(ServerRoundTest, NoGoForAnEmptyHandAfterThirtyOne) {
    Table t;
    t.seat(3);
    t.feed(1, toServer::startgame("Host", "1", 2));
    t.arrange({{C(1, 1), C(2, 1), C(2, 2), C(8, 1), C(6, 4)},
               {C(3, 1), C(3, 2), C(4, 1), C(4, 2), C(5, 4)},
               {C(1, 2), C(1, 3), C(2, 3), C(13, 4), C(10, 4)}},
              {C(7, 4), C(9, 4)});
    for (int s = 1; s <= 3; ++s) t.feed(s, toServer::sendcard(s, 5, 0));
    EXPECT_EQ(t.server.game().deal.crib[4], C(7, 4));
    EXPECT_EQ(t.server.game().deal.starter, C(9, 4));
    for (int round = 1; round <= 3; ++round)
        for (int s : {2, 3, 1}) t.feed(s, toServer::playcard(s, round));
    t.feed(2, toServer::playcard(2, 4)); // 23: seat 2's hand is empty now
    EXPECT_EQ(t.sent(1).back(), "CMD_hegoes+3+");
    t.runAction();
    t.feed(1, toServer::playcard(1, 4)); // 31
    EXPECT_EQ(t.only(1, {"CMD_total31"}).size(), 1u);
    const int score2 = t.server.player(2).score;
    const std::size_t mark = t.sent(1).size();
    t.runAction();
    EXPECT_EQ(since(t.sent(1), mark),
              (std::vector<std::string>{"CMD_startagain+", "CMD_nextplayer+3+3+"}));
    EXPECT_EQ(t.server.player(2).score, score2);
}

// A newcomer during the play of a four-player game takes over the seat it is numbered for.
TEST_F(ServerRoundTest, NewcomerDuringThePlayIsBroughtUpToDate) {
    Table t;
    t.seat(4);
    t.feed(1, toServer::startgame("Host", "1", 3));
    t.arrange({{C(1, 1), C(2, 1), C(3, 1), C(4, 1), C(9, 4)},
               {C(13, 1), C(6, 2), C(7, 2), C(8, 2), C(10, 4)},
               {C(5, 3), C(6, 3), C(7, 3), C(8, 3), C(11, 4)},
               {C(9, 2), C(10, 2), C(12, 2), C(1, 2), C(2, 4)}},
              {C(3, 4)});
    for (int s = 1; s <= 4; ++s) t.feed(s, toServer::sendcard(s, 5, 0));
    t.feed(2, toServer::playcard(2, 1)); // a King
    t.feed(3, toServer::playcard(3, 1)); // 15
    t.server.connectionLost(3);
    ASSERT_EQ(t.connect(), 3);
    t.login(3, "New");
    EXPECT_EQ(since(t.sent(3), 5),
              (std::vector<std::string>{
                  "CMD_loadstats+3+3+120+3+1+4+0+0+2+0+", "CMD_middlecards+42+15+1+5",
                  "CMD_theircards+1+4+", "CMD_theircards+2+3+", "CMD_theircards+4+4+",
                  M(toClient::mycards(3, {{2, C(6, 3)}, {3, C(7, 3)}, {4, C(8, 3)}}))}));

    // Seat 4 chooses to watch on its turn: the computer lays its card one interval later.
    t.feed(4, toServer::justwatch(4, "1"));
    EXPECT_EQ(t.server.pendingAction(), TServer::ComputerCard);
    EXPECT_EQ(t.server.countdown(), 1);
    t.runAction();
    EXPECT_EQ(net::splitCommand(t.sent(3).at(t.sent(3).size() - 2)).first, "CMD_playcard");
    EXPECT_EQ(t.sent(3).back(), "CMD_nextplayer+1+3+");

    // Seat 1 leaves on its turn (the host too is replaced): the computer plays for it.
    t.server.connectionLost(1);
    EXPECT_EQ(t.server.pendingAction(), TServer::ComputerCard);
    t.runAction();
    EXPECT_EQ(t.sent(3).back(), "CMD_nextplayer+2+3+");
}

TEST_F(ServerRoundTest, LostConnectionsDuringTheGivingAreGivenForAtOnce) {
    Table t;
    t.seat(4);
    t.feed(1, toServer::startgame("Host", "1", 3));
    t.clearSent();
    t.server.connectionLost(1);
    t.server.connectionLost(3);
    EXPECT_EQ(t.only(2, {"CMD_setcrib"}),
              (std::vector<std::string>{"CMD_setcrib+1+", "CMD_setcrib+3+"}));
    t.feed(2, toServer::sendcard(2, 1, 0));
    t.feed(4, toServer::sendcard(4, 1, 0));
    EXPECT_EQ(t.server.game().phase, 3);
}

TEST_F(ServerRoundTest, PartnersGameToSixtyOneAndAStaleActionDoesNotSurviveANewGame) {
    Table t;
    t.seat(1);
    t.feed(1, toServer::startgame("Ho+st", "2", 4));
    EXPECT_EQ(t.sent(1).at(2), "CMD_startgame+Ho+st+2+4+");
    auto& g = t.server.game();
    EXPECT_EQ(g.target, 60);
    EXPECT_EQ(g.dealer, 1);
    t.feed(1, toServer::sendcard(1, 1, 0));
    EXPECT_EQ(t.sent(1).back(), "CMD_nextplayer+2+3+");
    EXPECT_EQ(t.server.pendingAction(), TServer::ComputerCard);

    // A new game while a computer's card is pending: seat 1 has to give, nothing may run.
    t.feed(1, toServer::startgame("Host", "2", 4));
    EXPECT_EQ(t.server.pendingAction(), TServer::NoAction);
    EXPECT_EQ(g.phase, 2);

    t.feed(1, toServer::justwatch(1, "1"));
    for (int guard = 0; guard < 100000 && g.inProgress; ++guard) {
        ASSERT_TRUE(t.runAction());
        ASSERT_EQ(t.server.player(1).score, t.server.player(3).score);
        ASSERT_EQ(t.server.player(2).score, t.server.player(4).score);
    }
    const std::string win = t.only(1, {"CMD_winner"}).at(0);
    const int w = win[11] - '0';
    EXPECT_EQ(win,
              "CMD_winner+" + std::to_string(w) + "+" + std::to_string(rules::partnerOf(w)) + "+");
    EXPECT_GT(t.server.player(w).score, 60);
}

TEST_F(ServerRoundTest, TheShowStopsAtTheWinnerAndNothingFollowsTheWin) {
    Table t;
    t.seat(1);
    t.feed(1, toServer::startgame("Host", "1", 3));
    t.feed(1, toServer::justwatch(1, "1"));
    while (t.server.pendingAction() != TServer::TheShow) ASSERT_TRUE(t.runAction());
    t.server.player(3).score = 121;
    t.clearSent();
    t.runAction();
    const auto& sent = t.sent(1);
    ASSERT_EQ(sent.size(), 4u);
    EXPECT_EQ(sent[0], "CMD_final+1+");
    EXPECT_EQ(sent[1].substr(0, 17), "CMD_endscore+1+2+");
    EXPECT_EQ(sent[2].substr(0, 17), "CMD_endscore+1+3+");
    EXPECT_EQ(sent[3], "CMD_winner+3+0+");
    EXPECT_EQ(t.server.pendingAction(), TServer::NoAction);
    t.clearSent();
    t.feed(1, toServer::clickdone(1));
    t.feed(1, toServer::sendcard(1, 1, 0));
    t.feed(1, toServer::playcard(1, 1));
    EXPECT_FALSE(t.runAction());
    EXPECT_TRUE(t.sent(1).empty());
}

TEST_F(ServerRoundTest, HisHeelsCanWinBeforeTheLead) {
    Table t;
    t.seat(2);
    t.feed(1, toServer::startgame("Host", "2", 1));
    t.server.player(1).score = 59;
    t.arrange({}, {C(11, 2)});
    t.feed(1, toServer::sendcard(1, 1, 2));
    t.clearSent();
    t.feed(2, toServer::sendcard(2, 1, 2));
    EXPECT_EQ(t.sent(1), (std::vector<std::string>{"CMD_setcrib+2+",
                                                   M(toClient::turnover(C(11, 2), 2, 1, 61, 3, 0)),
                                                   "CMD_winner+1+0+"}));
}

// Whole games of computers, one for each game type, twice from the same seed.
TEST_F(ServerRoundTest, ComputerGamesReachAWinnerAndReplayFromTheSeed) {
    for (int type = 1; type <= 4; ++type) {
        std::vector<std::string> runs[2];
        for (auto& messages : runs) {
            rules::setRandomSeed(2024u + unsigned(type));
            Table t;
            t.seat(1);
            t.feed(1, toServer::startgame("Host", "1", type));
            t.feed(1, toServer::justwatch(1, "1"));
            t.runAll();
            messages = t.sent(1);
            EXPECT_FALSE(t.server.game().inProgress);
        }
        EXPECT_EQ(net::splitCommand(runs[0].back()).first, "CMD_winner") << type;
        EXPECT_GT(runs[0].size(), 100u);
        EXPECT_EQ(runs[0], runs[1]) << type;
    }
}
