// cribbage-count: the show breakdown of hands given on the command line or one per input line.
#include "tools/handparse.h"

#include <iostream>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::string_view kProgram = "cribbage-count";

void printUsage(std::ostream& out) {
    out << "usage: cribbage-count [--crib] CARD CARD CARD CARD STARTER\n"
           "       cribbage-count < hands.txt\n"
           "\n"
           "Cards are a rank A 2-9 T (or 10) J Q K and a suit C D H S (5H, td, 10S),\n"
           "or card codes 1 to 52. The last card is the starter.\n"
           "Without cards, reads one hand per line and prints for each\n"
           "  fifteens pairs runs flush nob total\n"
           "and an empty line for a blank or bad line. --crib only labels the breakdown:\n"
           "a crib is counted by the same rules as a hand.\n";
}

} // namespace

int main(int argc, char** argv) {
    bool crib = false;
    std::vector<std::string_view> tokens;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--crib") {
            crib = true;
        } else if (arg == "--help" || arg == "-h") {
            printUsage(std::cout);
            return 0;
        } else if (arg.size() > 1 && arg[0] == '-') {
            std::cerr << kProgram << ": unknown option " << arg << "\n";
            printUsage(std::cerr);
            return 2;
        } else {
            // One argument may also hold a whole hand ("5H 5D 5S JC 5C").
            for (auto token : handparse::splitTokens(arg)) tokens.push_back(token);
        }
    }

    if (tokens.empty()) {
        std::ios::sync_with_stdio(false);
        return handparse::countLines(std::cin, std::cout, std::cerr, kProgram) == 0 ? 0 : 1;
    }

    const handparse::ParsedHand hand = handparse::parseHand(tokens);
    if (!hand.ok()) {
        std::cerr << kProgram << ": " << hand.error << "\n";
        return 1;
    }
    std::cout << handparse::formatBreakdown(hand.cards, rules::scoreShow(hand.cards), crib);
    return 0;
}
