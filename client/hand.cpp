// The local player's hand: the clicks on the row, the crib choice, the play of a card, the
// sort, and the server's answers to both decisions.
#include "client/tchat.h"

#include "rules/cards.h"

void Tchat::mycards(std::string_view args) {
    const auto m = net::toClient::readMycards(args);
    if (!m || m->seat != m_model.localSeat()) return;
    // A position the row already holds is left as it is.
    for (const auto& [pos, code] : m->cards) m_model.addCard(pos, code);
}

void Tchat::sortHand() {
    m_model.sortHand();
}

void Tchat::cardimagesMouseDown(int pos, Qt::MouseButton button) {
    if (button == Qt::RightButton) {
        sortHand();
        return;
    }
    if (button != Qt::LeftButton) return;
    if (m_model.clickCard(pos) != TableModel::ClickResult::Play) return;
    setStatus(QString());
    sendRaw(net::toServer::playcard(m_model.localSeat(), pos));
    // No second card until the server has answered.
    m_model.giveUpTurn();
}

void Tchat::button_okClick() {
    const int local = m_model.localSeat();
    if (m_model.turnSeat() != local) return;
    m_model.giveUpTurn();
    if (m_model.mayAct() < 1 || !m_model.connected()) return;
    m_model.setOkOffered(false);
    m_model.setTurn(0, m_model.turnMark(), 0);
    sendRaw(net::toServer::sendcard(local, m_model.crib1(), m_model.crib2()));
    setStatus(QStringLiteral("Waiting on other players.."));
    if (m_model.turnMark() == local) m_model.hideTurnMark();
}

void Tchat::gavecards(std::string_view args) {
    const auto m = net::toClient::readGavecards(args);
    if (!m || m->seat != m_model.localSeat()) return;
    m_model.movecards(m->first);
    if (m->second != 0) m_model.movecards(m->second);
    playsounds(QStringLiteral("cribcard"));
}

void Tchat::setcrib(std::string_view args) {
    if (const auto seat = net::toClient::readSetcrib(args)) m_model.setHandCount(*seat, 4);
}

void Tchat::needtwo(std::string_view args) {
    const auto seat = net::toClient::readNeedtwo(args);
    if (!seat || *seat != m_model.localSeat()) return;
    setStatus(QStringLiteral("You need to choose two cards."));
    m_model.setTurn(*seat, *seat, m_model.phase() == rules::GiveTwo ? 2 : 1);
}

void Tchat::toomuch(std::string_view args) {
    const auto seat = net::toClient::readToomuch(args);
    if (!seat || *seat != m_model.localSeat()) return;
    // The card the server refused is the one still raised; say why, when the count shows it.
    QString why;
    for (const int pos : m_model.rowPositions()) {
        const TableModel::HandCard& card = m_model.card(pos);
        if (!card.raised) continue;
        if (m_model.runningTotal() + rules::countValue(card.code) > 31)
            why = QStringLiteral(" It would pass 31.");
        break;
    }
    setStatus(QStringLiteral("Invalid Card.") + why);
    playsounds(QStringLiteral("wrong"));
    m_model.setTurn(*seat, *seat, m_model.mayAct());
}

void Tchat::playcard(std::string_view args) {
    const auto m = net::toClient::readPlaycard(args);
    if (!m) return;
    m_model.giveUpTurn();
    playsounds(QStringLiteral("placecard"));
    m_model.cardPlayed(m->seat, m->position, m->cardsInCount, m->card, m->count);
}

void Tchat::turnover(std::string_view args) {
    const auto m = net::toClient::readTurnover(args);
    if (!m) return;
    m_model.setStarter(m->starter);
    if (m->heels <= 0) return;
    const int local = m_model.localSeat();
    addScoreLine(m->dealer == local ? QStringLiteral("You peg 2 for the knob.")
                                    : seatName(m->dealer) + " pegs 2 for the knob.");
    m_model.peg(m->dealer, m->dealerScore);
    if (m->dealer == local) playsounds(QStringLiteral("points"));
    if (m_model.gameType() == rules::Partners) {
        postscore(m->partner, m->partnerScore);
        if (m->partner == local) playsounds(QStringLiteral("points"));
    }
}
