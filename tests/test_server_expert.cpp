// The Expert in the server: the level it is chosen by, what a seat is allowed to know, and the
// simulated play the Expert searches with against the table's own round flow.
#include "rules/expert.h"
#include "rules/playsim.h"
#include "rules/random.h"
#include "test_server_fakes.h"

using namespace net;

namespace {

std::vector<int> held(const rules::Hand& hand) {
    std::vector<int> cards;
    for (int pos = 1; pos <= rules::kHandSize; ++pos)
        if (hand[pos] != rules::kNoCard) cards.push_back(hand[pos]);
    return cards;
}

bool sameView(const rules::SeatView& a, const rules::SeatView& b) {
    auto laid = [](const rules::SeatView& v) {
        std::vector<std::pair<int, int>> out;
        for (const auto& l : v.record.laid) out.emplace_back(l.seat, l.card);
        return out;
    };
    return a.gameType == b.gameType && a.seat == b.seat && a.dealer == b.dealer &&
           a.target == b.target && a.scores == b.scores && a.hand == b.hand &&
           a.thrown == b.thrown && a.record.starter == b.record.starter && laid(a) == laid(b) &&
           a.record.goBound == b.record.goBound && a.seq.n == b.seq.n &&
           a.seq.count == b.seq.count && a.seq.keys == b.seq.keys;
}

} // namespace

class ServerExpertTest : public ServerTest {};

TEST_F(ServerExpertTest, TheLevelComesFromTheSourceAndASeatOverride) {
    Table t;
    EXPECT_EQ(t.server.computerLevel(2), ComputerLevel::Classic);
    ComputerLevel level = ComputerLevel::Expert;
    t.server.setComputerLevelSource([&level] { return level; });
    EXPECT_EQ(t.server.computerLevel(2), ComputerLevel::Expert);
    t.server.overrideComputerLevel(2, ComputerLevel::Classic);
    EXPECT_EQ(t.server.computerLevel(2), ComputerLevel::Classic);
    EXPECT_EQ(t.server.computerLevel(3), ComputerLevel::Expert);
    t.server.overrideComputerLevel(2, std::nullopt);
    level = ComputerLevel::Classic;
    EXPECT_EQ(t.server.computerLevel(2), ComputerLevel::Classic);
    // Seats that do not exist are left alone.
    t.server.overrideComputerLevel(0, ComputerLevel::Expert);
    t.server.overrideComputerLevel(5, ComputerLevel::Expert);
    EXPECT_EQ(t.server.computerLevel(0), ComputerLevel::Classic);
}

// The Expert's gift goes through the same handler as a client's, with the positions of the
// cards the analysis chose, and a seat's view holds its own cards and the public play only:
// changing what another seat holds or what lies in the deck changes nothing in it.
TEST_F(ServerExpertTest, AnExpertSeatDecidesFromItsOwnViewOnly) {
    rules::setRandomSeed(4242);
    Table t;
    t.seat(1);
    t.server.setComputerLevelSource([] { return ComputerLevel::Expert; });
    t.feed(1, toServer::startgame("Host", "1", 1));
    auto& g = t.server.game();
    ASSERT_TRUE(t.server.player(2).gave) << "the computer seat gives at once";

    rules::SeatView dealt;
    dealt.gameType = 1;
    dealt.seat = 2;
    dealt.dealer = 1;
    for (int pos = 1; pos <= 6; ++pos) dealt.hand.push_back(g.deal.showHands[2][pos]);
    const std::vector<int> thrown = rules::expertThrow(dealt);
    ASSERT_EQ(thrown.size(), 2u);
    EXPECT_EQ(g.deal.crib[2], thrown[0]);
    EXPECT_EQ(g.deal.crib[4], thrown[1]);
    EXPECT_EQ(held(g.deal.hands[2]).size(), 4u);

    t.feed(1, toServer::sendcard(1, 1, 2));
    ASSERT_EQ(g.phase, 3);
    ASSERT_EQ(t.server.pendingAction(), TServer::ComputerCard) << "seat 2 leads";
    const rules::SeatView view = t.server.seatView(2);
    EXPECT_EQ(view.hand, held(g.deal.hands[2]));
    EXPECT_EQ(view.thrown, thrown);
    EXPECT_EQ(view.record.starter, g.deal.starter);
    EXPECT_TRUE(view.record.laid.empty());

    // Another deal of seat 1's cards and of the deck, the public play unchanged.
    std::vector<int> hidden;
    for (int pos = 1; pos <= 6; ++pos)
        if (g.deal.hands[1][pos]) hidden.push_back(pos);
    const rules::Hand seat1 = g.deal.hands[1];
    const auto deck = g.deal.deck;
    const int crib1 = g.deal.crib[1];
    for (int pos : hidden) std::swap(g.deal.hands[1][pos], g.deal.deck[40 + pos]);
    std::swap(g.deal.crib[1], g.deal.deck[50]);
    EXPECT_TRUE(sameView(view, t.server.seatView(2)));
    g.deal.hands[1] = seat1;
    g.deal.deck = deck;
    g.deal.crib[1] = crib1;

    // The public record follows the play as every client sees it.
    t.runAction();
    const rules::SeatView after = t.server.seatView(1);
    ASSERT_EQ(after.record.laid.size(), 1u);
    EXPECT_EQ(after.record.laid[0].seat, 2);
    EXPECT_EQ(after.record.laid[0].card, rules::expertPlay(view));
}

// Game by game, deal by deal: the simulator, started from the hands the seats kept, names the
// same seat for every card the table lays and ends the play with the table's scores and winner.
// Whole games at both levels, in every game type; the public record of each play is checked
// against the messages on the way.
TEST_F(ServerExpertTest, TheSimulatedPlayFollowsTheTable) {
    for (int type = 1; type <= 4; ++type) {
        for (unsigned game = 0; game < 6; ++game) {
            const ComputerLevel level = game % 2 ? ComputerLevel::Expert : ComputerLevel::Classic;
            rules::setRandomSeed(900u + 10 * game + unsigned(type));
            Table t;
            t.seat(1);
            t.server.setComputerLevelSource([level] { return level; });
            t.feed(1, toServer::startgame("Host", "1", type));
            t.feed(1, toServer::justwatch(1, "1"));
            auto& g = t.server.game();
            const int seats = rules::seatsInPlay(type);
            int deals = 0;
            for (int guard = 0; guard < 100000 && g.inProgress; ++guard) {
                bool start = g.dealInProgress && g.phase == 3 && g.seq.n == 0;
                for (int s = 1; s <= seats; ++s) start = start && g.deal.cardsHeld(s) == 4;
                if (!start) {
                    ASSERT_TRUE(t.runAction());
                    continue;
                }
                ++deals;
                std::array<int, 5> scores{};
                for (int s = 1; s <= 4; ++s) scores[s] = t.server.player(s).score;
                rules::PlaySim sim(type, g.target, scores);
                for (int s = 1; s <= seats; ++s)
                    for (int c : held(g.deal.hands[s])) sim.hold(s, c);
                sim.start({}, g.dealer, 0);
                sim.moveOn();
                const std::size_t from = t.sent(1).size();
                while (g.inProgress && t.server.pendingAction() != TServer::TheShow)
                    ASSERT_TRUE(t.runAction());

                std::vector<std::pair<int, int>> laid;
                int count = 0;
                std::array<int, 5> bound{};
                for (std::size_t i = from; i < t.sent(1).size(); ++i) {
                    const auto [command, args] = splitCommand(t.sent(1)[i]);
                    if (command == "CMD_playcard") {
                        const auto m = toClient::readPlaycard(args);
                        ASSERT_TRUE(m);
                        ASSERT_EQ(sim.toPlay(), m->seat) << "type " << type << " deal " << deals;
                        sim.lay(rules::rankKey(m->card));
                        laid.emplace_back(m->seat, m->card);
                        count = m->count;
                    } else if (command == "CMD_hegoes" || command == "CMD_pegsgo") {
                        const int seat =
                            command == "CMD_hegoes"
                                ? toClient::readHegoes(args).value_or(0)
                                : toClient::readPegsgo(args).value_or(net::ScoreChange{}).seat;
                        ASSERT_NE(seat, 0);
                        bound[seat] = std::max(bound[seat], 31 - count);
                    } else if (command == "CMD_startagain") {
                        count = 0;
                    }
                }
                ASSERT_TRUE(sim.over());
                for (int s = 1; s <= seats; ++s)
                    EXPECT_EQ(sim.score(sim.sideOf(s)), t.server.player(s).score)
                        << "type " << type << " deal " << deals << " seat " << s;
                if (!g.inProgress) {
                    EXPECT_NE(sim.winner(), 0);
                }
                const rules::SeatView view = t.server.seatView(1);
                ASSERT_EQ(view.record.laid.size(), laid.size());
                for (std::size_t i = 0; i < laid.size(); ++i) {
                    EXPECT_EQ(view.record.laid[i].seat, laid[i].first);
                    EXPECT_EQ(view.record.laid[i].card, laid[i].second);
                }
                EXPECT_EQ(view.record.goBound, bound);
            }
            EXPECT_FALSE(g.inProgress) << "type " << type << ": the game reached its winner";
            EXPECT_GT(deals, 3);
        }
    }
}
