// The board panel: built once in its stacking order, then redrawn from the model's signals.
#include "client/boardview.h"

#include "client/boardstyle.h"
#include "client/cardname.h"
#include "client/imagelabel.h"
#include "client/tablemodel.h"
#include "resources/pictures.h"
#include "rules/cards.h"

#include <QEvent>
#include <QMainWindow>
#include <QPainter>
#include <QPlainTextEdit>
#include <algorithm>
#include <cmath>

using boardstyle::listed;
using boardstyle::placeCentred;

BoardView::BoardView(TableModel& model, QMainWindow* window) : QObject(window), m_model(model) {
    using boardstyle::textLabel;
    auto* central = new QWidget(window);
    central->setObjectName(QStringLiteral("client"));
    // The client area never shrinks below the board and a small margin.
    central->setMinimumSize(757 + 15, 481 + 12);
    central->setStyleSheet(QStringLiteral("QWidget#client { background: #20361f; }"));
    window->setCentralWidget(central);
    m_central = central;
    central->installEventFilter(this);

    m_board = new QWidget(central);
    m_board->setObjectName(QStringLiteral("panel_board"));
    m_board->setGeometry(4, 4, 757, 481);
    m_scale = new TableScale(m_board);
    TableScale& scale = *m_scale;

    auto* felt = new ImageLabel(m_board);
    felt->setObjectName(QStringLiteral("image_board"));
    scale.setPicture(felt, listed(pictures::Picture::BoardBackground));
    scale.move(felt, QPoint(0, 0));

    m_turnover = new ImageLabel(m_board);
    m_turnover->setObjectName(QStringLiteral("image_turnover"));
    scale.place(m_turnover, QRect(137, 24, 71, 96));

    auto* playedFrame = new ImageLabel(m_board);
    playedFrame->setObjectName(QStringLiteral("image_playedframe"));
    scale.setPicture(playedFrame, listed(pictures::Picture::PlayedFrame));
    scale.move(playedFrame, QPoint(213, 191));

    // Clear of the top seat's cards, beside the starter's lower edge.
    m_starterLabel = textLabel(scale, m_board, QStringLiteral("label_starter"), 212, 104, 64, 15,
                               boardstyle::kName);
    m_starterLabel->setText(tr("Starter"));
    m_starterLabel->hide();

    m_played = new ImageLabel(m_board);
    m_played->setObjectName(QStringLiteral("image_played"));
    scale.place(m_played, QRect(213, 191, 0, 96));

    m_running = textLabel(scale, m_board, QStringLiteral("label_running"), 212, 291, 120, 16,
                          boardstyle::kScore);
    m_status = textLabel(scale, m_board, QStringLiteral("label_status"), 105, 6, 384, 18,
                         QStringLiteral("color: #ffffff; font: bold 13px 'DejaVu Sans';"
                                        "background: transparent;"));
    m_status->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    m_gameType = textLabel(scale, m_board, QStringLiteral("label_gametype"), 350, 447, 150, 15,
                           boardstyle::kName);
    m_gameType->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_playToScore = textLabel(scale, m_board, QStringLiteral("label_playtoscore"), 350, 463, 150,
                              15, boardstyle::kName);
    m_playToScore->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    connect(&m_model, &TableModel::starterChanged, this, &BoardView::showStarter);
    connect(&m_model, &TableModel::pileChanged, this, &BoardView::drawPile);
    connect(&m_model, &TableModel::countChanged, this, &BoardView::showCount);
    connect(&m_model, &TableModel::statusChanged, this, &BoardView::showStatus);
    connect(&m_model, &TableModel::gameChanged, this, &BoardView::showGame);
}

void BoardView::buildSide() {
    TableScale& scale = *m_scale;
    m_buttonStart = new ImageLabel(m_board);
    m_buttonStart->setObjectName(QStringLiteral("button_start"));
    m_buttonStart->setAccessibleName(QStringLiteral("Start Game"));
    // Clear of the pile, which stays on the table after a win.
    scale.setPicture(m_buttonStart, listed(pictures::Picture::StartButton));
    m_buttonStart->setCursor(Qt::PointingHandCursor);
    connect(m_buttonStart, &ImageLabel::pressed, this, [this](Qt::MouseButton b) {
        if (b == Qt::LeftButton) emit startPressed();
    });
    m_buttonStart->hide();

    auto* logo = new ImageLabel(m_board);
    logo->setObjectName(QStringLiteral("Image2"));
    // The top right corner of the play area is the one place no seat ever uses.
    // Shown 118 units wide: at 100% as it always was, elsewhere painted for its place.
    scale.setPicture(logo, [](double density) {
        const QPixmap& picture = pictures::logo();
        if (density == 1.0)
            return picture.width() > 118 ? picture.scaledToWidth(118, Qt::SmoothTransformation)
                                         : picture;
        const double shrink = picture.width() > 118 ? 118.0 / picture.width() : 1.0;
        QPixmap fine = pictures::at(pictures::Picture::Logo, 0, density * shrink);
        fine.setDevicePixelRatio(density);
        return fine;
    });
    scale.move(logo, QPoint(380, 30));
    logo->setCursor(Qt::PointingHandCursor);
    connect(logo, &ImageLabel::pressed, this, &BoardView::logoPressed);

    m_scores = new QPlainTextEdit(m_board);
    m_scores->setObjectName(QStringLiteral("memo_scores"));
    scale.place(m_scores, QRect(505, 4, 250, 133));
    m_scores->setReadOnly(true);
    scale.setStyle(
        m_scores,
        QStringLiteral(
            "QPlainTextEdit { background: #fbf7ea; color: #1d2a1d; font: 11px 'DejaVu Sans';"
            " border: 1px solid #6b4a2b; }"));

    m_chatArea = new QWidget(m_board);
    m_chatArea->setObjectName(QStringLiteral("chatarea"));
    scale.place(m_chatArea, QRect(505, 141, 250, 337));

    connect(&m_model, &TableModel::startOfferedChanged, this, &BoardView::showStartOffered);
    showStartOffered();
    connect(&m_model, &TableModel::scoreLogged, m_scores, &QPlainTextEdit::appendPlainText);
    connect(&m_model, &TableModel::scoreLogCleared, m_scores, &QPlainTextEdit::clear);
}

void BoardView::showStarter() {
    const int code = m_model.starter();
    if (rules::isCard(code)) {
        m_scale->setPicture(m_turnover, listed(pictures::Picture::BigCard, code));
        m_turnover->setAccessibleName(tr("Starter: ") + cardName(code));
        m_starterLabel->show();
    } else {
        m_turnover->clearPicture();
        m_turnover->setAccessibleName(QString());
        m_starterLabel->hide();
    }
}

void BoardView::showCount() {
    m_running->setText(QStringLiteral("TOTAL: ") + QString::number(m_model.runningTotal()));
}

void BoardView::showStatus() {
    m_status->setText(m_model.status());
}

void BoardView::showGame() {
    m_gameType->setText(table::gameTypeText(m_model.gameType()));
    const int target = m_model.target();
    m_playToScore->setText(target == 60  ? QStringLiteral("Play to Score: 61")
                           : target == 0 ? QString()
                                         : QStringLiteral("Play to Score: 121"));
}

void BoardView::showStartOffered() {
    // Clear of the pile, which stays on the table after a win; over an open summary, in its
    // corner under the crib box that never holds text.
    if (m_model.summaryOpen())
        placeCentred(*m_scale, m_buttonStart, pictures::Picture::StartButton, 104, 30, 375, 458);
    else
        placeCentred(*m_scale, m_buttonStart, pictures::Picture::StartButton, 104, 30, 420, 405);
    if (m_model.startOffered()) {
        m_buttonStart->show();
        m_buttonStart->raise();
    } else {
        m_buttonStart->hide();
    }
}

void BoardView::drawPile() {
    const int count = std::clamp(m_model.pileCount(), 0, 52);
    if (count == 0) {
        m_played->clearPicture();
        m_scale->resize(m_played, QSize(0, 96));
        return;
    }
    m_scale->setPicture(m_played, [pile = m_model.pile(), count](double density) {
        QPixmap picture = pictures::blankAt(56 + 15 * count, 96, density);
        // Entries past the picture's width are clipped; an entry that is no card still takes
        // its place.
        QPainter painter(&picture);
        int offset = 0;
        for (const int code : pile) {
            if (rules::isCard(code))
                painter.drawPixmap(offset, 0, pictures::bigCard(code, density));
            offset += 15;
        }
        return picture;
    });
    m_played->raise();
}

double BoardView::fittingFactor(const QSize& area, double wanted) {
    const double fit = std::min(area.width() / double(TableScale::kWidth),
                                area.height() / double(TableScale::kHeight));
    // A window sized for the wanted zoom may miss it by a menu bar's rounding.
    if (wanted > 0 && std::abs(fit - wanted) < 0.012) return wanted;
    // In steps of 2%: a window dragged larger repaints the table every few pixels, not at each.
    return std::max(1.0, std::floor(fit * 50 + 1e-9) / 50);
}

void BoardView::setZoom(double factor) {
    m_zoom = factor;
    m_scale->setFactor(factor);
    layoutBoard();
}

void BoardView::layoutBoard() {
    const QSize size(m_scale->length(757), m_scale->length(481));
    // The table stands in the middle of a window larger than it.
    const int x = std::max(m_scale->length(4), (m_central->width() - size.width()) / 2);
    const int y = std::max(m_scale->length(4), (m_central->height() - size.height()) / 2);
    m_board->setGeometry(x, y, size.width(), size.height());
}

bool BoardView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_central && event->type() == QEvent::Resize) {
        m_scale->setFactor(fittingFactor(m_central->size(), m_zoom));
        layoutBoard();
    }
    return QObject::eventFilter(watched, event);
}
