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

} // namespace

ExpertKeep expertKeep(const SeatView& view) {
    const bool own = view.ownsCrib();
    const std::vector<KeepValue> keeps =
        analyseDiscard(view.hand, view.gameType, own ? CribSide::Own : CribSide::Opponent);
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
