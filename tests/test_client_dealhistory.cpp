// The deal history window on a model fed as the messages feed it: rows as deals end, names as
// plain text, and an empty table at a new game.
#include "client/dealhistory.h"
#include "client/tablemodel.h"
#include "test_client_support.h"

#include <QTableWidget>

static ::testing::Environment* const kEnv =
    ::testing::AddGlobalTestEnvironment(new ClientAppEnvironment);

namespace {

class DealHistoryTest : public ::testing::Test {
protected:
    void SetUp() override {
        model.login(1);
        model.sortstuff(1);
        model.startGame(1, 120);
        history = std::make_unique<DealHistory>(model);
        table = history->findChild<QTableWidget*>("table_deals");
        ASSERT_NE(table, nullptr);
    }
    QString cell(int row, int column) const {
        const QTableWidgetItem* item = table->item(row, column);
        return item ? item->text() : QStringLiteral("<none>");
    }
    static table::ShowRecord show(int box, int total, std::array<int, 4> cards, int score = 0) {
        table::ShowRecord r;
        r.box = box;
        r.score = score;
        r.total = total;
        r.cards = cards;
        return r;
    }

    TableModel model;
    std::unique_ptr<DealHistory> history;
    QTableWidget* table = nullptr;
};

} // namespace

TEST_F(DealHistoryTest, ADealFillsItsRowAsItIsPlayedAndCounted) {
    EXPECT_EQ(table->rowCount(), 0);
    model.startDeal();
    EXPECT_EQ(table->rowCount(), 0); // no dealer yet
    model.setDealer(2);
    ASSERT_EQ(table->rowCount(), 2); // the deal and the totals
    EXPECT_EQ(cell(0, 0), "1");
    EXPECT_EQ(cell(0, 1), model.seatName(2));
    EXPECT_EQ(cell(0, DealHistory::playColumn(1)), "");

    model.setStarter(11); // the jack of clubs: two for his heels
    model.peg(2, 2);
    model.cardPlayed(1, 1, 1, 5, 5);
    model.cardPlayed(2, 1, 2, 23, 15);
    model.peg(2, 4);
    EXPECT_EQ(cell(0, 2), QString("J") + QChar(0x2663));
    EXPECT_EQ(cell(0, DealHistory::playColumn(1)), "0");
    EXPECT_EQ(cell(0, DealHistory::playColumn(2)), "4");
    EXPECT_EQ(table->item(0, DealHistory::playColumn(2))->toolTip(), QString("10") + QChar(0x2666));

    model.reportShow(2, show(1, 6, {5, 18, 31, 2}, 6), 0, 0);
    model.reportShow(2, show(2, 0, {3, 16, 40, 48}, 4), 0, 0);
    model.reportShow(2, show(table::kCribBox, 12, {1, 14, 27, 44}), 0, 0);
    EXPECT_EQ(cell(0, DealHistory::handColumn(1)), "6");
    EXPECT_EQ(cell(0, DealHistory::handColumn(2)), "0");
    EXPECT_EQ(cell(0, DealHistory::cribColumn(2)), "12");
    EXPECT_EQ(table->columnCount(), DealHistory::cribColumn(2) + 1);

    model.startDeal();
    model.setDealer(1);
    model.cardPlayed(2, 2, 1, 31, 5);
    model.peg(2, 8);
    EXPECT_EQ(table->rowCount(), 3);
    EXPECT_EQ(cell(0, DealHistory::cribColumn(2)), "12"); // the earlier deal stays
    EXPECT_EQ(cell(2, 0), "Total");
    EXPECT_EQ(cell(2, DealHistory::playColumn(2)), "8"); // 4 and 4
    EXPECT_EQ(cell(2, DealHistory::handColumn(1)), "6");
    EXPECT_EQ(cell(2, DealHistory::cribColumn(2)), "12");

    // A new game starts an empty history, with its own seats.
    model.startGame(3, 120);
    EXPECT_EQ(table->rowCount(), 0);
    EXPECT_EQ(table->columnCount(), DealHistory::cribColumn(4) + 1);
}

TEST_F(DealHistoryTest, NamesShowAsTypedAndLongOnesAreShortened) {
    const QString name = "<b>Bold</b> & a very long name indeed";
    model.seatPerson(2, name);
    model.startDeal();
    model.setDealer(2);
    const QString shown = cell(0, 1);
    EXPECT_TRUE(shown.startsWith("<b>Bold</b>"));
    EXPECT_LT(shown.size(), 20);
    EXPECT_EQ(table->item(0, 1)->toolTip(), name);
    EXPECT_EQ(table->horizontalHeaderItem(DealHistory::playColumn(2))->toolTip(), name);
    EXPECT_TRUE(table->horizontalHeaderItem(DealHistory::handColumn(2))->text().endsWith("\nHand"));
}
