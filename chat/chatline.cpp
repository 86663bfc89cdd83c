// Taking a chat line apart into the pieces the chat view draws, and the rule for opening links.
#include "chat/chatline.h"

#include <QRegularExpression>
#include <QTextDocument>

namespace chatline {

namespace {

void appendText(Line& line, const QString& word) {
    if (!line.pieces.empty() && line.pieces.back().kind == Piece::Kind::Text)
        line.pieces.back().text += word;
    else
        line.pieces.push_back({Piece::Kind::Text, word, 0});
}

// The text gains one blank so that its last word, like every other, ends in a blank.
void addWords(Line& line, QString text) {
    text += QLatin1Char(' ');
    qsizetype start = 0;
    while (start < text.size()) {
        const qsizetype blank = text.indexOf(QLatin1Char(' '), start);
        const QString word = text.mid(start, blank - start + 1);
        start = blank + 1;
        if (isLinkWord(word))
            line.pieces.push_back({Piece::Kind::Link, word, 0});
        else
            appendText(line, word);
    }
}

int smileyNumber(const QString& code) {
    auto digit = [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); };
    if (code.size() != 2 || !digit(code[0]) || !digit(code[1])) return kFirstSmiley;
    const int n = code[0].digitValue() * 10 + code[1].digitValue();
    return n >= kFirstSmiley && n <= kLastSmiley ? n : kFirstSmiley;
}

// A line break inside a relayed line would start a line of its own that looks like a line of
// the system's; other control characters have nothing to show. All become blanks.
QString withoutControls(QString text) {
    for (QChar& c : text)
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator ||
            c == QChar::ParagraphSeparator)
            c = QLatin1Char(' ');
    return text;
}
} // namespace

int styleForSeat(int seat) {
    if (seat < 1 || seat > kStyleCount - 6) return kSystemStyle;
    return seat + 5;
}

Line parse(const QString& raw) {
    Line line;
    const QString text = withoutControls(raw);
    QString display = text;
    const qsizetype plus = text.indexOf(QLatin1Char('+'));
    if (plus >= 0) {
        bool ok = false;
        const int seat = text.left(plus).toInt(&ok);
        line.style = ok ? styleForSeat(seat) : kSystemStyle;
        display = text.mid(plus + 1);
    }
    // A smiley code starts with a colon too; taken for the end of the name it would cut the
    // code apart and lose the picture, so a line whose first colon opens a code (an action such
    // as "Ann waves :)#14") has no name part.
    const qsizetype colon = display.indexOf(QLatin1Char(':'));
    if (colon >= 0 && display.mid(colon, kSmileyCode.size()) != kSmileyCode) {
        line.name = display.left(colon + 1);
        display.remove(0, colon + 1);
    }
    qsizetype code;
    while ((code = display.indexOf(kSmileyCode)) >= 0) {
        addWords(line, display.left(code));
        const QString number = display.mid(code + kSmileyCode.size(), 2);
        display.remove(0, code + kSmileyCode.size() + number.size());
        line.pieces.push_back({Piece::Kind::Smiley, QString(), smileyNumber(number)});
    }
    if (!display.isEmpty()) addWords(line, display);
    return line;
}

bool isLinkWord(const QString& word) {
    const QString lower = word.toLower();
    return lower.contains(QLatin1String("http://")) || lower.contains(QLatin1String("https://")) ||
           lower.contains(QLatin1String("www."));
}

QUrl webAddress(const QString& word) {
    QString text = word;
    while (!text.isEmpty() && text.back() == QLatin1Char(' ')) text.chop(1);
    const QString lower = text.toLower();
    QString address;
    if (lower.startsWith(QLatin1String("http://")) || lower.startsWith(QLatin1String("https://"))) {
        address = text;
    } else {
        // "www.example.com:8080" would pass for a scheme, so the "www." test comes first.
        static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*:"));
        if (!lower.startsWith(QLatin1String("www.")) && scheme.match(text).hasMatch()) return {};
        address = QStringLiteral("http://") + text;
    }
    QUrl url(address, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty()) return {};
    const QString s = url.scheme().toLower();
    if (s != QLatin1String("http") && s != QLatin1String("https")) return {};
    return url;
}

} // namespace chatline

namespace chatline {
QString plainToolTip(const QString& text) {
    if (!Qt::mightBeRichText(text)) return text;
    return QStringLiteral("<p style='white-space:pre'>") + text.toHtmlEscaped() +
           QStringLiteral("</p>");
}
} // namespace chatline
