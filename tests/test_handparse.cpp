// The hand counter: card names, hand lines, its output, and the built program on a file of hands.
#include "tools/handparse.h"

#include "rules/cards.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

using handparse::cardName;
using handparse::parseCard;
using handparse::parseHandLine;

TEST(HandParse, CardNamesInAnyCase) {
    EXPECT_EQ(parseCard("5H"), rules::makeCard(5, 3));
    EXPECT_EQ(parseCard("ac"), rules::makeCard(1, 1));
    EXPECT_EQ(parseCard("Td"), rules::makeCard(10, 2));
    EXPECT_EQ(parseCard("10D"), rules::makeCard(10, 2));
    EXPECT_EQ(parseCard("10s"), rules::makeCard(10, 4));
    EXPECT_EQ(parseCard("KS"), 52);
    EXPECT_EQ(parseCard("jc"), 11);
    for (int c = 1; c <= rules::kDeckSize; ++c) {
        EXPECT_EQ(parseCard(cardName(c)), c);
        EXPECT_EQ(parseCard(std::to_string(c)), c);
    }
    EXPECT_EQ(cardName(0), "??");
}

TEST(HandParse, UnknownCards) {
    for (const char* bad : {"", "0", "53", "00", "07", "1X", "60", "H", "11H", "1H", "ZZ", "5HH",
                            "KX", "-5", "+5", "100", "99999999999999999999"}) {
        EXPECT_FALSE(parseCard(bad)) << bad;
    }
}

TEST(HandParse, Lines) {
    const auto hand = parseHandLine(" 5H, 5d\t5S  JC 5C\r");
    ASSERT_TRUE(hand.ok()) << hand.error;
    EXPECT_EQ(hand.cards, (rules::ShowCards{31, 18, 44, 11, 5}));

    EXPECT_EQ(parseHandLine("5H 5D 5S JC").error, "expected 5 cards (four and the starter), got 4");
    EXPECT_EQ(parseHandLine("5H 5D 5S JC 5C 6C").error,
              "expected 5 cards (four and the starter), got 6");
    EXPECT_EQ(parseHandLine("").error, "expected 5 cards (four and the starter), got 0");
    EXPECT_EQ(parseHandLine("5H 5D XX JC 5C").error, "unknown card \"XX\"");
    // The same card twice, even when written two ways.
    EXPECT_EQ(parseHandLine("5H 5D 31 JC 5C").error, "card 5H given twice");
}

TEST(HandParse, MessagesDoNotEchoControlBytes) {
    const auto hand = parseHandLine("5H 5D \x1b[2J JC 5C");
    EXPECT_EQ(hand.error, "unknown card \"?[2J\"");
    const auto longToken = parseHandLine("5H 5D " + std::string(200, 'x') + " JC 5C");
    EXPECT_EQ(longToken.error, "unknown card \"" + std::string(24, 'x') + "...\"");
}

TEST(HandParse, Breakdown) {
    const auto hand = parseHandLine("5H 5D 5S JC 5C");
    const auto score = rules::scoreShow(hand.cards);
    EXPECT_EQ(handparse::formatScoreLine(score), "16 12 0 0 1 29");
    EXPECT_EQ(handparse::formatBreakdown(hand.cards, score, false), "hand 5H 5D 5S JC  starter 5C\n"
                                                                    "fifteens 16\n"
                                                                    "pairs    12\n"
                                                                    "runs      0\n"
                                                                    "flush     0\n"
                                                                    "nob       1\n"
                                                                    "total    29\n");
    EXPECT_EQ(handparse::formatBreakdown(hand.cards, score, true).substr(0, 5), "crib ");
}

TEST(HandParse, CountLinesKeepsGoingPastBadLines) {
    std::istringstream in("5H 5D 5S JC 5C\n\n3C 4D 5H 5S\n3C 4D 5H 5S 6C\n2H 2H 3C 4D 5S\n");
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(handparse::countLines(in, out, err, "count"), 2);
    EXPECT_EQ(out.str(), "16 12 0 0 1 29\n\n\n4 2 8 0 0 14\n\n");
    EXPECT_EQ(err.str(), "count: line 3: expected 5 cards (four and the starter), got 4\n"
                         "count: line 5: card 2H given twice\n");
}

namespace {

struct CounterRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string readFile(const std::filesystem::path& path) {
    std::ifstream f(path, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

// Runs the built counter with the given arguments and standard input.
CounterRun runCounter(const std::string& args, const std::string& input) {
    const auto dir = std::filesystem::temp_directory_path() /
                     ("cribbage-count-test-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "in") << input;
    const std::string command = std::string("'") + CRIBBAGE_COUNT_BINARY + "' " + args + " < '" +
                                (dir / "in").string() + "' > '" + (dir / "out").string() +
                                "' 2> '" + (dir / "err").string() + "'";
    const int status = std::system(command.c_str());
    CounterRun run;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = readFile(dir / "out");
    run.err = readFile(dir / "err");
    std::filesystem::remove_all(dir);
    return run;
}

} // namespace

TEST(CountProgram, ReadsHandsFromStandardInput) {
    const CounterRun run = runCounter("", "5H 5D 5S JC 5C\nAC TD JH QS KC\n5H 5D QQ JC 5C\n"
                                          "2H 4H 8H QH 6C\n");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "16 12 0 0 1 29\n0 0 5 0 0 5\n\n0 0 0 4 0 4\n");
    EXPECT_EQ(run.err, "cribbage-count: line 3: unknown card \"QQ\"\n");
}

TEST(CountProgram, CountsOneHandFromItsArguments) {
    CounterRun run = runCounter("5H 5D 5S JC 5C", "");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out.substr(0, run.out.find('\n')), "hand 5H 5D 5S JC  starter 5C");
    EXPECT_NE(run.out.find("total    29\n"), std::string::npos);

    run = runCounter("--crib 2h 4h 8h qh 6c", "");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.out.find("crib 2H 4H 8H QH"), std::string::npos);
    EXPECT_NE(run.out.find("flush     4\n"), std::string::npos);

    run = runCounter("5H 5D 5S JC", "");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "cribbage-count: expected 5 cards (four and the starter), got 4\n");

    run = runCounter("--bogus 5H", "");
    EXPECT_EQ(run.exitCode, 2);
}

TEST(CountProgram, RanksTheKeepsOfADeal) {
    CounterRun run = runCounter("--discard --dealer 5c 5d 5h js 2c 7d", "");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 15);
    // 766 / 46 for the hand, worked out by hand in the analysis tests.
    EXPECT_EQ(run.out.substr(0, run.out.find('\n')),
              "keep 5C 5D 5H JS throw 2C 7D hand 16.6522 crib 4.1874 net 20.8396");
    // The pone's net subtracts the crib: the same keep, the same hand and crib.
    run = runCounter("--discard --pone 5C 5D 5H JS 2C 7D", "");
    EXPECT_EQ(run.out.substr(0, run.out.find('\n')),
              "keep 5C 5D 5H JS throw 2C 7D hand 16.6522 crib 4.1874 net 12.4648");
    // Cards in the order given, whichever order that is.
    run = runCounter("--discard --pone 7D JS 2C 5H 5D 5C", "");
    EXPECT_EQ(run.out.substr(0, run.out.find('\n')),
              "keep JS 5H 5D 5C throw 7D 2C hand 16.6522 crib 4.1874 net 12.4648");
}

TEST(CountProgram, RefusesABadDiscard) {
    const std::pair<const char*, const char*> bad[] = {
        {"--discard 5C 5D 5H JS 2C 7D", "--discard needs one of --dealer or --pone"},
        {"--discard --dealer --pone 5C 5D 5H JS 2C 7D", "--discard needs one of"},
        {"--dealer 5C 5D 5H JS 2C", "--dealer and --pone go with --discard"},
        {"--discard --crib --dealer 5C 5D 5H JS 2C 7D", "--crib does not go with --discard"},
        {"--discard --dealer 5C 5D 5H JS 2C", "expected 6 cards, got 5"},
        {"--discard --dealer 5C 5D 5H JS 2C 7D 8D", "expected 6 cards, got 7"},
        {"--discard --dealer 5C 5D 5H JS 2C 5C", "card 5C given twice"},
        {"--discard --dealer 5C 5D 5H JS 2C 1X", "unknown card \"1X\""},
    };
    for (const auto& [args, message] : bad) {
        const CounterRun run = runCounter(args, "");
        EXPECT_NE(run.exitCode, 0) << args;
        EXPECT_EQ(run.out, "") << args;
        EXPECT_NE(run.err.find(message), std::string::npos) << args << ": " << run.err;
    }
}
