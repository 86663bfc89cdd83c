// The hand row: a card in slot s rests at x = 185 + 18 s, y = 336, and is raised 4 pixels.
#include "client/handrow.h"

#include "client/boardstyle.h"
#include "client/imagelabel.h"
#include "client/tablemodel.h"
#include "client/tablescale.h"
#include "resources/pictures.h"

namespace {

constexpr int kRowX = 185;
constexpr int kRowStep = 18;
constexpr int kRestY = 336;
constexpr int kRaisedY = 332;

} // namespace

HandRow::HandRow(TableModel& model, QWidget* board)
    : QObject(board), m_model(model), m_board(board), m_scale(*TableScale::of(board)) {
    m_buttonOk = new ImageLabel(board);
    m_buttonOk->setObjectName(QStringLiteral("button_ok"));
    m_scale.setPicture(m_buttonOk, boardstyle::listed(pictures::Picture::OkButton));
    m_scale.move(m_buttonOk, QPoint(368, 392));
    m_buttonOk->setCursor(Qt::PointingHandCursor);
    connect(m_buttonOk, &ImageLabel::pressed, this, [this](Qt::MouseButton b) {
        if (b == Qt::LeftButton) emit okPressed();
    });
    m_buttonOk->hide();
    connect(&m_model, &TableModel::handChanged, this, &HandRow::showHand);
}

void HandRow::showHand() {
    for (int pos = 1; pos <= table::kMaxHandPos; ++pos) {
        const TableModel::HandCard& card = m_model.card(pos);
        ImageLabel*& image = m_cards[std::size_t(pos)];
        if (image && (!card.held || image->property("cardCode").toInt() != card.code)) {
            delete image;
            image = nullptr;
        }
        if (!card.held || image) continue;
        image = new ImageLabel(m_board);
        image->setObjectName(QStringLiteral("card%1").arg(pos));
        m_scale.setPicture(image, boardstyle::listed(pictures::Picture::BigCard, card.code));
        image->setProperty("handPosition", pos);
        image->setProperty("cardCode", card.code);
        image->setCursor(Qt::PointingHandCursor);
        connect(image, &ImageLabel::pressed, this,
                [this, pos](Qt::MouseButton button) { emit cardPressed(pos, button); });
    }
    for (int slot = 1; slot <= table::kSlots; ++slot) {
        const int pos = m_model.positionInSlot(slot);
        ImageLabel* image = pos ? m_cards[std::size_t(pos)] : nullptr;
        if (!image) continue;
        const TableModel::HandCard& card = m_model.card(pos);
        m_scale.move(image, QPoint(kRowX + kRowStep * slot - (card.nudged ? 2 : 0),
                                   card.raised ? kRaisedY : kRestY));
        image->show();
        // Higher slots lie in front, so the row overlaps from left to right.
        image->raise();
    }
    if (m_model.okOffered()) {
        m_buttonOk->show();
        m_buttonOk->raise();
    } else {
        m_buttonOk->hide();
    }
}
