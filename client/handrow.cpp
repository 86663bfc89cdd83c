// The hand row: a card in slot s rests at x = 185 + 18 s, y = 336, and is raised 4 pixels.
#include "client/handrow.h"

#include "client/boardstyle.h"
#include "client/cardname.h"
#include "client/imagelabel.h"
#include "client/tablemodel.h"
#include "client/tablescale.h"
#include "resources/pictures.h"

#include <QFrame>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace {

constexpr int kRowX = 185;
constexpr int kRowStep = 18;
constexpr int kRestY = 336;
constexpr int kRaisedY = 332;
constexpr int kCardW = 71;
constexpr int kCardH = 96;

// A card, and when raised the same card in a warm tint with a gold edge: the 4-pixel lift
// alone is easy to miss.
QPixmap handCard(int code, bool raised, double density) {
    const QPixmap face = pictures::bigCard(code, density);
    if (!raised) return face;
    QPixmap picture = pictures::blankAt(kCardW, kCardH, density);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.drawPixmap(0, 0, face);
    QPainterPath edge;
    edge.addRoundedRect(QRectF(1.5, 1.5, kCardW - 3, kCardH - 3), 5, 5);
    p.setCompositionMode(QPainter::CompositionMode_SourceAtop);
    p.fillPath(edge, QColor(255, 214, 90, 48));
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setPen(QPen(QColor(0xf2, 0xb8, 0x1c), 3));
    p.setBrush(Qt::NoBrush);
    p.drawPath(edge);
    return picture;
}

} // namespace

HandRow::HandRow(TableModel& model, QWidget* board)
    : QObject(board), m_model(model), m_board(board), m_scale(*TableScale::of(board)) {
    m_buttonOk = new ImageLabel(board);
    m_buttonOk->setObjectName(QStringLiteral("button_ok"));
    m_buttonOk->setAccessibleName(QStringLiteral("OK"));
    m_scale.setPicture(m_buttonOk, boardstyle::listed(pictures::Picture::OkButton));
    m_scale.move(m_buttonOk, QPoint(368, 392));
    m_buttonOk->setCursor(Qt::PointingHandCursor);
    connect(m_buttonOk, &ImageLabel::pressed, this, [this](Qt::MouseButton b) {
        if (b == Qt::LeftButton) emit okPressed();
    });
    m_buttonOk->hide();

    m_markFrame = new QFrame(board);
    m_markFrame->setObjectName(QStringLiteral("handmark"));
    // Only a mark: the mouse reaches the cards under it as if it were not there.
    m_markFrame->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_scale.setStyle(m_markFrame,
                     QStringLiteral("QFrame#handmark { border: 2px dashed #8fe8ff;"
                                    " border-radius: 5px; background: transparent; }"));
    m_scale.place(m_markFrame, QRect(kRowX, kRestY, 0, 0));
    m_markFrame->hide();
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
        const QVariant shownRaised = image->property("raisedShown");
        if (!shownRaised.isValid() || shownRaised.toBool() != card.raised) {
            image->setProperty("raisedShown", card.raised);
            m_scale.setPicture(image, [code = card.code, raised = card.raised](double density) {
                return handCard(code, raised, density);
            });
            image->setAccessibleName(cardName(card.code) +
                                     (card.raised ? tr(", raised") : QString()));
        }
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
    showMark();
}

int HandRow::markedPosition() const {
    const std::vector<int> row = m_model.rowPositions();
    return m_mark >= 0 && m_mark < int(row.size()) ? row[std::size_t(m_mark)] : 0;
}

bool HandRow::moveMark(int step) {
    const int count = int(m_model.rowPositions().size());
    const int next = m_mark + step;
    if (count == 0 || next < 0 || next >= count) return false;
    m_mark = next;
    showMark();
    return true;
}

void HandRow::setMarkIndex(int index) {
    m_mark = std::max(0, index);
    showMark();
}

void HandRow::setMarkShown(bool shown) {
    m_markShown = shown;
    showMark();
}

// Around the part of the marked card that shows: its strip, or the whole of the front card.
void HandRow::showMark() {
    const std::vector<int> row = m_model.rowPositions();
    if (!row.empty()) m_mark = std::clamp(m_mark, 0, int(row.size()) - 1);
    const int pos = markedPosition();
    ImageLabel* card = pos ? m_cards[std::size_t(pos)] : nullptr;
    if (!m_markShown || !card) {
        m_markFrame->hide();
        return;
    }
    const bool front = m_mark == int(row.size()) - 1;
    const int slot = m_model.slotOf(pos);
    const TableModel::HandCard& c = m_model.card(pos);
    const int x = kRowX + kRowStep * slot - (c.nudged ? 2 : 0);
    const int y = c.raised ? kRaisedY : kRestY;
    m_scale.place(m_markFrame, QRect(x - 2, y - 2, (front ? kCardW : kRowStep) + 4, kCardH + 4));
    m_markFrame->show();
    m_markFrame->raise();
}
