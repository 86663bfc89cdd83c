// Card names, hand lines and the hand counter's output formats.
#include "tools/handparse.h"

#include "rules/cards.h"

#include <algorithm>
#include <cstdio>
#include <istream>
#include <ostream>

namespace handparse {

namespace {

constexpr std::string_view kRanks = "A23456789TJQK";
constexpr std::string_view kSuits = "CDHS";
// Enough of a bad token to recognise it; a whole line of garbage helps nobody.
constexpr std::size_t kQuotedLimit = 24;

char upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == ',';
}

// Input may hold anything; only printable ASCII is echoed back so messages cannot carry
// terminal control sequences.
std::string quoted(std::string_view token) {
    std::string out = "\"";
    for (std::size_t i = 0; i < token.size() && i < kQuotedLimit; ++i) {
        const unsigned char c = static_cast<unsigned char>(token[i]);
        out += (c >= 0x20 && c < 0x7f) ? static_cast<char>(c) : '?';
    }
    if (token.size() > kQuotedLimit) out += "...";
    out += '"';
    return out;
}

std::string padded(int value, std::size_t width) {
    std::string text = std::to_string(value);
    return std::string(text.size() < width ? width - text.size() : 0, ' ') + text;
}

} // namespace

std::optional<int> parseCard(std::string_view token) {
    if (token.empty() || token.size() > 3) return std::nullopt;

    bool allDigits = true;
    for (char c : token) allDigits = allDigits && c >= '0' && c <= '9';
    if (allDigits) {
        int code = 0;
        for (char c : token) code = code * 10 + (c - '0');
        if (token[0] == '0' || !rules::isCard(code)) return std::nullopt;
        return code;
    }

    const std::size_t suitPos = kSuits.find(upper(token.back()));
    if (suitPos == std::string_view::npos) return std::nullopt;
    const std::string_view rank = token.substr(0, token.size() - 1);
    int rankNumber = 0;
    if (rank == "10") {
        rankNumber = 10;
    } else if (rank.size() == 1) {
        const std::size_t r = kRanks.find(upper(rank[0]));
        if (r == std::string_view::npos) return std::nullopt;
        rankNumber = static_cast<int>(r) + 1;
    } else {
        return std::nullopt;
    }
    return rules::makeCard(rankNumber, static_cast<int>(suitPos) + 1);
}

std::string cardName(int card) {
    if (!rules::isCard(card)) return "??";
    const int rank = rules::runRank(card);
    return {kRanks[rank - 1], kSuits[rules::suitOf(card) - 1]};
}

std::vector<std::string_view> splitTokens(std::string_view line) {
    std::vector<std::string_view> tokens;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && isBlank(line[i])) ++i;
        const std::size_t start = i;
        while (i < line.size() && !isBlank(line[i])) ++i;
        if (i > start) tokens.push_back(line.substr(start, i - start));
    }
    return tokens;
}

ParsedHand parseHand(const std::vector<std::string_view>& tokens) {
    ParsedHand hand;
    // A word that is no card says more about a bad line than the number of words does.
    std::vector<int> cards;
    for (std::string_view token : tokens) {
        const auto card = parseCard(token);
        if (!card) {
            hand.error = "unknown card " + quoted(token);
            return hand;
        }
        cards.push_back(*card);
    }
    if (cards.size() != hand.cards.size()) {
        hand.error = "expected 5 cards (four and the starter), got " + std::to_string(cards.size());
        return hand;
    }
    for (std::size_t i = 0; i < cards.size(); ++i) {
        for (std::size_t j = 0; j < i; ++j) {
            if (cards[j] == cards[i]) {
                hand.error = "card " + cardName(cards[i]) + " given twice";
                return hand;
            }
        }
        hand.cards[i] = cards[i];
    }
    return hand;
}

ParsedDeal parseDeal(const std::vector<std::string_view>& tokens, std::size_t count) {
    ParsedDeal deal;
    for (std::string_view token : tokens) {
        const auto card = parseCard(token);
        if (!card) {
            deal.error = "unknown card " + quoted(token);
            return deal;
        }
        if (std::find(deal.cards.begin(), deal.cards.end(), *card) != deal.cards.end()) {
            deal.error = "card " + cardName(*card) + " given twice";
            return deal;
        }
        deal.cards.push_back(*card);
    }
    if (deal.cards.size() != count)
        deal.error = "expected " + std::to_string(count) + " cards, got " +
                     std::to_string(deal.cards.size());
    return deal;
}

std::string formatKeep(const rules::KeepValue& k) {
    std::string out = "keep";
    for (int c : k.keep) out += ' ' + cardName(c);
    out += " throw";
    for (int c : k.thrown)
        if (c != rules::kNoCard) out += ' ' + cardName(c);
    char values[96];
    std::snprintf(values, sizeof values, " hand %.4f crib %.4f net %.4f", k.hand, k.crib, k.net);
    return out + values;
}

ParsedHand parseHandLine(std::string_view line) {
    return parseHand(splitTokens(line));
}

std::string formatScoreLine(const rules::ShowScore& s) {
    return std::to_string(s.fifteens) + ' ' + std::to_string(s.pairs) + ' ' +
           std::to_string(s.runs) + ' ' + std::to_string(s.flush) + ' ' + std::to_string(s.nob) +
           ' ' + std::to_string(s.total);
}

std::string formatBreakdown(const rules::ShowCards& cards, const rules::ShowScore& s, bool crib) {
    std::string out = crib ? "crib " : "hand ";
    for (int i = 0; i < 4; ++i) out += cardName(cards[i]) + ' ';
    out += " starter " + cardName(cards[4]) + '\n';
    const std::pair<const char*, int> rows[] = {{"fifteens", s.fifteens}, {"pairs", s.pairs},
                                                {"runs", s.runs},         {"flush", s.flush},
                                                {"nob", s.nob},           {"total", s.total}};
    for (const auto& [label, value] : rows) {
        const std::string name = label;
        out += name + std::string(9 - name.size(), ' ') + padded(value, 2) + '\n';
    }
    return out;
}

int countLines(std::istream& in, std::ostream& out, std::ostream& err, std::string_view program) {
    int bad = 0;
    std::string line;
    for (long lineNumber = 1; std::getline(in, line); ++lineNumber) {
        const auto tokens = splitTokens(line);
        if (tokens.empty()) {
            out << '\n';
            continue;
        }
        const ParsedHand hand = parseHand(tokens);
        if (!hand.ok()) {
            ++bad;
            err << program << ": line " << lineNumber << ": " << hand.error << '\n';
            out << '\n';
            continue;
        }
        out << formatScoreLine(rules::scoreShow(hand.cards)) << '\n';
    }
    return bad;
}

} // namespace handparse
