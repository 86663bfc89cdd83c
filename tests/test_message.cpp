// Known texts of every message builder, the field reader, and the typed readers and validators
// both sides share.
#include "net/message.h"

#include <gtest/gtest.h>

#include <climits>
#include <deque>
#include <functional>

using namespace std::string_literals;
using namespace net;

TEST(MessageBuilders, ToServer) {
    EXPECT_EQ(toServer::logininfo(1, "2.0.8", "You"), "CMD_logininfo+1+2.0.8+You\xFF\xFF"s);
    EXPECT_EQ(toServer::logininfo(3, kVersion, "a+b"), "CMD_logininfo+3+2.0.8+a+b\xFF\xFF"s);
    EXPECT_EQ(toServer::startgame("Host", "2", 4), "CMD_startgame+Host+2+4+\xFF"s);
    EXPECT_EQ(toServer::sendcard(2, 3, 0), "CMD_sendcard+2+3+0+\xFF"s);
    EXPECT_EQ(toServer::playcard(2, 6), "CMD_playcard+2+6+\xFF"s);
    EXPECT_EQ(toServer::clickdone(4), "CMD_clickdone+4+\xFF"s);
    EXPECT_EQ(toServer::chat(1, "hi + bye|clBlue"), "CMD_chat+1+hi + bye|clBlue\xFF"s);
    EXPECT_EQ(toServer::action(2, "says: Nice|$00FF0000"),
              "CMD_action+2+says: Nice|$00FF0000\xFF"s);
    EXPECT_EQ(toServer::playasound(3, "wave7"), "CMD_playasound+3+wave7+\xFF"s);
    EXPECT_EQ(toServer::justwatch(2, "1"), "CMD_justwatch+2+1\xFF"s);
    EXPECT_EQ(toServer::kickhim(1, 3), "CMD_kickhim+1+3+\xFF"s);
}

TEST(MessageBuilders, ToClientLoginAndChat) {
    EXPECT_EQ(toClient::sendlogininfo(5), "CMD_sendlogininfo+5\xFF"s);
    EXPECT_EQ(toClient::full(), "CMD_full+\xFF"s);
    EXPECT_EQ(toClient::newplayerinfo(2, "Bo+b"), "CMD_newplayerinfo+2+Bo+b\xFF"s);
    EXPECT_EQ(toClient::existingplayers(1, "Ann"), "CMD_existingplayers+1+Ann\xFF"s);
    EXPECT_EQ(toClient::havewrongversion("Old Joe"), "CMD_havewrongversion+Old Joe\xFF"s);
    EXPECT_EQ(toClient::wrongversion(), "CMD_wrongversion+\xFF"s);
    EXPECT_EQ(toClient::playerdisconnected(3, "Cy"), "CMD_playerdisconnected+3+Cy\xFF"s);
    EXPECT_EQ(toClient::justwatching(4, "2"), "CMD_justwatching+4+2\xFF"s);
    EXPECT_EQ(toClient::chat(2, "Bob chats: hi|clRed"), "CMD_chat+2+Bob chats: hi|clRed\xFF"s);
    EXPECT_EQ(toClient::action(2, "Bob waves|clRed"), "CMD_action+2+Bob waves|clRed\xFF"s);
    EXPECT_EQ(toClient::playasound(1, "wave3"), "CMD_playasound+1+wave3+\xFF"s);
    EXPECT_EQ(toClient::startgame("Host", "1", "3"), "CMD_startgame+Host+1+3+\xFF"s);
    EXPECT_EQ(toClient::startround(), "CMD_startround+\xFF"s);
    EXPECT_EQ(toClient::startagain(), "CMD_startagain+\xFF"s);
}

TEST(MessageBuilders, ToClientDealAndPlay) {
    EXPECT_EQ(toClient::mycards(2, {{1, 14}, {2, 27}, {3, 52}}),
              "CMD_mycards+2+3+1+14+2+27+3+52\xFF"s);
    EXPECT_EQ(toClient::mycards(1, {}), "CMD_mycards+1+0\xFF"s);
    EXPECT_EQ(toClient::playergive(3, 1, 2), "CMD_playergive+3+1+2+\xFF"s);
    EXPECT_EQ(toClient::needtwo(1), "CMD_needtwo+1+\xFF"s);
    EXPECT_EQ(toClient::gavecards(2, 4, 0), "CMD_gavecards+2+4+0+\xFF"s);
    EXPECT_EQ(toClient::setcrib(2), "CMD_setcrib+2+\xFF"s);
    EXPECT_EQ(toClient::turnover(11, 2, 1, 5, 3, 0), "CMD_turnover+11+2+1+5+3+0+\xFF"s);
    EXPECT_EQ(toClient::nextplayer(2, 3), "CMD_nextplayer+2+3+\xFF"s);
    EXPECT_EQ(toClient::hegoes(4), "CMD_hegoes+4+\xFF"s);
    EXPECT_EQ(toClient::pegsgo(1, 40, 3, 40), "CMD_pegsgo+1+40+3+40+\xFF"s);
    EXPECT_EQ(toClient::playcard(2, 5, 3, 13, 25), "CMD_playcard+2+5+3+13+25+\xFF"s);
    EXPECT_EQ(toClient::toomuch(3), "CMD_toomuch+3+\xFF"s);
    EXPECT_EQ(toClient::extra(2, 17, 3, 4, 9), "CMD_extra+2+17+3+4+9+\xFF"s);
    EXPECT_EQ(toClient::total15(1, 2, 3, 0), "CMD_total15+1+2+3+0+\xFF"s);
    EXPECT_EQ(toClient::total31(4, 88, 2, 70), "CMD_total31+4+88+2+70+\xFF"s);
    EXPECT_EQ(toClient::pegslast(3, 61, 1, 60), "CMD_pegslast+3+61+1+60+\xFF"s);
}

TEST(MessageBuilders, ToClientShowAndLateJoin) {
    EXPECT_EQ(toClient::final(0), "CMD_final+0+\xFF"s);
    EXPECT_EQ(toClient::final(2), "CMD_final+2+\xFF"s);
    toClient::EndScore hand{1, 2, 30, 4, 12, 8, 4, 2, 0, 0, 1, {11, 24, 37, 50, 5}};
    EXPECT_EQ(toClient::endscore(hand), "CMD_endscore+1+2+30+4+12+8+4+2+0+0+1+11+24+37+50+5+\xFF"s);
    toClient::EndScore crib{1, 5, 0, 0, 0, 4, 2, 2, 0, 0, 0, {1, 2, 14, 3, 5}};
    EXPECT_EQ(toClient::endscore(crib), "CMD_endscore+1+5+0+0+0+4+2+2+0+0+0+1+2+14+3+5+\xFF"s);
    EXPECT_EQ(toClient::winner(2, 4), "CMD_winner+2+4+\xFF"s);
    EXPECT_EQ(toClient::winner(1, 0), "CMD_winner+1+0+\xFF"s);
    const int scores[4] = {10, 20, 30, 40};
    EXPECT_EQ(toClient::loadstats(5, 3, 120, 3, 2, 4, scores),
              "CMD_loadstats+5+3+120+3+2+4+10+20+30+40+\xFF"s);
    EXPECT_EQ(toClient::middlecards(7, 21, {5, 12, 4}), "CMD_middlecards+7+21+3+5+12+4\xFF"s);
    EXPECT_EQ(toClient::middlecards(7, 10, {}), "CMD_middlecards+7+10+0\xFF"s);
    EXPECT_EQ(toClient::theircards(3, 2), "CMD_theircards+3+2+\xFF"s);
}

// A terminator byte inside a text must not end the message early and let the rest pass for a
// command of its own.
TEST(MessageBuilders, TerminatorInsideTextIsDropped) {
    EXPECT_EQ(toServer::chat(2, "hi\xFF"
                                "CMD_kickhim+1+3+|clRed"),
              "CMD_chat+2+hiCMD_kickhim+1+3+|clRed\xFF"s);
    EXPECT_EQ(toClient::newplayerinfo(2, "\xFFX\xFF"), "CMD_newplayerinfo+2+X\xFF"s);
    EXPECT_EQ(toServer::logininfo(1, "2.0.8", "A\xFF"), "CMD_logininfo+1+2.0.8+A\xFF\xFF"s);
    // UTF-8 text passes unchanged.
    EXPECT_EQ(toClient::chat(1, "J\xC3\xB8rn chats: \xE2\x99\xA5"),
              "CMD_chat+1+J\xC3\xB8rn chats: \xE2\x99\xA5\xFF"s);
}

TEST(SplitCommand, AtFirstPlus) {
    auto [cmd, args] = splitCommand("CMD_chat+2+a+b");
    EXPECT_EQ(cmd, "CMD_chat");
    EXPECT_EQ(args, "2+a+b");
    std::tie(cmd, args) = splitCommand("CMD_startround+");
    EXPECT_EQ(cmd, "CMD_startround");
    EXPECT_EQ(args, "");
    std::tie(cmd, args) = splitCommand("CMD_full");
    EXPECT_EQ(cmd, "");
    std::tie(cmd, args) = splitCommand("");
    EXPECT_EQ(cmd, "");
    std::tie(cmd, args) = splitCommand("+5+");
    EXPECT_EQ(cmd, "");
    EXPECT_EQ(args, "5+");
}

TEST(ParseInt, AcceptsOnlyWholeDecimalNumbers) {
    EXPECT_EQ(parseInt("0"), 0);
    EXPECT_EQ(parseInt("120"), 120);
    EXPECT_EQ(parseInt("-7"), -7);
    EXPECT_EQ(parseInt("007"), 7);
    EXPECT_EQ(parseInt("2147483647"), INT_MAX);
    EXPECT_EQ(parseInt("-2147483648"), INT_MIN);
    for (std::string_view bad : {"", "-", "+5", " 5", "5 ", "5x", "x5", "1.5", "$1F", "0x10",
                                 "2147483648", "-2147483649", "99999999999999999999", "--1"})
        EXPECT_EQ(parseInt(bad), std::nullopt) << "'" << bad << "'";
}

TEST(FieldReader, NumbersThenFinalText) {
    FieldReader r("2+Bob chats: 1+1=2|clBlue");
    EXPECT_EQ(r.takeInt(), 2);
    EXPECT_EQ(r.rest(), "Bob chats: 1+1=2|clBlue");
    EXPECT_FALSE(r.atEnd());
}

TEST(FieldReader, TrailingPlusLeavesNothing) {
    FieldReader r("11+2+1+5+3+0+");
    for (int want : {11, 2, 1, 5, 3, 0}) EXPECT_EQ(r.takeInt(), want);
    EXPECT_TRUE(r.atEnd());
    // Reading past the end is a failed read, not a crash.
    EXPECT_EQ(r.takeInt(), std::nullopt);
    EXPECT_EQ(r.takeText(), "");
}

TEST(FieldReader, LastFieldWithoutPlus) {
    FieldReader r("5");
    EXPECT_EQ(r.takeInt(), 5);
    EXPECT_TRUE(r.atEnd());
}

TEST(FieldReader, EmptyFieldsAndText) {
    FieldReader r("++Host+2+");
    EXPECT_EQ(r.takeText(), "");
    EXPECT_EQ(r.takeInt(), std::nullopt); // an empty field is not a number
    EXPECT_EQ(r.takeText(), "Host");
    EXPECT_EQ(r.takeText(), "2");
    EXPECT_TRUE(r.atEnd());
}

TEST(FieldReader, NonNumberFailsTheRead) {
    FieldReader r("2+x+3+");
    EXPECT_EQ(r.takeInt(), 2);
    EXPECT_EQ(r.takeInt(), std::nullopt);
    FieldReader overflow("99999999999+1+");
    EXPECT_EQ(overflow.takeInt(), std::nullopt);
    FieldReader negative("-3+");
    EXPECT_EQ(negative.takeInt(), -3);
}

TEST(FieldReader, RoundTripsBuiltMessages) {
    const std::string wire = toClient::newplayerinfo(3, "a+b+c");
    ASSERT_EQ(wire.back(), kTerminator);
    auto [cmd, args] = splitCommand(std::string_view(wire).substr(0, wire.size() - 1));
    EXPECT_EQ(cmd, "CMD_newplayerinfo");
    FieldReader r(args);
    EXPECT_EQ(r.takeInt(), 3);
    EXPECT_EQ(r.rest(), "a+b+c");

    const std::string cards = toClient::mycards(2, {{1, 14}, {4, 52}});
    std::tie(cmd, args) = splitCommand(std::string_view(cards).substr(0, cards.size() - 1));
    FieldReader c(args);
    EXPECT_EQ(c.takeInt(), 2);
    EXPECT_EQ(c.takeInt(), 2);
    EXPECT_EQ(c.takeInt(), 1);
    EXPECT_EQ(c.takeInt(), 14);
    EXPECT_EQ(c.takeInt(), 4);
    EXPECT_EQ(c.takeInt(), 52);
    EXPECT_TRUE(c.atEnd());
}

namespace {

// The argument text of a built message: what a dispatcher hands to a reader. Readers return
// views into it, so the messages are kept for the rest of the run.
std::string_view argsOf(const std::string& wire, std::string_view command) {
    static std::deque<std::string> kept;
    std::string_view text(kept.emplace_back(wire));
    while (!text.empty() && text.back() == kTerminator) text.remove_suffix(1);
    const auto [cmd, args] = splitCommand(text);
    EXPECT_EQ(cmd, command);
    return args;
}

} // namespace

// The typed builders write the very bytes the positional ones (pinned above) write.
TEST(TypedBuilders, SameBytesAsThePositionalOnes) {
    EXPECT_EQ(toServer::startgame({"Ann+Bo", "2", rules::Partners}),
              "CMD_startgame+Ann+Bo+2+4+\xFF"s);
    EXPECT_EQ(toClient::startgame({"Host", "1", rules::FourPlayers}),
              toClient::startgame("Host", "1", "3"));
    EXPECT_EQ(toServer::justwatch({2, true}), toServer::justwatch(2, "1"));
    EXPECT_EQ(toClient::justwatching({4, false}), toClient::justwatching(4, "2"));
    EXPECT_EQ(toClient::turnover({11, 2, 1, 5, 3, 0}), toClient::turnover(11, 2, 1, 5, 3, 0));
    EXPECT_EQ(toClient::extra({2, 17, rules::Pair, 4, 9}), toClient::extra(2, 17, 3, 4, 9));
    EXPECT_EQ(toClient::playcard({2, 5, 3, 13, 25}), toClient::playcard(2, 5, 3, 13, 25));
    EXPECT_EQ(toClient::pegsgo({1, 40, 3, 40}), toClient::pegsgo(1, 40, 3, 40));
    EXPECT_EQ(toClient::total15({1, 2, 3, 0}), toClient::total15(1, 2, 3, 0));
    EXPECT_EQ(toClient::total31({4, 88, 2, 70}), toClient::total31(4, 88, 2, 70));
    EXPECT_EQ(toClient::pegslast({3, 61, 1, 60}), toClient::pegslast(3, 61, 1, 60));
    const int scores[4] = {10, 20, 30, 40};
    EXPECT_EQ(
        toClient::loadstats({5, rules::FourPlayers, 120, rules::ThePlay, 2, 4, {10, 20, 30, 40}}),
        toClient::loadstats(5, 3, 120, 3, 2, 4, scores));
}

// What one side builds the other reads back field for field, for every message with fields.
TEST(TypedReaders, ReadBackWhatTheBuildersWrite) {
    const auto login =
        toServer::readLogininfo(argsOf(toServer::logininfo(3, kVersion, "a+b"), "CMD_logininfo"));
    ASSERT_TRUE(login);
    EXPECT_EQ(login->seat, 3);
    EXPECT_EQ(login->version, kVersion);
    EXPECT_EQ(login->name, "a+b");

    const auto give = toServer::readSendcard(argsOf(toServer::sendcard(2, 3, 6), "CMD_sendcard"));
    ASSERT_TRUE(give);
    EXPECT_EQ(std::tie(give->seat, give->first, give->second), std::make_tuple(2, 3, 6));
    const auto lay = toServer::readPlaycard(argsOf(toServer::playcard(4, 6), "CMD_playcard"));
    ASSERT_TRUE(lay);
    EXPECT_EQ(std::tie(lay->seat, lay->position), std::make_tuple(4, 6));
    EXPECT_EQ(toServer::readClickdone(argsOf(toServer::clickdone(7), "CMD_clickdone")), 7);
    const auto chat = toServer::readChat(argsOf(toServer::chat(2, "1+1=2|clRed"), "CMD_chat"));
    ASSERT_TRUE(chat);
    EXPECT_EQ(chat->text, "1+1=2|clRed");
    const auto sound =
        toServer::readPlayasound(argsOf(toServer::playasound(3, "wave17"), "CMD_playasound"));
    ASSERT_TRUE(sound);
    EXPECT_EQ(sound->name, "wave17");
    const auto watch =
        toServer::readJustwatch(argsOf(toServer::justwatch(2, "1"), "CMD_justwatch"));
    ASSERT_TRUE(watch);
    EXPECT_TRUE(watch->watching);
    const auto kick = toServer::readKickhim(argsOf(toServer::kickhim(1, 9), "CMD_kickhim"));
    ASSERT_TRUE(kick);
    EXPECT_EQ(std::tie(kick->requester, kick->target), std::make_tuple(1, 9));

    const auto cards = toClient::readMycards(
        argsOf(toClient::mycards(2, {{1, 14}, {4, 52}, {6, 1}}), "CMD_mycards"));
    ASSERT_TRUE(cards);
    EXPECT_EQ(cards->seat, 2);
    EXPECT_EQ(cards->cards, (std::vector<std::pair<int, int>>{{1, 14}, {4, 52}, {6, 1}}));
    const auto asked =
        toClient::readPlayergive(argsOf(toClient::playergive(6, 4, 2), "CMD_playergive"));
    ASSERT_TRUE(asked);
    EXPECT_EQ(std::tie(asked->seat, asked->dealer), std::make_tuple(6, 4));
    EXPECT_EQ(asked->phase, rules::GiveOne);
    const auto turned =
        toClient::readTurnover(argsOf(toClient::turnover(11, 2, 1, 5, 3, 0), "CMD_turnover"));
    ASSERT_TRUE(turned);
    EXPECT_EQ(std::tie(turned->starter, turned->heels, turned->dealer, turned->dealerScore,
                       turned->partner, turned->partnerScore),
              std::make_tuple(11, 2, 1, 5, 3, 0));
    const auto played =
        toClient::readPlaycard(argsOf(toClient::playcard(2, 5, 3, 13, 25), "CMD_playcard"));
    ASSERT_TRUE(played);
    EXPECT_EQ(
        std::tie(played->seat, played->position, played->cardsInCount, played->card, played->count),
        std::make_tuple(2, 5, 3, 13, 25));
    const auto extra = toClient::readExtra(argsOf(toClient::extra(2, 17, 8, 4, 9), "CMD_extra"));
    ASSERT_TRUE(extra);
    EXPECT_EQ(extra->kind, rules::RunOf7);
    EXPECT_EQ(std::tie(extra->seat, extra->score, extra->partner, extra->partnerScore),
              std::make_tuple(2, 17, 4, 9));
    const auto go = toClient::readPegsgo(argsOf(toClient::pegsgo(1, 40, 3, 40), "CMD_pegsgo"));
    ASSERT_TRUE(go);
    EXPECT_EQ(std::tie(go->seat, go->score, go->partner, go->partnerScore),
              std::make_tuple(1, 40, 3, 40));

    EndScore hand{1, 2, 30, 4, 12, 8, 4, 2, 0, 0, 1, {11, 24, 37, 50, 5}};
    const auto shown = toClient::readEndscore(argsOf(toClient::endscore(hand), "CMD_endscore"));
    ASSERT_TRUE(shown);
    EXPECT_EQ(toClient::endscore(*shown), toClient::endscore(hand));
    const auto won = toClient::readWinner(argsOf(toClient::winner(2, 4), "CMD_winner"));
    ASSERT_TRUE(won);
    EXPECT_EQ(std::tie(won->seat, won->partner), std::make_tuple(2, 4));
    const int scores[4] = {10, 20, 30, 178};
    const auto stats = toClient::readLoadstats(
        argsOf(toClient::loadstats(5, 2, 60, 3, 2, 1, scores), "CMD_loadstats"));
    ASSERT_TRUE(stats);
    EXPECT_EQ(stats->gameType, rules::ThreePlayers);
    EXPECT_EQ(stats->phase, rules::ThePlay);
    EXPECT_EQ(std::tie(stats->seat, stats->target, stats->dealer, stats->current),
              std::make_tuple(5, 60, 2, 1));
    EXPECT_EQ(stats->scores, (std::array<int, 4>{10, 20, 30, 178}));
    const auto middle = toClient::readMiddlecards(
        argsOf(toClient::middlecards(7, 21, {5, 12, 4}), "CMD_middlecards"));
    ASSERT_TRUE(middle);
    EXPECT_EQ(std::tie(middle->starter, middle->count), std::make_tuple(7, 21));
    EXPECT_EQ(middle->rankKeys, (std::vector<int>{5, 12, 4}));
    const auto theirs =
        toClient::readTheircards(argsOf(toClient::theircards(3, 2), "CMD_theircards"));
    ASSERT_TRUE(theirs);
    EXPECT_EQ(std::tie(theirs->seat, theirs->cards), std::make_tuple(3, 2));
    const auto gone = toClient::readPlayerdisconnected(
        argsOf(toClient::playerdisconnected(8, "Cy+Di"), "CMD_playerdisconnected"));
    ASSERT_TRUE(gone);
    EXPECT_EQ(std::tie(gone->seat, gone->text), std::make_tuple(8, std::string_view("Cy+Di")));
    EXPECT_EQ(toClient::readSendlogininfo("5"), 5);
    EXPECT_EQ(toClient::readFinal("0+"), 0);
    EXPECT_TRUE(toClient::readNoFields(""));
    EXPECT_FALSE(toClient::readNoFields("x+"));
}

// The client used to read CMD_startgame from the front: with a host named "Ann+Bo" it took
// "Bo" for the points and "1" for the game type. Both sides now read it from the end.
TEST(TypedReaders, StartgameNameMayHoldPlus) {
    for (auto read : {&toServer::readStartgame, &toClient::readStartgame}) {
        const auto sg = read(argsOf(toServer::startgame("Ann+Bo", "2", 4), "CMD_startgame"));
        ASSERT_TRUE(sg);
        EXPECT_EQ(sg->name, "Ann+Bo");
        EXPECT_EQ(sg->points, "2");
        EXPECT_EQ(sg->target(), 60);
        EXPECT_EQ(sg->gameType, rules::Partners);
        ASSERT_TRUE(read("+1+1+"));
        EXPECT_EQ(read("+1+1+")->name, "");
        ASSERT_TRUE(read("+Ann+1+1+"));
        EXPECT_EQ(read("+Ann+1+1+")->name, "+Ann");
        for (std::string_view bad : {"", "Host+1+3", "1+3+", "Host+1+x+", "+", "++1+", "Host+1+0+",
                                     "Host+1+5+", "Host+3+1+", "Host++1+", "Host+1+-1+"})
            EXPECT_FALSE(read(bad)) << "'" << bad << "'";
    }
}

// Every reader turns away a missing or extra field, a field that is no number, and a number
// outside its range; a trailing "+" after the last field is part of that field.
TEST(TypedReaders, FieldCountNumbersAndRanges) {
    using Read = std::function<bool(std::string_view)>;
    auto r = [](auto reader) -> Read {
        return [reader](std::string_view a) { return reader(a).has_value(); };
    };
    struct Case {
        const char* name;
        Read read;
        std::vector<std::string_view> good, bad;
    };
    const std::vector<Case> cases = {
        {"logininfo",
         r(toServer::readLogininfo),
         {"1+2.0.8+You", "9+x+", "3"},
         {"0+2.0.8+You", "10+2.0.8+You", "x+2.0.8+You", "+2.0.8+You"}},
        {"sendcard",
         r(toServer::readSendcard),
         {"1+1+2+", "4+6+0+", "2+3+", "2+3"},
         {"0+1+2+", "5+1+2+", "1+0+2+", "1+7+2+", "1+1+7+", "1+1+-1+", "1+1+2+3+", "1+", "1+a+2+",
          ""}},
        {"playcard to server",
         r(toServer::readPlaycard),
         {"1+6+", "4+1"},
         {"1+0+", "1+7+", "5+1+", "1+1+1+", "1+"}},
        {"clickdone", r(toServer::readClickdone), {"1+", "9+"}, {"0+", "10+", "1+2+", "+"}},
        {"chat", r(toServer::readChat), {"1+", "9+a+b|clRed"}, {"0+hi", "10+hi", "x+hi", ""}},
        {"playasound",
         r(toServer::readPlayasound),
         {"1+wave1+", "2+wave20+", "4+wave5"},
         {"1+wave0+", "1+wave01+", "1+WAVE1+", "1+wave+", "1+wave1+x+", "1+<b>+", "1+wave1234+",
          "1+wave-5+"}},
        {"justwatch",
         r(toServer::readJustwatch),
         {"1+1", "4+2", "2+1+"},
         {"5+1", "0+2", "1+3", "1+", "1+1+1"}},
        {"kickhim", r(toServer::readKickhim), {"1+9+"}, {"1+0+", "1+10+", "1+", "1+2+3+"}},
        {"mycards",
         r(toClient::readMycards),
         {"1+0", "2+1+6+52", "4+2+1+1+2+2"},
         {"5+0", "1+1+0+1", "1+1+7+1", "1+1+1+53", "1+1+1+0", "1+2+1+1+1+2", "1+2+1+1",
          "1+1+1+1+2+2", "1+7"}},
        {"playergive",
         r(toClient::readPlayergive),
         {"1+1+1+", "9+4+2+"},
         {"1+0+1+", "1+1+3+", "1+1+0+", "10+1+1+"}},
        {"turnover",
         r(toClient::readTurnover),
         {"52+0+1+0+3+0+", "11+2+4+178+2+178+"},
         {"53+0+1+0+3+0+", "11+1+1+0+3+0+", "11+2+1+179+3+0+", "11+2+1+-1+3+0+", "11+2+1+0+3+"}},
        {"nextplayer", r(toClient::readNextplayer), {"1+3+", "4+1+"}, {"0+3+", "1+4+", "1+0+"}},
        {"playcard to client",
         r(toClient::readPlaycard),
         {"1+1+1+1+1+", "4+6+13+52+31+"},
         {"1+1+0+1+1+", "1+1+1+1+32+", "1+1+1+1+0+", "1+1+33+1+1+"}},
        {"extra",
         r(toClient::readExtra),
         {"1+2+1+3+2+", "4+0+8+2+0+"},
         {"1+2+0+3+2+", "1+2+9+3+2+", "1+2+12+3+2+"}},
        {"total15", r(toClient::readTotal15), {"1+2+3+0+"}, {"1+2+0+0+", "1+2+3+", "1+2+3+0+0+"}},
        {"final", r(toClient::readFinal), {"0+", "9+"}, {"10+", "-1+", ""}},
        {"endscore",
         r(toClient::readEndscore),
         {"1+2+30+4+12+8+4+2+0+0+1+11+24+37+50+5+", "1+5+0+0+0+4+2+2+0+0+0+1+2+14+3+5+"},
         {"1+6+30+4+12+8+4+2+0+0+1+11+24+37+50+5+", "1+2+30+4+12+30+4+2+0+0+1+11+24+37+50+5+",
          "1+2+30+4+12+8+4+2+0+0+1+11+24+37+50+53+", "1+2+30+4+12+8+4+2+0+0+1+11+24+37+50+"}},
        {"winner", r(toClient::readWinner), {"1+0+", "2+4+"}, {"0+0+", "1+5+"}},
        {"loadstats",
         r(toClient::readLoadstats),
         {"5+3+120+3+2+4+10+20+30+40+"},
         {"5+5+120+3+2+4+10+20+30+40+", "5+3+121+3+2+4+10+20+30+40+", "5+3+120+4+2+4+10+20+30+40+",
          "5+3+120+3+0+4+10+20+30+40+", "5+3+120+3+2+4+10+20+30+", "5+3+120+3+2+4+10+20+30+40+0+"}},
        {"middlecards",
         r(toClient::readMiddlecards),
         {"7+21+3+5+12+4", "7+0+0"},
         {"7+21+3+5+12", "7+21+2+5+12+4", "7+21+1+0", "7+21+1+13", "0+21+1+5", "7+32+1+5"}},
        {"theircards", r(toClient::readTheircards), {"3+2+"}, {"3+7+", "5+2+"}},
        {"justwatching", r(toClient::readJustwatching), {"2+1"}, {"2+0", "9+1"}},
    };
    for (const Case& c : cases) {
        for (std::string_view good : c.good) EXPECT_TRUE(c.read(good)) << c.name << ": " << good;
        for (std::string_view bad : c.bad) EXPECT_FALSE(c.read(bad)) << c.name << ": " << bad;
    }
}

TEST(Validators, KnowEachDirectionsCommands) {
    EXPECT_TRUE(toServer::isValid("CMD_sendcard", "2+1+0+"));
    EXPECT_FALSE(toServer::isValid("CMD_sendcard", "2+1+9+"));
    // A server message sent to the server, and the other way round, is no message at all.
    EXPECT_FALSE(toServer::isValid("CMD_full", ""));
    EXPECT_FALSE(toServer::isValid("CMD_winner", "1+0+"));
    EXPECT_FALSE(toClient::isValid("CMD_logininfo", "1+2.0.8+x"));
    EXPECT_FALSE(toClient::isValid("CMD_kickhim", "1+2+"));
    EXPECT_FALSE(toServer::isValid("", ""));
    EXPECT_FALSE(toServer::isValid("cmd_chat", "1+hi"));
    // The same name reads by the direction: CMD_playcard to the server has two fields.
    EXPECT_TRUE(toServer::isValid("CMD_playcard", "2+1+"));
    EXPECT_FALSE(toClient::isValid("CMD_playcard", "2+1+"));
    EXPECT_TRUE(toClient::isValid("CMD_full", ""));
    EXPECT_FALSE(toClient::isValid("CMD_full", "1+"));

    // Every message the server builds passes the client's validator.
    const int scores[4] = {1, 2, 3, 4};
    for (const std::string& wire :
         {toClient::sendlogininfo(9),
          toClient::full(),
          toClient::newplayerinfo(2, "a+b"),
          toClient::existingplayers(1, "A"),
          toClient::havewrongversion("Old"),
          toClient::wrongversion(),
          toClient::playerdisconnected(3, ""),
          toClient::justwatching(4, "2"),
          toClient::chat(2, "B chats: x|clRed"),
          toClient::action(2, "B waves"),
          toClient::playasound(1, "wave3"),
          toClient::startgame("H+o", "1", "3"),
          toClient::startround(),
          toClient::mycards(1, {{1, 5}}),
          toClient::playergive(1, 1, 1),
          toClient::needtwo(1),
          toClient::gavecards(1, 2, 3),
          toClient::setcrib(2),
          toClient::turnover(5, 0, 1, 0, 3, 0),
          toClient::nextplayer(2, 3),
          toClient::hegoes(2),
          toClient::pegsgo(1, 1, 3, 1),
          toClient::startagain(),
          toClient::playcard(1, 1, 1, 5, 5),
          toClient::toomuch(1),
          toClient::extra(1, 2, 3, 3, 2),
          toClient::total15(1, 2, 3, 0),
          toClient::total31(1, 2, 3, 0),
          toClient::pegslast(1, 1, 3, 0),
          toClient::final(0),
          toClient::endscore({1, 5, 0, 0, 0, 4, 2, 2, 0, 0, 0, {1, 2, 14, 3, 5}}),
          toClient::winner(1, 0),
          toClient::loadstats(5, 1, 60, 1, 1, 2, scores),
          toClient::middlecards(7, 10, {10}),
          toClient::theircards(3, 2)}) {
        std::string_view text(wire);
        text.remove_suffix(1);
        const auto [command, args] = splitCommand(text);
        EXPECT_TRUE(toClient::isValid(command, args)) << text;
    }
}

// Limits count what the player sees: characters, never a half of one.
TEST(TextLimits, NamesAreCutToCharactersOnABoundary) {
    EXPECT_EQ(cutName("Ann"), "Ann");
    const std::string ascii(40, 'a');
    EXPECT_EQ(cutName(ascii), std::string(kMaxNameChars, 'a'));
    // Thirty-three two-byte letters: 32 of them stay, 64 bytes.
    std::string oes;
    for (int i = 0; i < 33; ++i) oes += "\xC3\xB8";
    EXPECT_EQ(cutName(oes), oes.substr(0, 64));
    // Four-byte characters, and one cut in the middle of a sequence is never made.
    std::string hearts;
    for (int i = 0; i < 40; ++i) hearts += "\xF0\x9F\x82\xA1";
    EXPECT_EQ(cutName(hearts).size(), 128u);
    EXPECT_EQ(cutToChars("a\xE2\x99\xA5"
                         "b",
                         2),
              "a\xE2\x99\xA5");
    EXPECT_EQ(cutToBytes("a\xE2\x99\xA5"
                         "b",
                         3),
              "a");
    EXPECT_EQ(cutToBytes("a\xE2\x99\xA5"
                         "b",
                         4),
              "a\xE2\x99\xA5");
    // Bytes that are not UTF-8 count one each, so nothing is ever let through unbounded.
    EXPECT_EQ(cutName(std::string(100, '\x80')).size(), kMaxNameChars);
    EXPECT_EQ(cutToChars("\xE2\x99x", 1), "\xE2\x99");
}

TEST(TextLimits, ChatTextKeepsItsColour) {
    const std::string line = std::string(600, 'x') + "|clBlue";
    const std::string cut = cutChatText(line);
    EXPECT_EQ(cut.size(), kMaxChatBytes);
    EXPECT_TRUE(cut.ends_with("x|clBlue"));
    EXPECT_EQ(cutChatText("hi|$00FF0000"), "hi|$00FF0000");
    // Without a colour, or with a "colour" that is really more text, the line is simply cut.
    EXPECT_EQ(cutChatText(std::string(600, 'y')), std::string(kMaxChatBytes, 'y'));
    const std::string bars = "a|" + std::string(600, 'b');
    EXPECT_EQ(cutChatText(bars), bars.substr(0, kMaxChatBytes));
    // A cut next to a multi-byte character stays before it.
    std::string euros = "x";
    for (int i = 0; i < 200; ++i) euros += "\xE2\x82\xAC";
    EXPECT_EQ(cutChatText(euros).size(), 1u + 3 * 170);
}

// The builders of what a client sends cut as the server does, so the server never changes or
// refuses what an honest client sends.
TEST(TextLimits, ClientBuildersCutAsTheServerDoes) {
    std::string name;
    for (int i = 0; i < 50; ++i) name += "\xC3\xA9";
    const auto login =
        toServer::readLogininfo(argsOf(toServer::logininfo(2, kVersion, name), "CMD_logininfo"));
    ASSERT_TRUE(login);
    EXPECT_EQ(login->name, cutName(name));
    EXPECT_EQ(cutName(login->name), login->name);

    const std::string chat = std::string(5000, 'z') + "|clRed";
    const std::string wire = toServer::chat(3, chat);
    EXPECT_LE(wire.size() - 1, kMaxClientMessage);
    const auto read = toServer::readChat(argsOf(wire, "CMD_chat"));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->text, cutChatText(chat));
    EXPECT_EQ(cutChatText(read->text), read->text);
    EXPECT_EQ(toServer::action(3, chat), "CMD_action+3+" + cutChatText(chat) + kTerminator);
    const auto start = toServer::readStartgame(
        argsOf(toServer::startgame(std::string(40, 'h') + "+x", "1", 1), "CMD_startgame"));
    ASSERT_TRUE(start);
    EXPECT_EQ(start->name, std::string(32, 'h'));
}

TEST(RulesTypes, ChecksAndConversions) {
    EXPECT_FALSE(rules::isOk(rules::NoGameType));
    EXPECT_TRUE(rules::isOk(rules::Partners));
    EXPECT_EQ(rules::toGameType(2), rules::ThreePlayers);
    EXPECT_EQ(rules::toGameType(5), std::nullopt);
    EXPECT_EQ(rules::toGameType(0), std::nullopt);
    EXPECT_EQ(rules::toPhase(3), rules::ThePlay);
    EXPECT_EQ(rules::toPhase(4), std::nullopt);
    EXPECT_EQ(rules::toPegKind(0), std::nullopt);
    EXPECT_EQ(rules::toPegKind(9), std::nullopt);
    EXPECT_EQ(rules::givingPhase(rules::TwoPlayers), rules::GiveTwo);
    EXPECT_EQ(rules::givingPhase(rules::Partners), rules::GiveOne);
    EXPECT_EQ(rules::givingPhase(rules::NoGameType), rules::NoPhase);
    const int points[] = {12, 6, 2, 3, 4, 5, 6, 7};
    for (int kind = 1; kind <= 8; ++kind)
        EXPECT_EQ(rules::pegPoints(rules::PegKind(kind)), points[kind - 1]) << kind;
}
