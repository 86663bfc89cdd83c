// Speed of the discard analysis (the fast path against the plain enumeration) and of the
// Expert's decisions in real games: the median, 90th and 99th percentile and the slowest, in
// CPU time of one core.
//
//   bench_expert [--games N] [benchmark options]
// --games (default 200) sets how many games of each type are played for the decision times.
#include "net/message.h"
#include "rules/discard.h"
#include "rules/expert.h"
#include "rules/random.h"
#include "rules/scoring.h"
#include "server/tserver.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <numeric>
#include <random>
#include <vector>

namespace {

std::vector<std::vector<int>> randomDeals(int count, int cards, unsigned seed) {
    std::mt19937 gen(seed);
    std::vector<int> deck(52);
    std::iota(deck.begin(), deck.end(), 1);
    std::vector<std::vector<int>> deals;
    for (int i = 0; i < count; ++i) {
        std::shuffle(deck.begin(), deck.end(), gen);
        deals.emplace_back(deck.begin(), deck.begin() + cards);
    }
    return deals;
}

void BM_DiscardTwoPlayers(benchmark::State& state) {
    const auto deals = randomDeals(256, 6, 1);
    std::size_t i = 0;
    for (auto _ : state) {
        auto keeps = rules::analyseDiscard(deals[i++ % deals.size()], 1, rules::CribSide::Own);
        benchmark::DoNotOptimize(keeps.data());
    }
}
BENCHMARK(BM_DiscardTwoPlayers)->Unit(benchmark::kMicrosecond);

void BM_DiscardTwoPlayersPlain(benchmark::State& state) {
    const auto deals = randomDeals(16, 6, 1);
    std::size_t i = 0;
    for (auto _ : state) {
        auto keeps = rules::analyseDiscardPlain(deals[i++ % deals.size()], 1, rules::CribSide::Own);
        benchmark::DoNotOptimize(keeps.data());
    }
}
BENCHMARK(BM_DiscardTwoPlayersPlain)->Unit(benchmark::kMillisecond);

// The plain enumeration again, with every show counted category by category (the functions the
// scorer is defined by): what a straightforward first version of the analysis costs.
int byCategory(const rules::ShowCards& c) {
    return 2 * rules::getfifteen(c) + 2 * rules::getpairs(c) + rules::getruns(c) +
           rules::getflush(c) + rules::getnob(c);
}

double plainByCategory(const std::vector<int>& dealt) {
    std::vector<int> unseen;
    for (int c = 1; c <= 52; ++c)
        if (std::find(dealt.begin(), dealt.end(), c) == dealt.end()) unseen.push_back(c);
    const std::size_t n = unseen.size();
    double best = -1e9;
    for (std::size_t a = 0; a < 6; ++a)
        for (std::size_t b = a + 1; b < 6; ++b) {
            std::vector<int> keep;
            for (std::size_t i = 0; i < 6; ++i)
                if (i != a && i != b) keep.push_back(dealt[i]);
            long hand = 0, crib = 0;
            for (int s : unseen) hand += byCategory({keep[0], keep[1], keep[2], keep[3], s});
            for (std::size_t x = 0; x < n; ++x)
                for (std::size_t y = x + 1; y < n; ++y)
                    for (std::size_t s = 0; s < n; ++s)
                        if (s != x && s != y)
                            crib +=
                                byCategory({dealt[a], dealt[b], unseen[x], unseen[y], unseen[s]});
            best = std::max(best, hand / 46.0 + crib / 45540.0);
        }
    return best;
}

void BM_DiscardTwoPlayersByCategory(benchmark::State& state) {
    const auto deals = randomDeals(4, 6, 1);
    std::size_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(plainByCategory(deals[i++ % deals.size()]));
}
BENCHMARK(BM_DiscardTwoPlayersByCategory)->Unit(benchmark::kMillisecond);

void BM_DiscardFourPlayers(benchmark::State& state) {
    const auto deals = randomDeals(256, 5, 2);
    std::size_t i = 0;
    for (auto _ : state) {
        auto keeps = rules::analyseDiscard(deals[i++ % deals.size()], 3, rules::CribSide::Own);
        benchmark::DoNotOptimize(keeps.data());
    }
}
BENCHMARK(BM_DiscardFourPlayers)->Unit(benchmark::kMicrosecond);

// ---- Decision times in games ------------------------------------------------------------------

struct Quiet : ClientLink {
    void send(const std::string&) override {}
    void close() override {}
};

void feed(TServer& server, const std::string& bytes) {
    server.receiveBytes(1, bytes);
    while (server.queuedMessages()) server.socktimerTimer();
}

// CPU time of this thread: on a machine shared with other work the wall clock would count the
// waits for a core as well.
double cpuMicroseconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e6 + double(t.tv_nsec) / 1e3;
}

void printTimes(const char* what, std::vector<double> t) {
    if (t.empty()) return;
    std::sort(t.begin(), t.end());
    auto at = [&t](double q) {
        return t[std::min(t.size() - 1, std::size_t(q * double(t.size())))];
    };
    const double mean = std::accumulate(t.begin(), t.end(), 0.0) / double(t.size());
    std::printf("%-34s %8zu decisions  median %8.1f us  mean %8.1f  p90 %8.1f  p99 %8.1f  "
                "max %8.1f\n",
                what, t.size(), at(0.5), mean, at(0.9), at(0.99), t.back());
}

// Plays Expert (seat 2 onwards, all but seat 1) against Classic and times every Expert decision
// on the very view the server hands it, just before the server makes it.
void timeDecisions(int gameType, int games) {
    rules::setRandomSeed(static_cast<std::uint32_t>(gameType));
    TServer server;
    server.setBotSpeedSource([] { return 1; });
    server.attachConnection(std::make_shared<Quiet>());
    feed(server, net::toServer::logininfo(1, net::kVersion, "Bench"));
    for (int seat = 2; seat <= 4; ++seat) server.overrideComputerLevel(seat, ComputerLevel::Expert);
    std::vector<double> plays;
    for (int g = 0; g < games; ++g) {
        feed(server, net::toServer::startgame("Bench", "1", gameType));
        feed(server, net::toServer::justwatch(1, "1"));
        while (server.pendingAction() != TServer::NoAction) {
            const int seat = server.game().currentPlayer;
            if (server.pendingAction() == TServer::ComputerCard && seat != 1) {
                const rules::SeatView view = server.seatView(seat);
                const double began = cpuMicroseconds();
                benchmark::DoNotOptimize(rules::expertPlay(view));
                plays.push_back(cpuMicroseconds() - began);
            }
            for (int ticks = server.countdown(); ticks > 0; --ticks) server.timer1Timer();
        }
    }
    const char* names[] = {"", "two players: a card in the play", "three players: a card",
                           "four players: a card", "partners: a card"};
    printTimes(names[gameType], plays);

    // The giving, on fresh deals of the same game type.
    std::vector<double> gives;
    const int cards = rules::cardsPerSeat(gameType);
    for (const auto& dealt : randomDeals(2000, cards, 7)) {
        rules::SeatView view;
        view.gameType = gameType;
        view.seat = 2;
        view.dealer = 1;
        view.hand = dealt;
        const double began = cpuMicroseconds();
        benchmark::DoNotOptimize(rules::expertThrow(view));
        gives.push_back(cpuMicroseconds() - began);
    }
    const char* giveNames[] = {"", "two players: the giving", "three players: the giving",
                               "four players: the giving", "partners: the giving"};
    printTimes(giveNames[gameType], gives);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    int games = 200;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--games") == 0 && i + 1 < argc)
            games = std::atoi(argv[++i]);
        else
            argv[kept++] = argv[i];
    }
    argc = kept;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    // The analysis of single deals, one at a time, for its median.
    std::vector<double> single;
    for (const auto& dealt : randomDeals(2000, 6, 3)) {
        const double began = cpuMicroseconds();
        benchmark::DoNotOptimize(rules::analyseDiscard(dealt, 1, rules::CribSide::Opponent));
        single.push_back(cpuMicroseconds() - began);
    }
    printTimes("two-player analysis of one deal", single);
    for (int gameType = 1; gameType <= 4; ++gameType) timeDecisions(gameType, games);
    return 0;
}
