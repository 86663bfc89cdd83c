// The local player's hand: the clicks on the row, the crib choice, the play of a card, the
// sort, and the server's answers to both decisions.
#include "client/tchat.h"

#include "rules/cards.h"

void Tchat::mycards(std::string_view args) {
    net::FieldReader f(args);
    const auto seat = f.takeInt();
    if (!seat || *seat != m_model.localSeat()) return;
    if (!f.takeInt()) return; // the count: the pairs that follow are what counts
    while (!f.atEnd()) {
        const auto pos = f.takeInt();
        const auto code = f.takeInt();
        if (!pos || !code) return;
        // Whatever does not fit the row (a position outside 1 to 6, a position already held,
        // no free slot, no card) is left out instead of being drawn off the row.
        m_model.addCard(*pos, *code);
    }
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
    net::FieldReader f(args);
    const auto seat = f.takeInt();
    const auto pos1 = f.takeInt();
    const auto pos2 = f.takeInt();
    if (!seat || !pos1 || !pos2 || *seat != m_model.localSeat()) return;
    m_model.movecards(*pos1);
    if (*pos2 != 0) m_model.movecards(*pos2);
    playsounds(QStringLiteral("cribcard"));
}

void Tchat::setcrib(std::string_view args) {
    net::FieldReader f(args);
    const auto seat = f.takeInt();
    if (!seat || !table::isPlayingSeat(*seat)) return;
    m_model.setHandCount(*seat, 4);
}

void Tchat::needtwo(std::string_view args) {
    net::FieldReader f(args);
    const auto seat = f.takeInt();
    if (!seat || *seat != m_model.localSeat()) return;
    setStatus(QStringLiteral("You need to choose two cards."));
    m_model.setTurn(*seat, *seat, m_model.phase() == 1 ? 2 : 1);
}

void Tchat::toomuch(std::string_view args) {
    net::FieldReader f(args);
    const auto seat = f.takeInt();
    if (!seat || *seat != m_model.localSeat()) return;
    setStatus(QStringLiteral("Invalid Card."));
    playsounds(QStringLiteral("wrong"));
    m_model.setTurn(*seat, *seat, m_model.mayAct());
}

void Tchat::playcard(std::string_view args) {
    net::FieldReader f(args);
    const auto seat = f.takeInt();
    const auto pos = f.takeInt();
    const auto count = f.takeInt();
    const auto card = f.takeInt();
    const auto total = f.takeInt();
    if (!seat || !pos || !count || !card || !total) return;
    m_model.giveUpTurn();
    playsounds(QStringLiteral("placecard"));
    m_model.cardPlayed(*seat, *pos, *count, *card, *total);
}

void Tchat::turnover(std::string_view args) {
    net::FieldReader f(args);
    const auto starter = f.takeInt();
    const auto heels = f.takeInt();
    const auto dealer = f.takeInt();
    const auto dealerScore = f.takeInt();
    const auto partner = f.takeInt();
    const auto partnerScore = f.takeInt();
    if (!starter || !heels || !dealer || !dealerScore || !partner || !partnerScore) return;
    if (rules::isCard(*starter)) m_model.setStarter(*starter);
    if (*heels <= 0) return;
    const int local = m_model.localSeat();
    addScoreLine(*dealer == local ? QStringLiteral("You peg 2 for the knob.")
                                  : seatName(*dealer) + " pegs 2 for the knob.");
    m_model.peg(*dealer, *dealerScore);
    if (*dealer == local) playsounds(QStringLiteral("points"));
    if (m_model.gameType() == 4) {
        postscore(*partner, *partnerScore);
        if (*partner == local) playsounds(QStringLiteral("points"));
    }
}
