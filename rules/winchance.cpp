// The chance to win a two-player game, worked out backwards from the end over what a deal brings.
//
// A deal is the play's pegging for both sides, then the pone's show, then the dealer's hand and
// crib; a side that reaches its need in that order wins there (when both peg out in the play the
// chance is taken as even). The points of each part are taken from how the Expert scores against
// itself, in 23,311 deals measured with `expert_games --mode self --games 3000 --seed 5
// --histograms`: close to strong human play, pone 2.3 + 8.2, dealer 3.6 + 13.0 a deal.
#include "rules/winchance.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace rules {

namespace {

// Deals in which each side scored 0, 1, 2, ... points in that part.
constexpr std::array kPonePegging = {4361, 6060, 4346, 3815, 1787, 740, 819, 578, 370,
                                     213,  115,  42,   16,   11,   12,  21,  3,   2};
// With his heels.
constexpr std::array kDealerPegging = {0,   4568, 3207, 5395, 3383, 2812, 1471, 1059,
                                       532, 367,  235,  107,  65,   26,   12,   38,
                                       9,   11,   3,    4,    1,    4,    1,    1};
constexpr std::array kPoneShow = {64,   21,  972,  354, 2674, 818, 3509, 1771, 4452, 1530,
                                  2004, 466, 2291, 235, 852,  114, 734,  163,  46,   0,
                                  124,  38,  6,    3,   69,   0,   0,    0,    1};
// The dealer's hand and crib together.
constexpr std::array kDealerShow = {0,    0,    83,   23,   406,  213,  975,  555, 1726, 1160,
                                    2546, 1474, 2512, 1400, 2368, 1249, 1869, 780, 1311, 544,
                                    749,  318,  369,  142,  213,  62,   96,   42,  60,   17,
                                    22,   7,    10,   3,    5,    1,    0,    0,   1};
// Mean crib in those deals.
constexpr double kUsualCrib = 4.88;

constexpr int kMaxNeed = 121;
constexpr int kSide = kMaxNeed + 1;

template <std::size_t N> std::vector<double> chances(const std::array<int, N>& counts) {
    const double total = std::accumulate(counts.begin(), counts.end(), 0.0);
    std::vector<double> p;
    for (int c : counts) p.push_back(c / total);
    return p;
}

struct Parts {
    std::vector<double> ponePegging = chances(kPonePegging);
    std::vector<double> dealerPegging = chances(kDealerPegging);
    std::vector<double> poneShow = chances(kPoneShow);
    std::vector<double> dealerShow = chances(kDealerShow);
    const std::vector<double>& pegging(bool dealer) const {
        return dealer ? dealerPegging : ponePegging;
    }
    const std::vector<double>& show(bool dealer) const { return dealer ? dealerShow : poneShow; }
};

const Parts& parts() {
    static const Parts p;
    return p;
}

int at(int a, int b) {
    return a * kSide + b;
}

// The chance after the play, both sides short of their needs (a, b), with their shows to come
// in order (the pone's first) and `next(a', b')` the chance from the next deal.
template <typename Next>
double afterPlay(int a, int b, bool dealing, const std::vector<double>& own,
                 const std::vector<double>& other, Next&& next) {
    double sum = 0;
    if (dealing) {
        for (int o = 0; o < static_cast<int>(other.size()) && o < b; ++o) {
            if (other[o] == 0) continue;
            double mine = 0;
            for (int m = 0; m < static_cast<int>(own.size()); ++m)
                mine += own[m] * (m >= a ? 1.0 : next(a - m, b - o));
            sum += other[o] * mine;
        }
    } else {
        for (int m = 0; m < static_cast<int>(own.size()); ++m) {
            if (own[m] == 0) continue;
            if (m >= a) {
                sum += own[m];
                continue;
            }
            double theirs = 0;
            for (int o = 0; o < static_cast<int>(other.size()) && o < b; ++o)
                theirs += other[o] * next(a - m, b - o);
            sum += own[m] * theirs;
        }
    }
    return sum;
}

// The chance over the play's pegging of both sides, `after(a', b')` once neither is out.
template <typename After>
double overPegging(int a, int b, bool dealing, After&& after, bool skipBothNone = false) {
    const Parts& p = parts();
    const auto& mine = p.pegging(dealing);
    const auto& theirs = p.pegging(!dealing);
    double sum = 0;
    for (int x = 0; x < static_cast<int>(mine.size()); ++x) {
        if (mine[x] == 0) continue;
        for (int y = 0; y < static_cast<int>(theirs.size()); ++y) {
            if (theirs[y] == 0 || (skipBothNone && x == 0 && y == 0)) continue;
            const double w = mine[x] * theirs[y];
            if (x >= a && y >= b)
                sum += w * 0.5;
            else if (x >= a)
                sum += w;
            else if (y < b)
                sum += w * after(a - x, b - y);
        }
    }
    return sum;
}

// win[k][at(a, b)]: the chance from the start of a deal the seat deals (k = 1) or not (k = 0).
struct Table {
    std::array<std::vector<double>, 2> win;
    std::array<std::vector<double>, 2> afterPlayed;
    Table() {
        const Parts& p = parts();
        for (int k = 0; k < 2; ++k) {
            win[k].assign(kSide * kSide, 0.0);
            afterPlayed[k].assign(kSide * kSide, 0.0);
        }
        // Every part may be 0, so a state leads back to itself with the deal passed on: the two
        // roles of one state are solved together.
        for (int a = 1; a <= kMaxNeed; ++a) {
            for (int b = 1; b <= kMaxNeed; ++b) {
                double q[2], s[2], c[2], stay[2];
                for (int k = 0; k < 2; ++k) {
                    const bool dealing = k == 1;
                    const auto& next = win[1 - k];
                    const auto& own = p.show(dealing);
                    const auto& other = p.show(!dealing);
                    // The shows of both worth nothing lead back to (a, b): kept apart.
                    s[k] = own[0] * other[0];
                    q[k] = afterPlay(a, b, dealing, own, other, [&](int a2, int b2) {
                        return a2 == a && b2 == b ? 0.0 : next[at(a2, b2)];
                    });
                    c[k] = overPegging(
                        a, b, dealing, [&](int a2, int b2) { return afterPlayed[k][at(a2, b2)]; },
                        true);
                    stay[k] = p.pegging(dealing)[0] * p.pegging(!dealing)[0];
                }
                // win_k = c_k + stay_k * (q_k + s_k * win_!k)
                const double a1 = c[1] + stay[1] * q[1], b1 = stay[1] * s[1];
                const double a0 = c[0] + stay[0] * q[0], b0 = stay[0] * s[0];
                const double w1 = (a1 + b1 * a0) / (1 - b1 * b0);
                const double w0 = a0 + b0 * w1;
                win[1][at(a, b)] = w1;
                win[0][at(a, b)] = w0;
                afterPlayed[1][at(a, b)] = q[1] + s[1] * w0;
                afterPlayed[0][at(a, b)] = q[0] + s[0] * w1;
            }
        }
    }
};

const Table& table() {
    static const Table t;
    return t;
}

} // namespace

double winChance(int need, int oppNeed, bool dealing) {
    if (need <= 0) return 1.0;
    if (oppNeed <= 0) return 0.0;
    return table().win[dealing ? 1 : 0][at(std::min(need, kMaxNeed), std::min(oppNeed, kMaxNeed))];
}

std::vector<double> shiftedPoints(const std::vector<double>& values, double shift) {
    std::vector<double> out(values.size() + static_cast<std::size_t>(std::max(0.0, shift)) + 2, 0);
    const double whole = std::floor(shift);
    const double part = shift - whole;
    for (int i = 0; i < static_cast<int>(values.size()); ++i) {
        const int low = std::max(0, i + static_cast<int>(whole));
        const int high = std::max(0, i + static_cast<int>(whole) + 1);
        out[low] += values[i] * (1 - part);
        out[high] += values[i] * part;
    }
    while (!out.empty() && out.back() == 0) out.pop_back();
    return out;
}

DealChance::DealChance(int need, int oppNeed, bool dealing)
    : m_need(need), m_oppNeed(oppNeed), m_dealing(dealing) {}

double DealChance::usualCrib() {
    return kUsualCrib;
}

double DealChance::chance(const std::vector<double>& ownShow, double opponentShowShift) {
    if (m_need <= 0) return 1.0;
    if (m_oppNeed <= 0) return 0.0;
    const int need = std::min(m_need, kMaxNeed), oppNeed = std::min(m_oppNeed, kMaxNeed);
    const auto& next = table().win[m_dealing ? 0 : 1];
    const std::vector<double> other =
        shiftedPoints(parts().show(!m_dealing), m_dealing ? 0.0 : opponentShowShift);
    // With the seat short by a' after its own show and the opponent short by b1 before its show:
    // the opponent's show, then the next deal. The same (a', b1) comes up under many peggings.
    std::vector<double> opponentThenNext(static_cast<std::size_t>(kSide * kSide), -1.0);
    auto theirs = [&](int a2, int b1) {
        double& v = opponentThenNext[at(a2, b1)];
        if (v < 0) {
            v = 0;
            for (int o = 0; o < static_cast<int>(other.size()) && o < b1; ++o)
                v += other[o] * next[at(a2, b1 - o)];
        }
        return v;
    };
    double shortOfNeed[kSide] = {}; // the chance the opponent's show stays short of b1
    for (int b1 = 1; b1 <= oppNeed; ++b1) {
        for (int o = 0; o < static_cast<int>(other.size()) && o < b1; ++o)
            shortOfNeed[b1] += other[o];
    }
    return overPegging(need, oppNeed, m_dealing, [&](int a1, int b1) {
        // The order of the shows does not matter to the sum once the seat's win is counted only
        // where the opponent has not reached its need first.
        double sum = 0;
        for (int m = 0; m < static_cast<int>(ownShow.size()); ++m) {
            if (ownShow[m] == 0) continue;
            if (m >= a1)
                sum += ownShow[m] * (m_dealing ? shortOfNeed[b1] : 1.0);
            else
                sum += ownShow[m] * theirs(a1 - m, b1);
        }
        return sum;
    });
}

} // namespace rules
