// The course of a game: the start, each deal, the giving, the starter, the play, the show, the
// confirmations and the action timer that spaces every automatic step.
#include "server/tserver.h"

#include "rules/cards.h"

#include <QTimer>

namespace {

bool validPosition(int pos) {
    return pos >= 1 && pos <= rules::kHandSize;
}

} // namespace

bool TServer::seatInPlay(int seat) const {
    return seat >= 1 && seat <= rules::seatsInPlay(m_game.gameType);
}

bool TServer::isComputerPlayed(int seat) const {
    return seatInPlay(seat) && (!m_players[seat].connected || m_players[seat].watching);
}

bool TServer::checkfornocards() const {
    const int seats = rules::seatsInPlay(m_game.gameType);
    for (int seat = 1; seat <= seats; ++seat)
        if (rules::holdsCards(m_game.deal.hands[seat])) return false;
    return true;
}

void TServer::addScore(int seat, int points) {
    tplayer& p = m_players[seat];
    p.score += points;
    if (m_game.gameType == rules::Partners) m_players[p.partner].score = p.score;
}

void TServer::sendScoreMessage(std::string (*build)(const net::ScoreChange&), int seat) {
    const int partner = m_players[seat].partner;
    broadcast(build({seat, m_players[seat].score, partner, m_players[partner].score}));
}

// ---- The action timer ------------------------------------------------------------------------

void TServer::schedule(int action, int intervals) {
    m_timer1->stop();
    m_timer1->setInterval(botSpeed());
    m_pendingAction = action;
    m_countdown = intervals;
    m_timer1->start();
}

void TServer::cancelAction() {
    m_timer1->stop();
    m_pendingAction = NoAction;
    m_countdown = 0;
}

void TServer::timer1Timer() {
    if (--m_countdown >= 1) return;
    m_timer1->stop();
    const int action = m_pendingAction;
    m_pendingAction = NoAction;
    runAction(action);
}

void TServer::runAction(int action) {
    Game& g = m_game;
    if (!g.inProgress) return;
    switch (action) {
    case NextDealAfterShow:
    case NextDealConfirmed:
        if (!g.dealInProgress) startround();
        break;
    case ResetCount:
        if (g.dealInProgress && g.phase == rules::ThePlay) startagain();
        break;
    case TheShow:
        if (g.dealInProgress && g.phase == rules::ThePlay) figurescores();
        break;
    case ComputerCard: {
        const int seat = g.currentPlayer;
        const tplayer& p = m_players[seat];
        // A player who came back in the meantime plays the card himself.
        if (p.connected && !(p.watching && p.turn)) break;
        computerplay(seat);
        break;
    }
    case NextPlayer:
        if (g.dealInProgress && g.phase == rules::ThePlay) findplayer();
        break;
    default:
        break;
    }
}

// ---- Game and deal ---------------------------------------------------------------------------

void TServer::startgame(const net::StartGame& m) {
    // Whatever the last game left pending (a computer's card, a reset, the show) belongs to it.
    cancelAction();
    Game& g = m_game;
    g.inProgress = true;
    g.dealInProgress = false;
    g.target = m.target();
    g.gameType = m.gameType;
    g.lastPlayer = 0;
    net::StartGame relay = m;
    relay.name = net::cutName(m.name);
    broadcast(net::toClient::startgame(relay));
    for (int seat = 1; seat <= rules::kSeats; ++seat) {
        m_players[seat].score = 0;
        m_players[seat].watching = false;
    }
    log("game started: type " + std::to_string(g.gameType) + " to " + std::to_string(g.target + 1));
    g.dealer = 0;
    startround();
}

void TServer::startround() {
    Game& g = m_game;
    if (g.dealInProgress) return;
    g.dealInProgress = true;
    g.seq.reset();
    for (int seat = 1; seat <= rules::kSeats; ++seat) {
        tplayer& p = m_players[seat];
        p.turn = false;
        p.breakdown = {};
        g.deal.hands[seat].fill(rules::kNoCard);
        g.deal.showHands[seat].fill(rules::kNoCard);
    }
    g.cribBreakdown = {};
    g.dealer = rules::nextDealer(g.dealer, g.gameType);
    g.currentPlayer = g.dealer;
    g.phase = rules::givingPhase(g.gameType);
    broadcast(net::toClient::startround());

    g.deal.shufflecards();
    g.deal.dealcards(g.gameType);
    const int seats = rules::seatsInPlay(g.gameType);
    const int perSeat = rules::cardsPerSeat(g.gameType);
    for (int seat = 1; seat <= seats; ++seat) {
        if (!m_players[seat].connected) continue;
        std::vector<std::pair<int, int>> cards;
        for (int pos = 1; pos <= perSeat; ++pos) cards.emplace_back(pos, g.deal.hands[seat][pos]);
        sendTo(seat, net::toClient::mycards(seat, cards));
    }
    findplayer1();
}

void TServer::findplayer1() {
    Game& g = m_game;
    for (int seat = 1; seat <= rules::kSeats; ++seat) m_players[seat].gave = true;
    for (int seat = 1; seat <= rules::kSeats; ++seat) {
        if (!seatInPlay(seat)) continue;
        m_players[seat].gave = false;
        m_players[seat].turn = true;
    }
    for (int n = 1; n <= kMaxConnections; ++n) {
        if (!m_players[n].connected) continue;
        sendTo(n, net::toClient::playergive(m_players[n].gave ? 1 : n, g.dealer, g.phase));
    }
    for (int seat = 1; seat <= rules::kSeats; ++seat) {
        // An earlier computer's gift may have completed the giving and started the play.
        if (g.phase == rules::ThePlay) break;
        if (!m_players[seat].gave && isComputerPlayed(seat)) computersendcard(seat);
    }
}

void TServer::sendcard(std::string_view args) {
    if (const auto m = net::toServer::readSendcard(args)) sendcard(*m);
}

void TServer::sendcard(const net::CribCards& m) {
    const int s = m.seat, p1 = m.first, p2 = m.second;
    Game& g = m_game;
    tplayer& p = m_players[s];
    if (!g.inProgress || !g.dealInProgress) return;
    if (p.gave || (g.phase != rules::GiveTwo && g.phase != rules::GiveOne) || !p.turn) return;
    rules::Hand& hand = g.deal.hands[s];
    // A position must name a card still in the hand; in the two-player game the two must differ,
    // or one card would go to the crib twice.
    if (!validPosition(p1) || hand[p1] == rules::kNoCard) return;
    if (g.phase == rules::GiveTwo && p2 != 0 &&
        (!validPosition(p2) || p2 == p1 || hand[p2] == rules::kNoCard))
        return;

    if (g.phase == rules::GiveTwo && p2 == 0) {
        sendTo(s, net::toClient::needtwo(s));
        if (isComputerPlayed(s)) computerresend(s);
        return;
    }
    g.deal.putInCrib(rules::cribPosition(g.gameType, s, 1), hand[p1]);
    if (g.phase == rules::GiveTwo)
        g.deal.putInCrib(rules::cribPosition(g.gameType, s, 2), hand[p2]);

    p.turn = false;
    // One card is given in phase 2: a second position the sender named was not taken, and a
    // watching client told of it would drop a card it still holds.
    sendTo(s, net::toClient::gavecards(s, p1, g.phase == rules::GiveTwo ? p2 : 0));
    const std::string setcrib = net::toClient::setcrib(s);
    for (int n = 1; n <= kMaxConnections; ++n)
        if (n != s) sendTo(n, setcrib);

    p.gave = true;
    hand[p1] = rules::kNoCard;
    if (g.gameType == rules::TwoPlayers) hand[p2] = rules::kNoCard;

    const int seats = rules::seatsInPlay(g.gameType);
    for (int other = 1; other <= seats; ++other)
        if (!m_players[other].gave) return;

    g.phase = rules::ThePlay;
    g.deal.turnStarter(g.gameType);
    const int heels = rules::isJack(g.deal.starter) ? rules::kPointsHeels : 0;
    if (heels) addScore(g.dealer, heels);
    const int partner = m_players[g.dealer].partner;
    broadcast(net::toClient::turnover({g.deal.starter, heels, g.dealer, m_players[g.dealer].score,
                                       partner, m_players[partner].score}));
    g.currentPlayer = g.dealer;
    findplayer();
}

// ---- The play --------------------------------------------------------------------------------

void TServer::playcard(std::string_view args) {
    if (const auto m = net::toServer::readPlaycard(args)) playcard(*m);
}

void TServer::playcard(const net::CardChoice& m) {
    const int s = m.seat, p = m.position;
    if (s < 1 || s > rules::kSeats || !validPosition(p)) return;

    Game& g = m_game;
    if (!g.inProgress || !g.dealInProgress || g.phase != rules::ThePlay) return;
    if (s != g.currentPlayer || !m_players[s].turn) return;
    rules::Hand& hand = g.deal.hands[s];
    const int card = hand[p];
    if (card == rules::kNoCard) return;
    if (!g.seq.fits(card)) {
        sendTo(s, net::toClient::toomuch(s));
        return;
    }

    m_players[s].turn = false;
    g.seq.push(card);
    const rules::ExtraScore extra = rules::givescoreforextra(g.seq);
    if (const auto kind = rules::toPegKind(extra.kind)) {
        addScore(s, extra.points);
        const int partner = m_players[s].partner;
        broadcast(net::toClient::extra(
            {s, m_players[s].score, *kind, partner, m_players[partner].score}));
    }
    g.seq.addToCount(card);
    broadcast(net::toClient::playcard({s, p, g.seq.n, card, g.seq.count}));
    hand[p] = rules::kNoCard;

    if (g.seq.count == 31) {
        addScore(s, rules::kPointsThirtyOne);
        sendScoreMessage(&net::toClient::total31, s);
        if (checkforwin(s)) return;
        // Nobody laid a card that the count could not take, so nobody has a go coming. Left
        // standing, the seat before the 31 would peg one "for the go" at a count of 0 when its
        // hand is empty and the choice of player comes round to it.
        g.lastPlayer = 0;
        schedule(checkfornocards() ? TheShow : ResetCount, 5);
        return;
    }
    if (g.seq.count == 15) {
        addScore(s, rules::kPointsFifteen);
        sendScoreMessage(&net::toClient::total15, s);
        if (checkforwin(s)) return;
    }
    if (!checkfornocards()) {
        g.lastPlayer = s;
        findplayer();
        return;
    }
    addScore(s, rules::kPointsLastCard);
    sendScoreMessage(&net::toClient::pegslast, s);
    if (checkforwin(s)) return;
    schedule(TheShow, 5);
}

void TServer::findplayer() {
    Game& g = m_game;
    const int seats = rules::seatsInPlay(g.gameType);
    if (seats == 0) return;
    // Every seat is looked at once at most: with no cards anywhere and no go owed the choice
    // must end rather than go round for ever.
    for (int looked = 0; looked <= seats; ++looked) {
        for (int seat = 1; seat <= rules::kSeats; ++seat)
            if (checkforwin(seat)) return;
        g.currentPlayer = g.currentPlayer % seats + 1;
        const int s = g.currentPlayer;
        const rules::Hand& hand = g.deal.hands[s];
        if (!rules::holdsCards(hand) && s != g.lastPlayer) continue;
        const bool can = rules::canPlay(hand, g.seq.count);
        if (s != g.lastPlayer || can) {
            if (can) {
                m_players[s].turn = true;
                broadcast(net::toClient::nextplayer(s, rules::ThePlay));
                if (isComputerPlayed(s)) schedule(ComputerCard, 1);
            } else {
                broadcast(net::toClient::hegoes(s));
                schedule(NextPlayer, 1);
            }
            return;
        }
        addScore(s, rules::kPointsGo);
        sendScoreMessage(&net::toClient::pegsgo, s);
        if (checkforwin(s)) return;
        schedule(ResetCount, 2);
        return;
    }
}

void TServer::startagain() {
    m_game.seq.reset();
    broadcast(net::toClient::startagain());
    findplayer();
}

// ---- The show --------------------------------------------------------------------------------

void TServer::figurescores() {
    Game& g = m_game;
    g.dealInProgress = false;
    const int seats = rules::seatsInPlay(g.gameType);
    for (int seat = 1; seat <= rules::kSeats; ++seat) m_players[seat].done = true;
    for (int seat = 1; seat <= seats; ++seat) m_players[seat].done = !m_players[seat].connected;
    for (int n = 1; n <= kMaxConnections; ++n) {
        if (m_players[n].connected) sendTo(n, net::toClient::final(m_players[n].done ? 0 : n));
    }

    for (int seat = 1; seat <= seats; ++seat)
        m_players[seat].breakdown = rules::scoreShow(g.deal.showCards(seat));
    g.cribBreakdown = rules::scoreShow(g.deal.cribShowCards());

    for (int i = 1; i <= rules::kSeats; ++i) {
        const int seat = (g.dealer + i - 1) % rules::kSeats + 1;
        if (seat > seats) continue;
        tplayer& p = m_players[seat];
        const bool dealer = seat == g.dealer;
        // The dealer's message already carries the crib in its score.
        p.score += p.breakdown.total + (dealer ? g.cribBreakdown.total : 0);
        if (g.gameType == rules::Partners) m_players[p.partner].score = p.score;

        net::EndScore e;
        e.dealer = g.dealer;
        e.seat = seat;
        e.score = p.score;
        e.partner = p.partner;
        e.partnerScore = m_players[p.partner].score;
        const rules::ShowScore& b = p.breakdown;
        e.total = b.total;
        e.fifteens = b.fifteens;
        e.pairs = b.pairs;
        e.runs = b.runs;
        e.flush = b.flush;
        e.nob = b.nob;
        const rules::ShowCards cards = g.deal.showCards(seat);
        for (int c = 0; c < 5; ++c) e.cards[c] = cards[c];
        broadcast(net::toClient::endscore(e));

        if (dealer) {
            net::EndScore c;
            const rules::ShowScore& cb = g.cribBreakdown;
            c.dealer = g.dealer;
            c.seat = 5;
            c.total = cb.total;
            c.fifteens = cb.fifteens;
            c.pairs = cb.pairs;
            c.runs = cb.runs;
            c.flush = cb.flush;
            c.nob = cb.nob;
            const rules::ShowCards crib = g.deal.cribShowCards();
            for (int k = 0; k < 5; ++k) c.cards[k] = crib[k];
            broadcast(net::toClient::endscore(c));
        }
        if (checkforwin(seat)) return;
    }
    schedule(NextDealAfterShow, 30);
}

void TServer::clickdone(int seat) {
    if (seat < 1 || seat > kMaxConnections) return;
    if (!m_game.inProgress || m_pendingAction != NextDealAfterShow || m_countdown < 2) return;
    tplayer& p = m_players[seat];
    if (p.done) return;
    p.done = true;
    for (int s = 1; s <= rules::kSeats; ++s)
        if (!m_players[s].done) return;
    schedule(NextDealConfirmed, 3);
}

bool TServer::checkforwin(int seat) {
    Game& g = m_game;
    if (!g.inProgress || seat < 1 || seat > rules::kSeats) return false;
    if (m_players[seat].score <= g.target) return false;
    g.inProgress = false;
    // Nothing of the finished game may run after the winner is announced.
    cancelAction();
    const int partner = g.gameType == rules::Partners ? m_players[seat].partner : 0;
    broadcast(net::toClient::winner(seat, partner));
    log("game won by seat " + std::to_string(seat) +
        (partner ? " and seat " + std::to_string(partner) : std::string()) + " with " +
        std::to_string(m_players[seat].score));
    return true;
}
