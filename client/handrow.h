// The local player's hand: one picture per card along the row, raised or resting as the model
// says, the OK button of the crib choice, and the mark of the card a key would take.
#pragma once

#include <QObject>
#include <array>

class ImageLabel;
class QFrame;
class QWidget;
class TableModel;
class TableScale;

class HandRow : public QObject {
    Q_OBJECT
public:
    HandRow(TableModel& model, QWidget* board);

    // The hand position of the card the keys would take (the marked one), 0 for none.
    int markedPosition() const;
    // The marked card, as its place from the left of the row (0 the leftmost).
    int markIndex() const { return m_mark; }
    // Moves the mark by a number of cards; false when it would leave the row (it then stays).
    bool moveMark(int step);
    void setMarkIndex(int index);
    // The mark shows only while the table has the keyboard.
    void setMarkShown(bool shown);
    bool markShown() const { return m_markShown; }

signals:
    void cardPressed(int pos, Qt::MouseButton button);
    void okPressed();

private:
    void showHand();
    void showMark();

    TableModel& m_model;
    QWidget* m_board;
    TableScale& m_scale;
    ImageLabel* m_buttonOk = nullptr;
    QFrame* m_markFrame = nullptr;
    int m_mark = 0;
    bool m_markShown = false;
    // Hand positions 1..6; index 0 unused.
    std::array<ImageLabel*, 7> m_cards{};
};
