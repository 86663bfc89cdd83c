// The computer players: Classic by fixed rules without lookahead, Expert by the analysis and the
// search of rules/expert.h. Every choice goes through the same handlers as a client's message.
#include "server/computer.h"

#include "rules/cards.h"
#include "rules/expert.h"
#include "rules/random.h"
#include "server/tserver.h"

#include <algorithm>
#include <string>

namespace computer {

int discardValue(int card) {
    if (card == rules::kNoCard) return 0;
    const int key = rules::rankKey(card);
    return key == 11 || key == 12 ? 10 : key;
}

namespace {

// Whether a card of value v stays in the hand at a throw level, given the value w of one other
// card. The higher the level, the fewer reasons to stay.
bool staysFor(int level, int v, int w) {
    switch (level) {
    case 1:
        return v == w || v + w == 15 || v == w + 1 || w == v + 1;
    case 2:
    case 3:
    case 4:
        return v == w || v + w == 15;
    default:
        return v + w == 15;
    }
}

bool staysAlone(int level, int v) {
    switch (level) {
    case 1:
    case 2:
        return v == 5 || v == 10 || v == 0;
    case 3:
        return v == 5 || v == 10;
    default:
        return v == 5;
    }
}

std::pair<int, int> randomPair(int firstRange) {
    const int first = rules::Random(firstRange) + 1;
    int second = first;
    while (second == first) second = rules::Random(rules::kHandSize) + 1;
    return {first, second};
}

} // namespace

std::pair<int, int> chooseCribCards(const rules::Hand& hand, int gameType) {
    const int m = rules::cardsPerSeat(gameType);
    const bool wantTwo = gameType == 1;
    int first = 0, second = 0;
    for (int level = 1; level <= 5; ++level) {
        for (int i = 1; i <= m; ++i) {
            if (hand[i] == rules::kNoCard) continue;
            const int v = discardValue(hand[i]);
            bool stays = staysAlone(level, v);
            for (int j = 1; j <= m && !stays; ++j)
                if (j != i) stays = staysFor(level, v, discardValue(hand[j]));
            if (!stays) {
                if (first == 0)
                    first = i;
                else if (first != i)
                    second = i;
            }
            if (wantTwo ? (first && second) : first != 0) return {first, second};
        }
    }
    return randomPair(m);
}

std::pair<int, int> chooseResend() {
    return randomPair(5);
}

int choosePlayCard(const rules::Hand& hand, const rules::PlaySequence& seq) {
    const int count = seq.count;
    auto find = [&hand](auto&& pred) {
        for (int pos = 1; pos <= rules::kHandSize; ++pos)
            if (hand[pos] != rules::kNoCard && pred(hand[pos])) return pos;
        return 0;
    };
    int pos = 0;
    if (count < 15) pos = find([count](int c) { return count + rules::countValue(c) == 15; });
    if (!pos) pos = find([count](int c) { return count + rules::countValue(c) == 31; });
    if (!pos && seq.n > 0) {
        const int last = seq.keys[seq.n];
        pos = find([&](int c) { return rules::rankKey(c) == last && seq.fits(c); });
    }
    if (!pos && seq.n == 0) {
        pos = find([](int c) {
            const int key = rules::rankKey(c);
            return key >= 1 && key <= 9 && key != 5;
        });
        if (!pos) pos = find([](int c) { return rules::rankKey(c) != 5; });
    }
    if (!pos) pos = find([&seq](int c) { return seq.fits(c); });
    return pos;
}

} // namespace computer

// The computers enter through the handlers the wire reaches, with the text a client would send.

namespace {

int positionOf(const rules::Hand& hand, int card) {
    for (int pos = 1; pos <= rules::kHandSize; ++pos)
        if (card != rules::kNoCard && hand[pos] == card) return pos;
    return 0;
}

} // namespace

void TServer::overrideComputerLevel(int seat, std::optional<ComputerLevel> level) {
    if (seat >= 1 && seat <= rules::kSeats) m_levelOverride[seat] = level;
}

ComputerLevel TServer::computerLevel(int seat) const {
    if (seat >= 1 && seat <= rules::kSeats && m_levelOverride[seat]) return *m_levelOverride[seat];
    return m_computerLevel ? m_computerLevel() : ComputerLevel::Classic;
}

void TServer::computersendcard(int seat) {
    if (seat < 1 || seat > rules::kSeats) return;
    const rules::Hand& hand = m_game.deal.hands[seat];
    if (computerLevel(seat) == ComputerLevel::Expert) {
        const std::vector<int> thrown = rules::expertThrow(seatView(seat));
        const int first = thrown.empty() ? 0 : positionOf(hand, thrown[0]);
        const int second = thrown.size() > 1 ? positionOf(hand, thrown[1]) : 0;
        // A gift the handler would refuse would leave the deal waiting on this seat for ever.
        if (first && (thrown.size() == 1 || second)) {
            sendcard(std::to_string(seat) + '+' + std::to_string(first) + '+' +
                     std::to_string(second) + '+');
            return;
        }
    }
    const auto [first, second] = computer::chooseCribCards(hand, m_game.gameType);
    sendcard(std::to_string(seat) + '+' + std::to_string(first) + '+' + std::to_string(second) +
             '+');
}

void TServer::computerresend(int seat) {
    const auto [first, second] = computer::chooseResend();
    sendcard(std::to_string(seat) + '+' + std::to_string(first) + '+' + std::to_string(second) +
             '+');
}

void TServer::computerplay(int seat) {
    if (seat != m_game.currentPlayer || seat < 1 || seat > rules::kSeats) return;
    const rules::Hand& hand = m_game.deal.hands[seat];
    int pos = 0;
    if (computerLevel(seat) == ComputerLevel::Expert)
        pos = positionOf(hand, rules::expertPlay(seatView(seat)));
    if (!pos) pos = computer::choosePlayCard(hand, m_game.seq);
    if (pos) playcard(std::to_string(seat) + '+' + std::to_string(pos) + '+');
}

// Only what every client is told goes into the record: the starter, each card laid and by whom,
// and each seat that could not lay a card at the count of the moment.
void TServer::notePublic(const std::string& message) {
    const std::string_view text =
        std::string_view(message).substr(0, message.find(net::kTerminator));
    const auto [command, args] = net::splitCommand(text);
    if (command == "CMD_startround" || command == "CMD_startgame") {
        m_playRecord.clear();
    } else if (command == "CMD_turnover") {
        if (const auto m = net::toClient::readTurnover(args)) m_playRecord.starter = m->starter;
    } else if (command == "CMD_playcard") {
        if (const auto m = net::toClient::readPlaycard(args)) m_playRecord.lay(m->seat, m->card);
    } else if (command == "CMD_hegoes") {
        if (const auto seat = net::toClient::readHegoes(args))
            m_playRecord.go(*seat, m_game.seq.count);
    } else if (command == "CMD_pegsgo") {
        // A go is pegged by the seat that laid the last card when it cannot lay another.
        if (const auto m = net::toClient::readPegsgo(args))
            m_playRecord.go(m->seat, m_game.seq.count);
    }
}

rules::SeatView TServer::seatView(int seat) const {
    const Game& g = m_game;
    rules::SeatView v;
    v.gameType = g.gameType;
    v.seat = seat;
    v.dealer = g.dealer;
    v.target = g.target;
    for (int s = 1; s <= rules::kSeats; ++s) v.scores[s] = m_players[s].score;
    if (seat < 1 || seat > rules::kSeats) return v;
    for (int pos = 1; pos <= rules::kHandSize; ++pos)
        if (g.deal.hands[seat][pos] != rules::kNoCard) v.hand.push_back(g.deal.hands[seat][pos]);
    // The seat's own crib cards; the deck's card in the three-player crib is nobody's to see.
    if (g.phase == 3) {
        for (int which = 1; which <= 2; ++which) {
            const int position = rules::cribPosition(g.gameType, seat, which);
            if (position && g.deal.crib[position] != rules::kNoCard)
                v.thrown.push_back(g.deal.crib[position]);
        }
    }
    v.record = m_playRecord;
    v.seq = g.seq;
    return v;
}
