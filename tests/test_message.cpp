// Known texts of every message builder, and the field reader handlers use to take them apart.
#include "net/message.h"

#include <gtest/gtest.h>

#include <climits>

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

TEST(ReadStartgame, NameMayHoldPlus) {
    const std::string wire = toServer::startgame("Al+Bo", "2", 4);
    const std::string_view args =
        splitCommand(std::string_view(wire).substr(0, wire.size() - 1)).second;
    const auto sg = readStartgame(args);
    ASSERT_TRUE(sg);
    EXPECT_EQ(sg->name, "Al+Bo");
    EXPECT_EQ(sg->points, "2");
    EXPECT_EQ(sg->gameType, 4);

    const auto plain = readStartgame("Host+1+3+");
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->name, "Host");
    EXPECT_EQ(plain->points, "1");
    EXPECT_EQ(plain->gameType, 3);
    EXPECT_EQ(readStartgame("++1+")->name, "");

    for (std::string_view bad : {"", "Host+1+3", "1+3+", "Host+1+x+", "+"})
        EXPECT_FALSE(readStartgame(bad)) << "'" << bad << "'";
}
