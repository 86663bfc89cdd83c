// The pegboard: two pegs per seat in the seat's lane, moved from the model's scores.
#pragma once

#include <QObject>
#include <array>

class ImageLabel;
class QWidget;
class TableModel;
class TableScale;

class PegboardView : public QObject {
    Q_OBJECT
public:
    PegboardView(TableModel& model, QWidget* board);

    // The hint of a peg under the mouse: the seat's name and its score.
    void image_peg11MouseMove(int seat, int peg);

private:
    void showPegs(int seat);
    void showColours();

    TableModel& m_model;
    TableScale& m_scale;
    // [seat][1] the front peg, [seat][2] the back one.
    std::array<std::array<ImageLabel*, 3>, 5> m_pegs{};
};
