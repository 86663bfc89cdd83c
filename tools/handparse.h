// Reading hands written as card names or codes, and the hand counter's text around the scores.
#pragma once

#include "rules/deal.h"
#include "rules/discard.h"
#include "rules/scoring.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace handparse {

// A card name, rank A 2-9 T (or 10) J Q K then suit C D H S (suits 1 to 4), in any case, or a
// plain card code 1 to 52. Empty when the token is neither.
std::optional<int> parseCard(std::string_view token);
// The short name of a card code ("5H", "TD"); "??" for anything that is not a card.
std::string cardName(int card);

// Cards separated by blanks or commas.
std::vector<std::string_view> splitTokens(std::string_view line);

struct ParsedHand {
    rules::ShowCards cards{}; // four kept cards, then the starter
    std::string error;        // why the hand was refused; empty when it is good
    bool ok() const { return error.empty(); }
};
// Exactly five different cards, the last being the starter.
ParsedHand parseHand(const std::vector<std::string_view>& tokens);
ParsedHand parseHandLine(std::string_view line);

// Exactly `count` different cards, as dealt.
struct ParsedDeal {
    std::vector<int> cards;
    std::string error; // why the cards were refused; empty when they are good
    bool ok() const { return error.empty(); }
};
ParsedDeal parseDeal(const std::vector<std::string_view>& tokens, std::size_t count);

// "keep C C C C throw C C hand H crib K net N", values to four decimals.
std::string formatKeep(const rules::KeepValue& keep);

// One line of numbers: "fifteens pairs runs flush nob total".
std::string formatScoreLine(const rules::ShowScore& score);
// The labelled breakdown of one hand (or crib), a line per category.
std::string formatBreakdown(const rules::ShowCards& cards, const rules::ShowScore& score,
                            bool crib);

// Counts one hand per line of `in`: a score line on `out` for each good line, an empty line for
// a blank or bad one (so output lines stay beside their input lines), and for each bad line a
// message naming it on `err`, prefixed by `program`. Returns the number of bad lines.
int countLines(std::istream& in, std::ostream& out, std::ostream& err, std::string_view program);

} // namespace handparse
