// The pegboard and its pegs; pegs belong to a seat, not to a place, and never rotate.
#include "client/pegboardview.h"

#include "chat/chatline.h"
#include "client/boardstyle.h"
#include "client/imagelabel.h"
#include "client/tablemodel.h"
#include "client/tablescale.h"
#include "resources/pictures.h"

using boardstyle::listed;
using pictures::Picture;

PegboardView::PegboardView(TableModel& model, QWidget* board)
    : QObject(board), m_model(model), m_scale(*TableScale::of(board)) {
    auto* pegboard = new ImageLabel(board);
    pegboard->setObjectName(QStringLiteral("image_pegboard"));
    m_scale.setPicture(pegboard, listed(Picture::Pegboard));
    m_scale.move(pegboard, QPoint(3, 12));

    for (int seat = 1; seat <= table::kSeats; ++seat) {
        for (int peg = 1; peg <= 2; ++peg) {
            auto* label = new ImageLabel(board);
            label->setObjectName(QStringLiteral("image_peg%1%2").arg(seat).arg(peg));
            m_scale.setPicture(label, listed(Picture::Ball, seat));
            label->setProperty("tag", seat);
            label->setMouseTracking(true);
            connect(label, &ImageLabel::hovered, this,
                    [this, seat, peg] { image_peg11MouseMove(seat, peg); });
            m_pegs[std::size_t(seat)][std::size_t(peg)] = label;
        }
        showPegs(seat);
    }
    connect(&m_model, &TableModel::scoreChanged, this, &PegboardView::showPegs);
    connect(&m_model, &TableModel::gameChanged, this, &PegboardView::showColours);
}

void PegboardView::showPegs(int seat) {
    if (!table::isPlayingSeat(seat)) return;
    const TableModel::Seat& s = m_model.seat(seat);
    ImageLabel* front = m_pegs[std::size_t(seat)][1];
    ImageLabel* back = m_pegs[std::size_t(seat)][2];
    m_scale.move(back, pictures::pegSpot(seat, s.pegBack));
    back->raise();
    m_scale.move(front, pictures::pegSpot(seat, s.pegFront));
    front->raise();
}

void PegboardView::showColours() {
    const int type = m_model.gameType();
    for (int seat = 1; seat <= table::kSeats; ++seat) {
        const int ball = type ? table::ballOf(type, seat) : seat;
        for (int peg = 1; peg <= 2; ++peg) {
            ImageLabel* label = m_pegs[std::size_t(seat)][std::size_t(peg)];
            m_scale.setPicture(label, listed(Picture::Ball, ball));
            label->setToolTip(chatline::plainToolTip(m_model.seatName(seat)));
        }
    }
}

void PegboardView::image_peg11MouseMove(int seat, int peg) {
    if (!table::isPlayingSeat(seat) || peg < 1 || peg > 2) return;
    // A tooltip guesses rich text: a name that looks like markup is shown as it is.
    m_pegs[std::size_t(seat)][std::size_t(peg)]->setToolTip(
        chatline::plainToolTip(m_model.seatName(seat) + QStringLiteral(" - score: ") +
                               QString::number(m_model.seat(seat).score)));
}
