// The chat panel on its real widgets: what goes out for typed lines, phrases and chatter sounds,
// and what the view shows for lines, smileys, links, styles and sizes.
#include "chat/chatpanel.h"
#include "resources/pictures.h"
#if __has_include("chat/soundplayer.h")
#include "chat/soundplayer.h"
#define CHAT_TEST_PLAYER 1
#endif

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <gtest/gtest.h>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QColor& c, std::ostream* os) {
    *os << c.name().toStdString();
}
QT_END_NAMESPACE

namespace {

class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        if (QApplication::instance()) return;
        static int argc = 1;
        static char name[] = "test_chatpanel";
        static char* argv[] = {name, nullptr};
        new QApplication(argc, argv);
    }
};
const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

const std::string kEnd = "\xFF";
const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);

// The panel with the desktop, its message boxes and the colour dialog answered by the test.
class TestPanel : public ChatPanel {
public:
    bool openWorks = true;
    std::vector<QUrl> opened;
    std::vector<QString> messages;
    std::optional<QColor> colourAnswer;
    QColor colourOffered;

protected:
    bool openUrl(const QUrl& url) override {
        opened.push_back(url);
        return openWorks;
    }
    void showMessage(const QString& text) override { messages.push_back(text); }
    std::optional<QColor> chooseColour(const QColor& current) override {
        colourOffered = current;
        return colourAnswer;
    }
};

class ChatPanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        panel.setLocalSeat(2);
        panel.setConnected(true);
        for (int s = 1; s <= 4; ++s) panel.setSeatName(s, QStringLiteral("Name%1").arg(s));
#ifdef CHAT_TEST_PLAYER
        if (SoundPlayer* player = panel.soundPlayer()) player->setMuted(true);
#endif
        QObject::connect(&panel, &ChatPanel::messageReady,
                         [this](const std::string& m) { sent.push_back(m); });
        QObject::connect(&panel, &ChatPanel::settingsChanged, [this] { ++saves; });
        QObject::connect(&panel, &ChatPanel::chatterSoundPlayed,
                         [this](const QString& n) { chatter.push_back(n); });
        QObject::connect(&panel, &ChatPanel::gameSoundPlayed,
                         [this](const QString& n) { game.push_back(n); });
        // A picture per number, so tests need not wait for the painter.
        panel.view()->smileyPicture = [](int n) {
            QPixmap p(17, 17);
            p.fill(QColor(n * 9, 200, 0));
            return p;
        };
    }

    template <typename T = QWidget> T* find(const char* name) {
        T* w = panel.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QAction* action(const char* name) {
        return find<QAction>(name);
    }
    QLineEdit* mychat() {
        return find<QLineEdit>("mychat");
    }

    void type(const QString& text) {
        mychat()->setText(text);
        QTest::keyClick(mychat(), Qt::Key_Return);
    }

    // The line as shown, pictures written as their codes.
    QString line(int n) {
        QString out;
        for (const auto& r : panel.view()->runs(n)) out += r.text;
        return out;
    }
    int lines() {
        return panel.view()->document()->blockCount();
    }

    TestPanel panel;
    std::vector<std::string> sent;
    int saves = 0;
    bool& openWorks = panel.openWorks;
    std::vector<QUrl>& opened = panel.opened;
    std::vector<QString>& messages = panel.messages;
    std::vector<QString> chatter, game;
};

TEST_F(ChatPanelTest, TypedLinesGoOutAsChatOrAction) {
    EXPECT_EQ(mychat()->text(), "<Enter Chat Here>");
    type("hello + | there");
    type("/me waves");
    type("/me");
    type("/mex dances"); // only the first three characters are looked at
    ASSERT_EQ(sent.size(), 4u);
    EXPECT_EQ(sent[0], "CMD_chat+2+hello + | there|clBlack" + kEnd);
    EXPECT_EQ(sent[1], "CMD_action+2+waves|clBlack" + kEnd);
    EXPECT_EQ(sent[2], "CMD_action+2+|clBlack" + kEnd);
    EXPECT_EQ(sent[3], "CMD_action+2+ dances|clBlack" + kEnd);
    EXPECT_EQ(mychat()->text(), "");
}

TEST_F(ChatPanelTest, OtherSlashLinesEmptyLinesAndLinesBeforeLoginAreNotSent) {
    type("/quit");
    EXPECT_EQ(mychat()->text(), "");
    type("/ME shouts");
    type("");
    EXPECT_TRUE(sent.empty());
    panel.setConnected(false);
    type("too early");
    EXPECT_TRUE(sent.empty());
    EXPECT_EQ(mychat()->text(), "too early");
}

TEST_F(ChatPanelTest, AnyKeyClearsThePlaceholderAndTheColourGoesWithTheText) {
    QTest::keyClick(mychat(), Qt::Key_H);
    QTest::keyClick(mychat(), Qt::Key_I);
    EXPECT_EQ(mychat()->text(), "hi");
    panel.setChatColour(QColor(0x01, 0x02, 0x03));
    QTest::keyClick(mychat(), Qt::Key_Enter);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0], "CMD_chat+2+hi|$00030201" + kEnd);
    EXPECT_EQ(mychat()->palette().color(QPalette::Text), QColor(1, 2, 3));
}

TEST_F(ChatPanelTest, PhrasesAreSaidAndTheGateLetsOnePassPerHundredTicks) {
    EXPECT_EQ(find<QPushButton>("b_phrase1")->toolTip(), "Way To Go!");
    EXPECT_EQ(find<QPushButton>("b_phrase10")->toolTip(), "/me waves \"Good-Bye\"");
    EXPECT_FALSE(panel.phraseGateClosed());
    QTest::mouseClick(find<QPushButton>("b_phrase1"), Qt::LeftButton);
    QTest::mouseClick(find<QPushButton>("b_phrase2"), Qt::LeftButton);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0], "CMD_action+2+says: Way To Go!|clBlack" + kEnd);
    EXPECT_TRUE(panel.phraseGateClosed());
    for (int i = 0; i < 100; ++i) panel.phraseGateTick();
    EXPECT_TRUE(panel.phraseGateClosed());
    panel.phraseGateTick();
    EXPECT_FALSE(panel.phraseGateClosed());

    panel.setPhrase(3, "/me dances");
    QTest::mouseClick(find<QPushButton>("b_phrase3"), Qt::LeftButton);
    for (int i = 0; i < 101; ++i) panel.phraseGateTick();
    panel.setPhrase(4, "/ME shouts");
    QTest::mouseClick(find<QPushButton>("b_phrase4"), Qt::LeftButton);
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[1], "CMD_action+2+dances|clBlack" + kEnd);
    EXPECT_EQ(sent[2], "CMD_action+2+says: /ME shouts|clBlack" + kEnd);
    EXPECT_EQ(find<QPushButton>("b_phrase4")->toolTip(), "/ME shouts");
}

TEST_F(ChatPanelTest, PhrasesWaitForLoginAndTheTenthOpensTheSounds) {
    panel.setConnected(false);
    QTest::mouseClick(find<QPushButton>("b_phrase1"), Qt::LeftButton);
    EXPECT_TRUE(sent.empty());
    EXPECT_FALSE(panel.phraseGateClosed());
    panel.setConnected(true);
    QTest::mouseClick(find<QPushButton>("b_phrase10"), Qt::LeftButton);
    EXPECT_TRUE(sent.empty());
    auto* sounds = find<QMenu>("popup_sounds");
    EXPECT_TRUE(sounds->isVisible());
    sounds->hide();
}

TEST_F(ChatPanelTest, ALineShowsItsNamePartBoldInTheSeatStyle) {
    panel.addlinetochat("0+You are Connected.", ChatPanel::systemColour());
    panel.chatrecieved("7+Bob chats: hello there|clNavy");
    ASSERT_EQ(lines(), 2);
    EXPECT_EQ(line(0), " You are Connected. ");
    EXPECT_EQ(line(1), "Bob chats:  hello there ");
    const auto runs = panel.view()->runs(1);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].style, 12);
    EXPECT_EQ(runs[0].format.foreground().color(), QColor(0, 0, 128));
    EXPECT_EQ(runs[0].format.fontWeight(), QFont::Bold);
    EXPECT_EQ(panel.view()->runs(0)[0].style, 0);
    EXPECT_EQ(panel.view()->runs(0)[0].format.foreground().color(), kBlue);
}

TEST_F(ChatPanelTest, ChangingASeatsColourRecoloursItsEarlierLinesOnly) {
    panel.chatrecieved("7+Bob chats: first|clNavy");
    panel.chatrecieved("1+Al chats: mine|clGreen");
    panel.chatrecieved("7+Bob chats: second|clRed");
    EXPECT_EQ(panel.view()->runs(0)[0].format.foreground().color(), kRed);
    EXPECT_EQ(panel.view()->runs(2)[0].format.foreground().color(), kRed);
    EXPECT_EQ(panel.view()->runs(1)[0].format.foreground().color(), QColor(0, 128, 0));
    EXPECT_EQ(panel.view()->runs(1)[0].style, 6);
}

TEST_F(ChatPanelTest, MissingOrUnreadableColoursShowRed) {
    panel.chatrecieved("2+Al chats: no colour");
    panel.chatrecieved("3+Cy chats: a|b|clBlue");
    panel.chatrecieved("4+Di chats: odd|clPink");
    panel.chatrecieved("5+Ed chats: good|$00FF0000");
    EXPECT_EQ(line(0), "Al chats:  no colour ");
    EXPECT_EQ(line(1), "Cy chats:  a ");
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(panel.view()->runs(i)[0].format.foreground().color(), kRed) << i;
    EXPECT_EQ(panel.view()->runs(3)[0].format.foreground().color(), kBlue);
}

TEST_F(ChatPanelTest, MarkupFromTheServerShowsAsText) {
    panel.chatrecieved("2+<b>Al</b> chats: <img src=\"x.png\"> &amp; <a href=\"file:/x\">y</a>"
                       "|clBlack");
    EXPECT_EQ(line(0), "<b>Al</b> chats:  <img src=\"x.png\"> &amp; <a href=\"file:/x\">y</a> ");
    panel.chatrecieved("2+Al chats: one\n0+Fake system line|clBlue");
    EXPECT_EQ(lines(), 2);
    for (const auto& r : panel.view()->runs(0)) {
        EXPECT_FALSE(r.format.isImageFormat());
        EXPECT_FALSE(r.format.isAnchor());
        EXPECT_NE(r.format.fontWeight(), QFont::Normal); // no markup made anything plain either
    }
}

TEST_F(ChatPanelTest, SmileyCodesShowPicturesOnTheSameLine) {
    panel.chatrecieved("1+Al chats: hi :)#14 there|clBlack");
    panel.chatrecieved("1+Al chats: :)#99:)#xy:)#27|clBlack");
    ASSERT_EQ(lines(), 2);
    EXPECT_EQ(line(0), "Al chats:  hi  :)#14 there ");
    const auto runs = panel.view()->runs(0);
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_TRUE(runs[1].format.isImageFormat());
    EXPECT_EQ(line(1), "Al chats:   :)#10 :)#10 :)#27");
    // The picture really is there to draw.
    const QVariant pic =
        panel.view()->loadResource(QTextDocument::ImageResource, QUrl("smiley:14"));
    EXPECT_EQ(pic.value<QPixmap>().width(), 17);
}

TEST_F(ChatPanelTest, ClickingALinkOpensTheWordWithoutItsBlank) {
    panel.resize(300, 300);
    panel.show();
    panel.chatrecieved("3+Cy chats: see www.example.com/a now|clBlack");
    const auto runs = panel.view()->runs(0);
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[1].text, "www.example.com/a ");
    EXPECT_EQ(runs[1].style, 4);
    EXPECT_TRUE(runs[1].format.fontUnderline());
    EXPECT_EQ(runs[1].format.foreground().color(), QColor(0, 128, 0));

    // Click the middle of the link word as a player would.
    QTextCursor c(panel.view()->document());
    c.setPosition(panel.view()->document()->toPlainText().indexOf("example"));
    const QPoint at = panel.view()->cursorRect(c).center() + QPoint(2, 0);
    QTest::mouseClick(panel.view()->viewport(), Qt::LeftButton, {}, at);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], QUrl("http://www.example.com/a"));
    EXPECT_TRUE(messages.empty());
}

TEST_F(ChatPanelTest, EveryLinkOpensItsOwnWordPastTheHundredAndFirst) {
    for (int i = 0; i < 150; ++i)
        panel.chatrecieved(QStringLiteral("1+Al chats: www.site%1.org|clBlack").arg(i));
    EXPECT_EQ(panel.view()->linkCount(), 150);
    for (int k : {0, 1, 100, 101, 102, 149}) {
        opened.clear();
        panel.mainchatJump(k);
        ASSERT_EQ(opened.size(), 1u);
        EXPECT_EQ(opened[0], QUrl(QStringLiteral("http://www.site%1.org").arg(k)));
    }
    // After clearing, numbering starts again at 0.
    panel.ClearMainChat1Click();
    EXPECT_EQ(lines(), 1);
    EXPECT_EQ(line(0), "");
    panel.chatrecieved("1+Al chats: www.again.org|clBlack");
    opened.clear();
    panel.mainchatJump(0);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], QUrl("http://www.again.org"));
}

TEST_F(ChatPanelTest, OnlyWebAddressesAreHandedToTheDesktop) {
    panel.chatrecieved("1+Al chats: file:///www.x/etc/passwd http://ok.org|clBlack");
    panel.mainchatJump(0);
    EXPECT_TRUE(opened.empty());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Cannot open Webpage");
    panel.mainchatJump(7); // no such link
    EXPECT_EQ(messages.size(), 2u);
    openWorks = false; // the desktop could not open it
    panel.mainchatJump(1);
    EXPECT_EQ(opened.size(), 1u);
    EXPECT_EQ(messages.size(), 3u);
}

TEST_F(ChatPanelTest, TextSizeResizesEveryStyleAndIsSaved) {
    panel.chatrecieved("1+Al chats: www.a.org :)#12 x|clBlack");
    panel.addlinetochat("0+system", kBlue);
    EXPECT_EQ(panel.textSize(), 10);
    action("N12")->trigger();
    EXPECT_EQ(panel.textSize(), 12);
    EXPECT_TRUE(action("N12")->isChecked());
    EXPECT_EQ(saves, 1);
    for (int l = 0; l < 2; ++l)
        for (const auto& r : panel.view()->runs(l))
            if (!r.format.isImageFormat()) {
                EXPECT_EQ(r.format.fontPointSize(), 12) << l;
            }
    // A link keeps working after its format was rebuilt.
    EXPECT_TRUE(panel.view()->runs(0)[1].format.isAnchor());
    action("N8")->trigger();
    EXPECT_FALSE(action("N12")->isChecked());
    // A stored size without an entry changes no check and reports no change.
    panel.setTextSize(9);
    EXPECT_EQ(panel.textSize(), 9);
    EXPECT_TRUE(action("N8")->isChecked());
    EXPECT_EQ(saves, 2);
    panel.addlinetochat("0+new", kBlue);
    EXPECT_EQ(panel.view()->runs(2)[0].format.fontPointSize(), 9);
}

TEST_F(ChatPanelTest, ChatterSoundsGoOutForPlayersOnly) {
    auto* sounds = find<QMenu>("popup_sounds");
    QStringList texts;
    for (QAction* a : sounds->actions())
        if (!a->isSeparator()) texts << a->text();
    ASSERT_EQ(texts.size(), 21);
    EXPECT_EQ(texts.front(), "<Cancel>");
    EXPECT_EQ(texts[1], "Doh");
    EXPECT_EQ(texts[5], "Where have you been?");
    EXPECT_EQ(texts.back(), "Crying");
    action("Cancel1")->trigger();
    action("wave13")->trigger();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0], "CMD_playasound+2+wave13+" + kEnd);
    panel.setLocalSeat(5); // a spectator
    action("wave1")->trigger();
    panel.setLocalSeat(1);
    panel.setConnected(false);
    action("wave1")->trigger();
    EXPECT_EQ(sent.size(), 1u);
}

TEST_F(ChatPanelTest, ReceivedChatterSoundsPlayOrAreReported) {
    EXPECT_FALSE(panel.playChatterSounds());
    panel.playasound("2+wave13+");
    EXPECT_TRUE(chatter.empty());
    ASSERT_EQ(lines(), 1);
    EXPECT_EQ(line(0), "Name2:  <Chatter Sound> Applause ");
    EXPECT_EQ(panel.view()->runs(0)[0].style, 0);
    panel.playasound("3+wave99+"); // names nothing: no line
    panel.playasound("3++");
    EXPECT_EQ(lines(), 1);

    action("PlayChatterSounds1")->trigger();
    EXPECT_EQ(saves, 1);
    panel.setPlaySounds(false); // game sounds play no part here
    panel.playasound("4+WAVE5+");
    EXPECT_EQ(chatter, std::vector<QString>{"wave5"});
    EXPECT_EQ(lines(), 1);
}

TEST_F(ChatPanelTest, GameSoundsAndTheTurnSoundFollowTheirSwitches) {
    panel.playsounds("go");
    action("PlaySounds1")->trigger();
    EXPECT_FALSE(panel.playSounds());
    panel.playsounds("winner");
    EXPECT_EQ(game, std::vector<QString>{"go"});
    EXPECT_EQ(panel.turnSoundName(), "turn");
    action("New1")->trigger();
    EXPECT_EQ(panel.turnSound(), 1);
    EXPECT_EQ(panel.turnSoundName(), "turnnew");
    EXPECT_FALSE(action("Classic1")->isChecked());
    EXPECT_EQ(saves, 2);
    panel.setTurnSound(0);
    EXPECT_TRUE(action("Classic1")->isChecked());
    EXPECT_EQ(saves, 2);
}

#ifdef CHAT_TEST_PLAYER
TEST(ChatPanelSounds, GameAndChatterSoundsShareThePanelsPlayer) {
    ChatPanel panel;
    ASSERT_NE(panel.soundPlayer(), nullptr);
    std::vector<QString> heard;
    panel.soundPlayer()->setMuted(true);
    QObject::connect(panel.soundPlayer(), &SoundPlayer::started,
                     [&](const QString& n) { heard.push_back(n); });
    panel.playsounds("placecard");
    panel.setPlayChatterSounds(true);
    panel.playasound("3+wave7+");
    EXPECT_EQ(heard, (std::vector<QString>{"placecard", "wave7"}));
}
#endif

TEST_F(ChatPanelTest, SmiliesAndPasteAddToTheEntryLine) {
    action("smiley14")->trigger();
    EXPECT_EQ(mychat()->text(), ":)#14");
    action("smiley27")->trigger();
    EXPECT_EQ(mychat()->text(), ":)#14:)#27");
    EXPECT_EQ(mychat()->cursorPosition(), 10);
    EXPECT_FALSE(mychat()->hasSelectedText());
    EXPECT_EQ(find<QMenu>("popup_smilies")->actions().size(), 18);

    mychat()->setText("<Enter Chat Here>");
    QApplication::clipboard()->setText("pasted");
    action("Paste1")->trigger();
    EXPECT_EQ(mychat()->text(), "<Enter Chat Here>pasted");
    mychat()->setText("ab");
    mychat()->setCursorPosition(0);
    QApplication::clipboard()->setText("two\nlines");
    QTest::keyClick(mychat(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(mychat()->text(), "abtwo lines");
}

TEST_F(ChatPanelTest, CopyKeepsSmileyCodes) {
    panel.chatrecieved("1+Al chats: hi :)#14 you|clBlack");
    panel.addlinetochat("0+next", kBlue);
    action("SelectAll1")->trigger();
    action("Copy1")->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), "Al chats:  hi  :)#14 you \n next ");
}

TEST_F(ChatPanelTest, ScrollChatOffKeepsTheViewWhereItIs) {
    panel.resize(260, 200);
    panel.show();
    for (int i = 0; i < 60; ++i) panel.addlinetochat(QStringLiteral("0+line %1").arg(i), kBlue);
    QScrollBar* bar = panel.view()->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    EXPECT_EQ(bar->value(), bar->maximum());

    action("ScrollChatOff1")->trigger();
    EXPECT_TRUE(action("ScrollChatOff2")->isChecked());
    bar->setValue(0);
    panel.addlinetochat("0+quiet", kBlue);
    EXPECT_EQ(bar->value(), 0);
    action("ScrollChatOff2")->trigger();
    EXPECT_FALSE(action("ScrollChatOff1")->isChecked());
    panel.addlinetochat("0+loud", kBlue);
    EXPECT_EQ(bar->value(), bar->maximum());
}

TEST_F(ChatPanelTest, TextColourComesFromTheDialogAndFromStoredText) {
    panel.colourAnswer = QColor(10, 20, 30);
    action("TextColor1")->trigger();
    EXPECT_EQ(panel.colourOffered, QColor(Qt::black));
    EXPECT_EQ(panel.chatColour(), QColor(10, 20, 30));
    EXPECT_EQ(panel.chatColourText(), "$001E140A");
    EXPECT_EQ(saves, 1);
    panel.colourAnswer.reset(); // cancelled
    action("TextColor1")->trigger();
    EXPECT_EQ(panel.chatColour(), QColor(10, 20, 30));
    EXPECT_EQ(saves, 1);

    panel.setChatColourText("clblue");
    EXPECT_EQ(panel.chatColour(), kBlue);
    EXPECT_EQ(mychat()->palette().color(QPalette::Text), kBlue);
    panel.setChatColourText("not a colour");
    EXPECT_EQ(panel.chatColour(), QColor(Qt::black));
}

TEST_F(ChatPanelTest, OptionsMenuEntriesComeInMenuOrder) {
    QMenu options;
    panel.addSoundActions(&options);
    panel.addChatActions(&options);
    QStringList texts;
    for (QAction* a : options.actions()) texts << a->text();
    EXPECT_EQ(texts,
              QStringList({"Play Sounds", "Play Chatter Sounds", "Turn Sound", "Text Color",
                           "Action Color", "Text Size", "Scroll Chat Off", "Clear Main Chat"}));
    EXPECT_TRUE(panel.playSounds());
    EXPECT_EQ(action("ScrollChatOff2")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
}

// Not a check: with CRIBBAGE_CHAT_SHOT set, draws a sample chat to that PNG file.
TEST_F(ChatPanelTest, Screenshot) {
    const QByteArray path = qgetenv("CRIBBAGE_CHAT_SHOT");
    if (path.isEmpty()) GTEST_SKIP();
    panel.view()->smileyPicture = [](int n) { return pictures::smiley(n - 10); };
    panel.resize(250, 300);
    panel.show();
    panel.addlinetochat("0+Loading Multi-player Game.. Please Wait.", ChatPanel::systemColour());
    panel.addlinetochat("0+You are Connected.", ChatPanel::systemColour());
    panel.addlinetochat("0+Vozuz is Connected.", ChatPanel::systemColour());
    panel.chatrecieved("1+Ann chats: hi all :)#10 ready to play?|clNavy");
    panel.chatrecieved("2+Vozuz chats: sure, rules are at www.example.com/cribbage ok|clMaroon");
    panel.chatrecieved("2+Vozuz says: Good One!|clMaroon");
    panel.chatrecieved("1+Ann waves :)#14:)#21|clNavy");
    panel.playasound("2+wave13+");
    mychat()->setText("<Enter Chat Here>");
    const QString file = QString::fromLocal8Bit(path);
    panel.grab().save(file);
    for (const char* menu : {"popup_smilies", "popup_sounds"}) {
        auto* m = find<QMenu>(menu);
        m->adjustSize();
        m->grab().save(QString(file).replace(".png", QStringLiteral("-%1.png").arg(menu)));
    }
}

} // namespace
