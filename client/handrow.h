// The local player's hand: one picture per card along the row, raised or resting as the model
// says, and the OK button of the crib choice.
#pragma once

#include <QObject>
#include <array>

class ImageLabel;
class QWidget;
class TableModel;
class TableScale;

class HandRow : public QObject {
    Q_OBJECT
public:
    HandRow(TableModel& model, QWidget* board);

signals:
    void cardPressed(int pos, Qt::MouseButton button);
    void okPressed();

private:
    void showHand();

    TableModel& m_model;
    QWidget* m_board;
    TableScale& m_scale;
    ImageLabel* m_buttonOk = nullptr;
    // Hand positions 1..6; index 0 unused.
    std::array<ImageLabel*, 7> m_cards{};
};
