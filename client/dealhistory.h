// The deal history: every deal of the game at the table so far, one row each, kept until the
// next game starts.
#pragma once

#include <QWidget>

class QLabel;
class QTableWidget;
class TableModel;

class DealHistory : public QWidget {
    Q_OBJECT
public:
    explicit DealHistory(const TableModel& model, QWidget* parent = nullptr);

    // The columns after the deal's number, dealer and starter: each seat's play and hand
    // points, then the crib's.
    static constexpr int kFirstSeatColumn = 3;
    static int playColumn(int seat) { return kFirstSeatColumn + 2 * (seat - 1); }
    static int handColumn(int seat) { return playColumn(seat) + 1; }
    static int cribColumn(int players) { return kFirstSeatColumn + 2 * players; }

private:
    void rebuild();

    const TableModel& m_model;
    QLabel* m_title = nullptr;
    QTableWidget* m_table = nullptr;
};
