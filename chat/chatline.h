// How one chat line's text is taken apart: the seat's style, the name part, words, links, smileys.
#pragma once

#include <QString>
#include <QUrl>
#include <vector>

namespace chatline {

// The fifteen shared text styles of the chat view.
constexpr int kStyleCount = 15;
constexpr int kSystemStyle = 0;
constexpr int kLinkStyle = 4;
// Smiley codes are ":)#" and two digits; numbers outside this range show the first picture.
constexpr int kFirstSmiley = 10;
constexpr int kLastSmiley = 27;
inline const QString kSmileyCode = QStringLiteral(":)#");

struct Piece {
    enum class Kind { Text, Link, Smiley };
    Kind kind = Kind::Text;
    QString text;   // Text and Link: the words as shown, each with its trailing blank
    int smiley = 0; // Smiley: 10..27
};

struct Line {
    int style = kSystemStyle;
    // Up to and including the first ":", empty when there is none or when it opens a smiley code.
    QString name;
    std::vector<Piece> pieces;
};

// Seats 1..9 draw in styles 6..14; the system (0 or below) and anything unknown in style 0.
int styleForSeat(int seat);

// Takes apart "seat+display text". A line without "+" or with a seat that is not a number is
// drawn as a system line.
Line parse(const QString& line);

// A word that is shown as a link.
bool isLinkWord(const QString& word);

// The web address a clicked link word opens: "www.…" gains "http://", "http://" and
// "https://" stay as they are. Anything else (another scheme such as "file:", a program's own
// scheme, an address without a host) gives an invalid QUrl and must not be opened.
QUrl webAddress(const QString& word);

} // namespace chatline

namespace chatline {
// Qt shows a tooltip that looks like markup as rich text; a phrase or a link is the user's own
// text and must show as typed.
QString plainToolTip(const QString& text);
} // namespace chatline
