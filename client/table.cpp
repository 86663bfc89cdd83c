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
    net::FieldReader f(args);
    const auto seat = f.takeInt();
    if (!seat || *seat != m_model.localSeat()) return;
    const auto type = f.takeInt();
    const auto target = f.takeInt();
    const auto phase = f.takeInt();
    const auto dealer = f.takeInt();
    const auto current = f.takeInt();
    std::array<int, table::kSeats + 1> scores{};
    for (int s = 1; s <= table::kSeats; ++s) {
        const auto score = f.takeInt();
        if (!score) return;
        scores[std::size_t(s)] = *score;
    }
    if (!type || !target || !phase || !dealer || !current) return;
    m_model.restoreGame(*type, *target == 60 ? 60 : 120, *dealer, *current, scores);
}

void Tchat::theircards(std::string_view args) {
    net::FieldReader f(args);
    const auto seat = f.takeInt();
    const auto count = f.takeInt();
    if (!seat || !count || !table::isPlayingSeat(*seat)) return;
    m_model.setHandCount(*seat, *count);
}

void Tchat::middlecards(std::string_view args) {
    net::FieldReader f(args);
    const auto starter = f.takeInt();
    const auto total = f.takeInt();
    const auto count = f.takeInt();
    if (!starter || !total || !count) return;
    if (rules::isCard(*starter)) m_model.setStarter(*starter);
    // The values are rank keys; drawn as card codes they show the club of each rank.
    std::vector<int> entries;
    while (!f.atEnd()) entries.push_back(net::parseInt(f.takeText()).value_or(0));
    m_model.restorePile(*total, *count, entries);
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
    net::FieldReader f(args);
    const auto seat = f.takeInt();
    const auto phase = f.takeInt();
    if (!seat || !phase) return;
    m_model.setPhase(*phase);
    m_model.setTurn(*seat, *seat, 0);
    m_model.setOkOffered(false);
    if (*seat != m_model.localSeat()) {
        if (table::isPlayingSeat(*seat)) setStatus(seatName(*seat) + "'s turn.");
        return;
    }
    if (!table::isPlayingSeat(*seat)) return;
    setStatus(QStringLiteral("Your Turn."));
    playTurnSound();
    m_model.setTurn(*seat, *seat, *phase == 1 ? 2 : 1);
}

void Tchat::playergive(std::string_view args) {
    m_model.resetCribChoice();
    m_model.setStarter(0);
    net::FieldReader f(args);
    const auto seat = f.takeInt();
    const auto dealer = f.takeInt();
    const auto phase = f.takeInt();
    if (!seat || !dealer || !phase) return;
    m_model.setPhase(*phase);
    m_model.setTurn(*seat, *seat, 0);
    m_model.setOkOffered(false);
    if (table::isPlayingSeat(*dealer)) m_model.setDealer(*dealer);

    if (*seat != m_model.localSeat()) {
        if (table::isPlayingSeat(*seat)) setStatus(seatName(*seat) + "'s turn.");
    } else if (table::isPlayingSeat(*seat)) {
        setStatus(m_model.gameType() == 1 ? QStringLiteral("Choose 2 cards to send to the crib.")
                                          : QStringLiteral("Choose 1 card to send to the crib."));
        playTurnSound();
        m_model.setTurn(*seat, *seat, *phase == 1 ? 2 : 1);
    }
    m_model.dealBacks();
}
