// A table of fake connections around a real TServer: what each connection was sent, messages
// fed through the real receive buffers and dispatcher, the action timer ticked by hand.
#pragma once

#include "net/message.h"
#include "server/tserver.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <vector>

struct FakeLink : ClientLink {
    std::vector<std::string> sent; // without the terminator
    bool closed = false;
    bool dropped = false;
    // What the peer has not read yet, as the test sets it.
    std::size_t backlog = 0;
    void send(const std::string& message) override {
        std::string text = message;
        while (!text.empty() && text.back() == net::kTerminator) text.pop_back();
        sent.push_back(text);
    }
    void close() override { closed = true; }
    void drop() override { dropped = closed = true; }
    std::size_t unsent() const override { return backlog; }
};

inline void ensureApp() {
    static int argc = 1;
    static char name[] = "test_server";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app =
        QCoreApplication::instance() ? nullptr : new QCoreApplication(argc, argv);
    (void)app;
}

class Table {
public:
    TServer server;
    std::array<std::shared_ptr<FakeLink>, 11> links;

    Table() {
        server.setBotSpeedSource([] { return 1; });
    }

    int connect() {
        auto link = std::make_shared<FakeLink>();
        const int n = server.attachConnection(link);
        if (n) links[n] = link;
        return n;
    }
    void login(int n, const std::string& name, std::string_view version = net::kVersion) {
        feed(n, net::toServer::logininfo(n, version, name));
    }
    // Connects and logs in count clients, numbers 1..count.
    void seat(int count) {
        for (int i = 1; i <= count; ++i) login(connect(), "P" + std::to_string(i));
    }
    // Raw bytes (terminators included) from connection n, then the queue worked off.
    void feed(int n, const std::string& bytes) {
        server.receiveBytes(n, bytes);
        drain();
    }
    void drain() {
        while (server.queuedMessages()) server.socktimerTimer();
    }
    // Ticks the action timer until the pending action has run; false when nothing was pending.
    bool runAction() {
        if (server.pendingAction() == TServer::NoAction) return false;
        const int ticks = server.countdown();
        for (int i = 0; i < ticks; ++i) server.timer1Timer();
        return true;
    }
    void runAll(int limit = 100000) {
        while (limit-- > 0 && runAction()) {
        }
    }
    std::vector<std::string>& sent(int n) { return links[n]->sent; }
    void clearSent() {
        for (auto& l : links)
            if (l) l->sent.clear();
    }
    // The messages connection n was sent whose command is one of the given names.
    std::vector<std::string> only(int n, std::initializer_list<std::string_view> commands) {
        std::vector<std::string> out;
        for (const auto& m : sent(n)) {
            const auto command = net::splitCommand(m).first;
            if (std::find(commands.begin(), commands.end(), command) != commands.end())
                out.push_back(m);
        }
        return out;
    }
    bool wasSent(int n, const std::string& message) {
        return std::find(sent(n).begin(), sent(n).end(), message) != sent(n).end();
    }
    // Replaces the hands of a dealt deal and the next deck cards (the starter, and before it
    // the crib's fourth card in the three-player game).
    void arrange(const std::vector<std::vector<int>>& hands, std::vector<int> next) {
        auto& deal = server.game().deal;
        for (std::size_t s = 0; s < hands.size(); ++s) {
            deal.hands[s + 1].fill(0);
            for (std::size_t p = 0; p < hands[s].size(); ++p)
                deal.hands[s + 1][p + 1] = deal.showHands[s + 1][p + 1] = hands[s][p];
        }
        for (std::size_t i = 0; i < next.size(); ++i) deal.deck[deal.dealPointer + i] = next[i];
    }
};

class ServerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ensureApp(); }
};

// Card helpers: rank 1..13 in suit 1..4.
constexpr int C(int rank, int suit = 1) {
    return (suit - 1) * 13 + rank;
}
