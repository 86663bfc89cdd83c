// cribbage-count: the show breakdown of hands given on the command line or one per input line,
// and the value of every keep of a two-player deal.
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
           "       cribbage-count --discard --dealer|--pone CARD CARD CARD CARD CARD CARD\n"
           "\n"
           "Cards are a rank A 2-9 T (or 10) J Q K and a suit C D H S (5H, td, 10S),\n"
           "or card codes 1 to 52. The last card is the starter.\n"
           "Without cards, reads one hand per line and prints for each\n"
           "  fifteens pairs runs flush nob total\n"
           "and an empty line for a blank or bad line. --crib only labels the breakdown:\n"
           "a crib is counted by the same rules as a hand.\n"
           "\n"
           "--discard values the 15 ways to keep four of six dealt cards in the two-player\n"
           "game, best first, one a line:\n"
           "  keep C C C C throw C C hand H crib K net N\n"
           "hand and crib are exact means over every starter and every pair the opponent may\n"
           "give; net is hand + crib for the dealer (--dealer), hand - crib for the pone.\n";
}

int usageError(std::string_view message) {
    std::cerr << kProgram << ": " << message << "\n";
    printUsage(std::cerr);
    return 2;
}

int printDiscard(const std::vector<std::string_view>& tokens, rules::CribSide side) {
    const handparse::ParsedDeal deal = handparse::parseDeal(tokens, 6);
    if (!deal.ok()) {
        std::cerr << kProgram << ": " << deal.error << "\n";
        return 1;
    }
    for (const rules::KeepValue& k : rules::analyseDiscard(deal.cards, 1, side))
        std::cout << handparse::formatKeep(k) << '\n';
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    bool crib = false;
    bool discard = false;
    int dealer = 0, pone = 0;
    std::vector<std::string_view> tokens;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--crib") {
            crib = true;
        } else if (arg == "--discard") {
            discard = true;
        } else if (arg == "--dealer") {
            ++dealer;
        } else if (arg == "--pone") {
            ++pone;
        } else if (arg == "--help" || arg == "-h") {
            printUsage(std::cout);
            return 0;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return usageError("unknown option " + std::string(arg));
        } else {
            // One argument may also hold a whole hand ("5H 5D 5S JC 5C").
            for (auto token : handparse::splitTokens(arg)) tokens.push_back(token);
        }
    }

    if (discard) {
        if (crib) return usageError("--crib does not go with --discard");
        if (dealer + pone != 1) return usageError("--discard needs one of --dealer or --pone");
        return printDiscard(tokens, dealer ? rules::CribSide::Own : rules::CribSide::Opponent);
    }
    if (dealer || pone) return usageError("--dealer and --pone go with --discard");

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
