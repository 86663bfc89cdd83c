// The table model without a widget: the hand row, the seats, the pile, the summary's records
// and the signals a view redraws from.
#include "client/tablemodel.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

int alwaysNine(int) {
    return 9;
}
int outOfRange(int n) {
    return n + 3;
}

class ModelTest : public ::testing::Test {
protected:
    // Seat `local` at a game of `type`, its crib prompt in `phase` answered by the local seat.
    void seatAt(int local, int type) {
        model.login(local);
        model.sortstuff(local);
        model.startGame(type, 120);
    }
    void deal(const std::vector<int>& codes) {
        for (std::size_t i = 0; i < codes.size(); ++i) model.addCard(int(i) + 1, codes[i]);
    }
    void localTurn(int phase) {
        model.setPhase(phase);
        model.setTurn(model.localSeat(), model.localSeat(), phase == 1 ? 2 : 1);
    }

    TableModel model;
};

} // namespace

TEST_F(ModelTest, TheRowFillsTheLowestSlotsAndClosesGaps) {
    seatAt(1, 1);
    deal({3, 13, 1, 10, 5, 11});
    EXPECT_EQ(model.rowPositions(), (std::vector<int>{1, 2, 3, 4, 5, 6}));
    // Positions outside the hand, held twice or without a card stay off the row.
    EXPECT_FALSE(model.addCard(0, 5));
    EXPECT_FALSE(model.addCard(7, 5));
    EXPECT_FALSE(model.addCard(2, 9));
    EXPECT_FALSE(model.addCard(1, 53));

    model.movecards(3);
    EXPECT_EQ(model.rowPositions(), (std::vector<int>{1, 2, 4, 5, 6}));
    EXPECT_EQ(model.slotOf(4), 3);
    EXPECT_FALSE(model.card(3).held);
    model.movecards(3); // gone already: nothing moves
    EXPECT_EQ(model.rowPositions().size(), 5u);
    model.addCard(3, 7); // a returning position takes the first free slot, at the end
    EXPECT_EQ(model.rowPositions().back(), 3);
}

TEST_F(ModelTest, SortOrdersByRankKeepingTiesAndTheCribChoice) {
    seatAt(1, 1);
    deal({20, 7, 2, 33, 13, 1}); // 7D 7C 2C 7H KC AC
    localTurn(1);
    EXPECT_EQ(model.clickCard(1), TableModel::ClickResult::Changed);
    model.sortHand();
    EXPECT_EQ(model.rowPositions(), (std::vector<int>{6, 3, 1, 2, 4, 5}));
    EXPECT_FALSE(model.isRaised(1)); // lowered, still chosen
    EXPECT_EQ(model.crib1(), 1);
    EXPECT_TRUE(model.card(6).nudged);
    // Raising it again does not choose it twice.
    model.clickCard(1);
    EXPECT_EQ(model.crib2(), 0);
    EXPECT_FALSE(model.okOffered());
    model.clickCard(5);
    EXPECT_TRUE(model.okOffered());
}

TEST_F(ModelTest, ClicksFollowThePhaseAndTheTurn) {
    seatAt(2, 3);
    deal({7, 8, 9, 20, 33});
    EXPECT_EQ(model.clickCard(1), TableModel::ClickResult::Ignored); // not our turn yet

    localTurn(2);
    model.clickCard(4);
    EXPECT_TRUE(model.okOffered());
    EXPECT_EQ(model.crib1(), 4);
    model.clickCard(2); // one card only in phase 2
    EXPECT_FALSE(model.isRaised(2));
    model.clickCard(4);
    EXPECT_FALSE(model.okOffered());
    EXPECT_EQ(model.crib1(), 0);

    localTurn(3);
    model.setRunningTotal(25);
    EXPECT_FALSE(model.isPlayable(1)); // sevens make 32
    EXPECT_FALSE(model.isPlayable(4));
    model.setRunningTotal(24);
    EXPECT_TRUE(model.isPlayable(1));
    EXPECT_TRUE(model.isPlayable(4));
    EXPECT_FALSE(model.isPlayable(3)); // a nine makes 33
    EXPECT_EQ(model.clickCard(3), TableModel::ClickResult::Play);
    EXPECT_TRUE(model.isRaised(3));
}

TEST_F(ModelTest, SeatsLeaveToTheComputerOrToWaiting) {
    seatAt(1, 2);
    EXPECT_EQ(model.seatName(2), "Rori");
    EXPECT_EQ(model.seatName(4), "<Waiting>");
    model.seatPerson(2, "Ann");
    model.seatPerson(4, "Dee");
    model.setWatching(2, true);
    EXPECT_EQ(model.seatedPersons(), 2);
    model.seatLeft(2);
    model.seatLeft(4); // seat 4 takes no part in a three-player game
    EXPECT_EQ(model.seatName(2), "Rori");
    EXPECT_FALSE(model.seat(2).watching);
    EXPECT_EQ(model.seatName(4), "<Waiting>");
    EXPECT_EQ(model.seatedPersons(), 0);
    // Numbers off the table answer an empty seat instead of reaching past the array.
    EXPECT_EQ(model.seatName(0), "<Waiting>");
    model.seatPerson(9, "Spy");
    model.postscore(5, 12);
    EXPECT_EQ(model.seatedPersons(), 0);
}

TEST_F(ModelTest, RotationPutsTheLocalSeatAtTheBottomOnce) {
    QSignalSpy rotated(&model, &TableModel::rotationChanged);
    model.login(7);
    model.sortstuff(7); // a spectator sees seat 1 at the bottom
    EXPECT_EQ(rotated.count(), 0);
    model.sortstuff(3);
    EXPECT_EQ(model.seatAt(table::Bottom), 3);
    EXPECT_EQ(model.seatAt(table::Left), 4);
    EXPECT_EQ(model.seatAt(table::Top), 1);
    EXPECT_EQ(model.positionOf(2), table::Right);
    EXPECT_EQ(rotated.count(), 1);
}

TEST_F(ModelTest, PegsKeepTheLastScoreBehindAndShareStartAndFinish) {
    seatAt(1, 3);
    QSignalSpy scored(&model, &TableModel::scoreChanged);
    model.postscore(2, 7);
    model.postscore(2, 12);
    EXPECT_EQ(model.seat(2).pegBack, 7);
    EXPECT_EQ(model.seat(2).pegFront, 12);
    model.postscore(2, 12); // a hand worth nothing: both in one hole, and still announced
    EXPECT_EQ(model.seat(2).pegBack, 12);
    model.postscore(2, 125);
    EXPECT_EQ(model.seat(2).pegBack, 125);
    EXPECT_EQ(scored.count(), 4);
}

TEST_F(ModelTest, SpectatorsHaveOneEntryPerNumber) {
    QSignalSpy changed(&model, &TableModel::spectatorsChanged);
    model.addSpectator(6, "Ann");
    model.addSpectator(7, "Ann");
    model.addSpectator(6, "Bob"); // number 6 logs in again
    model.addSpectator(6, "Bob");
    EXPECT_EQ(model.spectatorEntries(), (QStringList{"6: Bob", "7: Ann"}));
    EXPECT_EQ(changed.count(), 3);
    EXPECT_FALSE(model.removeSpectator(6, "Ann"));
    EXPECT_TRUE(model.removeSpectator(6, "Bob"));
    EXPECT_EQ(model.spectatorEntries(), QStringList{"7: Ann"});

    // A storm of logins from the few spectator numbers never grows the list.
    for (int i = 0; i < 5000; ++i) model.addSpectator(5 + i % 5, QString::number(i));
    EXPECT_EQ(model.spectators().size(), 5u);
}

TEST_F(ModelTest, ThePileAndTheCountFollowThePlay) {
    seatAt(1, 3);
    model.startDeal();
    EXPECT_EQ(model.seat(2).handCount, 5);
    EXPECT_EQ(model.seat(1).handCount, 0); // the local seat's own hand is its row
    deal({7, 8, 9, 20, 33});
    model.setGo(3);
    model.cardPlayed(2, 1, 1, 40, 10);
    EXPECT_EQ(model.seat(2).handCount, 4);
    EXPECT_FALSE(model.seat(3).go);
    model.cardPlayed(1, 2, 2, 8, 18);
    EXPECT_FALSE(model.card(2).held);
    EXPECT_EQ(model.pile(), (std::vector<int>{40, 8}));
    EXPECT_EQ(model.runningTotal(), 18);
    model.clearPile();
    EXPECT_EQ(model.pileCount(), 0);
    EXPECT_EQ(model.runningTotal(), 0);
    model.restorePile(21, 3, {5, 0, 6});
    EXPECT_EQ(model.pileCount(), 3);
    EXPECT_EQ(model.pile().size(), 3u);
}

TEST_F(ModelTest, TheSummaryKeepsEachDealsRecord) {
    seatAt(2, 4);
    model.startDeal();
    model.setDealer(4);
    model.setStarter(11);
    model.cardPlayed(1, 1, 1, 40, 10);
    model.peg(1, 2);
    model.peg(1, 3);
    model.openSummary(true);
    EXPECT_EQ(model.summaryLines(1), (QStringList{"Game Over", "Score Not Tallied"}));

    table::ShowRecord hand;
    hand.box = 1;
    hand.score = 44;
    hand.total = 6;
    hand.points = {4, 2, 0, 0, 0};
    model.reportShow(4, hand, 3, 44);
    EXPECT_EQ(model.rowScore(1), 44);
    EXPECT_EQ(model.rowScore(3), 44); // the partner's row shows the shared total
    EXPECT_EQ(model.rowName(3), "Vozuz");
    EXPECT_FALSE(model.shown(3).has_value());
    EXPECT_EQ(model.summaryLines(1),
              (QStringList{"4 for Fifteens", "2 for Pairs", "--------------", "6 - Hand Total"}));

    table::ShowRecord crib;
    crib.box = table::kCribBox;
    crib.total = 0;
    model.reportShow(4, crib, 0, 0);
    EXPECT_EQ(model.cribBoxDealer(), 4);
    EXPECT_EQ(model.summaryLines(table::kCribBox),
              (QStringList{"No Points Scored", "--------------", "0 - Crib Total"}));

    ASSERT_EQ(model.deals().size(), 1u);
    const table::DealRecord& d = model.deals().back();
    EXPECT_EQ(d.dealer, 4);
    EXPECT_EQ(d.starter, 11);
    EXPECT_EQ(d.played[1], std::vector<int>{40});
    EXPECT_EQ(d.playPoints[1], 3);
    EXPECT_TRUE(d.shows[1].has_value());
    EXPECT_TRUE(d.shows[table::kCribBox].has_value());

    model.startDeal();
    EXPECT_EQ(model.deals().size(), 2u);
    EXPECT_FALSE(model.summaryOpen());
    model.startGame(4, 60);
    EXPECT_TRUE(model.deals().empty());
}

TEST_F(ModelTest, LeaderLineNamesTheLeaderAndNobodyAtZero) {
    seatAt(2, 3);
    EXPECT_EQ(model.leaderLine(&alwaysNine), "");
    table::ShowRecord r;
    for (int seat : {2, 3, 4}) {
        r.box = seat;
        r.score = seat == 2 ? 5 : 9;
        model.reportShow(1, r, 0, 0);
    }
    EXPECT_EQ(model.leaderLine(&alwaysNine), "-Vozuz is taking the money.");
    r.box = 2;
    r.score = 20;
    model.reportShow(1, r, 0, 0);
    EXPECT_EQ(model.leaderLine(&alwaysNine), "-You are taking the money.");
    // A generator answering outside its range falls back to the first phrase.
    EXPECT_EQ(model.leaderLine(&outOfRange), "-You are in the lead.");
}

TEST_F(ModelTest, TheWinnerEndsTheTurnAndOffersTheHostANewGame) {
    model.setHost(true);
    seatAt(1, 4);
    EXPECT_FALSE(model.startOffered());
    deal({1, 2, 3, 4, 5});
    localTurn(3);
    EXPECT_TRUE(model.gameInProgress());
    QSignalSpy won(&model, &TableModel::winnerChanged);
    model.setWinner(2, 4);
    EXPECT_EQ(won.count(), 1);
    EXPECT_TRUE(model.seat(2).winner);
    EXPECT_TRUE(model.seat(4).winner);
    EXPECT_FALSE(model.seat(1).winner);
    EXPECT_TRUE(model.rowPositions().empty());
    EXPECT_EQ(model.turnSeat(), 0);
    EXPECT_FALSE(model.gameInProgress());
    EXPECT_TRUE(model.startOffered());
    model.setWinner(0, 0); // no such seat: nothing happens
    EXPECT_EQ(won.count(), 1);
}

// What the hints are worked out from: the local seat's cards as dealt, its own crib cards, and
// the play as the whole table saw it, cleared with each deal.
TEST_F(ModelTest, TheSeatViewHoldsWhatTheLocalSeatKnows) {
    seatAt(1, 1);
    model.startDeal();
    model.setDealer(2);
    deal({3, 13, 1, 10, 5, 11});
    localTurn(1);
    rules::SeatView v = model.seatView();
    EXPECT_EQ(v.gameType, 1);
    EXPECT_EQ(v.seat, 1);
    EXPECT_EQ(v.dealer, 2);
    EXPECT_EQ(v.target, 120);
    EXPECT_EQ(v.hand, (std::vector<int>{3, 13, 1, 10, 5, 11}));
    EXPECT_TRUE(v.thrown.empty());
    EXPECT_FALSE(v.ownsCrib());

    // The crib takes two; the starter and the play follow.
    model.movecards(2);
    model.movecards(5);
    model.setStarter(44);
    model.cardPlayed(2, 1, 1, 40, 1);
    model.setGo(2);
    model.cardPlayed(1, 3, 2, 1, 2);
    model.postscore(1, 6);
    v = model.seatView();
    EXPECT_EQ(v.hand, (std::vector<int>{3, 10, 11}));
    EXPECT_EQ(v.thrown, (std::vector<int>{13, 5})); // a card laid is not in the crib
    EXPECT_EQ(v.record.starter, 44);
    ASSERT_EQ(v.record.laid.size(), 2u);
    EXPECT_EQ(v.record.laid[0].seat, 2);
    EXPECT_EQ(v.record.laid[0].card, 40);
    EXPECT_EQ(v.record.laid[1].seat, 1);
    EXPECT_EQ(v.record.goBound[2], 30); // nothing it holds fits under 31 - 1
    EXPECT_EQ(v.seq.count, 2);
    EXPECT_EQ(v.seq.n, 2);
    EXPECT_EQ(v.scores[1], 6);
    EXPECT_EQ(v.lastPlayer(), 1);

    // A hand dealt again (a refused gift coming back) is not taken twice.
    model.addCard(2, 13);
    EXPECT_EQ(model.dealt().size(), 6u);

    model.startDeal();
    v = model.seatView();
    EXPECT_TRUE(v.hand.empty());
    EXPECT_TRUE(v.thrown.empty());
    EXPECT_TRUE(v.record.laid.empty());
    EXPECT_EQ(v.record.starter, 0);
    EXPECT_EQ(v.record.goBound[2], 0);
}

TEST_F(ModelTest, AHintRaisesItsCardsOnlyWhileTheLocalSeatMayAct) {
    seatAt(1, 1);
    model.startDeal();
    model.setDealer(1);
    deal({3, 13, 1, 10, 5, 11});
    EXPECT_FALSE(model.suggestCrib(2, 5)); // not our turn yet
    localTurn(1);
    EXPECT_FALSE(model.suggestCrib(2, 2));
    EXPECT_FALSE(model.suggestCrib(2, 7));
    EXPECT_FALSE(model.suggestPlay(2)); // no play during the giving
    model.clickCard(1);                 // the player's own choice gives way to the hint's
    ASSERT_TRUE(model.suggestCrib(2, 5));
    EXPECT_FALSE(model.isRaised(1));
    EXPECT_TRUE(model.isRaised(2));
    EXPECT_TRUE(model.isRaised(5));
    EXPECT_EQ(model.crib1(), 2);
    EXPECT_EQ(model.crib2(), 5);
    EXPECT_TRUE(model.okOffered());

    // In the play the raised card is laid by a click; a card the player raised lowers.
    model.movecards(2);
    model.movecards(5);
    localTurn(3);
    model.setRunningTotal(25);
    EXPECT_FALSE(model.suggestPlay(4)); // a ten would pass 31
    ASSERT_TRUE(model.suggestPlay(3));
    EXPECT_EQ(model.suggestedPlay(), 3);
    EXPECT_EQ(model.clickCard(3), TableModel::ClickResult::Play);
    EXPECT_TRUE(model.isRaised(3));
    model.setTurn(2, 2, 1);
    model.setRunningTotal(0);
    localTurn(3);
    ASSERT_TRUE(model.suggestPlay(1));
    EXPECT_EQ(model.clickCard(6), TableModel::ClickResult::Play); // another card instead
    EXPECT_FALSE(model.isRaised(1));
    EXPECT_EQ(model.suggestedPlay(), 0);
}

TEST_F(ModelTest, TheDealRecordsSignalEachChange) {
    seatAt(1, 1);
    QSignalSpy spy(&model, &TableModel::dealsChanged);
    model.startDeal();
    model.setDealer(2);
    model.setStarter(44);
    model.cardPlayed(2, 1, 1, 40, 1);
    model.peg(2, 2);
    table::ShowRecord crib;
    crib.box = table::kCribBox;
    model.reportShow(2, crib, 0, 0);
    EXPECT_EQ(spy.count(), 6);
    model.startGame(1, 120);
    EXPECT_EQ(spy.count(), 7);
    EXPECT_TRUE(model.deals().empty());
}
