// Cutting a connection's byte stream into messages at the terminator byte.
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
    ReceiveBuffer b;
    b.append(std::string(net::kMaxUnterminated, 'x'));
    EXPECT_FALSE(b.overflowed()); // exactly at the cap is still allowed
    b.append("y");
    EXPECT_TRUE(b.overflowed());
    b.clear();
    EXPECT_FALSE(b.overflowed());
    EXPECT_EQ(b.pending(), 0u);

    // A long message that does end in a terminator is not an overflow.
    auto msgs = b.append(std::string(net::kMaxUnterminated * 2, 'z') + "\xFF");
    ASSERT_EQ(msgs.size(), 1u);
    EXPECT_EQ(msgs[0].size(), net::kMaxUnterminated * 2);
    EXPECT_FALSE(b.overflowed());
}
