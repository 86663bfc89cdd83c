// The server's table without sockets: numbering, login, relays, just watch, kicks, lost
// connections and the checks on who sent a message.
#include "test_server_fakes.h"

using namespace net;

class ServerTableTest : public ServerTest {};

TEST_F(ServerTableTest, NumbersAreReusedAndTheTenthClientIsTurnedAway) {
    Table t;
    EXPECT_EQ(t.connect(), 1);
    EXPECT_EQ(t.connect(), 2);
    EXPECT_EQ(t.connect(), 3);
    EXPECT_EQ(t.sent(2).front(), "CMD_sendlogininfo+2");
    t.server.connectionLost(2);
    EXPECT_EQ(t.connect(), 2);
    for (int n = 4; n <= 9; ++n) EXPECT_EQ(t.connect(), n);

    auto tenth = std::make_shared<FakeLink>();
    EXPECT_EQ(t.server.attachConnection(tenth), 0);
    EXPECT_EQ(tenth->sent, std::vector<std::string>{"CMD_full+"});
    EXPECT_TRUE(tenth->closed);
    EXPECT_EQ(t.server.slotsInUse(), 9);
}

TEST_F(ServerTableTest, LoginOrderWithAWrongVersionAndANameHoldingPlus) {
    Table t;
    t.login(t.connect(), "Host");
    t.connect();
    t.links[1]->sent.clear();
    t.login(2, "Bob+Jr", "1.0");
    EXPECT_EQ(t.sent(2),
              (std::vector<std::string>{"CMD_sendlogininfo+2", "CMD_newplayerinfo+2+Bob+Jr",
                                        "CMD_existingplayers+1+Host", "CMD_wrongversion+"}));
    EXPECT_EQ(t.sent(1), (std::vector<std::string>{"CMD_newplayerinfo+2+Bob+Jr",
                                                   "CMD_havewrongversion+Bob+Jr"}));
    EXPECT_EQ(t.server.player(2).name, "Bob+Jr");
    EXPECT_FALSE(t.links[2]->closed);
}

TEST_F(ServerTableTest, RelaysKeepPlusAndBarInTheText) {
    Table t;
    t.seat(2);
    t.clearSent();
    t.feed(2, toServer::chat(2, "a+b|c|clBlue"));
    t.feed(2, toServer::action(2, "waves|clRed"));
    t.feed(2, toServer::playasound(2, "wave3"));
    for (int n : {1, 2})
        EXPECT_EQ(t.sent(n), (std::vector<std::string>{"CMD_chat+2+P2 chats: a+b|c|clBlue",
                                                       "CMD_action+2+P2 waves|clRed",
                                                       "CMD_playasound+2+wave3+"}));
}

TEST_F(ServerTableTest, QueueTakesOneMessagePerTickAndJoinsSplitMessages) {
    Table t;
    t.seat(1);
    t.clearSent();
    t.server.receiveBytes(1, toServer::chat(1, "one") + toServer::chat(1, "two"));
    EXPECT_EQ(t.server.queuedMessages(), 2u);
    EXPECT_TRUE(t.server.socktimerActive());
    t.server.socktimerTimer();
    EXPECT_EQ(t.sent(1).size(), 1u);
    t.server.receiveBytes(1, "CMD_chat+1+thr");
    EXPECT_EQ(t.server.queuedMessages(), 1u);
    t.server.receiveBytes(1, std::string("ee") + kTerminator + kTerminator + "junk+" + kTerminator);
    t.drain();
    EXPECT_EQ(t.sent(1),
              (std::vector<std::string>{"CMD_chat+1+P1 chats: one", "CMD_chat+1+P1 chats: two",
                                        "CMD_chat+1+P1 chats: three"}));
    t.server.socktimerTimer();
    EXPECT_FALSE(t.server.socktimerActive()); // idle until the next message
}

// Every handler that reads a number stops at a field that is not one; the queue goes on.
TEST_F(ServerTableTest, FieldsThatAreNotNumbersLoseOnlyTheirMessage) {
    Table t;
    t.seat(2);
    t.feed(1, toServer::startgame("Host", "1", 1));
    t.clearSent();
    for (const char* bad :
         {"CMD_logininfo+x+2.0.8+Z", "CMD_chat+", "CMD_chat+one+hi", "CMD_kickhim+1+two+",
          "CMD_startgame+Host+1+four+", "CMD_justwatch+x+1", "CMD_sendcard+1+a+b+",
          "CMD_sendcard+1+1+z+", "CMD_playcard+1+", "CMD_clickdone+-+", "CMD_playasound+?+w+",
          "CMD_startgame+Host+1+9+", "CMD_kickhim+1+99+", "nonsense", "CMD_unknown+1+"})
        t.server.receiveBytes(1, std::string(bad) + kTerminator);
    t.drain();
    EXPECT_TRUE(t.sent(1).empty());
    EXPECT_TRUE(t.server.player(2).connected);
    t.feed(1, toServer::chat(1, "still here"));
    EXPECT_EQ(t.sent(2).back(), "CMD_chat+1+P1 chats: still here");
}

TEST_F(ServerTableTest, NobodyActsInAnotherSeatsName) {
    Table t;
    t.seat(3);
    t.feed(1, toServer::startgame("Host", "1", 2));
    t.clearSent();
    t.feed(2, toServer::chat(1, "I am the host"));
    t.feed(2, toServer::action(3, "x"));
    t.feed(2, toServer::playasound(1, "wave1"));
    t.feed(2, toServer::kickhim(1, 3));
    t.feed(2, toServer::startgame("P2", "2", 1));
    t.feed(2, toServer::justwatch(3, "1"));
    t.feed(2, toServer::sendcard(3, 1, 0));
    t.feed(2, toServer::logininfo(3, kVersion, "Evil"));
    EXPECT_TRUE(t.sent(3).empty());
    EXPECT_TRUE(t.server.player(3).connected);
    EXPECT_EQ(t.server.player(3).name, "P3");
    EXPECT_EQ(t.server.game().gameType, 2);

    // The seat itself and the host may set a seat to watch.
    t.feed(2, toServer::justwatch(2, "1"));
    t.feed(1, toServer::justwatch(3, "1"));
    EXPECT_EQ(t.only(3, {"CMD_justwatching"}),
              (std::vector<std::string>{"CMD_justwatching+2+1", "CMD_justwatching+3+1"}));
}

// A number a newer connection took over is not answerable for what its old holder queued.
TEST_F(ServerTableTest, MessagesQueuedByAnEarlierHolderOfTheNumberAreDropped) {
    Table t;
    t.seat(2);
    t.clearSent();
    t.server.receiveBytes(2, toServer::chat(2, "old"));
    t.server.connectionLost(2);
    EXPECT_EQ(t.connect(), 2);
    t.drain();
    EXPECT_TRUE(t.only(1, {"CMD_chat"}).empty());
}

TEST_F(ServerTableTest, HostKicksAndOthersHearOfIt) {
    Table t;
    t.seat(3);
    t.clearSent();
    t.feed(1, toServer::kickhim(1, 2));
    EXPECT_TRUE(t.links[2]->closed);
    EXPECT_FALSE(t.server.player(2).connected);
    EXPECT_EQ(t.sent(1), std::vector<std::string>{"CMD_playerdisconnected+2+P2"});
    EXPECT_EQ(t.sent(3), std::vector<std::string>{"CMD_playerdisconnected+2+P2"});
    EXPECT_TRUE(t.sent(2).empty());
}

TEST_F(ServerTableTest, UnterminatedFloodClosesTheConnection) {
    Table t;
    t.seat(2);
    t.server.receiveBytes(2, std::string(kMaxClientMessage, 'a'));
    EXPECT_TRUE(t.server.player(2).connected);
    t.server.receiveBytes(2, "a");
    EXPECT_TRUE(t.links[2]->closed);
    EXPECT_FALSE(t.server.player(2).connected);
    EXPECT_EQ(t.sent(1).back(), "CMD_playerdisconnected+2+P2");
    EXPECT_EQ(t.connect(), 2);
    EXPECT_EQ(t.server.player(2).buffer.pending(), 0u);
}

TEST_F(ServerTableTest, JustWatchOutsideAGame) {
    Table t;
    t.seat(2);
    t.clearSent();
    t.feed(2, toServer::justwatch(2, "1"));
    t.feed(1, toServer::justwatch(5, "2"));
    EXPECT_TRUE(t.sent(1).empty());
    t.feed(2, toServer::justwatch(2, "2"));
    EXPECT_EQ(t.sent(1), std::vector<std::string>{"CMD_justwatching+2+2"});
}

// A 60 kB name and a 60 kB chat line used to be relayed whole to every client.
TEST_F(ServerTableTest, NamesAndTextsAreCutAndOverlongMessagesCloseTheSender) {
    Table t;
    t.seat(1);
    t.connect();
    std::string name = "J\xC3\xB8rn";
    while (name.size() < 3000) name += "\xE2\x99\xA5";
    t.login(2, name);
    EXPECT_EQ(t.server.player(2).name, std::string(cutName(name)));
    EXPECT_EQ(t.sent(1).back(), "CMD_newplayerinfo+2+" + std::string(cutName(name)));
    t.clearSent();

    const std::string line = std::string(3000, 'x') + "|clBlue";
    t.feed(2, "CMD_chat+2+" + line + kTerminator);
    t.feed(2, "CMD_action+2+" + line + kTerminator);
    const std::string kept = t.server.player(2).name;
    EXPECT_EQ(t.sent(1),
              (std::vector<std::string>{"CMD_chat+2+" + kept + " chats: " + cutChatText(line),
                                        "CMD_action+2+" + kept + " " + cutChatText(line)}));
    EXPECT_TRUE(t.sent(1)[0].ends_with("x|clBlue"));

    // A whole message longer than any honest one closes its sender, terminator or not.
    t.clearSent();
    t.feed(2, "CMD_chat+2+" + std::string(kMaxClientMessage, 'y') + kTerminator);
    EXPECT_TRUE(t.links[2]->closed);
    EXPECT_EQ(t.sent(1), std::vector<std::string>{"CMD_playerdisconnected+2+" + kept});
}

// ---- What a connection costs -----------------------------------------------------------------

// A million bare terminators once cost the server 59 MB and hours of ticks to drop; junk and
// empty messages are now dropped as they arrive.
TEST_F(ServerTableTest, EmptyAndMalformedMessagesAreNeverQueued) {
    Table t;
    t.seat(2);
    t.server.receiveBytes(2, std::string(100000, kTerminator));
    t.server.receiveBytes(2, "junk\xFF"
                             "CMD_chat+\xFF"
                             "CMD_sendcard+2+9+\xFF"
                             "CMD_full+\xFF");
    EXPECT_EQ(t.server.queuedMessages(), 0u);
    EXPECT_EQ(t.server.queuedBytes(2), 0u);
    EXPECT_TRUE(t.server.player(2).connected);
}

// Counted at one byte a message, a client could hold four times the bound in entries.
TEST_F(ServerTableTest, TheQueueBoundCountsWhatEntriesCost) {
    Table t;
    t.seat(2);
    std::string burst;
    for (int i = 0; i < 20000; ++i) burst += toServer::clickdone(2); // 340 kB on the wire
    std::size_t most = 0;
    for (std::size_t at = 0; at < burst.size() && t.server.player(2).connected; at += 1700) {
        t.server.receiveBytes(2, std::string_view(burst).substr(at, 1700));
        most = std::max(most, t.server.queuedBytes(2));
    }
    EXPECT_FALSE(t.server.player(2).connected);
    EXPECT_TRUE(t.links[2]->closed);
    EXPECT_LT(most, kMaxQueuedBytes + 2000);
    EXPECT_EQ(t.server.queuedMessages(), 0u);
}

// A newcomer given the number of a flooder that left used to wait behind its queue, inherit its
// count, or be closed for it; a removed flooder's chat went on being relayed.
TEST_F(ServerTableTest, QueuedMessagesLeaveWithTheirConnection) {
    Table t;
    t.seat(3);
    std::string burst;
    for (int i = 0; i < 3000; ++i) burst += toServer::chat(2, "flood");
    t.server.receiveBytes(2, burst);
    ASSERT_GT(t.server.queuedBytes(2), 0u);
    // Turns are taken in arrival order: one line of the flood goes out before the kick.
    t.feed(1, toServer::kickhim(1, 2));
    EXPECT_EQ(t.server.queuedMessages(), 0u);
    EXPECT_EQ(t.server.queuedBytes(2), 0u);
    EXPECT_EQ(t.only(3, {"CMD_chat"}).size(), 1u);

    ASSERT_EQ(t.connect(), 2);
    t.server.receiveBytes(2, toServer::logininfo(2, kVersion, "Next"));
    t.server.socktimerTimer();
    EXPECT_EQ(t.sent(3).back(), "CMD_newplayerinfo+2+Next");
}

// A client that does not read is closed once a megabyte waits for it, after the handler that
// found it full has finished, and its seat goes to the computer as for any leave.
TEST_F(ServerTableTest, AClientThatDoesNotReadIsClosedAndItsSeatLeft) {
    Table t;
    t.seat(3);
    t.feed(1, toServer::startgame("P1", "1", 2));
    ASSERT_EQ(t.server.game().phase, rules::GiveOne);
    t.links[2]->backlog = kMaxUnsentBytes + 1;
    t.clearSent();
    t.feed(3, toServer::chat(3, "hello"));
    // The relay went to everybody; seat 2 is full but not yet gone.
    EXPECT_EQ(t.only(2, {"CMD_chat"}).size(), 1u);
    EXPECT_TRUE(t.server.player(2).connected);
    t.feed(3, toServer::chat(3, "again"));
    EXPECT_EQ(t.only(2, {"CMD_chat"}).size(), 1u); // nothing more is piled on

    QCoreApplication::processEvents();
    EXPECT_TRUE(t.links[2]->dropped);
    EXPECT_FALSE(t.server.player(2).connected);
    EXPECT_TRUE(t.wasSent(1, "CMD_playerdisconnected+2+P2"));
    // The computer gave seat 2's card at once.
    EXPECT_TRUE(t.wasSent(1, "CMD_setcrib+2+"));
    EXPECT_TRUE(t.server.player(2).gave);
}

// Eight silent connections used to hold every number for ever.
TEST_F(ServerTableTest, ConnectionsWithoutALoginAreClosedAfterTenSeconds) {
    Table t;
    t.seat(1);
    for (int n = 2; n <= 9; ++n) ASSERT_EQ(t.connect(), n);
    auto full = std::make_shared<FakeLink>();
    EXPECT_EQ(t.server.attachConnection(full), 0);

    // Until it logs in, a connection may not act.
    t.feed(2, toServer::chat(2, "nameless"));
    EXPECT_TRUE(t.only(1, {"CMD_chat"}).empty());

    const int ticks = TServer::kLoginSeconds * 1000 / TServer::kLoginTimerMs;
    for (int i = 0; i < ticks; ++i) t.server.logintimerTimer();
    t.login(5, "Late");
    for (int n = 2; n <= 9; ++n) EXPECT_TRUE(t.server.player(n).connected) << n;
    t.server.logintimerTimer();
    for (int n = 2; n <= 9; ++n) EXPECT_EQ(t.server.player(n).connected, n == 5) << n;
    EXPECT_TRUE(t.server.player(1).connected);
    EXPECT_EQ(t.connect(), 2);
}
