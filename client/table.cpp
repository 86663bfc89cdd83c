// The table's game messages: a new game, a joined game in progress, the deal, the count, the
// turn and the crib prompt.
#include "client/tchat.h"

#include "chat/chatpanel.h"
#include "rules/cards.h"
#include "rules/random.h"

namespace {

QString fromWire(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

void Tchat::playTurnSound() {
    playsounds(m_chatPanel->turnSoundName());
}

void Tchat::clearall() {
    m_model.clearall();
}

void Tchat::postscore(int seat, int score) {
    m_model.postscore(seat, score);
}

void Tchat::startthegame(std::string_view args) {
    // The host's name may hold "+": the shared reader takes the choices from the end. A
    // message it does not read leaves the table as it is.
    const auto start = net::toClient::readStartgame(args);
    if (!start) return;
    const int type = start->gameType;
    m_model.startGame(type, start->target());
    addSystemLine(fromWire(start->name) + " has started a " + table::gameTypeText(type) + ".");
}

void Tchat::loadstats(std::string_view args) {
    const auto m = net::toClient::readLoadstats(args);
    if (!m || m->seat != m_model.localSeat()) return;
    std::array<int, table::kSeats + 1> scores{};
    for (std::size_t s = 1; s <= table::kSeats; ++s) scores[s] = m->scores[s - 1];
    m_model.restoreGame(m->gameType, m->target, m->dealer, m->current, scores);
}

void Tchat::theircards(std::string_view args) {
    const auto m = net::toClient::readTheircards(args);
    if (m) m_model.setHandCount(m->seat, m->cards);
}

void Tchat::middlecards(std::string_view args) {
    const auto m = net::toClient::readMiddlecards(args);
    if (!m) return;
    m_model.setStarter(m->starter);
    // The values are rank keys; drawn as card codes they show the club of each rank.
    m_model.restorePile(m->count, int(m->rankKeys.size()), m->rankKeys);
}

void Tchat::startround() {
    m_model.startDeal();
    const QString line = m_model.leaderLine(&rules::Random);
    if (!line.isEmpty()) addScoreLine(line);
}

void Tchat::startagain() {
    m_model.clearPile();
    m_model.clearGo();
}

void Tchat::getnextplayer(std::string_view args) {
    const auto m = net::toClient::readNextplayer(args);
    if (!m) return;
    const int seat = m->seat;
    m_model.setPhase(m->phase);
    m_model.setTurn(seat, seat, 0);
    m_model.setOkOffered(false);
    if (seat != m_model.localSeat()) {
        setStatus(seatName(seat) + "'s turn.");
        return;
    }
    setStatus(QStringLiteral("Your Turn."));
    playTurnSound();
    m_model.setTurn(seat, seat, m->phase == rules::GiveTwo ? 2 : 1);
}

void Tchat::playergive(std::string_view args) {
    const auto m = net::toClient::readPlayergive(args);
    if (!m) return;
    m_model.resetCribChoice();
    m_model.setStarter(0);
    const int seat = m->seat;
    m_model.setPhase(m->phase);
    m_model.setTurn(seat, seat, 0);
    m_model.setOkOffered(false);
    m_model.setDealer(m->dealer);

    if (seat != m_model.localSeat()) {
        if (table::isPlayingSeat(seat)) setStatus(seatName(seat) + "'s turn.");
    } else if (table::isPlayingSeat(seat)) {
        setStatus(m_model.gameType() == rules::TwoPlayers
                      ? QStringLiteral("Choose 2 cards to send to the crib.")
                      : QStringLiteral("Choose 1 card to send to the crib."));
        playTurnSound();
        m_model.setTurn(seat, seat, m->phase == rules::GiveTwo ? 2 : 1);
    }
    m_model.dealBacks();
}
