// Chat colours as text on the wire: names, "$" values, and what reading tolerates.
#include "chat/chatcolour.h"

#include <gtest/gtest.h>

using namespace chatcolour;

namespace {

struct Named {
    const char* name;
    Value value;
};
const Named kNamed[] = {
    {"clBlack", 0x000000},  {"clMaroon", 0x000080},  {"clGreen", 0x008000}, {"clOlive", 0x008080},
    {"clNavy", 0x800000},   {"clPurple", 0x800080},  {"clTeal", 0x808000},  {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0}, {"clRed", 0x0000FF},     {"clLime", 0x00FF00},  {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},   {"clFuchsia", 0xFF00FF}, {"clAqua", 0xFFFF00},  {"clWhite", 0xFFFFFF},
};

} // namespace

TEST(ChatColour, TheSixteenNamedColoursTravelByName) {
    for (const Named& n : kNamed) {
        EXPECT_EQ(toText(n.value), n.name);
        EXPECT_EQ(fromText(n.name), n.value) << n.name;
    }
}

TEST(ChatColour, OtherValuesTravelAsEightUpperCaseHexDigits) {
    EXPECT_EQ(toText(0x00123ABC), "$00123ABC");
    EXPECT_EQ(toText(0x00000001), "$00000001");
    EXPECT_EQ(toText(0xFF000000), "$FF000000");
    for (Value v : {0x00000001u, 0x00ABCDEFu, 0x00808001u, 0x00FEFEFEu, 0x7F000000u, 0xFFFFFFFFu})
        EXPECT_EQ(fromText(toText(v)), v) << v;
}

TEST(ChatColour, ReadingIgnoresCaseOfNamesAndAcceptsDecimalAndShortHex) {
    EXPECT_EQ(fromText("clblack"), 0x000000u); // the settings file's default
    EXPECT_EQ(fromText("CLBLUE"), 0xFF0000u);
    EXPECT_EQ(fromText("$ff"), 0xFFu);
    EXPECT_EQ(fromText("$00c0C0c0"), 0xC0C0C0u);
    EXPECT_EQ(fromText("255"), 255u);
    EXPECT_EQ(fromText("4294967295"), 0xFFFFFFFFu);
    EXPECT_EQ(fromText(" clRed\r\n"), 0x0000FFu);
}

TEST(ChatColour, UnreadableTextGivesNothing) {
    for (const char* bad : {"", "   ", "clBrown", "cl", "$", "$123456789", "$12G4", "-1", "12a",
                            "4294967296", "0x00FF", "b|clBlack", "clBlack+"})
        EXPECT_FALSE(fromText(bad).has_value()) << bad;
}

TEST(ChatColour, QColorPackingIsBlueGreenRed) {
    EXPECT_EQ(fromQColor(QColor(0x12, 0x34, 0x56)), 0x563412u);
    EXPECT_EQ(toQColor(0x563412), QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(toQColor(kBlue), QColor(0, 0, 255));
    EXPECT_EQ(toQColor(0xFF0000FF), QColor(255, 0, 0)); // the top byte is not a colour
    for (const Named& n : kNamed) EXPECT_EQ(fromQColor(toQColor(n.value)), n.value);
}
