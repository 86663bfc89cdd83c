// The four places around the play area: each seat's cards, name, score and marks at the place
// the seat rotation gives it, redrawn from the model.
#pragma once

#include <QObject>
#include <array>

class ImageLabel;
class QLabel;
class QPoint;
class QWidget;
class TableModel;
class TableScale;

class SeatsView : public QObject {
    Q_OBJECT
public:
    SeatsView(TableModel& model, QWidget* board);

    // An opponent's hand: its card backs, 5 pixels apart, or the Not Playing picture.
    void showtheirs(int seat);
    // What a screen reader says for a seat: "Rori, 57 points, dealer".
    QString description(int seat) const;

signals:
    // The context menu was asked for on a seat's name label.
    void nameMenuRequested(int seat, const QPoint& globalPos);

private:
    struct Items {
        ImageLabel* cards = nullptr;
        QLabel* name = nullptr;
        QLabel* score = nullptr;
        QLabel* bonus = nullptr;
        ImageLabel* eyes = nullptr;
        ImageLabel* turn = nullptr;
        ImageLabel* winner = nullptr;
        ImageLabel* color = nullptr;
        ImageLabel* dealer = nullptr;
        ImageLabel* go = nullptr;
    };

    Items& items(int seat);
    void build(QWidget* board, int position);
    void nameItems();
    void showSeat(int seat);
    void showScore(int seat);
    void showGo(int seat);
    void showTurn();
    void showDealer();
    void showColours();
    void showWinners();
    void showAllSeats();
    void describeAll();
    void showCrib();

    TableModel& m_model;
    TableScale& m_scale;
    std::array<Items, 4> m_positions; // bottom, left, top, right
    // The crib, face down beside its owner (the dealer) from the starter to the next deal.
    ImageLabel* m_crib = nullptr;
    QLabel* m_cribName = nullptr;
};
