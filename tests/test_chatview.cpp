// The chat view against hostile names and lines: whatever a peer types is drawn as the text it
// is. Only the program's own links and smiley pictures are anything else.
#include "chat/chatpanel.h"
#include "chat/chatview.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <gtest/gtest.h>

namespace {

class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        if (QApplication::instance()) return;
        static int argc = 1;
        static char name[] = "test_chatview";
        static char* argv[] = {name, nullptr};
        new QApplication(argc, argv);
    }
};
const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

const QString kLink = QStringLiteral("<a href='file:///etc/passwd'>x</a>");
const QString kPicture = QStringLiteral("<img src='file:///etc/hostname' width=900>");
const QString kTables = QStringLiteral("<table><tr><td>").repeated(3000);

struct Drawn {
    QStringList anchors; // hrefs of every anchor in the view
    int pictures = 0;
    int frames = 0; // tables and other frames below the document's own
};

Drawn drawn(const QTextDocument* doc) {
    Drawn d;
    d.frames = int(doc->rootFrame()->childFrames().size());
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            if (f.isAnchor()) d.anchors << f.anchorHref();
            if (f.isImageFormat()) ++d.pictures;
        }
    return d;
}

// The panel with the desktop's "open" answered here.
class OpeningPanel : public ChatPanel {
public:
    QList<QUrl> opened;

protected:
    bool openUrl(const QUrl& url) override {
        opened << url;
        return true;
    }
    void showMessage(const QString&) override {}
};

class HostileChat : public ::testing::Test {
protected:
    HostileChat() {
        panel.resize(400, 300);
        panel.show();
    }
    QString shownLine(int line) const {
        return panel.view()->document()->findBlockByNumber(line).text();
    }

    OpeningPanel panel;
    QList<QUrl>& opened = panel.opened;
};

} // namespace

TEST_F(HostileChat, NamesAndLinesThatLookLikeMarkupAreDrawnAsTyped) {
    const QStringList names = {kLink, kPicture, kTables};
    for (const QString& name : names) {
        panel.chatrecieved("2+" + name + " chats: " + kLink + " and " + kPicture + "|clBlack");
        panel.addlinetochat("0+" + name + " is Connected.", Qt::blue);
    }
    ASSERT_EQ(panel.view()->document()->blockCount(), 6);
    // Every character is there to read (the chat adds blanks after the name part and words).
    auto unspaced = [](QString text) { return text.remove(QLatin1Char(' ')); };
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(unspaced(shownLine(2 * i)),
                  unspaced(names[i] + " chats: " + kLink + " and " + kPicture));
        EXPECT_EQ(unspaced(shownLine(2 * i + 1)), unspaced(names[i] + " is Connected."));
    }
    const Drawn d = drawn(panel.view()->document());
    EXPECT_TRUE(d.anchors.isEmpty()) << d.anchors.join(' ').toStdString();
    EXPECT_EQ(d.pictures, 0);
    EXPECT_EQ(d.frames, 0);
    // Laid out and painted whole: a name read as markup nested 3,000 tables.
    EXPECT_FALSE(panel.grab().isNull());

    // Copied out of the view it is text again, not markup another program would render.
    panel.view()->selectAll();
    panel.view()->copy();
    const QMimeData* copied = QApplication::clipboard()->mimeData();
    ASSERT_NE(copied, nullptr);
    EXPECT_FALSE(copied->hasHtml());
    EXPECT_TRUE(copied->text().contains(kLink));
}

TEST_F(HostileChat, OnlyTheProgramsOwnLinksAndPicturesAreLive) {
    const QString word = QStringLiteral("http://example.org/<b>x</b>");
    panel.chatrecieved("3+Bo chats: see " + word + " http://example.org/page file:///etc/passwd " +
                       ":)#14 " + kLink + "|clBlack");
    const Drawn d = drawn(panel.view()->document());
    ASSERT_EQ(d.anchors, QStringList({QStringLiteral("chatlink:0"), QStringLiteral("chatlink:1")}));
    EXPECT_EQ(d.pictures, 1);

    // The link's tooltip shows the word as typed, not as the markup inside it.
    const QTextBlock line = panel.view()->document()->firstBlock();
    QString tip;
    for (auto it = line.begin(); !it.atEnd() && tip.isEmpty(); ++it)
        if (it.fragment().charFormat().isAnchor()) tip = it.fragment().charFormat().toolTip();
    QTextDocument shown;
    if (Qt::mightBeRichText(tip))
        shown.setHtml(tip);
    else
        shown.setPlainText(tip);
    EXPECT_EQ(shown.toPlainText(), word);

    // Only a web address opens; the file: word never became a link to follow.
    panel.mainchatJump(0);
    panel.mainchatJump(1);
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0], QUrl(QStringLiteral("http://example.org/page")));
}
