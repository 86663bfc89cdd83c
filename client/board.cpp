// The board panel of Tchat: every item of the table at its place, the summary panel, and the
// seat rotation that puts the local player at the bottom.
#include "client/imagelabel.h"
#include "client/tchat.h"

#include "chat/chatpanel.h"
#include "resources/pictures.h"

#include <QFrame>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace {

struct Spot {
    int cardsX, cardsY, nameX, nameY, scoreX, scoreY, turnX, turnY;
};
// bottom, left, top, right
constexpr Spot kSpots[4] = {
    {201, 336, 200, 435, 215, 451, 181, 335},
    {122, 128, 121, 226, 136, 242, 102, 127},
    {278, 33, 277, 131, 292, 148, 258, 32},
    {410, 218, 411, 316, 425, 333, 390, 217},
};

constexpr int kFinalRowY[5] = {0, 4, 120, 236, 351};
constexpr int kFinalCardsY[5] = {0, 19, 135, 251, 366};
constexpr int kFinalRibbonY[5] = {0, 93, 209, 325, 440};

QLabel* textLabel(QWidget* parent, const char* name, int x, int y, int w, int h,
                  const QString& style) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(x, y, w, h);
    label->setStyleSheet(style);
    return label;
}

// Centres a picture on a point, sizing the label to it.
void placeCentred(ImageLabel* label, const QPixmap& pixmap, int cx, int cy) {
    label->setImage(pixmap);
    label->move(cx - pixmap.width() / 2, cy - pixmap.height() / 2);
}

const QString kNameStyle =
    QStringLiteral("color: #fdf6e3; font: bold 11px 'DejaVu Sans'; background: transparent;");
const QString kScoreStyle =
    QStringLiteral("color: #ffd75e; font: bold 12px 'DejaVu Sans'; background: transparent;");
const QString kSmallStyle =
    QStringLiteral("color: #d8e8d0; font: 10px 'DejaVu Sans'; background: transparent;");

} // namespace

void Tchat::buildBoard() {
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("client"));
    // The client area never shrinks below the board and a small margin.
    central->setMinimumSize(757 + 15, 481 + 12);
    central->setStyleSheet(QStringLiteral("QWidget#client { background: #20361f; }"));
    setCentralWidget(central);

    m_board = new QWidget(central);
    m_board->setObjectName(QStringLiteral("panel_board"));
    m_board->setGeometry(4, 4, 757, 481);

    auto* felt = new ImageLabel(m_board);
    felt->setObjectName(QStringLiteral("image_board"));
    felt->setImage(pictures::boardBackground());
    felt->move(0, 0);

    m_pegboard = new ImageLabel(m_board);
    m_pegboard->setObjectName(QStringLiteral("image_pegboard"));
    m_pegboard->setImage(pictures::pegboard());
    m_pegboard->setGeometry(3, 12, 98, 460);

    // Turn highlights lie under everything a seat shows.
    for (int p = 0; p < 4; ++p) {
        auto* turn = new ImageLabel(m_board);
        turn->setImage(pictures::turnHighlight());
        turn->setGeometry(kSpots[p].turnX, kSpots[p].turnY, 110, 136);
        turn->hide();
        m_positions[p].turn = turn;
    }

    m_turnover = new ImageLabel(m_board);
    m_turnover->setObjectName(QStringLiteral("image_turnover"));
    m_turnover->setGeometry(137, 24, 71, 96);

    m_playedFrame = new ImageLabel(m_board);
    m_playedFrame->setObjectName(QStringLiteral("image_playedframe"));
    m_playedFrame->setImage(pictures::playedFrame());
    m_playedFrame->move(213, 191);

    m_played = new ImageLabel(m_board);
    m_played->setObjectName(QStringLiteral("image_played"));
    m_played->setGeometry(213, 191, 0, 96);

    m_running = textLabel(m_board, "label_running", 212, 291, 120, 16, kScoreStyle);
    m_status = textLabel(m_board, "label_status", 105, 6, 384, 18,
                         QStringLiteral("color: #ffffff; font: bold 13px 'DejaVu Sans';"
                                        "background: transparent;"));
    m_status->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    m_gameType = textLabel(m_board, "label_gametype", 350, 447, 150, 15, kNameStyle);
    m_gameType->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_playToScore = textLabel(m_board, "label_playtoscore", 350, 463, 150, 15, kNameStyle);
    m_playToScore->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    for (int p = 0; p < 4; ++p) buildSeat(p);
    nameSeatItems();

    for (int seat = 1; seat <= table::kSeats; ++seat) {
        for (int peg = 1; peg <= 2; ++peg) {
            auto* label = new ImageLabel(m_board);
            label->setObjectName(QStringLiteral("image_peg%1%2").arg(seat).arg(peg));
            label->setImage(pictures::ball(seat));
            label->resize(12, 12);
            label->setProperty("tag", seat);
            label->setMouseTracking(true);
            label->onMouseMove = [this, seat, peg] { image_peg11MouseMove(seat, peg); };
            m_pegs[seat][peg] = label;
        }
    }

    m_buttonOk = new ImageLabel(m_board);
    m_buttonOk->setObjectName(QStringLiteral("button_ok"));
    m_buttonOk->setImage(pictures::okButton());
    m_buttonOk->move(368, 392);
    m_buttonOk->setCursor(Qt::PointingHandCursor);
    m_buttonOk->onMouseDown = [this](Qt::MouseButton b) {
        if (b == Qt::LeftButton) button_okClick();
    };
    m_buttonOk->hide();

    m_buttonStart = new ImageLabel(m_board);
    m_buttonStart->setObjectName(QStringLiteral("button_start"));
    // Clear of the pile, which stays on the table after a win.
    placeCentred(m_buttonStart, pictures::startButton(), 420, 405);
    m_buttonStart->setCursor(Qt::PointingHandCursor);
    m_buttonStart->onMouseDown = [this](Qt::MouseButton b) {
        if (b == Qt::LeftButton) button_startClick();
    };
    m_buttonStart->hide();

    m_logo = new ImageLabel(m_board);
    m_logo->setObjectName(QStringLiteral("Image2"));
    // The top right corner of the play area is the one place no seat ever uses.
    const QPixmap& logo = pictures::logo();
    m_logo->setImage(logo.width() > 118 ? logo.scaledToWidth(118, Qt::SmoothTransformation) : logo);
    m_logo->move(380, 30);
    m_logo->setCursor(Qt::PointingHandCursor);
    m_logo->onMouseDown = [this](Qt::MouseButton) {
        if (showSideWindow) showSideWindow(QStringLiteral("weblink"));
    };

    m_scores = new QPlainTextEdit(m_board);
    m_scores->setObjectName(QStringLiteral("memo_scores"));
    m_scores->setGeometry(505, 4, 250, 133);
    m_scores->setReadOnly(true);
    m_scores->setStyleSheet(QStringLiteral(
        "QPlainTextEdit { background: #fbf7ea; color: #1d2a1d; font: 11px 'DejaVu Sans';"
        " border: 1px solid #6b4a2b; }"));

    // The chat beside the table.
    m_chatArea = new QWidget(m_board);
    m_chatArea->setObjectName(QStringLiteral("chatarea"));
    m_chatArea->setGeometry(505, 141, 250, 337);
    auto* chatLayout = new QVBoxLayout(m_chatArea);
    chatLayout->setContentsMargins(0, 0, 0, 0);
    m_chatPanel->setParent(m_chatArea);
    chatLayout->addWidget(m_chatPanel);

    buildSummary();
}

void Tchat::buildSeat(int p) {
    SeatItems& it = m_positions[p];
    const Spot& s = kSpots[p];
    it.cards = new ImageLabel(m_board);
    it.cards->setGeometry(s.cardsX, s.cardsY, 71, 96);
    it.name = textLabel(m_board, "", s.nameX, s.nameY, 88, 15, kNameStyle);
    it.name->setText(QStringLiteral("<Waiting>"));
    it.score = textLabel(m_board, "", s.scoreX, s.scoreY, 26, 15, kScoreStyle);
    it.score->setText(QStringLiteral("0"));
    it.bonus = textLabel(m_board, "", s.scoreX + 27, s.scoreY + 1, 40, 14, kSmallStyle);
    it.bonus->setObjectName(QStringLiteral("label_bonus%1").arg(p + 1));
    it.bonus->setText(QStringLiteral("Points"));

    it.color = new ImageLabel(m_board);
    it.color->setImage(pictures::ball(p + 1));
    it.color->move(s.nameX - 15, s.nameY + 2);

    it.dealer = new ImageLabel(m_board);
    it.dealer->setImage(pictures::dealerMarker());
    it.dealer->move(s.turnX + 2, s.turnY + 3);
    it.dealer->setToolTip(QStringLiteral("Dealer"));
    it.dealer->hide();

    it.eyes = new ImageLabel(m_board);
    it.eyes->setImage(pictures::eyes());
    it.eyes->move(s.turnX + 108 - it.eyes->width(), s.turnY + 134 - it.eyes->height());
    it.eyes->setToolTip(QStringLiteral("Just watching"));
    it.eyes->hide();

    it.go = new ImageLabel(m_board);
    placeCentred(it.go, pictures::goBadge(), s.cardsX + 36, s.cardsY + 48);
    it.go->hide();

    it.winner = new ImageLabel(m_board);
    placeCentred(it.winner, pictures::winnerBadge(), s.cardsX + 36, s.cardsY + 30);
    it.winner->hide();
}

void Tchat::buildSummary() {
    auto* panel = new QFrame(m_board);
    panel->setObjectName(QStringLiteral("panel_final"));
    panel->setGeometry(102, 6, 400, 472);
    panel->setStyleSheet(QStringLiteral(
        "QFrame#panel_final { background: #f6efd9; border: 2px solid #6b4a2b;"
        " border-radius: 6px; }"
        "QLabel { color: #2b1d0e; font: bold 11px 'DejaVu Sans'; background: transparent; }"
        "QListWidget { background: #fffdf4; color: #1d2a1d; font: 11px 'DejaVu Sans';"
        " border: 1px solid #c9b68f; }"));
    m_final = panel;

    for (int seat = 1; seat <= table::kSeats; ++seat) {
        m_finalName[seat] = new QLabel(panel);
        m_finalName[seat]->setObjectName(QStringLiteral("label_final%1").arg(seat));
        m_finalName[seat]->move(5, kFinalRowY[seat]);
        m_finalScore[seat] = new QLabel(panel);
        m_finalScore[seat]->setObjectName(QStringLiteral("label_finalscore%1").arg(seat));
        m_finalScore[seat]->move(8, kFinalRowY[seat]);

        m_finalImage[seat] = new ImageLabel(panel);
        m_finalImage[seat]->setObjectName(QStringLiteral("image_final%1").arg(seat));
        m_finalImage[seat]->setGeometry(5, kFinalCardsY[seat], 84, 96);

        m_finalList[seat] = new QListWidget(panel);
        m_finalList[seat]->setObjectName(QStringLiteral("listbox_final%1").arg(seat));
        m_finalList[seat]->setGeometry(89, kFinalCardsY[seat], 115, 96);
        m_finalList[seat]->setFocusPolicy(Qt::NoFocus);

        m_finalWinner[seat] = new ImageLabel(panel);
        m_finalWinner[seat]->setObjectName(QStringLiteral("image_finalwinner%1").arg(seat));
        m_finalWinner[seat]->setImage(pictures::winnerRibbon());
        m_finalWinner[seat]->setGeometry(4, kFinalRibbonY[seat], 82, 22);
        m_finalWinner[seat]->hide();
    }
    m_finalImage[5] = new ImageLabel(panel);
    m_finalImage[5]->setObjectName(QStringLiteral("image_final5"));
    m_finalImage[5]->setGeometry(204, 337, 82, 96);
    m_finalList[5] = new QListWidget(panel);
    m_finalList[5]->setObjectName(QStringLiteral("listbox_final5"));
    m_finalList[5]->setGeometry(287, 337, 110, 96);
    m_finalList[5]->setFocusPolicy(Qt::NoFocus);
    m_cribLabel = new QLabel(QStringLiteral("Crib Hand"), panel);
    m_cribLabel->setObjectName(QStringLiteral("label_final5"));
    m_cribLabel->move(203, 320);

    m_buttonDone = new ImageLabel(panel);
    m_buttonDone->setObjectName(QStringLiteral("button_done"));
    m_buttonDone->setImage(pictures::doneButton());
    m_buttonDone->move(344, 440);
    m_buttonDone->setCursor(Qt::PointingHandCursor);
    m_buttonDone->onMouseDown = [this](Qt::MouseButton b) {
        if (b == Qt::LeftButton) button_doneClick();
    };
    panel->hide();
}

// Gives every per-seat item the name of the seat now shown at its position.
void Tchat::nameSeatItems() {
    for (int p = 0; p < 4; ++p) {
        const int seat = m_seatAt[p];
        SeatItems& it = m_positions[p];
        auto name = [seat](const char* prefix) {
            return QString::fromLatin1(prefix) + QString::number(seat);
        };
        it.cards->setObjectName(name("image_cards"));
        it.name->setObjectName(name("label_playername"));
        it.score->setObjectName(name("label_score"));
        it.eyes->setObjectName(name("image_eyes"));
        it.turn->setObjectName(name("image_turn"));
        it.winner->setObjectName(name("image_winner"));
        it.color->setObjectName(name("image_color"));
        it.dealer->setObjectName(name("image_dealer"));
        it.go->setObjectName(name("image_go"));
        it.name->setToolTip(table::defaultName(seat));
        m_posOfSeat[seat] = p;
    }
}

void Tchat::sortstuff(int seat) {
    if (seat < 2 || seat > 4) return;
    for (int p = 0; p < 4; ++p) m_seatAt[p] = table::seatAt(seat, p);
    nameSeatItems();
    for (int p = 0; p < 4; ++p) m_positions[p].color->setImage(pictures::ball(m_seatAt[p]));
}
