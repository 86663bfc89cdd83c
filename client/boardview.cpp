// The board panel: built once in its stacking order, then redrawn from the model's signals.
#include "client/boardview.h"

#include "client/boardstyle.h"
#include "client/imagelabel.h"
#include "client/tablemodel.h"
#include "resources/pictures.h"
#include "rules/cards.h"

#include <QMainWindow>
#include <QPainter>
#include <QPlainTextEdit>
#include <algorithm>

namespace {

// Centres a picture on a point, sizing the label to it.
void placeCentred(ImageLabel* label, const QPixmap& pixmap, int cx, int cy) {
    label->setImage(pixmap);
    label->move(cx - pixmap.width() / 2, cy - pixmap.height() / 2);
}

} // namespace

BoardView::BoardView(TableModel& model, QMainWindow* window) : QObject(window), m_model(model) {
    using boardstyle::textLabel;
    auto* central = new QWidget(window);
    central->setObjectName(QStringLiteral("client"));
    // The client area never shrinks below the board and a small margin.
    central->setMinimumSize(757 + 15, 481 + 12);
    central->setStyleSheet(QStringLiteral("QWidget#client { background: #20361f; }"));
    window->setCentralWidget(central);

    m_board = new QWidget(central);
    m_board->setObjectName(QStringLiteral("panel_board"));
    m_board->setGeometry(4, 4, 757, 481);

    auto* felt = new ImageLabel(m_board);
    felt->setObjectName(QStringLiteral("image_board"));
    felt->setImage(pictures::boardBackground());
    felt->move(0, 0);

    m_turnover = new ImageLabel(m_board);
    m_turnover->setObjectName(QStringLiteral("image_turnover"));
    m_turnover->setGeometry(137, 24, 71, 96);

    auto* playedFrame = new ImageLabel(m_board);
    playedFrame->setObjectName(QStringLiteral("image_playedframe"));
    playedFrame->setImage(pictures::playedFrame());
    playedFrame->move(213, 191);

    m_played = new ImageLabel(m_board);
    m_played->setObjectName(QStringLiteral("image_played"));
    m_played->setGeometry(213, 191, 0, 96);

    m_running =
        textLabel(m_board, QStringLiteral("label_running"), 212, 291, 120, 16, boardstyle::kScore);
    m_status = textLabel(m_board, QStringLiteral("label_status"), 105, 6, 384, 18,
                         QStringLiteral("color: #ffffff; font: bold 13px 'DejaVu Sans';"
                                        "background: transparent;"));
    m_status->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    m_gameType =
        textLabel(m_board, QStringLiteral("label_gametype"), 350, 447, 150, 15, boardstyle::kName);
    m_gameType->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_playToScore = textLabel(m_board, QStringLiteral("label_playtoscore"), 350, 463, 150, 15,
                              boardstyle::kName);
    m_playToScore->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    connect(&m_model, &TableModel::starterChanged, this, &BoardView::showStarter);
    connect(&m_model, &TableModel::pileChanged, this, &BoardView::drawPile);
    connect(&m_model, &TableModel::countChanged, this, &BoardView::showCount);
    connect(&m_model, &TableModel::statusChanged, this, &BoardView::showStatus);
    connect(&m_model, &TableModel::gameChanged, this, &BoardView::showGame);
}

void BoardView::buildSide() {
    m_buttonStart = new ImageLabel(m_board);
    m_buttonStart->setObjectName(QStringLiteral("button_start"));
    // Clear of the pile, which stays on the table after a win.
    placeCentred(m_buttonStart, pictures::startButton(), 420, 405);
    m_buttonStart->setCursor(Qt::PointingHandCursor);
    connect(m_buttonStart, &ImageLabel::pressed, this, [this](Qt::MouseButton b) {
        if (b == Qt::LeftButton) emit startPressed();
    });
    m_buttonStart->hide();

    auto* logo = new ImageLabel(m_board);
    logo->setObjectName(QStringLiteral("Image2"));
    // The top right corner of the play area is the one place no seat ever uses.
    const QPixmap& picture = pictures::logo();
    logo->setImage(picture.width() > 118 ? picture.scaledToWidth(118, Qt::SmoothTransformation)
                                         : picture);
    logo->move(380, 30);
    logo->setCursor(Qt::PointingHandCursor);
    connect(logo, &ImageLabel::pressed, this, &BoardView::logoPressed);

    m_scores = new QPlainTextEdit(m_board);
    m_scores->setObjectName(QStringLiteral("memo_scores"));
    m_scores->setGeometry(505, 4, 250, 133);
    m_scores->setReadOnly(true);
    m_scores->setStyleSheet(QStringLiteral(
        "QPlainTextEdit { background: #fbf7ea; color: #1d2a1d; font: 11px 'DejaVu Sans';"
        " border: 1px solid #6b4a2b; }"));

    m_chatArea = new QWidget(m_board);
    m_chatArea->setObjectName(QStringLiteral("chatarea"));
    m_chatArea->setGeometry(505, 141, 250, 337);

    connect(&m_model, &TableModel::startOfferedChanged, this, &BoardView::showStartOffered);
    connect(&m_model, &TableModel::scoreLogged, m_scores, &QPlainTextEdit::appendPlainText);
    connect(&m_model, &TableModel::scoreLogCleared, m_scores, &QPlainTextEdit::clear);
}

void BoardView::showStarter() {
    const int code = m_model.starter();
    if (rules::isCard(code))
        m_turnover->setImage(pictures::bigCard(code));
    else
        m_turnover->clear();
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
        m_played->clear();
        m_played->resize(0, 96);
        return;
    }
    QPixmap picture(56 + 15 * count, 96);
    picture.fill(Qt::transparent);
    {
        // Entries past the picture's width are clipped; an entry that is no card still takes
        // its place.
        QPainter painter(&picture);
        int offset = 0;
        for (const int code : m_model.pile()) {
            if (rules::isCard(code)) painter.drawPixmap(offset, 0, pictures::bigCard(code));
            offset += 15;
        }
    }
    m_played->setImage(picture);
    m_played->raise();
}
