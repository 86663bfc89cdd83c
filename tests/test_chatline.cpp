// Taking chat lines apart: seat styles, name part, words, smiley codes, links and their addresses.
#include "chat/chatline.h"

#include <gtest/gtest.h>

using namespace chatline;
using Kind = Piece::Kind;

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
QT_END_NAMESPACE

namespace {

// The pieces written out: text as it is, links in [], smileys as <n>.
QString show(const Line& line) {
    QString out;
    for (const Piece& p : line.pieces) {
        if (p.kind == Kind::Text) out += p.text;
        if (p.kind == Kind::Link) out += QLatin1Char('[') + p.text + QLatin1Char(']');
        if (p.kind == Kind::Smiley) out += QStringLiteral("<%1>").arg(p.smiley);
    }
    return out;
}

} // namespace

TEST(ChatLine, SeatChoosesTheStyle) {
    EXPECT_EQ(parse("0+hello").style, 0);
    EXPECT_EQ(parse("-3+hello").style, 0);
    EXPECT_EQ(parse("1+a").style, 6);
    EXPECT_EQ(parse("7+a").style, 12);
    EXPECT_EQ(parse("9+a").style, 14);
    // Past the fifteen styles, or no seat at all: drawn as the system draws.
    EXPECT_EQ(parse("10+a").style, 0);
    EXPECT_EQ(parse("x+a").style, 0);
    EXPECT_EQ(parse("no seat").style, 0);
    EXPECT_EQ(show(parse("no seat")), "no seat ");
}

TEST(ChatLine, NamePartEndsAtTheFirstColon) {
    const Line l = parse("2+Bob chats: time: now");
    EXPECT_EQ(l.name, "Bob chats:");
    // The blank after the colon stays, and every word keeps a trailing blank.
    EXPECT_EQ(show(l), " time: now ");
    EXPECT_EQ(parse("0+You are Connected.").name, "");
    EXPECT_EQ(show(parse("0+You are Connected.")), "You are Connected. ");
    // The colon of a smiley code does not end a name.
    const Line action = parse("1+Ann waves :)#14:)#21 at: you");
    EXPECT_EQ(action.name, "");
    EXPECT_EQ(show(action), "Ann waves  <14> <21> at: you ");
    const Line noName = parse("1+Ann waves :)#14");
    EXPECT_EQ(noName.name, "");
    EXPECT_EQ(show(noName), "Ann waves  <14>");
    // "+" after the seat belongs to the text.
    EXPECT_EQ(show(parse("3+Al says: 1+1")), " 1+1 ");
}

TEST(ChatLine, LineBreaksAndControlsBecomeBlanks) {
    // A relayed line must not be able to start a line that passes for the system's.
    EXPECT_EQ(show(parse(QString::fromUtf8("1+A: a\n0+You are kicked\r\tb\u2028c"))),
              " a 0+You are kicked  b c ");
}

TEST(ChatLine, SmileyCodesBecomePictures) {
    const Line l = parse("1+Al chats: hi :)#14 there");
    ASSERT_EQ(l.pieces.size(), 3u);
    EXPECT_EQ(l.pieces[0].text, " hi  ");
    EXPECT_EQ(l.pieces[1].kind, Kind::Smiley);
    EXPECT_EQ(l.pieces[1].smiley, 14);
    // The blank after the code stays in front of the next word.
    EXPECT_EQ(l.pieces[2].text, " there ");
    // Every stretch of text gains its blank, even the empty one before a code.
    EXPECT_EQ(show(parse("1+A::)#10:)#27")), " <10> <27>");
}

TEST(ChatLine, UnknownSmileyNumbersShowTheFirstPicture) {
    EXPECT_EQ(show(parse("1+A::)#99")), " <10>");
    EXPECT_EQ(show(parse("1+A::)#ab!")), " <10>! ");
    EXPECT_EQ(show(parse("1+A::)#09")), " <10>");
    EXPECT_EQ(show(parse(QString::fromUtf8("1+A::)#\u0661\u0662"))), " <10>"); // not 0-9
    EXPECT_EQ(show(parse("1+A::)#2")), " <10>"); // cut short at the end of the line
    EXPECT_EQ(show(parse("1+A::)#")), " <10>");
    EXPECT_EQ(show(parse("1+A::)# 5x")), " <10>x ");
}

TEST(ChatLine, LinksAreWordsWithAnAddress) {
    const Line l = parse("4+Ann chats: see www.example.com now");
    EXPECT_EQ(show(l), " see [www.example.com ]now ");
    // The name part ends at the first colon, so these lines carry one.
    EXPECT_EQ(show(parse("4+A: a HTTP://X.org b")), " a [HTTP://X.org ]b ");
    EXPECT_EQ(show(parse("4+A:https://x.org")), "[https://x.org ]");
    EXPECT_EQ(show(parse("4+A:file://www.evil/x")), "[file://www.evil/x ]");
    EXPECT_EQ(show(parse("4+A:www.a.com:)#12")), "[www.a.com ]<12>");
    EXPECT_FALSE(isLinkWord("wwwx.com"));
    EXPECT_FALSE(isLinkWord("http:/x"));
}

TEST(ChatLine, OnlyWebAddressesAreOpened) {
    EXPECT_EQ(webAddress("www.example.com  "), QUrl("http://www.example.com"));
    EXPECT_EQ(webAddress("WWW.Example.com/a?b=1"), QUrl("http://WWW.Example.com/a?b=1"));
    EXPECT_EQ(webAddress("www.example.com:8080/x"), QUrl("http://www.example.com:8080/x"));
    EXPECT_EQ(webAddress("http://x.org/p "), QUrl("http://x.org/p"));
    EXPECT_EQ(webAddress("HTTPS://x.org"), QUrl("HTTPS://x.org"));
    for (const char* refused :
         {"file:///www.x/etc/passwd", "file://www.x", "javascript:www.x", "mailto:a@www.x",
          "myprogram:www.x", "smb://www.x/share", "", "http://", "http:// www.x"})
        EXPECT_FALSE(webAddress(refused).isValid()) << refused;
}

TEST(ChatLine, ToolTipsShowMarkupAsTyped) {
    EXPECT_EQ(plainToolTip("Way To Go!"), "Way To Go!");
    const QString t = plainToolTip("<b>bold</b>");
    EXPECT_TRUE(t.contains("&lt;b&gt;bold&lt;/b&gt;"));
}
