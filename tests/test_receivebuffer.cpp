// Cutting a connection's byte stream into messages at the terminator byte, and dropping the
// ones that are too long.
#include "net/message.h"

#include <gtest/gtest.h>

using namespace std::string_literals;
using net::ReceiveBuffer;
using Msgs = std::vector<std::string>;

TEST(ReceiveBuffer, TwoMessagesInOneChunk) {
    ReceiveBuffer b;
    EXPECT_EQ(b.append("CMD_hegoes+2+\xFF"
                       "CMD_startagain+\xFF"s),
              (Msgs{"CMD_hegoes+2+", "CMD_startagain+"}));
    EXPECT_EQ(b.pending(), 0u);
}

TEST(ReceiveBuffer, MessageSplitOverChunks) {
    ReceiveBuffer b;
    EXPECT_TRUE(b.append("CMD_chat+1+he").empty());
    EXPECT_TRUE(b.append("llo").empty());
    EXPECT_EQ(b.pending(), 16u);
    EXPECT_EQ(b.append("|clRed\xFF"
                       "CMD_fu"s),
              Msgs{"CMD_chat+1+hello|clRed"});
    EXPECT_EQ(b.pending(), 6u);
    EXPECT_EQ(b.append("ll+\xFF"s), Msgs{"CMD_full+"});
    EXPECT_EQ(b.pending(), 0u);
}

TEST(ReceiveBuffer, TerminatorsInARowGiveEmptyMessages) {
    ReceiveBuffer b;
    EXPECT_EQ(b.append("CMD_logininfo+1+2.0.8+You\xFF\xFF"s),
              (Msgs{"CMD_logininfo+1+2.0.8+You", ""}));
    EXPECT_EQ(b.append("\xFF"s), Msgs{""});
    // A terminator alone after a tail closes the tail.
    b.append("abc");
    EXPECT_EQ(b.append("\xFF\xFF"s), (Msgs{"abc", ""}));
    EXPECT_TRUE(b.append("").empty());
}

TEST(ReceiveBuffer, EmptyMessagesCanBeLeftOut) {
    ReceiveBuffer b(100, ReceiveBuffer::Empty::Drop);
    EXPECT_EQ(b.append("\xFF\xFF"
                       "CMD_a+\xFF\xFF\xFF"
                       "CMD_b"s),
              Msgs{"CMD_a+"});
    EXPECT_EQ(b.append("+\xFF\xFF"s), Msgs{"CMD_b+"});
    EXPECT_TRUE(b.append(std::string(100000, '\xFF')).empty());
}

TEST(ReceiveBuffer, ByteByByte) {
    ReceiveBuffer b;
    const std::string stream = "CMD_a+1+\xFF"
                               "CMD_b+\xFF"
                               "tail"s;
    Msgs got;
    for (char c : stream)
        for (auto& m : b.append(std::string_view(&c, 1))) got.push_back(m);
    EXPECT_EQ(got, (Msgs{"CMD_a+1+", "CMD_b+"}));
    EXPECT_EQ(b.pending(), 4u);
}

TEST(ReceiveBuffer, OverflowOfUnterminatedTail) {
    ReceiveBuffer b(100);
    b.append(std::string(100, 'x'));
    EXPECT_FALSE(b.overflowed()); // exactly at the limit is still allowed
    EXPECT_EQ(b.pending(), 100u);
    b.append("y");
    EXPECT_TRUE(b.overflowed());
    EXPECT_EQ(b.pending(), 0u); // the memory is let go at once
    b.clear();
    EXPECT_FALSE(b.overflowed());
    EXPECT_EQ(b.append("ok\xFF"s), Msgs{"ok"});
}

// A long relayed chat line once overflowed a client's buffer, which was emptied; the rest of
// the line, "CMD_full+" at its end, was then read as a message from the server and ended the
// program. What is left of an overlong message is dropped up to its terminator.
TEST(ReceiveBuffer, TheTailOfAnOverlongMessageIsNeverAMessage) {
    ReceiveBuffer b(64);
    Msgs got;
    auto feed = [&](std::string_view bytes) {
        for (auto& m : b.append(bytes)) got.push_back(m);
    };
    feed("CMD_chat+2+Mal chats: " + std::string(60, 'a'));
    EXPECT_TRUE(b.overflowed());
    EXPECT_TRUE(b.skipping());
    feed(std::string(1000, 'b'));
    feed("CMD_full+");
    feed("\xFF"
         "CMD_winner+1+0+\xFF"s);
    EXPECT_EQ(got, Msgs{"CMD_winner+1+0+"});
    EXPECT_FALSE(b.skipping());
    EXPECT_EQ(b.dropped(), 1u);

    // A whole message that arrives at once, terminator and all, is dropped the same way, and
    // the ones around it come through.
    got.clear();
    feed("CMD_a+\xFF" + std::string(65, 'c') + "CMD_full+\xFF" + "CMD_b+\xFF");
    EXPECT_EQ(got, (Msgs{"CMD_a+", "CMD_b+"}));
    EXPECT_EQ(b.dropped(), 2u);

    // Byte by byte makes no difference.
    got.clear();
    for (char c : std::string(70, 'd') + "CMD_full+\xFF" + "CMD_c+\xFF")
        feed(std::string_view(&c, 1));
    EXPECT_EQ(got, Msgs{"CMD_c+"});
}

TEST(ReceiveBuffer, DefaultLimitIsTheServerMessageLimit) {
    ReceiveBuffer b;
    EXPECT_EQ(b.limit(), net::kMaxServerMessage);
    auto msgs = b.append(std::string(net::kMaxServerMessage, 'z') + "\xFF");
    ASSERT_EQ(msgs.size(), 1u);
    EXPECT_EQ(msgs[0].size(), net::kMaxServerMessage);
    EXPECT_FALSE(b.overflowed());
}
