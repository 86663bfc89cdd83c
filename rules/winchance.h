// The chance to win a two-player game from the points each side still needs, for decisions near
// the end of a game.
#pragma once

#include <array>
#include <vector>

namespace rules {

// The chance that a seat needing `need` points (the target + 1 less its score) wins against an
// opponent needing `oppNeed`, from the start of a deal the seat deals or not. Needs below 1 are
// a game already decided.
double winChance(int need, int oppNeed, bool dealing);

// The chance to win from the giving of a deal whose own show is known better than usual: the
// seat's show (its hand, and the crib when it deals) as points with their chances, and the
// points the crib adds to the opponent's show beyond the usual when the opponent deals.
class DealChance {
public:
    DealChance(int need, int oppNeed, bool dealing);
    // ownShow[p]: the chance the seat's show counts p points (the chances sum to 1).
    double chance(const std::vector<double>& ownShow, double opponentShowShift = 0.0);
    // The usual crib of a two-player deal, for the shift.
    static double usualCrib();

private:
    int m_need;
    int m_oppNeed;
    bool m_dealing;
};

// `values` with `shift` points added, a fraction split between the two nearest counts; nothing
// goes below 0.
std::vector<double> shiftedPoints(const std::vector<double>& values, double shift);

} // namespace rules
