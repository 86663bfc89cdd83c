// The summary of the show after each deal, the Done button, and the winner of the game.
#include "client/imagelabel.h"
#include "client/tchat.h"
#include "resources/pictures.h"
#include "rules/cards.h"

#include <QListWidget>
#include <QPainter>

namespace {

constexpr int kFinalCardsY[5] = {0, 19, 135, 251, 366};

} // namespace

void Tchat::placeFinalScore(int seat) {
    QLabel* name = m_finalName[seat];
    name->adjustSize();
    const int right = name->text().isEmpty() ? name->x() : name->geometry().right() + 1;
    m_finalScore[seat]->move(right + 3, name->y());
    m_finalScore[seat]->adjustSize();
}

void Tchat::final(std::string_view args) {
    net::FieldReader f(args);
    const auto seat = f.takeInt();
    if (!seat) return;
    m_buttonDone->show();
    m_doneTag = (*seat == m_state.localSeat) ? 1 : 0;
    for (int box = 1; box <= 5; ++box) {
        m_finalImage[box]->clear();
        m_finalList[box]->clear();
    }
    if (m_state.gameType >= 2 && m_state.gameType <= 4) {
        for (int s = 1; s <= table::playersOf(m_state.gameType); ++s)
            m_finalList[s]->addItems(
                {QStringLiteral("Game Over"), QStringLiteral("Score Not Tallied")});
    }
    for (int s = 1; s <= table::kSeats; ++s) {
        m_finalName[s]->clear();
        m_finalScore[s]->clear();
        placeFinalScore(s);
    }
    setStatus(QStringLiteral("Posting Scores, Please Wait..."));
    m_final->show();
    m_final->raise();
}

void Tchat::reportHand(int seat, int score) {
    m_finalName[seat]->setText(seatName(seat));
    postscore(seat, score);
    placeFinalScore(seat);
    m_finalScore[seat]->setText("Score: " + QString::number(score));
    m_finalScore[seat]->adjustSize();
    m_state.showScore[seat] = score;
}

void Tchat::endscore(std::string_view args) {
    net::FieldReader f(args);
    int v[16];
    for (int& value : v) {
        const auto n = f.takeInt();
        if (!n) return;
        value = *n;
    }
    const int dealer = v[0], hand = v[1], score = v[2], partner = v[3], partnerScore = v[4];
    const int total = v[5];
    const int categories[5] = {v[6], v[7], v[8], v[9], v[10]};
    const int* cards = &v[11];
    if (hand < 1 || hand > 5) return;

    if (hand <= table::kSeats) {
        reportHand(hand, score);
        if (m_state.gameType == 4 && table::isPlayingSeat(partner))
            reportHand(partner, partnerScore);
    } else if (table::isPlayingSeat(dealer)) {
        const int y = dealer == 4 ? 336 : kFinalCardsY[dealer];
        m_finalImage[5]->move(m_finalImage[5]->x(), y);
        m_finalList[5]->move(m_finalList[5]->x(), y);
        m_cribLabel->move(m_cribLabel->x(), y - 17);
    }

    QListWidget* list = m_finalList[hand];
    list->clear();
    static const char* const kSuffix[5] = {" for Fifteens", " for Pairs", " for Runs",
                                           " for a Flush", " for a Knob"};
    bool any = false;
    for (int c = 0; c < 5; ++c) {
        if (categories[c] == 0) continue;
        any = true;
        list->addItem(QString::number(categories[c]) + QString::fromLatin1(kSuffix[c]));
    }
    if (!any) list->addItem(QStringLiteral("No Points Scored"));
    list->addItem(QStringLiteral("--------------"));
    list->addItem(QString::number(total) +
                  (hand == 5 ? QStringLiteral(" - Crib Total") : QStringLiteral(" - Hand Total")));

    const int width = hand == 5 ? 82 : 84;
    QPixmap picture(width, 96);
    picture.fill(Qt::transparent);
    {
        QPainter painter(&picture);
        if (rules::isCard(cards[4])) painter.drawPixmap(0, 0, pictures::bigCard(cards[4]));
        const int offsets[4] = {25, 40, 55, 70};
        for (int k = 0; k < 4; ++k)
            if (rules::isCard(cards[k]))
                painter.drawPixmap(offsets[k], 0, pictures::bigCard(cards[k]));
    }
    m_finalImage[hand]->setPixmap(picture);
    playsounds(QStringLiteral("roundover"));
}

void Tchat::button_doneClick() {
    m_buttonDone->hide();
    m_final->hide();
    if (m_doneTag == 1 && m_state.connected) sendRaw(net::toServer::clickdone(m_state.localSeat));
}

void Tchat::winner(std::string_view args) {
    net::FieldReader f(args);
    const auto seat = f.takeInt();
    const auto partner = f.takeInt();
    if (!seat || !partner || !table::isPlayingSeat(*seat)) return;
    playsounds(QStringLiteral("winner"));
    destroyAllCards();
    for (int s = 1; s <= table::kSeats; ++s) {
        items(s).cards->clear();
        m_state.handCount[s] = 0;
    }
    const int local = m_state.localSeat;
    const bool team = *partner != 0 && table::isPlayingSeat(*partner);
    QString status;
    if (team) {
        status = (local == *seat || local == *partner)
                     ? QStringLiteral("Your team has Won the Game!")
                     : seatName(*seat) + " and " + seatName(*partner) + " have won the Game!";
        for (int s : {*seat, *partner}) {
            items(s).winner->show();
            items(s).winner->raise();
            m_finalWinner[s]->show();
            m_finalWinner[s]->raise();
        }
    } else {
        status = local == *seat ? QStringLiteral("You have Won the Game!")
                                : seatName(*seat) + " has Won the Game!";
        items(*seat).winner->show();
        items(*seat).winner->raise();
        m_finalWinner[*seat]->show();
        m_finalWinner[*seat]->raise();
    }
    setStatus(status);
    addSystemLine(status);
    addScoreLine(status);
    m_state.turnSeat = 0;
    m_state.mayAct = 0;
    m_buttonOk->hide();
    hideAll(&SeatItems::turn);
    if (m_state.host) {
        m_buttonStart->show();
        m_buttonStart->raise();
    }
    if (!table::isPlayingSeat(local)) return;
    const bool ours = local == *seat || (team && local == *partner);
    const QString winnerText = ours ? QStringLiteral("addtomine") : seatName(*seat);
    const QString partnerName = (!ours && team) ? seatName(*partner) : QString();
    if (onAddGame) onAddGame(winnerText, partnerName);
}
