// Whole games of computer players driven through the server's handlers and its action timer,
// with no sockets and no waiting: how many games one core plays in a second.
#include "net/message.h"
#include "rules/random.h"
#include "server/tserver.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

// Seat 1's client: counts what it is sent, as a socket would take it.
struct CountingLink : ClientLink {
    std::size_t messages = 0;
    std::size_t bytes = 0;
    void send(const std::string& message) override {
        ++messages;
        bytes += message.size();
    }
    void close() override {}
};

void feed(TServer& server, const std::string& bytes) {
    server.receiveBytes(1, bytes);
    while (server.queuedMessages()) server.socktimerTimer();
}

void playGames(benchmark::State& state, int gameType) {
    rules::setRandomSeed(1);
    TServer server;
    server.setBotSpeedSource([] { return 1; });
    auto link = std::make_shared<CountingLink>();
    server.attachConnection(link);
    feed(server, net::toServer::logininfo(1, net::kVersion, "Host"));
    const std::string start = net::toServer::startgame("Host", "1", gameType);
    const std::string watch = net::toServer::justwatch(1, "1");
    std::int64_t deals = 0;
    for (auto _ : state) {
        feed(server, start);
        feed(server, watch);
        while (server.pendingAction() != TServer::NoAction) {
            if (server.pendingAction() == TServer::NextDealAfterShow) ++deals;
            for (int ticks = server.countdown(); ticks > 0; --ticks) server.timer1Timer();
        }
        if (server.game().inProgress) state.SkipWithError("a game stopped before its winner");
    }
    state.counters["games/s"] =
        benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["deals/game"] = double(deals + state.iterations()) / double(state.iterations());
    state.counters["msgs/game"] = double(link->messages) / double(state.iterations());
}

void BM_TwoPlayerGames(benchmark::State& state) {
    playGames(state, 1);
}
void BM_ThreePlayerGames(benchmark::State& state) {
    playGames(state, 2);
}
void BM_FourPlayerGames(benchmark::State& state) {
    playGames(state, 3);
}
void BM_PartnersGames(benchmark::State& state) {
    playGames(state, 4);
}

BENCHMARK(BM_TwoPlayerGames)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ThreePlayerGames)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FourPlayerGames)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PartnersGames)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    // The server's timers need an application object; its event loop never runs here.
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
