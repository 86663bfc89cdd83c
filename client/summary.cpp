// The summary of the show after each deal, the Done button, and the winner of the game.
#include "client/tchat.h"

void Tchat::final(std::string_view args) {
    net::FieldReader f(args);
    const auto seat = f.takeInt();
    if (!seat) return;
    m_model.openSummary(*seat == m_model.localSeat());
    setStatus(QStringLiteral("Posting Scores, Please Wait..."));
}

void Tchat::endscore(std::string_view args) {
    net::FieldReader f(args);
    int v[16];
    for (int& value : v) {
        const auto n = f.takeInt();
        if (!n) return;
        value = *n;
    }
    table::ShowRecord record;
    record.box = v[1];
    record.score = v[2];
    record.total = v[5];
    for (std::size_t c = 0; c < 5; ++c) record.points[c] = v[6 + c];
    for (std::size_t k = 0; k < 4; ++k) record.cards[k] = v[11 + k];
    record.starter = v[15];
    if (record.box < 1 || record.box > table::kCribBox) return;
    m_model.reportShow(v[0], record, v[3], v[4]);
    playsounds(QStringLiteral("roundover"));
}

void Tchat::button_doneClick() {
    m_model.closeSummary();
    if (m_model.doneAwaited() && m_model.connected())
        sendRaw(net::toServer::clickdone(m_model.localSeat()));
}

void Tchat::winner(std::string_view args) {
    net::FieldReader f(args);
    const auto seat = f.takeInt();
    const auto partner = f.takeInt();
    if (!seat || !partner || !table::isPlayingSeat(*seat)) return;
    playsounds(QStringLiteral("winner"));
    const int local = m_model.localSeat();
    const bool team = *partner != 0 && table::isPlayingSeat(*partner);
    QString status;
    if (team) {
        status = (local == *seat || local == *partner)
                     ? QStringLiteral("Your team has Won the Game!")
                     : seatName(*seat) + " and " + seatName(*partner) + " have won the Game!";
    } else {
        status = local == *seat ? QStringLiteral("You have Won the Game!")
                                : seatName(*seat) + " has Won the Game!";
    }
    m_model.setWinner(*seat, team ? *partner : 0);
    setStatus(status);
    addSystemLine(status);
    addScoreLine(status);
    if (!table::isPlayingSeat(local)) return;
    const bool ours = local == *seat || (team && local == *partner);
    const QString winnerText = ours ? QStringLiteral("addtomine") : seatName(*seat);
    const QString partnerName = (!ours && team) ? seatName(*partner) : QString();
    emit gameRecorded(winnerText, partnerName);
}
