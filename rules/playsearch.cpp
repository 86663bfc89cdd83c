// The play search: deals of the unseen cards, then a minimax over the rest of the play in each.
#include "rules/playsearch.h"

#include "rules/cards.h"
#include "rules/playsim.h"
#include "rules/scoring.h"
#include "rules/winchance.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <limits>

namespace rules {

namespace {

constexpr int kKeys = 13;

// A small generator of our own: the search must not move the table's generator, whose draws
// decide the shuffles.
class SplitMix {
public:
    explicit SplitMix(std::uint64_t seed) : m_state(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }

private:
    std::uint64_t m_state;
};

std::uint64_t mix(std::uint64_t h, std::uint64_t v) {
    return (h ^ v) * 0x100000001B3ull + 0x9E3779B9ull;
}

std::uint64_t positionSeed(const SeatView& v) {
    std::uint64_t h = 0xCBF29CE484222325ull;
    h = mix(h, static_cast<std::uint64_t>(v.seat));
    h = mix(h, static_cast<std::uint64_t>(v.record.starter));
    for (int c : v.hand) h = mix(h, static_cast<std::uint64_t>(c));
    for (const auto& l : v.record.laid) h = mix(h, static_cast<std::uint64_t>(l.card * 8 + l.seat));
    return h;
}

// One deal of the hidden cards and what the show will then count.
struct World {
    PlaySim sim;
    std::array<int, kSeats + 1> show{}; // each seat's show, the dealer's with the crib
};

class Search {
public:
    Search(const SeatView& view, const SearchLimits& limits) : m_view(view), m_limits(limits) {
        const int seats = seatsInPlay(view.gameType);
        m_seats = seats;
        const int sides = view.gameType == 4 ? 2 : seats;
        m_opponentWeight = view.gameType == 4 || seats == 2 ? 1.0 : 1.0 / (sides - 1);
        m_byChance = seats == 2;
        // Two hands of four are searched to the end: a value of the chance to win needs the
        // show, which a search cut short has not reached.
        if (m_byChance) m_limits.fullDepthCards = std::max(m_limits.fullDepthCards, 8);
        std::array<bool, kDeckSize + 1> known{};
        auto see = [&known](int c) {
            if (isCard(c)) known[c] = true;
        };
        for (int c : view.hand) see(c);
        for (int c : view.thrown) see(c);
        see(view.record.starter);
        for (const auto& l : view.record.laid) see(l.card);
        for (int c = 1; c <= kDeckSize; ++c)
            if (!known[c]) m_pool.push_back(c);
    }

    std::vector<PlayChoice> run() {
        std::vector<PlayChoice> choices;
        std::array<int, kKeys> firstOfKey{};
        for (int c : m_view.hand) {
            const int key = rankKey(c);
            if (firstOfKey[key] != 0 || m_view.seq.count + countValue(c) > 31) continue;
            firstOfKey[key] = c;
            choices.push_back({c, 0.0, 0});
        }
        if (choices.empty()) return choices;

        SplitMix rng(positionSeed(m_view));
        World first = deal(rng);
        // Any deal holds as many cards for each seat, which is all the last card depends on.
        for (PlayChoice& ch : choices) ch.points = first.sim.pointsFor(rankKey(ch.card));
        if (choices.size() == 1) return choices;

        const int samples = std::max(1, m_limits.samples);
        for (int i = 0; i < samples; ++i) {
            const World w = i == 0 ? std::move(first) : deal(rng);
            m_world = &w;
            for (PlayChoice& ch : choices) {
                PlaySim child = w.sim;
                child.lay(rankKey(ch.card));
                ch.value += child.over() ? finalValue(child) : search(child, depthLimit(child));
            }
        }
        for (PlayChoice& ch : choices) ch.value /= samples;
        return choices;
    }

private:
    PlaySim makeSim(const std::array<std::vector<int>, kSeats + 1>& others) const {
        PlaySim sim(m_view.gameType, m_view.target, m_view.scores);
        for (int c : m_view.hand) sim.hold(m_view.seat, c);
        for (int seat = 1; seat <= m_seats; ++seat)
            for (int c : others[seat]) sim.hold(seat, c);
        sim.start(m_view.seq, m_view.seat, m_view.lastPlayer());
        return sim;
    }

    // The other seats' cards at random from the unseen ones, the most constrained seat first so
    // that every deal agreeing with the goes is as likely as any other; then the crib's unseen
    // cards from what is left.
    World deal(SplitMix& rng) const {
        std::vector<int> pool = m_pool;
        std::array<std::vector<int>, kSeats + 1> hands;
        std::vector<int> order;
        for (int seat = 1; seat <= m_seats; ++seat)
            if (seat != m_view.seat) order.push_back(seat);
        std::stable_sort(order.begin(), order.end(), [this](int a, int b) {
            return m_view.record.goBound[a] > m_view.record.goBound[b];
        });
        for (int seat : order) {
            const int bound = m_view.record.goBound[seat];
            for (int k = m_view.held(seat); k > 0; --k) {
                int eligible = 0;
                for (int c : pool) eligible += countValue(c) > bound;
                // A record no deal agrees with (it cannot come from the table) still gets a deal.
                const bool any = eligible == 0;
                int pick = rng.below(any ? static_cast<int>(pool.size()) : eligible);
                for (std::size_t i = 0; i < pool.size(); ++i) {
                    if (!any && countValue(pool[i]) <= bound) continue;
                    if (pick-- == 0) {
                        hands[seat].push_back(pool[i]);
                        pool[i] = pool.back();
                        pool.pop_back();
                        break;
                    }
                }
                if (pool.empty()) break;
            }
        }
        std::vector<int> crib = m_view.thrown;
        while (crib.size() < 4 && !pool.empty()) {
            const int i = rng.below(static_cast<int>(pool.size()));
            crib.push_back(pool[i]);
            pool[i] = pool.back();
            pool.pop_back();
        }

        World w{makeSim(hands), {}};
        const int starter = m_view.record.starter;
        for (int seat = 1; seat <= m_seats; ++seat) {
            std::vector<int> kept = seat == m_view.seat ? m_view.hand : hands[seat];
            for (const auto& l : m_view.record.laid)
                if (l.seat == seat) kept.push_back(l.card);
            w.show[seat] = showOf(kept, starter);
        }
        if (m_view.dealer >= 1 && m_view.dealer <= m_seats)
            w.show[m_view.dealer] += showOf(crib, starter);
        return w;
    }

    static int showOf(const std::vector<int>& four, int starter) {
        if (four.size() != 4 || !isCard(starter)) return 0;
        return scoreShow({four[0], four[1], four[2], four[3], starter}).total;
    }

    int depthLimit(const PlaySim& sim) const {
        int held = 0;
        for (int seat = 1; seat <= m_seats; ++seat) held += sim.held(seat);
        return held <= m_limits.fullDepthCards ? std::numeric_limits<int>::max()
                                               : std::max(1, m_limits.plies);
    }

    double pointsValue(const PlaySim& sim) const {
        const int mine = sim.sideOf(m_view.seat);
        double others = 0;
        for (int side = 1; side <= sim.sides(); ++side)
            if (side != mine) others += sim.gained(side);
        return sim.gained(mine) - m_opponentWeight * others;
    }

    double winValue(int side, const PlaySim& sim) const {
        return side == sim.sideOf(m_view.seat) ? kWinValue : -kWinValue;
    }

    // The end of the play: a win in it, else the show in counting order (from the seat after
    // the dealer, the crib with the dealer's hand) may end the game; else the points decide.
    double finalValue(const PlaySim& sim) const {
        if (sim.winner()) return winValue(sim.winner(), sim);
        if (!sim.over()) return pointsValue(sim);
        std::array<int, kSeats + 1> score{};
        for (int side = 1; side <= sim.sides(); ++side) score[side] = sim.score(side);
        for (int i = 1; i <= kSeats; ++i) {
            const int seat = (m_view.dealer + i - 1) % kSeats + 1;
            if (seat > m_seats) continue;
            const int side = sim.sideOf(seat);
            score[side] += m_world->show[seat];
            if (score[side] > sim.target()) return winValue(side, sim);
        }
        if (m_byChance) {
            const int mine = sim.sideOf(m_view.seat), other = mine == 1 ? 2 : 1;
            const double chance =
                winChance(sim.target() + 1 - score[mine], sim.target() + 1 - score[other],
                          m_view.dealer != m_view.seat);
            return kWinValue * (2 * chance - 1);
        }
        return pointsValue(sim);
    }

    double search(const PlaySim& sim, int depth) {
        return alphaBeta(sim, depth, -std::numeric_limits<double>::infinity(),
                         std::numeric_limits<double>::infinity());
    }

    double alphaBeta(const PlaySim& sim, int depth, double alpha, double beta) {
        const int seat = sim.toPlay();
        const bool mine = sim.sideOf(seat) == sim.sideOf(m_view.seat);
        // The cards that score most at once first: the cut-offs come sooner.
        std::array<std::pair<int, int>, kKeys> moves;
        int n = 0;
        for (unsigned keys = sim.layable(); keys != 0; keys &= keys - 1) {
            const int key = std::countr_zero(keys);
            moves[n++] = {sim.pointsFor(key), key};
        }
        if (n == 0) return finalValue(sim); // the table never offers the turn to such a seat
        std::sort(moves.begin(), moves.begin() + n, std::greater<>());
        double best = mine ? -std::numeric_limits<double>::infinity()
                           : std::numeric_limits<double>::infinity();
        for (int i = 0; i < n; ++i) {
            PlaySim child = sim;
            child.lay(moves[i].second);
            const double v = child.over() || depth <= 1 ? finalValue(child)
                                                        : alphaBeta(child, depth - 1, alpha, beta);
            if (mine) {
                best = std::max(best, v);
                alpha = std::max(alpha, v);
            } else {
                best = std::min(best, v);
                beta = std::min(beta, v);
            }
            if (alpha >= beta) break;
        }
        return best;
    }

    const SeatView& m_view;
    SearchLimits m_limits;
    int m_seats = 2;
    double m_opponentWeight = 1.0;
    bool m_byChance = false;
    std::vector<int> m_pool;
    const World* m_world = nullptr;
};

} // namespace

std::vector<PlayChoice> searchPlay(const SeatView& view, const SearchLimits& limits) {
    if (!validGameType(view.gameType) || view.seat < 1 || view.seat > seatsInPlay(view.gameType))
        return {};
    return Search(view, limits).run();
}

} // namespace rules
