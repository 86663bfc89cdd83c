// Fuzzes the hand counter's line parser and the counting loop around it.
#include "tools/handparse.h"

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>

namespace {

void check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "fuzz_handparse: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    // A single line as the parser sees it: a good hand must survive being written back out.
    const auto hand = handparse::parseHandLine(text);
    if (hand.ok()) {
        std::string line;
        for (int card : hand.cards) line += handparse::cardName(card) + ' ';
        const auto again = handparse::parseHandLine(line);
        check(again.ok() && again.cards == hand.cards, "a good hand does not read back");
        const auto score = rules::scoreShow(hand.cards);
        check(score.total >= 0 && score.total <= 29, "a hand scores outside 0..29");
        (void)handparse::formatBreakdown(hand.cards, score, true);
    }

    // The whole counter: exactly one output line per input line, whatever the lines hold.
    std::istringstream in{std::string(text)};
    std::ostringstream out;
    std::ostringstream err;
    const int bad = handparse::countLines(in, out, err, "cribbage-count");
    std::size_t lines = 0;
    for (std::size_t i = 0; i < size; ++i) lines += text[i] == '\n';
    if (size && text.back() != '\n') ++lines;
    std::size_t outLines = 0;
    for (char c : out.str()) outLines += c == '\n';
    check(outLines == lines, "output lines do not stay beside their input lines");
    check(bad >= 0 && std::size_t(bad) <= lines, "more bad lines than lines");
    return 0;
}
