// The table at any size: every item's place, size, lettering and picture follow the zoom, the
// window's size and the settings file.
#include "client/imagelabel.h"
#include "client/tablescale.h"
#include "resources/pictures.h"
#include "settings/inifile.h"
#include "test_client_support.h"

#include <QAction>
#include <QDeadlineTimer>
#include <QFile>
#include <QMenu>
#include <QRegularExpression>

static ::testing::Environment* const kEnv =
    ::testing::AddGlobalTestEnvironment(new ClientAppEnvironment);

namespace {

class ScaleTest : public ClientTest {
protected:
    // A game in its play with the summary of a show filled in, so every kind of item is there.
    void setUpTable() {
        startGame(1, 1);
        dealHand(1, {5, 18, 31, 44, 10, 23});
        feed(net::toClient::turnover(7, 0, 1, 0, 2, 0));
    }
    // Every item of the board, by name, with its place in the window.
    std::map<QString, QRect> places() const {
        std::map<QString, QRect> out;
        QWidget* board = find("panel_board");
        for (QWidget* w : board->findChildren<QWidget*>()) {
            if (w->objectName().isEmpty()) continue;
            out[w->objectName()] = QRect(w->mapTo(board, QPoint(0, 0)), w->size());
        }
        return out;
    }
    QAction* action(const QString& name) const { return chat->findChild<QAction*>(name); }
    template <class Done> bool spinUntil(Done done) {
        QDeadlineTimer deadline(20000);
        while (!done()) {
            if (deadline.hasExpired()) return false;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        }
        return true;
    }
};

} // namespace

TEST_F(ScaleTest, AtTwoHundredPercentEveryItemStandsTwiceAsFarAndTwiceAsLarge) {
    setUpTable();
    const auto before = places();
    ASSERT_GT(before.size(), 40u);
    ASSERT_EQ(before.at("card1").size(), QSize(71, 96));

    chat->Zoom1Click(200);
    EXPECT_EQ(chat->zoom(), 200);
    const auto after = places();
    QWidget* board = find("panel_board");
    QWidget* summary = find("panel_final");
    for (const auto& [name, rect] : before) {
        // The items of the board and the summary; their insides (the chat's, a list's) follow
        // their own layouts.
        QWidget* w = find(name);
        if (!after.count(name) || (w->parentWidget() != board && w->parentWidget() != summary))
            continue;
        const QRect now = after.at(name);
        // A summary label sized to its text grows with its lettering, give or take a pixel of
        // it, and the score beside a name follows the name's width.
        if (qobject_cast<QLabel*>(w) && !qobject_cast<ImageLabel*>(w) &&
            w->parentWidget() == summary) {
            EXPECT_NEAR(now.x(), rect.x() * 2, 6) << name.toStdString();
            EXPECT_EQ(now.y(), rect.y() * 2) << name.toStdString();
            EXPECT_NEAR(now.width(), rect.width() * 2, 6) << name.toStdString();
            EXPECT_NEAR(now.height(), rect.height() * 2, 2) << name.toStdString();
            continue;
        }
        // The hint's button and panels: placed and as wide as the table says, as high as their
        // lettering makes them.
        if (name == "button_hint" || name.startsWith("panel_hint")) {
            EXPECT_EQ(now.topLeft(), rect.topLeft() * 2) << name.toStdString();
            EXPECT_NEAR(now.width(), rect.width() * 2, 2) << name.toStdString();
            EXPECT_NEAR(now.height(), rect.height() * 2, 8) << name.toStdString();
            continue;
        }
        if (name == "Image2") { // the logo keeps its shape: a pixel of rounding in its height
            EXPECT_EQ(now.topLeft(), rect.topLeft() * 2);
            EXPECT_EQ(now.width(), rect.width() * 2);
            EXPECT_NEAR(now.height(), rect.height() * 2, 1);
            continue;
        }
        EXPECT_EQ(now, QRect(rect.topLeft() * 2, rect.size() * 2)) << name.toStdString();
    }
    EXPECT_EQ(find("chatarea")->size(), QSize(500, 674));

    // Back at 100% everything is where it was.
    chat->Zoom1Click(100);
    const auto again = places();
    for (const auto& [name, rect] : before) {
        QWidget* w = find(name);
        if (again.count(name) && (w->parentWidget() == board || w->parentWidget() == summary)) {
            EXPECT_EQ(again.at(name), rect) << name.toStdString();
        }
    }
}

TEST_F(ScaleTest, PicturesArePaintedForTheirSizeNotStretched) {
    setUpTable();
    chat->Zoom1Click(200);
    for (const char* name :
         {"card1", "image_turnover", "button_ok", "image_pegboard", "image_board", "image_peg11"}) {
        auto* l = label(name);
        ASSERT_TRUE(l && !l->pixmap().isNull()) << name;
        // As many device pixels as the label shows, and not the 100% picture blown up.
        EXPECT_EQ(l->pixmap().size(), l->size()) << name;
        EXPECT_FALSE(l->hasScaledContents()) << name;
    }
    const QImage fine = label("card1")->pixmap().toImage();
    const QImage blown = pictures::bigCard(5).toImage().scaled(142, 192);
    EXPECT_NE(fine.convertToFormat(QImage::Format_ARGB32),
              blown.convertToFormat(QImage::Format_ARGB32));

    // The lettering grows with the table.
    const int small = label("label_status")->fontInfo().pixelSize();
    chat->Zoom1Click(100);
    EXPECT_EQ(label("label_status")->fontInfo().pixelSize() * 2, small);
}

TEST_F(ScaleTest, ZoomKeysStepThroughTheEntriesAndTheChoiceIsStored) {
    login(1);
    feed(net::toClient::newplayerinfo(1, "You"));
    ASSERT_TRUE(action("ZoomIn1") && action("ZoomOut1"));
    EXPECT_TRUE(action("ZoomIn1")->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_Equal)));
    EXPECT_EQ(action("ZoomOut1")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Minus));
    EXPECT_TRUE(action("Zoom100")->isChecked());

    std::vector<int> seen;
    for (int i = 0; i < 5; ++i) {
        action("ZoomIn1")->trigger();
        seen.push_back(chat->zoom());
    }
    EXPECT_EQ(seen, (std::vector<int>{125, 150, 200, 200, 200}));
    EXPECT_TRUE(action("Zoom200")->isChecked());
    EXPECT_FALSE(action("Zoom100")->isChecked());
    EXPECT_EQ(loadinifile(UserFiles::settingsPath()).zoom, 200);

    action("ZoomOut1")->trigger();
    EXPECT_EQ(chat->zoom(), 150);
    EXPECT_DOUBLE_EQ(TableScale::of(find("panel_board"))->factor(), 1.5);
    EXPECT_EQ(loadinifile(UserFiles::settingsPath()).zoom, 150);
}

TEST_F(ScaleTest, TheStoredZoomIsTakenAtLogin) {
    QFile file(UserFiles::settingsPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Cribbage]\r\nZoom=125\r\n");
    file.close();
    login(1);
    feed(net::toClient::newplayerinfo(1, "You"));
    EXPECT_EQ(chat->zoom(), 125);
    EXPECT_TRUE(action("Zoom125")->isChecked());
    EXPECT_DOUBLE_EQ(TableScale::of(find("panel_board"))->factor(), 1.25);
}

TEST_F(ScaleTest, AWindowMadeLargerByHandFitsTheTableToIt) {
    setUpTable();
    chat->show();
    const QSize around = chat->size() - find("client")->size();
    chat->resize(QSize(TableScale::kWidth * 2, TableScale::kHeight * 2) + around);
    auto* scale = TableScale::of(find("panel_board"));
    ASSERT_TRUE(spinUntil([&] { return scale->factor() > 1.9; }));
    EXPECT_DOUBLE_EQ(scale->factor(), 2.0);
    EXPECT_EQ(find("card1")->size(), QSize(142, 192));

    // Wider than the table's shape: the height decides, and the table stands in the middle.
    chat->resize(QSize(TableScale::kWidth * 3, TableScale::kHeight) + around);
    ASSERT_TRUE(spinUntil([&] { return scale->factor() < 1.1; }));
    EXPECT_DOUBLE_EQ(scale->factor(), 1.0);
    QWidget* board = find("panel_board");
    EXPECT_NEAR(board->geometry().center().x(), find("client")->width() / 2, 2);
}

TEST(TableScaleStyle, PixelLengthsAreScaledAndNeverVanish) {
    const QString style =
        QStringLiteral("font: bold 11px 'DejaVu Sans'; border: 1px solid #6b4a2b; margin: 0px;");
    EXPECT_EQ(TableScale::scaledStyle(style, 1.0), style);
    EXPECT_EQ(TableScale::scaledStyle(style, 2.0),
              "font: bold 22px 'DejaVu Sans'; border: 2px solid #6b4a2b; margin: 0px;");
    EXPECT_EQ(TableScale::scaledStyle(style, 0.5),
              "font: bold 6px 'DejaVu Sans'; border: 1px solid #6b4a2b; margin: 0px;");
    // Colours and names that hold digits are left alone.
    EXPECT_EQ(TableScale::scaledStyle(QStringLiteral("color: #20361f; font: 12.5px;"), 2.0),
              "color: #20361f; font: 25px;");
}
