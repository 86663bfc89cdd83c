// Drawing chat lines into a rich text document whose pieces remember their style, so a style
// change can redraw what is already shown.
#include "chat/chatview.h"

#include "chat/chatcolour.h"

#include <QAbstractTextDocumentLayout>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>

namespace {

// Every text piece carries the number of its style, read back when a style changes.
constexpr int kStyleProperty = QTextFormat::UserProperty + 1;
const QString kLinkScheme = QStringLiteral("chatlink");
const QString kSmileyScheme = QStringLiteral("smiley");

} // namespace

ChatView::ChatView(QWidget* parent) : QTextBrowser(parent) {
    setObjectName(QStringLiteral("mainchat"));
    setOpenLinks(false);
    setOpenExternalLinks(false);
    setUndoRedoEnabled(false);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard |
                            Qt::LinksAccessibleByMouse);
    document()->setDocumentMargin(5);
    QPalette p = palette();
    p.setColor(QPalette::Base, Qt::white);
    setPalette(p);

    const QColor windowText = palette().color(QPalette::WindowText);
    using chatcolour::toQColor;
    const QColor blue = toQColor(0xFF0000), navy = toQColor(0x800000), maroon = toQColor(0x000080),
                 green = toQColor(0x008000), silver = toQColor(0xC0C0C0);
    m_styles[0] = {blue, false, false, false};
    m_styles[1] = {blue, true, false, false};
    m_styles[2] = {navy, true, false, false};
    m_styles[3] = {maroon, false, true, false};
    m_styles[4] = {green, false, false, true};
    m_styles[5] = {green, false, false, true};
    m_styles[6] = {silver, false, false, false};
    m_styles[7] = {silver, false, false, false};
    for (int i = 8; i < chatline::kStyleCount; ++i) m_styles[i] = {windowText, false, false, false};

    connect(this, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
        bool ok = false;
        const int number = url.path().toInt(&ok);
        if (url.scheme() == kLinkScheme && ok) emit linkClicked(number);
    });
}

QTextCharFormat ChatView::formatFor(int index) const {
    const Style& s = m_styles.at(index);
    QTextCharFormat f;
    // The chat was laid out for Arial; the others stand in where it is missing.
    f.setFontFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                       QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")});
    f.setFontPointSize(m_textSize * m_scale);
    f.setFontWeight(s.bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(s.italic);
    f.setFontUnderline(s.underline);
    f.setForeground(s.colour);
    f.setProperty(kStyleProperty, index);
    return f;
}

void ChatView::setStyle(int index, const Style& style) {
    Style& s = m_styles.at(index);
    if (s.colour == style.colour && s.bold == style.bold && s.italic == style.italic &&
        s.underline == style.underline)
        return;
    s = style;
    restyle(index);
}

void ChatView::setTextSize(int points) {
    if (points < 1 || points == m_textSize) return;
    m_textSize = points;
    restyleAll();
}

void ChatView::setScale(double scale) {
    if (scale <= 0 || scale == m_scale) return;
    m_scale = scale;
    restyleAll();
}

bool ChatView::atEnd() const {
    const QScrollBar* bar = verticalScrollBar();
    return bar->value() >= bar->maximum();
}

void ChatView::restyleAll() {
    // Larger or smaller text moves the newest line out of view or leaves room under it; a
    // player who was reading it should still see it afterwards.
    const bool wasAtEnd = atEnd();
    restyle(-1);
    if (!wasAtEnd) return;
    // The scroll range follows the document's new height only once it is laid out again.
    document()->documentLayout()->documentSize();
    scrollToEnd();
}

// style -1 redraws every style. The ranges are collected first because changing a piece's
// format may merge it with its neighbour and so disturb the walk.
void ChatView::restyle(int style) {
    struct Range {
        int start, length, style;
        QString href;
    };
    std::vector<Range> ranges;
    for (QTextBlock b = document()->begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment frag = it.fragment();
            const QTextCharFormat f = frag.charFormat();
            if (!f.hasProperty(kStyleProperty) || f.isImageFormat()) continue;
            const int s = f.intProperty(kStyleProperty);
            if (style >= 0 && s != style) continue;
            ranges.push_back({frag.position(), frag.length(), s, f.anchorHref()});
        }
    }
    if (ranges.empty()) return;
    QTextCursor c(document());
    c.beginEditBlock();
    for (const Range& r : ranges) {
        QTextCharFormat f = formatFor(r.style);
        if (!r.href.isEmpty()) {
            f.setAnchor(true);
            f.setAnchorHref(r.href);
        }
        c.setPosition(r.start);
        c.setPosition(r.start + r.length, QTextCursor::KeepAnchor);
        c.setCharFormat(f);
    }
    c.endEditBlock();
}

void ChatView::appendLine(const chatline::Line& line) {
    QTextCursor c(document());
    c.movePosition(QTextCursor::End);
    c.beginEditBlock();
    if (m_lineCount > 0) c.insertBlock();
    const QTextCharFormat lineFormat = formatFor(line.style);
    c.insertText(line.name + QLatin1Char(' '), lineFormat);
    for (const chatline::Piece& p : line.pieces) {
        switch (p.kind) {
        case chatline::Piece::Kind::Text:
            c.insertText(p.text, lineFormat);
            break;
        case chatline::Piece::Kind::Link: {
            QTextCharFormat f = formatFor(chatline::kLinkStyle);
            f.setAnchor(true);
            f.setAnchorHref(kLinkScheme + QLatin1Char(':') + QString::number(m_links.size()));
            f.setToolTip(chatline::plainToolTip(p.text.trimmed()));
            m_links.append(p.text);
            c.insertText(p.text, f);
            break;
        }
        case chatline::Piece::Kind::Smiley: {
            QTextImageFormat f;
            f.setName(kSmileyScheme + QLatin1Char(':') + QString::number(p.smiley));
            f.setVerticalAlignment(QTextCharFormat::AlignMiddle);
            c.insertImage(f);
            break;
        }
        }
    }
    c.endEditBlock();
    ++m_lineCount;
}

void ChatView::clearLines() {
    document()->clear();
    m_links.clear();
    m_lineCount = 0;
}

void ChatView::scrollToEnd() {
    QScrollBar* bar = verticalScrollBar();
    bar->setValue(bar->maximum());
}

QString ChatView::linkText(int number) const {
    return number >= 0 && number < m_links.size() ? m_links.at(number) : QString();
}

std::vector<ChatView::Run> ChatView::runs(int line) const {
    std::vector<Run> out;
    const QTextBlock b = document()->findBlockByNumber(line);
    if (!b.isValid()) return out;
    for (auto it = b.begin(); !it.atEnd(); ++it) {
        const QTextFragment frag = it.fragment();
        const QTextCharFormat f = frag.charFormat();
        if (f.isImageFormat()) {
            const QString name = f.toImageFormat().name();
            const QString code = chatline::kSmileyCode + name.mid(kSmileyScheme.size() + 1);
            // Adjacent pictures share one fragment.
            for (int i = 0; i < frag.length(); ++i) out.push_back({-1, code, f});
        } else {
            out.push_back({f.intProperty(kStyleProperty), frag.text(), f});
        }
    }
    return out;
}

QVariant ChatView::loadResource(int type, const QUrl& name) {
    if (type == QTextDocument::ImageResource && name.scheme() == kSmileyScheme) {
        bool ok = false;
        const int number = name.path().toInt(&ok);
        if (ok && smileyPicture) {
            const QPixmap p = smileyPicture(number);
            if (!p.isNull()) return p;
        }
        // A missing picture still takes its place in the line.
        QPixmap blank(17, 17);
        blank.fill(Qt::transparent);
        return blank;
    }
    return QTextBrowser::loadResource(type, name);
}

QMimeData* ChatView::createMimeDataFromSelection() const {
    const QTextCursor sel = textCursor();
    QString text;
    QTextCursor at(document());
    for (int pos = sel.selectionStart(); pos < sel.selectionEnd(); ++pos) {
        const QChar ch = document()->characterAt(pos);
        if (ch == QChar::ObjectReplacementCharacter) {
            at.setPosition(pos + 1);
            const QTextCharFormat f = at.charFormat();
            if (f.isImageFormat()) {
                text +=
                    chatline::kSmileyCode + f.toImageFormat().name().mid(kSmileyScheme.size() + 1);
                continue;
            }
        }
        if (ch == QChar::ParagraphSeparator || ch == QChar::LineSeparator)
            text += QLatin1Char('\n');
        else if (ch == QChar::Nbsp)
            text += QLatin1Char(' ');
        else
            text += ch;
    }
    auto* mime = new QMimeData;
    mime->setText(text);
    return mime;
}
