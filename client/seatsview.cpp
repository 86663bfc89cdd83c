// The seats around the play area, placed by the seat rotation and redrawn from the model.
#include "client/seatsview.h"

#include "client/boardstyle.h"
#include "client/imagelabel.h"
#include "client/tablemodel.h"
#include "client/tablescale.h"
#include "resources/pictures.h"
#include "rules/cards.h"

#include <QPainter>

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

} // namespace

using boardstyle::listed;
using boardstyle::placeCentred;
using pictures::Picture;

SeatsView::SeatsView(TableModel& model, QWidget* board)
    : QObject(board), m_model(model), m_scale(*TableScale::of(board)) {
    // Turn highlights lie under everything a seat shows.
    for (std::size_t p = 0; p < 4; ++p) {
        auto* turn = new ImageLabel(board);
        m_scale.setPicture(turn, listed(Picture::TurnHighlight));
        m_scale.move(turn, QPoint(kSpots[p].turnX, kSpots[p].turnY));
        turn->hide();
        m_positions[p].turn = turn;
    }
    for (int p = 0; p < 4; ++p) build(board, p);

    m_crib = new ImageLabel(board);
    m_crib->setObjectName(QStringLiteral("image_crib"));
    m_scale.setPicture(m_crib, [](double density) {
        // Four backs at 62%, each a little right of the one under it.
        constexpr double kSmall = 0.62;
        QPixmap picture = pictures::blankAt(58, 62, density);
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.scale(kSmall, kSmall);
        const QPixmap back = pictures::bigCard(0, density * kSmall);
        for (int k = 0; k < 4; ++k) painter.drawPixmap(QPointF(k * 6.0, k * 1.0), back);
        return picture;
    });
    m_crib->hide();
    m_cribName = boardstyle::textLabel(m_scale, board, QStringLiteral("label_crib"), 0, 0, 90, 14,
                                       boardstyle::kSmall);
    m_cribName->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    m_cribName->hide();
    nameItems();
    showAllSeats();

    connect(&m_model, &TableModel::rotationChanged, this, [this] {
        nameItems();
        showAllSeats();
        showTurn();
        showDealer();
        showGo(0);
    });
    connect(&m_model, &TableModel::connectionChanged, this, &SeatsView::showAllSeats);
    connect(&m_model, &TableModel::gameChanged, this, &SeatsView::showAllSeats);
    connect(&m_model, &TableModel::seatChanged, this, &SeatsView::showSeat);
    connect(&m_model, &TableModel::scoreChanged, this, &SeatsView::showScore);
    connect(&m_model, &TableModel::goChanged, this, &SeatsView::showGo);
    connect(&m_model, &TableModel::turnChanged, this, &SeatsView::showTurn);
    connect(&m_model, &TableModel::dealerChanged, this, &SeatsView::showDealer);
    connect(&m_model, &TableModel::winnerChanged, this, &SeatsView::showWinners);
    // After the views above, so a screen reader hears the table as it now shows.
    for (auto signal :
         {&TableModel::rotationChanged, &TableModel::connectionChanged, &TableModel::gameChanged,
          &TableModel::turnChanged, &TableModel::dealerChanged, &TableModel::winnerChanged})
        connect(&m_model, signal, this, &SeatsView::describeAll);
    for (auto signal :
         {&TableModel::seatChanged, &TableModel::scoreChanged, &TableModel::goChanged})
        connect(&m_model, signal, this, &SeatsView::describeAll);
    for (auto signal : {&TableModel::starterChanged, &TableModel::dealerChanged,
                        &TableModel::rotationChanged, &TableModel::winnerChanged})
        connect(&m_model, signal, this, &SeatsView::showCrib);
    connect(&m_model, &TableModel::seatChanged, this, &SeatsView::showCrib);
    describeAll();
}

// Beside each place, on the side no other item of the seat uses: left of the hand at the
// bottom, under the score on the left and right, right of the cards at the top.
void SeatsView::showCrib() {
    static constexpr QPoint kCribAt[4] = {{112, 352}, {130, 262}, {392, 72}, {425, 352}};
    const int dealer = m_model.dealer();
    const bool shown =
        table::isPlayingSeat(dealer) && rules::isCard(m_model.starter()) && m_model.winner() == 0;
    m_crib->setVisible(shown);
    m_cribName->setVisible(shown);
    if (!shown) return;
    const QPoint at = kCribAt[std::size_t(m_model.positionOf(dealer))];
    m_scale.move(m_crib, at);
    m_scale.place(m_cribName, QRect(at.x() - 16, at.y() + 64, 90, 14));
    const QString owner = dealer == m_model.localSeat()
                              ? tr("Your crib")
                              : m_model.seatName(dealer) + QStringLiteral("'s crib");
    m_cribName->setText(owner);
    m_crib->setAccessibleName(owner);
}

// "Rori, 57 points, dealer": what a screen reader says for a seat's name, and its cards.
QString SeatsView::description(int seat) const {
    const TableModel::Seat& s = m_model.seat(seat);
    QString text = s.name;
    if (s.name == table::kWaiting) return text;
    text += tr(", %1 points").arg(s.score);
    if (m_model.dealer() == seat) text += tr(", dealer");
    if (m_model.turnMark() == seat) text += tr(", to play");
    if (s.go) text += tr(", has said GO");
    if (s.watching) text += tr(", just watching");
    if (s.winner) text += tr(", winner");
    return text;
}

void SeatsView::describeAll() {
    for (int seat = 1; seat <= table::kSeats; ++seat) {
        Items& it = items(seat);
        it.name->setAccessibleName(description(seat));
        const TableModel::Seat& s = m_model.seat(seat);
        QString cards;
        if (s.cards == TableModel::SeatCards::NotPlaying)
            cards = s.name + QStringLiteral(": not playing");
        else if (s.cards == TableModel::SeatCards::Backs)
            cards = s.name + (s.handCount == 1 ? QStringLiteral(": 1 card")
                                               : QStringLiteral(": %1 cards").arg(s.handCount));
        it.cards->setAccessibleName(cards);
    }
}

SeatsView::Items& SeatsView::items(int seat) {
    return m_positions[std::size_t(m_model.positionOf(seat))];
}

void SeatsView::build(QWidget* board, int position) {
    using boardstyle::textLabel;
    TableScale& scale = m_scale;
    Items& it = m_positions[std::size_t(position)];
    const Spot& s = kSpots[position];
    it.cards = new ImageLabel(board);
    scale.place(it.cards, QRect(s.cardsX, s.cardsY, 71, 96));
    it.name = textLabel(scale, board, QString(), s.nameX, s.nameY, 88, 15, boardstyle::kName);
    it.name->setText(table::kWaiting);
    it.name->setContextMenuPolicy(Qt::CustomContextMenu);
    // The label moves with the rotation, so its seat is looked up when the menu opens.
    connect(it.name, &QWidget::customContextMenuRequested, this,
            [this, position, label = it.name](const QPoint& at) {
                emit nameMenuRequested(m_model.seatAt(position), label->mapToGlobal(at));
            });
    it.score = textLabel(scale, board, QString(), s.scoreX, s.scoreY, 26, 15, boardstyle::kScore);
    it.score->setText(QStringLiteral("0"));
    it.bonus = textLabel(scale, board, QStringLiteral("label_bonus%1").arg(position + 1),
                         s.scoreX + 27, s.scoreY + 1, 40, 14, boardstyle::kSmall);
    it.bonus->setText(QStringLiteral("Points"));

    it.color = new ImageLabel(board);
    scale.setPicture(it.color, listed(Picture::Ball, position + 1));
    scale.move(it.color, QPoint(s.nameX - 15, s.nameY + 2));

    it.dealer = new ImageLabel(board);
    scale.setPicture(it.dealer, listed(Picture::DealerMarker));
    scale.move(it.dealer, QPoint(s.turnX + 2, s.turnY + 3));
    it.dealer->setToolTip(tr("Dealer"));
    it.dealer->hide();

    it.eyes = new ImageLabel(board);
    scale.setPicture(it.eyes, listed(Picture::Eyes));
    // Left of the score, where no label of the seat lies.
    scale.move(it.eyes, QPoint(s.scoreX - 30, s.scoreY));
    it.eyes->setToolTip(tr("Just watching"));
    it.eyes->hide();

    it.go = new ImageLabel(board);
    placeCentred(scale, it.go, Picture::GoBadge, 36, 20, s.cardsX + 36, s.cardsY + 48);
    it.go->hide();

    it.winner = new ImageLabel(board);
    placeCentred(scale, it.winner, Picture::WinnerBadge, 100, 30, s.cardsX + 36, s.cardsY + 30);
    it.winner->hide();
}

// Gives every item the name of the seat now shown at its place.
void SeatsView::nameItems() {
    for (int p = 0; p < 4; ++p) {
        const int seat = m_model.seatAt(p);
        Items& it = m_positions[std::size_t(p)];
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
    }
}

void SeatsView::showAllSeats() {
    showColours();
    for (int seat = 1; seat <= table::kSeats; ++seat) {
        showSeat(seat);
        showScore(seat);
    }
}

void SeatsView::showColours() {
    const int type = m_model.gameType();
    for (int seat = 1; seat <= table::kSeats; ++seat)
        m_scale.setPicture(items(seat).color,
                           listed(Picture::Ball, type ? table::ballOf(type, seat) : seat));
}

void SeatsView::showSeat(int seat) {
    if (!table::isPlayingSeat(seat)) return;
    const TableModel::Seat& s = m_model.seat(seat);
    Items& it = items(seat);
    it.name->setText(s.name);
    it.eyes->setVisible(s.watching);
    showtheirs(seat);
    // The local hand is drawn card by card on the row instead.
    const int local = m_model.localSeat();
    const int type = m_model.gameType();
    it.cards->setVisible(!(seat == local && type != 0 && local <= table::playersOf(type)));
}

void SeatsView::showtheirs(int seat) {
    if (!table::isPlayingSeat(seat)) return;
    const TableModel::Seat& s = m_model.seat(seat);
    ImageLabel* cards = items(seat).cards;
    switch (s.cards) {
    case TableModel::SeatCards::Blank:
        cards->clearPicture();
        m_scale.resize(cards, QSize(71, 96));
        return;
    case TableModel::SeatCards::NotPlaying:
        m_scale.setPicture(cards, listed(Picture::BigCard, 53));
        return;
    case TableModel::SeatCards::Backs:
        break;
    }
    const int n = s.handCount;
    if (n == 0) {
        cards->clearPicture();
        m_scale.resize(cards, QSize(66, 96));
        return;
    }
    m_scale.setPicture(cards, [n](double density) {
        QPixmap picture = pictures::blankAt(66 + 5 * n, 96, density);
        QPainter painter(&picture);
        for (int k = 0; k < n; ++k) painter.drawPixmap(5 * k, 0, pictures::bigCard(0, density));
        return picture;
    });
}

void SeatsView::showScore(int seat) {
    if (table::isPlayingSeat(seat))
        items(seat).score->setText(QString::number(m_model.seat(seat).score));
}

void SeatsView::showGo(int seat) {
    if (!table::isPlayingSeat(seat)) {
        for (Items& it : m_positions) it.go->hide();
        return;
    }
    ImageLabel* go = items(seat).go;
    go->setVisible(m_model.seat(seat).go);
    if (m_model.seat(seat).go) go->raise();
}

void SeatsView::showTurn() {
    for (Items& it : m_positions) it.turn->hide();
    if (const int seat = m_model.turnMark()) items(seat).turn->show();
}

void SeatsView::showDealer() {
    for (Items& it : m_positions) it.dealer->hide();
    if (const int seat = m_model.dealer()) items(seat).dealer->show();
}

void SeatsView::showWinners() {
    for (int seat = 1; seat <= table::kSeats; ++seat) {
        ImageLabel* badge = items(seat).winner;
        const bool won = m_model.seat(seat).winner;
        badge->setVisible(won);
        if (won) badge->raise();
    }
}
