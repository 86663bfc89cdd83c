// The hints: the analysis for the giving, the Expert's card and its reason for the play.
#include "rules/hint.h"

#include "rules/cards.h"
#include "rules/expert.h"

#include <algorithm>

namespace rules {

namespace {

std::string pairsOrRunWords(const ExtraScore& extra) {
    switch (extra.kind) {
    case 1:
        return "four of a kind for 12";
    case 2:
        return "three of a kind for 6";
    case 3:
        return "a pair for 2";
    default:
        break;
    }
    if (extra.kind >= 4) {
        const std::string length = std::to_string(extra.points);
        return "a run of " + length + " for " + length;
    }
    return {};
}

void join(std::string& text, const std::string& part) {
    if (part.empty()) return;
    text += text.empty() ? part : " and " + part;
}

} // namespace

std::vector<KeepValue> discardHint(const SeatView& view) {
    return analyseDiscard(view.hand, view.gameType,
                          view.ownsCrib() ? CribSide::Own : CribSide::Opponent);
}

std::string playReason(const SeatView& view, int card) {
    if (!isCard(card) || view.seq.count + countValue(card) > 31) return "go";
    PlaySequence after = view.seq;
    after.push(card);
    const ExtraScore extra = givescoreforextra(after);
    after.addToCount(card);

    std::string text;
    int points = extra.points;
    if (after.count == 15) {
        join(text, "15 for 2");
        points += kPointsFifteen;
    }
    if (after.count == 31) {
        join(text, "31 for 2");
        points += kPointsThirtyOne;
    }
    join(text, pairsOrRunWords(extra));
    int held = 0;
    for (int seat = 1; seat <= seatsInPlay(view.gameType); ++seat) held += view.held(seat);
    if (after.count != 31 && held == 1) {
        join(text, "the last card for 1");
        points += kPointsLastCard;
    }
    if (points > 0) {
        const int seat = std::clamp(view.seat, 1, kSeats);
        if (view.scores[seat] + points > view.target) text += " to win the game";
        return text;
    }

    // Nothing now: say why the card gives little away.
    if (view.seq.n == 0) {
        if (countValue(card) <= 4) return "a safe lead: no 5 or 10 to answer";
        return "the lead that gives the least away";
    }
    const int toFifteen = 15 - after.count, toThirtyOne = 31 - after.count;
    const bool answerable =
        (toFifteen >= 1 && toFifteen <= 10) || (toThirtyOne >= 1 && toThirtyOne <= 10);
    if (!answerable) return "no 15 or 31 to answer";
    return "the card that gives the least away";
}

PlayHint playHint(const SeatView& view) {
    const int card = expertPlay(view);
    if (!isCard(card)) return {kNoCard, "go"};
    return {card, playReason(view, card)};
}

} // namespace rules
