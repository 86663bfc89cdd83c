// The summary panel, redrawn from the model's records of the show.
#include "client/summaryview.h"

#include "client/boardstyle.h"
#include "client/imagelabel.h"
#include "client/tablemodel.h"
#include "client/tablescale.h"
#include "resources/pictures.h"
#include "rules/cards.h"

#include <QFrame>
#include <QListWidget>
#include <QPainter>

namespace {

constexpr int kRowY[5] = {0, 4, 120, 236, 351};
constexpr int kCardsY[5] = {0, 19, 135, 251, 366};
constexpr int kRibbonY[5] = {0, 93, 209, 325, 440};
constexpr int kCribY = 337;

// The starter lies under the hand with a 25-unit strip showing: a gold tag along the strip
// says which card it is.
void markStarter(QPainter& p) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QRectF tag(13, 34, 11, 58);
    p.setPen(QPen(QColor(0x8a, 0x5a, 0x0a), 1));
    p.setBrush(QColor(0xff, 0xd7, 0x5e));
    p.drawRoundedRect(tag, 3, 3);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(8);
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(0x3a, 0x24, 0x04));
    p.translate(tag.center());
    p.rotate(-90);
    p.drawText(QRectF(-tag.height() / 2, -tag.width() / 2, tag.height(), tag.width()),
               Qt::AlignCenter, QStringLiteral("STARTER"));
    p.restore();
}

} // namespace

SummaryView::SummaryView(TableModel& model, QWidget* board)
    : QObject(board), m_model(model), m_scale(*TableScale::of(board)) {
    TableScale& scale = m_scale;
    auto* panel = new QFrame(board);
    panel->setObjectName(QStringLiteral("panel_final"));
    scale.place(panel, QRect(102, 6, 400, 472));
    scale.setStyle(
        panel,
        QStringLiteral(
            "QFrame#panel_final { background: #f6efd9; border: 2px solid #6b4a2b;"
            " border-radius: 6px; }"
            "QLabel { color: #2b1d0e; font: bold 11px 'DejaVu Sans'; background: transparent; }"
            "QListWidget { background: #fffdf4; color: #1d2a1d; font: 11px 'DejaVu Sans';"
            " border: 1px solid #c9b68f; }"));
    m_panel = panel;

    for (std::size_t seat = 1; seat <= table::kSeats; ++seat) {
        m_name[seat] = new QLabel(panel);
        m_name[seat]->setObjectName(QStringLiteral("label_final%1").arg(seat));
        m_name[seat]->setTextFormat(Qt::PlainText);
        scale.move(m_name[seat], QPoint(5, kRowY[seat]));
        m_score[seat] = new QLabel(panel);
        m_score[seat]->setObjectName(QStringLiteral("label_finalscore%1").arg(seat));
        m_score[seat]->setTextFormat(Qt::PlainText);
        scale.move(m_score[seat], QPoint(8, kRowY[seat]));

        m_image[seat] = new ImageLabel(panel);
        m_image[seat]->setObjectName(QStringLiteral("image_final%1").arg(seat));
        scale.place(m_image[seat], QRect(5, kCardsY[seat], 84, 96));

        m_list[seat] = new QListWidget(panel);
        m_list[seat]->setObjectName(QStringLiteral("listbox_final%1").arg(seat));
        scale.place(m_list[seat], QRect(89, kCardsY[seat], 115, 96));
        m_list[seat]->setFocusPolicy(Qt::NoFocus);

        m_ribbon[seat] = new ImageLabel(panel);
        m_ribbon[seat]->setObjectName(QStringLiteral("image_finalwinner%1").arg(seat));
        scale.setPicture(m_ribbon[seat], boardstyle::listed(pictures::Picture::WinnerRibbon));
        scale.move(m_ribbon[seat], QPoint(4, kRibbonY[seat]));
        m_ribbon[seat]->hide();
    }
    const std::size_t crib = table::kCribBox;
    m_image[crib] = new ImageLabel(panel);
    m_image[crib]->setObjectName(QStringLiteral("image_final5"));
    scale.place(m_image[crib], QRect(204, kCribY, 82, 96));
    m_list[crib] = new QListWidget(panel);
    m_list[crib]->setObjectName(QStringLiteral("listbox_final5"));
    scale.place(m_list[crib], QRect(287, kCribY, 110, 96));
    m_list[crib]->setFocusPolicy(Qt::NoFocus);
    m_cribLabel = new QLabel(QStringLiteral("Crib Hand"), panel);
    m_cribLabel->setObjectName(QStringLiteral("label_final5"));
    scale.move(m_cribLabel, QPoint(203, kCribY - 17));
    m_cribLabel->adjustSize();

    m_buttonDone = new ImageLabel(panel);
    m_buttonDone->setObjectName(QStringLiteral("button_done"));
    m_buttonDone->setAccessibleName(QStringLiteral("Done"));
    scale.setPicture(m_buttonDone, boardstyle::listed(pictures::Picture::DoneButton));
    scale.move(m_buttonDone, QPoint(344, 440));
    m_buttonDone->setCursor(Qt::PointingHandCursor);
    connect(m_buttonDone, &ImageLabel::pressed, this, [this](Qt::MouseButton b) {
        if (b == Qt::LeftButton) emit donePressed();
    });
    panel->hide();

    connect(&m_model, &TableModel::summaryOpened, this, &SummaryView::open);
    connect(&m_model, &TableModel::summaryChanged, this, &SummaryView::showRows);
    connect(&m_model, &TableModel::winnerChanged, this, &SummaryView::showRibbons);
    // The score beside each name follows the name's width at the new size.
    connect(&m_scale, &TableScale::factorChanged, this, [this] {
        for (int seat = 1; seat <= table::kSeats; ++seat) placeFinalScore(seat);
        m_cribLabel->adjustSize();
    });
}

void SummaryView::open() {
    m_buttonDone->show();
    m_panel->show();
    m_panel->raise();
}

void SummaryView::placeFinalScore(int seat) {
    QLabel* name = m_name[std::size_t(seat)];
    name->adjustSize();
    const int right = name->text().isEmpty() ? name->x() : name->geometry().right() + 1;
    m_score[std::size_t(seat)]->move(right + m_scale.length(3), name->y());
    m_score[std::size_t(seat)]->adjustSize();
}

void SummaryView::showRows() {
    if (!m_model.summaryOpen()) m_panel->hide();
    for (int seat = 1; seat <= table::kSeats; ++seat) {
        const auto score = m_model.rowScore(seat);
        // A hand not counted because the game ended still says whose it was.
        QString name = m_model.rowName(seat);
        if (name.isEmpty() && !m_model.summaryLines(seat).isEmpty()) name = m_model.seatName(seat);
        m_name[std::size_t(seat)]->setText(name);
        placeFinalScore(seat);
        m_score[std::size_t(seat)]->setText(
            score ? QStringLiteral("Score: ") + QString::number(*score) : QString());
        m_score[std::size_t(seat)]->adjustSize();
    }
    // The crib box stays beside the row of the last crib's dealer.
    const int dealer = m_model.cribBoxDealer();
    const int y = dealer == 0 ? kCribY : dealer == 4 ? 336 : kCardsY[dealer];
    const std::size_t crib = table::kCribBox;
    m_scale.move(m_image[crib], QPoint(204, y));
    m_scale.move(m_list[crib], QPoint(287, y));
    m_scale.move(m_cribLabel, QPoint(203, y - 17));

    for (int box = 1; box <= table::kCribBox; ++box) {
        QListWidget* list = m_list[std::size_t(box)];
        const QStringList lines = m_model.summaryLines(box);
        QStringList current;
        for (int i = 0; i < list->count(); ++i) current << list->item(i)->text();
        if (current != lines) {
            list->clear();
            list->addItems(lines);
        }
        ImageLabel* image = m_image[std::size_t(box)];
        const auto& record = m_model.shown(box);
        if (!record) {
            image->clearPicture();
            continue;
        }
        const int width = box == table::kCribBox ? 82 : 84;
        m_scale.setPicture(
            image, [width, starter = record->starter, cards = record->cards](double density) {
                // The starter at the left, the four cards over it, each 15 pixels further right.
                QPixmap picture = pictures::blankAt(width, 96, density);
                QPainter painter(&picture);
                if (rules::isCard(starter)) {
                    painter.drawPixmap(0, 0, pictures::bigCard(starter, density));
                    markStarter(painter);
                }
                const int offsets[4] = {25, 40, 55, 70};
                for (std::size_t k = 0; k < 4; ++k)
                    if (rules::isCard(cards[k]))
                        painter.drawPixmap(offsets[k], 0, pictures::bigCard(cards[k], density));
                return picture;
            });
    }
}

void SummaryView::showRibbons() {
    for (int seat = 1; seat <= table::kSeats; ++seat) {
        ImageLabel* ribbon = m_ribbon[std::size_t(seat)];
        const bool won = m_model.seat(seat).winner;
        ribbon->setVisible(won);
        if (won) ribbon->raise();
    }
    // The table's winner badges never lie over the summary's text while it is open.
    if (!m_panel->isHidden()) m_panel->raise();
}
