// The computer player: fixed rules, no lookahead, and every choice goes through the same
// handlers as a client's message.
#include "server/computer.h"

#include "rules/cards.h"
#include "rules/random.h"
#include "server/tserver.h"

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

void TServer::computersendcard(int seat) {
    const auto [first, second] =
        computer::chooseCribCards(m_game.deal.hands[seat], m_game.gameType);
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
    const int pos = computer::choosePlayCard(m_game.deal.hands[seat], m_game.seq);
    if (pos) playcard(std::to_string(seat) + '+' + std::to_string(pos) + '+');
}
