// The expert's giving and its card in the play.
#include "rules/expert.h"

#include "rules/cards.h"
#include "rules/winchance.h"

#include <algorithm>

namespace rules {

namespace {

// At a table of three or four, within this many points of the win the chance of getting there
// this deal joins the mean.
constexpr int kEndgameNeed = 30;
// A certain reach is worth this many points of mean: most of a game's worth near its end.
constexpr double kReachWeight = 30.0;
// What the play usually brings one seat at a table of three or four.
constexpr double kUsualPegging = 2.0;

// An opponent's crib hurts one opponent only: at a table of several it weighs that much less.
double cribWeight(const SeatView& view) {
    if (view.ownsCrib() || view.gameType == 1 || view.gameType == 4) return 1.0;
    return 1.0 / (seatsInPlay(view.gameType) - 1);
}

// How often the Expert gave each pair of rank keys (0 King, 1 Ace .. 12 Queen; the lower first)
// to the crib against itself, as the pone and as the dealer, in 23,311 deals (measured with
// `expert_games --mode self --games 3000 --seed 5 --throws` while the Expert still took the
// opponent's two cards alike): the pone keeps its fives and gives cards far apart, the dealer
// gives fives, pairs and neighbours.
constexpr std::array<std::array<int, 13>, 13> kPoneGives = {{
    {84, 247, 547, 491, 404, 23, 506, 733, 726, 673, 1113, 393, 255},
    {0, 70, 441, 235, 139, 42, 264, 430, 500, 475, 515, 409, 264},
    {0, 0, 77, 69, 258, 39, 317, 480, 631, 554, 408, 292, 434},
    {0, 0, 0, 48, 127, 28, 369, 323, 452, 484, 322, 252, 407},
    {0, 0, 0, 0, 52, 14, 98, 343, 281, 283, 303, 207, 330},
    {0, 0, 0, 0, 0, 6, 10, 20, 35, 61, 31, 17, 24},
    {0, 0, 0, 0, 0, 0, 42, 171, 338, 186, 517, 220, 362},
    {0, 0, 0, 0, 0, 0, 0, 55, 110, 506, 690, 324, 542},
    {0, 0, 0, 0, 0, 0, 0, 0, 110, 307, 246, 399, 598},
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 92, 143, 229, 589},
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 67, 171, 511},
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 44, 199},
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 64},
}};
constexpr std::array<std::array<int, 13>, 13> kDealerGives = {{
    {294, 449, 175, 214, 200, 419, 108, 116, 88, 119, 212, 436, 658},
    {0, 266, 404, 419, 307, 120, 167, 199, 226, 157, 133, 150, 323},
    {0, 0, 325, 759, 476, 141, 251, 384, 297, 232, 176, 153, 186},
    {0, 0, 0, 273, 625, 175, 235, 280, 246, 181, 166, 139, 167},
    {0, 0, 0, 0, 289, 202, 216, 187, 130, 112, 141, 125, 170},
    {0, 0, 0, 0, 0, 224, 275, 259, 190, 160, 322, 465, 441},
    {0, 0, 0, 0, 0, 0, 337, 771, 641, 677, 161, 135, 95},
    {0, 0, 0, 0, 0, 0, 0, 369, 1095, 551, 182, 161, 123},
    {0, 0, 0, 0, 0, 0, 0, 0, 396, 612, 332, 133, 101},
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 314, 422, 228, 113},
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 229, 605, 330},
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 221, 586},
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 243},
}};

// Each pair's share against the share of two cards drawn at random (16 pairs of cards for two
// ranks, 6 for one), one deal added to each so no pair is ruled out.
ThrowWeights weightsOf(const std::array<std::array<int, 13>, 13>& given) {
    ThrowWeights w{};
    for (int x = 0; x < 13; ++x)
        for (int y = x; y < 13; ++y) w[x][y] = (given[x][y] + 1.0) / (x == y ? 6.0 : 16.0);
    return w;
}

} // namespace

ExpertKeep expertKeep(const SeatView& view) {
    const bool own = view.ownsCrib();
    const CribSide side = own ? CribSide::Own : CribSide::Opponent;
    std::vector<KeepValue> keeps;
    if (view.gameType == 1) {
        // The opponent gives as a player who knows the game: the pone into our crib, the dealer
        // into his own.
        static const ThrowWeights pone = weightsOf(kPoneGives);
        static const ThrowWeights dealer = weightsOf(kDealerGives);
        keeps = analyseDiscard(view.hand, side, own ? pone : dealer);
    } else {
        keeps = analyseDiscard(view.hand, view.gameType, side);
    }
    if (keeps.empty()) return {};
    const int seat = std::clamp(view.seat, 1, kSeats);
    const int need = view.target + 1 - view.scores[seat];
    const double weight = cribWeight(view);

    // Two players: the keep that leaves the best chance to win, the hand's whole spread of points
    // counted and the crib's mean on the side it goes to. Far from the target that is the keep
    // of the best net; near it a seat that needs a few points keeps what surely gets them.
    if (view.gameType == 1) {
        const int oppNeed = view.target + 1 - view.scores[seat == 1 ? 2 : 1];
        const bool dealing = view.dealer == seat;
        DealChance chance(need, oppNeed, dealing);
        ExpertKeep best;
        for (const KeepValue& k : keeps) {
            std::vector<double> show;
            for (int n : k.handCounts) show.push_back(double(n) / k.starters);
            if (dealing) show = shiftedPoints(show, k.crib);
            const double c = chance.chance(show, dealing ? 0.0 : k.crib - DealChance::usualCrib());
            // Keeps of equal chance (a game already safe or lost) go by their points.
            const double value = kWinValue * (2 * c - 1) + 1e-3 * k.net;
            if (best.keep.starters == 0 || value > best.value) best = {k, value};
        }
        return best;
    }

    ExpertKeep best;
    bool first = true;
    for (const KeepValue& k : keeps) {
        double value = k.hand + (own ? k.crib : -weight * k.crib);
        if (need <= kEndgameNeed && k.starters > 0) {
            int reach = 0;
            for (int score = 0; score < static_cast<int>(k.handCounts.size()); ++score) {
                if (score + (own ? k.crib : 0.0) + kUsualPegging >= need)
                    reach += k.handCounts[score];
            }
            value += kReachWeight * reach / k.starters;
        }
        if (first || value > best.value) best = {k, value};
        first = false;
    }
    return best;
}

std::vector<int> expertThrow(const SeatView& view) {
    const ExpertKeep best = expertKeep(view);
    std::vector<int> thrown;
    for (int c : best.keep.thrown)
        if (isCard(c)) thrown.push_back(c);
    return thrown;
}

SearchLimits expertLimits(int gameType) {
    SearchLimits limits;
    if (gameType == 1) {
        limits.samples = 64;
        limits.fullDepthCards = 8;
    } else {
        // Three or four hands of four make a tree too wide to search whole from the first card:
        // five cards ahead there, the whole rest from eight cards left.
        limits.samples = 32;
        limits.fullDepthCards = 8;
        limits.plies = 5;
    }
    return limits;
}

int expertPlay(const SeatView& view) {
    const std::vector<PlayChoice> choices = searchPlay(view, expertLimits(view.gameType));
    if (choices.empty()) return kNoCard;
    const PlayChoice* best = &choices.front();
    for (const PlayChoice& c : choices) {
        // Equal values go to the card that scores more now, then to the first in the hand.
        if (c.value > best->value || (c.value == best->value && c.points > best->points)) best = &c;
    }
    return best->card;
}

} // namespace rules
