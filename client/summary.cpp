// The summary of the show after each deal, the Done button, and the winner of the game.
#include "client/tchat.h"

void Tchat::final(std::string_view args) {
    const auto seat = net::toClient::readFinal(args);
    if (!seat) return;
    m_model.openSummary(*seat == m_model.localSeat());
    setStatus(QStringLiteral("Posting Scores, Please Wait..."));
}

void Tchat::endscore(std::string_view args) {
    const auto m = net::toClient::readEndscore(args);
    if (!m) return;
    table::ShowRecord record;
    record.box = m->seat;
    record.score = m->score;
    record.total = m->total;
    record.points = {m->fifteens, m->pairs, m->runs, m->flush, m->nob};
    for (std::size_t k = 0; k < 4; ++k) record.cards[k] = m->cards[k];
    record.starter = m->cards[4];
    m_model.reportShow(m->dealer, record, m->partner, m->partnerScore);
    // The summary closes at Done; the score log keeps what each hand and the crib made.
    const int local = m_model.localSeat();
    const int owner = m->seat == table::kCribBox ? m->dealer : m->seat;
    const bool crib = m->seat == table::kCribBox;
    if (table::isPlayingSeat(owner)) {
        const QString points = QString::number(m->total);
        addScoreLine(
            owner == local
                ? QStringLiteral("You score ") + points +
                      (crib ? QStringLiteral(" for your crib.") : QStringLiteral(" for your hand."))
                : seatName(owner) + QStringLiteral(" scores ") + points +
                      (crib ? QStringLiteral(" for the crib.") : QStringLiteral(" for the hand.")));
    }
    playsounds(QStringLiteral("roundover"));
}

void Tchat::button_doneClick() {
    m_model.closeSummary();
    if (m_model.doneAwaited() && m_model.connected())
        sendRaw(net::toServer::clickdone(m_model.localSeat()));
}

void Tchat::winner(std::string_view args) {
    const auto m = net::toClient::readWinner(args);
    if (!m) return;
    playsounds(QStringLiteral("winner"));
    const int local = m_model.localSeat();
    const int seat = m->seat;
    const int partner = m->partner;
    QString status;
    if (partner != 0) {
        status = (local == seat || local == partner)
                     ? QStringLiteral("Your team has Won the Game!")
                     : seatName(seat) + " and " + seatName(partner) + " have won the Game!";
    } else {
        status = local == seat ? QStringLiteral("You have Won the Game!")
                               : seatName(seat) + " has Won the Game!";
    }
    m_model.setWinner(seat, partner);
    setStatus(status);
    addSystemLine(status);
    addScoreLine(status);
    // Spectators hand the tally nothing.
    if (!table::isPlayingSeat(local)) return;
    const bool ours = local == seat || (partner != 0 && local == partner);
    const QString winnerText = ours ? QStringLiteral("addtomine") : seatName(seat);
    const QString partnerName = (!ours && partner != 0) ? seatName(partner) : QString();
    emit gameRecorded(winnerText, partnerName);
}
