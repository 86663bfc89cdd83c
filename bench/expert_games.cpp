// expert_games: whole games between computer levels, played by the server's own round flow with
// no sockets, and what they show: win rates with their 95% intervals, and for Expert against
// Expert the points per deal of the dealer and the pone.
//
//   expert_games --mode two|three|four|partners|self [--games N] [--seed S] [--points 61|121]
//                [--histograms] [--throws] [--trace]
// Game g is dealt from the generator seeded with S * 1000003 + g, so two versions of the players
// meet the same deals game by game: --trace prints each game's winner and Expert seat, to compare
// them game by game. With --mode self, --histograms prints how many deals gave each count of
// points in each part, and --throws how often the dealer and the pone gave each pair of ranks.
#include "net/message.h"
#include "rules/random.h"
#include "server/tserver.h"

#include <QCoreApplication>

#include "rules/cards.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {

// What one deal gave each seat, read from the messages every client is sent.
struct DealPoints {
    int dealer = 0;
    int play[5] = {};
    int hand[5] = {};
    int heels = 0;
    int crib = 0;
    bool counted = false; // the show reached the crib without a win
};

struct Totals {
    long deals = 0;
    double dealerPlay = 0, dealerHand = 0, dealerCrib = 0, dealerHeels = 0;
    double ponePlay = 0, poneHand = 0;

    // Deals by the points of the pone's pegging, the dealer's with his heels, the pone's hand and
    // the dealer's hand with the crib.
    long hist[4][64] = {};
    void add(const DealPoints& deal) {
        const int d = deal.dealer, p = 3 - d;
        ++hist[0][std::min(63, deal.play[p])];
        ++hist[1][std::min(63, deal.play[d] + deal.heels)];
        ++hist[2][std::min(63, deal.hand[p])];
        ++hist[3][std::min(63, deal.hand[d] + deal.crib)];
        ++deals;
        dealerPlay += deal.play[d];
        dealerHand += deal.hand[d];
        dealerCrib += deal.crib;
        dealerHeels += deal.heels;
        ponePlay += deal.play[p];
        poneHand += deal.hand[p];
    }
    void print(const char* who) const {
        const double n = double(deals ? deals : 1);
        std::printf("%s deals counted: %ld\n", who, deals);
        std::printf("  pone:   play %.2f  hand %.2f  total %.2f\n", ponePlay / n, poneHand / n,
                    (ponePlay + poneHand) / n);
        std::printf("  dealer: play %.2f  hand %.2f  crib %.2f  heels %.2f  total %.2f\n",
                    dealerPlay / n, dealerHand / n, dealerCrib / n, dealerHeels / n,
                    (dealerPlay + dealerHand + dealerCrib + dealerHeels) / n);
    }
};

// Seat 1's client: reads every broadcast to keep the scores and the points of each deal.
struct Watcher : ClientLink {
    int scores[5] = {};
    int winner = 0;
    DealPoints deal;
    Totals totals;
    // In games of two levels: the deals by the level of the dealer, Expert or Classic.
    int expertSeat = 0;
    Totals expertDeals;
    Totals classicDeals;

    void send(const std::string& message) override {
        const std::string_view text =
            std::string_view(message).substr(0, message.find(net::kTerminator));
        const auto [command, args] = net::splitCommand(text);
        namespace in = net::toClient;
        if (command == "CMD_startgame") {
            for (int& s : scores) s = 0;
            winner = 0;
            deal = {};
        } else if (command == "CMD_startround") {
            commit();
            deal = {};
        } else if (command == "CMD_turnover") {
            if (const auto m = in::readTurnover(args)) {
                deal.dealer = m->dealer;
                deal.heels = m->heels;
                setScore(m->dealer, m->dealerScore, m->partner, m->partnerScore);
            }
        } else if (command == "CMD_extra") {
            if (const auto m = in::readExtra(args))
                played(m->seat, m->score, m->partner, m->partnerScore);
        } else if (command == "CMD_total15" || command == "CMD_total31" ||
                   command == "CMD_pegsgo" || command == "CMD_pegslast") {
            const auto m = command == "CMD_total15"   ? in::readTotal15(args)
                           : command == "CMD_total31" ? in::readTotal31(args)
                           : command == "CMD_pegsgo"  ? in::readPegsgo(args)
                                                      : in::readPegslast(args);
            if (m) played(m->seat, m->score, m->partner, m->partnerScore);
        } else if (command == "CMD_endscore") {
            if (const auto m = in::readEndscore(args)) {
                if (m->seat == 5) {
                    deal.crib = m->total;
                    deal.counted = true;
                } else {
                    deal.hand[m->seat] = m->total;
                    setScore(m->seat, m->score, m->partner, m->partnerScore);
                }
            }
        } else if (command == "CMD_winner") {
            if (const auto m = in::readWinner(args)) winner = m->seat;
            deal.counted = false;
        }
    }
    void close() override {}

    void setScore(int seat, int score, int partner, int partnerScore) {
        if (seat >= 1 && seat <= 4) scores[seat] = score;
        if (partner >= 1 && partner <= 4) scores[partner] = partnerScore;
    }
    // Points in the play: the difference to the seat's score before.
    void played(int seat, int score, int partner, int partnerScore) {
        if (seat >= 1 && seat <= 4) deal.play[seat] += score - scores[seat];
        setScore(seat, score, partner, partnerScore);
    }

    // Two-player deals only: the dealer and the pone.
    void commit() {
        if (!deal.counted || deal.dealer < 1 || deal.dealer > 2) return;
        totals.add(deal);
        if (expertSeat) (deal.dealer == expertSeat ? expertDeals : classicDeals).add(deal);
    }
};

void feed(TServer& server, const std::string& bytes) {
    server.receiveBytes(1, bytes);
    while (server.queuedMessages()) server.socktimerTimer();
}

// Plays one game to its end; the winning seat (in the partners game, the first of the pair).
// Two-player deals by the rank keys (low, high) each role gave to the crib: [0] the pone, [1] the
// dealer. The bench may look at the crib: it is not a player.
using ThrowCounts = std::array<std::array<std::array<long, 13>, 13>, 2>;

void countThrows(const TServer& server, ThrowCounts& counts) {
    const TServer::Game& g = server.game();
    for (int seat = 1; seat <= 2; ++seat) {
        const int a = rules::rankKey(g.deal.crib[seat]), b = rules::rankKey(g.deal.crib[seat + 2]);
        ++counts[seat == g.dealer][std::min(a, b)][std::max(a, b)];
    }
}

int playGame(TServer& server, Watcher& watcher, int gameType, const std::string& points,
             ThrowCounts* throws) {
    feed(server, net::toServer::startgame("Bench", points, gameType));
    feed(server, net::toServer::justwatch(1, "1"));
    bool counted = false;
    while (server.pendingAction() != TServer::NoAction) {
        const TServer::Game& g = server.game();
        // The first card of a two-player play is still to come: both have given.
        const bool playStarts = g.dealInProgress && g.phase == 3 && g.seq.n == 0 &&
                                g.deal.cardsHeld(1) == 4 && g.deal.cardsHeld(2) == 4;
        if (throws && gameType == 1 && playStarts && !counted) countThrows(server, *throws);
        counted = playStarts;
        for (int ticks = server.countdown(); ticks > 0; --ticks) server.timer1Timer();
    }
    watcher.commit();
    watcher.deal = {};
    return watcher.winner;
}

struct Share {
    long wins = 0;
    long games = 0;
    void print(const char* what, double fair) const {
        const double p = games ? double(wins) / double(games) : 0.0;
        const double half = 1.96 * std::sqrt(p * (1 - p) / double(games ? games : 1));
        std::printf("%s: %ld of %ld games, %.2f%% (95%% interval %.2f%% to %.2f%%; fair %.2f%%)\n",
                    what, wins, games, 100 * p, 100 * (p - half), 100 * (p + half), 100 * fair);
    }
};

int usage() {
    std::fprintf(stderr, "usage: expert_games --mode two|three|four|partners|self [--games N] "
                         "[--seed S] [--points 61|121] [--histograms] [--throws] [--trace]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::string mode;
    long games = 1000;
    unsigned long seed = 1;
    std::string points = "1";
    bool histograms = false;
    bool trace = false;
    bool throwCounts = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--histograms" || arg == "--trace" || arg == "--throws") {
            (arg == "--trace" ? trace : arg == "--throws" ? throwCounts : histograms) = true;
            continue;
        }
        if (i + 1 >= argc) return usage();
        const char* value = argv[++i];
        if (arg == "--mode")
            mode = value;
        else if (arg == "--games")
            games = std::strtol(value, nullptr, 10);
        else if (arg == "--seed")
            seed = std::strtoul(value, nullptr, 10);
        else if (arg == "--points")
            points = std::strcmp(value, "61") == 0 ? "2" : "1";
        else
            return usage();
    }
    int gameType = 0;
    if (mode == "two" || mode == "self")
        gameType = 1;
    else if (mode == "three")
        gameType = 2;
    else if (mode == "four")
        gameType = 3;
    else if (mode == "partners")
        gameType = 4;
    if (gameType == 0 || games < 1) return usage();

    rules::setRandomSeed(static_cast<std::uint32_t>(seed));
    TServer server;
    server.setBotSpeedSource([] { return 1; });
    auto watcher = std::make_shared<Watcher>();
    server.attachConnection(watcher);
    feed(server, net::toServer::logininfo(1, net::kVersion, "Bench"));

    const int seats = rules::seatsInPlay(gameType);
    Share expert;
    Share firstDealer;
    ThrowCounts throws{};
    const auto began = std::chrono::steady_clock::now();
    for (long g = 0; g < games; ++g) {
        // The expert's seat turns round the table, so it deals first in its share of the games.
        const int expertSeat = gameType == 4 ? 1 + int(g % 2) : 1 + int(g % seats);
        for (int seat = 1; seat <= 4; ++seat) {
            const bool isExpert = mode == "self" || seat == expertSeat ||
                                  (gameType == 4 && rules::partnerOf(seat) == expertSeat);
            watcher->expertSeat = mode == "two" ? expertSeat : 0;
            server.overrideComputerLevel(seat,
                                         isExpert ? ComputerLevel::Expert : ComputerLevel::Classic);
        }
        // Each game from its own seed: variants of the players meet the same deals, game by game.
        rules::setRandomSeed(static_cast<std::uint32_t>(seed * 1000003ul + std::uint64_t(g)));
        const int winner = playGame(server, *watcher, gameType, points, &throws);
        if (trace) std::printf("game %ld winner %d expert %d\n", g, winner, expertSeat);
        if (winner == 0) {
            std::fprintf(stderr, "game %ld ended without a winner\n", g);
            return 1;
        }
        ++expert.games;
        ++firstDealer.games;
        if (winner == expertSeat || (gameType == 4 && rules::partnerOf(winner) == expertSeat))
            ++expert.wins;

        if (winner == 1 || (gameType == 4 && winner == 3)) ++firstDealer.wins;
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();

    std::printf("mode %s, game type %d, to %s, seed %lu, %.1f s (%.2f ms a game)\n", mode.c_str(),
                gameType, points == "2" ? "61" : "121", seed, seconds,
                1000 * seconds / double(games));
    if (mode == "self") {
        firstDealer.print("first dealer wins", 0.5);
        watcher->totals.print("all");
        if (throwCounts) {
            for (int role = 0; role < 2; ++role) {
                std::printf("ranks given by the %s (rows K A 2 .. Q, the lower first):\n",
                            role ? "dealer" : "pone");
                for (int x = 0; x < 13; ++x) {
                    for (int y = 0; y < 13; ++y) std::printf(" %ld", throws[role][x][y]);
                    std::printf("\n");
                }
            }
        }
        // The counts the chance to win of rules/winchance.cpp is built from.
        if (histograms) {
            const char* names[] = {"pone pegging", "dealer pegging and heels", "pone hand",
                                   "dealer hand and crib"};
            for (int h = 0; h < 4; ++h) {
                int last = 63;
                while (last > 0 && watcher->totals.hist[h][last] == 0) --last;
                std::printf("deals by %s, 0 to %d points:", names[h], last);
                for (int i = 0; i <= last; ++i) std::printf(" %ld", watcher->totals.hist[h][i]);
                std::printf("\n");
            }
        }
    } else {
        const double fair = gameType == 4 ? 0.5 : 1.0 / seats;
        expert.print(gameType == 4 ? "expert partnership wins" : "expert wins", fair);
        firstDealer.print("first dealer wins", gameType == 4 ? 0.5 : 1.0 / seats);
        if (mode == "two") {
            const Totals& e = watcher->expertDeals;
            const Totals& c = watcher->classicDeals;
            e.print("Expert dealing to Classic:");
            c.print("Classic dealing to Expert:");
            const double ed = double(e.deals ? e.deals : 1), cd = double(c.deals ? c.deals : 1);
            const double expertDealing = (e.dealerPlay + e.dealerHand + e.dealerCrib +
                                          e.dealerHeels - e.ponePlay - e.poneHand) /
                                         ed;
            const double classicDealing = (c.dealerPlay + c.dealerHand + c.dealerCrib +
                                           c.dealerHeels - c.ponePlay - c.poneHand) /
                                          cd;
            std::printf("Expert's mean margin a deal: %.2f dealing, %.2f as pone, %.2f overall\n",
                        expertDealing, -classicDealing, (expertDealing - classicDealing) / 2);
        }
    }
    return 0;
}
