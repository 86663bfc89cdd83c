// How the side windows look: readable text, focus marks that stay off the text, captions that
// fit, help pages laid out as rich text, and pictures painted for the screen's pixel ratio.
// Also run with QT_SCALE_FACTOR=2 (the "x2." tests).
#include "settings/tabout.h"
#include "settings/tdownload.h"
#include "settings/tgamestart.h"
#include "settings/thelp.h"
#include "settings/tphrases.h"
#include "settings/tspylist.h"
#include "settings/ttallylist.h"
#include "tests/spin_until.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <vector>

namespace {

class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "test_sidewindow_look";
        static char* argv[] = {name, nullptr};
        if (!QApplication::instance()) new QApplication(argc, argv);
    }
};
const auto* const qtEnv = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

// Relative luminance and contrast ratio as the accessibility guidelines define them.
double luminance(const QColor& c) {
    auto channel = [](double v) {
        v /= 255.0;
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}

double contrast(const QColor& a, const QColor& b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

int distance(const QColor& a, const QColor& b) {
    return std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()),
                     std::abs(a.blue() - b.blue())});
}

// Every side window, filled with a little example data the way the game fills it.
struct Windows {
    QTemporaryDir scratch;
    std::vector<std::unique_ptr<QWidget>> all;

    Windows() {
        auto gamestart = std::make_unique<Tgamestart>();
        gamestart->selectChoices(QStringLiteral("2"), QStringLiteral("3"));
        all.push_back(std::move(gamestart));

        auto tally =
            std::make_unique<Ttallylist>(nullptr, scratch.filePath(QStringLiteral("t.tld")));
        const QStringList seats = {QStringLiteral("Rori"), QStringLiteral("Vozuz")};
        tally->tally().loadchecklist(seats);
        tally->tally().follow(QStringLiteral("Rori"));
        tally->addgame(Tally::AddToMine, QString(), seats);
        tally->ViewTally1Click(seats);
        tally->listbox_tallyClick(0);
        tally->followedList()->setCurrentRow(0);
        all.push_back(std::move(tally));

        auto spies = std::make_unique<Tspylist>();
        spies->setSpectators({QStringLiteral("5: Ann"), QStringLiteral("6: Bartholomew")});
        all.push_back(std::move(spies));

        all.push_back(std::make_unique<Thelp>());
        all.push_back(std::make_unique<Tabout>());

        auto phrases = std::make_unique<Tphrases>();
        phrases->PrhaseList1Click({QStringLiteral("Hello!"), QStringLiteral("Good game")});
        all.push_back(std::move(phrases));

        all.push_back(std::make_unique<Tdownload>());
        for (auto& w : all) {
            w->show();
            EXPECT_TRUE(spinUntil([&] { return w->isVisible(); })) << w->objectName().toStdString();
        }
    }
};

// A widget's rectangle in the device pixels of its window's picture.
QRect inPicture(QWidget* widget, const QRect& rect, const QImage& picture) {
    const QPoint topLeft = widget->mapTo(widget->window(), rect.topLeft());
    const qreal ratio = picture.devicePixelRatio();
    return QRect(QPoint(qRound(topLeft.x() * ratio), qRound(topLeft.y() * ratio)),
                 QSize(qRound(rect.width() * ratio), qRound(rect.height() * ratio)))
        .intersected(picture.rect());
}

// The colour painted behind a piece of text: the average along the edge of its box, where the
// text does not reach.
QColor backgroundAround(const QImage& picture, const QRect& box) {
    double r = 0, g = 0, b = 0;
    int n = 0;
    auto add = [&](int x, int y) {
        const QColor c = picture.pixelColor(x, y);
        r += c.red();
        g += c.green();
        b += c.blue();
        ++n;
    };
    for (int x = box.left(); x <= box.right(); ++x) {
        add(x, box.top());
        add(x, box.bottom());
    }
    for (int y = box.top() + 1; y < box.bottom(); ++y) {
        add(box.left(), y);
        add(box.right(), y);
    }
    return n ? QColor(int(r / n), int(g / n), int(b / n)) : QColor();
}

// The closest any pixel in the box comes to a colour.
int closestTo(const QImage& picture, const QRect& box, const QColor& colour) {
    int best = 255;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            best = std::min(best, distance(picture.pixelColor(x, y), colour));
    return best;
}

struct Sample {
    QString what;
    QColor text;
    QColor background;
    int painted; // how close the picture comes to the text colour
};

// The texts of a window with their colour and what is painted behind them.
std::vector<Sample> samples(QWidget* window) {
    const QImage picture = window->grab().toImage();
    std::vector<Sample> out;
    auto add = [&](QWidget* w, const QString& text, const QRect& rect, const QColor& ink) {
        if (text.trimmed().isEmpty() || !w->isVisibleTo(window)) return;
        const QRect box = inPicture(w, rect, picture);
        if (box.width() < 3 || box.height() < 3) return;
        out.push_back({window->objectName() + QLatin1Char('/') + w->objectName() +
                           QLatin1Char(' ') + text.left(24),
                       ink, backgroundAround(picture, box), closestTo(picture, box, ink)});
    };
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (label->text().isEmpty()) continue;
        // A tight box around the text, one pixel out, so its edge is the background.
        const QRect text = label->contentsRect();
        add(label, label->text(), text.adjusted(-1, -1, 1, 1).intersected(label->rect()),
            label->palette().color(label->isEnabled() ? QPalette::Normal : QPalette::Disabled,
                                   label->foregroundRole()));
    }
    for (QPushButton* button : window->findChildren<QPushButton*>()) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const QRect inside =
            button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        add(button, button->text(), inside,
            button->palette().color(button->isEnabled() ? QPalette::Normal : QPalette::Disabled,
                                    QPalette::ButtonText));
    }
    for (QLineEdit* edit : window->findChildren<QLineEdit*>()) {
        QRect inside = edit->rect().adjusted(3, 3, -3, -3);
        add(edit, edit->text(), inside, edit->palette().color(QPalette::Text));
    }
    for (QListWidget* list : window->findChildren<QListWidget*>()) {
        for (int i = 0; i < list->count(); ++i) {
            QListWidgetItem* item = list->item(i);
            const QRect rect = list->visualItemRect(item);
            const QColor ink = list->palette().color(item->isSelected() ? QPalette::HighlightedText
                                                                        : QPalette::Text);
            add(list->viewport(), item->text(), rect, ink);
        }
    }
    return out;
}

QString name(QWidget* w) {
    return w->objectName();
}

} // namespace

TEST(SideWindowLook, EveryTextReadsOnWhatIsPaintedBehindIt) {
    Windows windows;
    int measured = 0;
    for (auto& window : windows.all) {
        const auto texts = samples(window.get());
        EXPECT_GE(texts.size(), 2u) << name(window.get()).toStdString();
        for (const Sample& s : texts) {
            ++measured;
            // The colour measured is the colour painted: some pixel of the text carries it.
            EXPECT_LE(s.painted, 40) << s.what.toStdString() << " " << s.text.name().toStdString();
            EXPECT_GE(contrast(s.text, s.background), 4.5)
                << s.what.toStdString() << ": " << s.text.name().toStdString() << " on "
                << s.background.name().toStdString();
        }
    }
    EXPECT_GT(measured, 60);
}

TEST(SideWindowLook, TheHelpPagesInkReadsOnThePaperAndOnEveryShadedRow) {
    Thelp help;
    help.show();
    ASSERT_TRUE(spinUntil([&] { return help.isVisible(); }));
    int cells = 0;
    for (QTextBrowser* page : help.findChildren<QTextBrowser*>()) {
        const QColor ink = page->palette().color(QPalette::Text);
        const QColor paper = page->palette().color(QPalette::Base);
        EXPECT_GE(contrast(ink, paper), 4.5) << name(page).toStdString();
        for (QTextFrame* frame : page->document()->rootFrame()->childFrames()) {
            auto* table = qobject_cast<QTextTable*>(frame);
            if (!table) continue;
            for (int r = 0; r < table->rows(); ++r) {
                for (int c = 0; c < table->columns(); ++c) {
                    const QTextTableCell cell = table->cellAt(r, c);
                    const QBrush shade = cell.format().background();
                    const QColor behind = shade.style() == Qt::NoBrush ? paper : shade.color();
                    EXPECT_GE(contrast(ink, behind), 4.5) << name(page).toStdString();
                    ++cells;
                }
            }
        }
    }
    EXPECT_GT(cells, 40);
}

TEST(SideWindowLook, FocusIsShownAroundAControlAndNeverCrossesItsText) {
    Windows windows;
    int checked = 0;
    for (auto& window : windows.all) {
        QWidget* w = window.get();
        w->activateWindow();
        ASSERT_TRUE(spinUntil([&] { return w->isActiveWindow(); }));
        for (QPushButton* button : w->findChildren<QPushButton*>()) {
            if (!button->isVisibleTo(w) || !button->isEnabled()) continue;
            button->clearFocus();
            w->setFocus();
            const QImage before = button->grab().toImage();
            button->setFocus(Qt::TabFocusReason);
            ASSERT_TRUE(spinUntil([&] { return button->hasFocus(); }))
                << name(button).toStdString();
            const QImage after = button->grab().toImage();
            ASSERT_EQ(before.size(), after.size());

            // Where the caption is drawn nothing changes; somewhere outside it, clearly.
            const qreal ratio = after.devicePixelRatio();
            const QRect text = QStyle::alignedRect(
                Qt::LeftToRight, Qt::AlignCenter,
                button->fontMetrics().boundingRect(button->text()).size() + QSize(2, 2),
                button->rect());
            const QRect caption(text.topLeft() * ratio, text.size() * ratio);
            int changedInCaption = 0, changedOutside = 0;
            for (int y = 0; y < after.height(); ++y) {
                for (int x = 0; x < after.width(); ++x) {
                    if (distance(before.pixelColor(x, y), after.pixelColor(x, y)) < 48) continue;
                    (caption.contains(x, y) ? changedInCaption : changedOutside)++;
                }
            }
            EXPECT_EQ(changedInCaption, 0) << name(button).toStdString();
            EXPECT_GT(changedOutside, 20) << name(button).toStdString();
            ++checked;
        }
    }
    EXPECT_GE(checked, 15);
}

TEST(SideWindowLook, AFocusedListDrawsNoDottedFrameOverItsCurrentEntry) {
    Windows windows;
    int checked = 0;
    for (auto& window : windows.all) {
        window->activateWindow();
        ASSERT_TRUE(spinUntil([&] { return window->isActiveWindow(); }));
        for (QListWidget* list : window->findChildren<QListWidget*>()) {
            if (list->count() == 0) continue;
            list->setCurrentRow(list->count() - 1);
            list->clearFocus();
            window->setFocus();
            const QRect entry = list->visualItemRect(list->currentItem());
            const QImage before = list->viewport()->grab(entry).toImage();
            list->setFocus(Qt::TabFocusReason);
            ASSERT_TRUE(spinUntil([&] { return list->hasFocus(); }));
            const QImage after = list->viewport()->grab(entry).toImage();
            int changed = 0;
            for (int y = 0; y < after.height(); ++y)
                for (int x = 0; x < after.width(); ++x)
                    changed += distance(before.pixelColor(x, y), after.pixelColor(x, y)) >= 48;
            EXPECT_EQ(changed, 0) << name(list).toStdString();
            ++checked;
        }
    }
    EXPECT_GE(checked, 3);
}

namespace {

// Each push button's caption against the room its style leaves for it, and each label that
// does not wrap against its width.
void expectCaptionsFit(QWidget* window) {
    for (QPushButton* button : window->findChildren<QPushButton*>()) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const QRect inside =
            button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        const int needed = button->fontMetrics().horizontalAdvance(button->text());
        EXPECT_LE(needed, inside.width())
            << name(window).toStdString() << "/" << name(button).toStdString() << " \""
            << button->text().toStdString() << "\"";
        EXPECT_LE(button->fontMetrics().height(), inside.height()) << name(button).toStdString();
    }
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (label->wordWrap() || label->text().isEmpty() || !label->isVisibleTo(window)) continue;
        EXPECT_LE(label->minimumSizeHint().width(), label->width())
            << name(window).toStdString() << " \"" << label->text().toStdString() << "\"";
    }
}

} // namespace

TEST(SideWindowLook, EveryCaptionFitsItsButtonOrLabel) {
    Windows windows;
    for (auto& window : windows.all) expectCaptionsFit(window.get());
}

TEST(SideWindowLook, TheDownloadButtonsFitWithALargerDefaultFont) {
    const QFont before = QApplication::font();
    for (double factor : {1.25, 1.6}) {
        QFont larger = before;
        larger.setPointSizeF(before.pointSizeF() * factor);
        QApplication::setFont(larger);
        Tdownload window;
        window.show();
        ASSERT_TRUE(spinUntil([&] { return window.isVisible(); }));
        expectCaptionsFit(&window);
        auto* get = window.findChild<QPushButton*>(QStringLiteral("getbutton"));
        ASSERT_NE(get, nullptr);
        EXPECT_EQ(get->fontMetrics().height(), QFontMetrics(larger).height()) << factor;
    }
    QApplication::setFont(before);
}

TEST(SideWindowLook, PicturesArePaintedForTheScreensPixelRatio) {
    Windows windows;
    const qreal ratio = windows.all.front()->devicePixelRatioF();
    int pictures = 0;
    for (auto& window : windows.all) {
        for (QLabel* label : window->findChildren<QLabel*>()) {
            const QPixmap pm = label->pixmap();
            if (pm.isNull()) continue;
            ++pictures;
            // At least as many pixels as the screen shows: never stretched up.
            EXPECT_GE(pm.devicePixelRatio(), ratio)
                << name(window.get()).toStdString() << "/" << name(label).toStdString();
        }
    }
    // The option boxes, the start picture, the logo and the lobby picture.
    EXPECT_GE(pictures, 9);

    // The same picture at twice the ratio: the same logical size, twice the pixels.
    Tgamestart gamestart;
    auto* start = gamestart.findChild<QLabel*>(QStringLiteral("button_start"));
    ASSERT_NE(start, nullptr);
    EXPECT_EQ(start->pixmap().deviceIndependentSize().toSize(), QSize(104, 30));
}

TEST(HelpPages, KeepEveryWordOfTheirTextInOrder) {
    int count = 0;
    const helptexts::Page* pages = helptexts::pages(&count);
    ASSERT_GT(count, 5);
    for (int i = 0; i < count; ++i) {
        QString source = QString::fromUtf8(pages[i].text);
        // The layout marks are not words: headings, table bars, list dashes, command quotes.
        source.replace(QRegularExpression(QStringLiteral("(^|\\n)(## |\\| |- )")),
                       QStringLiteral("\\1"));
        source.replace(QLatin1Char('|'), QLatin1Char(' '));
        source.remove(QLatin1Char('`'));
        QTextDocument doc;
        doc.setHtml(helptexts::toHtml(pages[i].text));
        const auto words = [](const QString& text) {
            return text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
        };
        EXPECT_EQ(words(doc.toPlainText()), words(source)) << pages[i].title;
    }
}

TEST(HelpPages, LayOutHeadingsParagraphsTablesAndListsFromPlainText) {
    const char* text = "## Points <b>bold</b>\n\n"
                       "A paragraph broken\nover two lines with \"his heels\" & `/me`.\n\n"
                       "| Pair | a card of the same rank | 2\n"
                       "| Three of a kind | | 6\n\n"
                       "- one item\n  that goes on\n- <i>two</i>";
    QTextDocument doc;
    const QString html = helptexts::toHtml(text);
    doc.setHtml(html);
    // Markup in the text shows as written.
    EXPECT_FALSE(html.contains(QStringLiteral("<b>bold")));
    EXPECT_TRUE(doc.toPlainText().contains(QStringLiteral("Points <b>bold</b>")));
    EXPECT_TRUE(doc.toPlainText().contains(
        QStringLiteral("A paragraph broken over two lines with \"his heels\" & /me.")));
    EXPECT_TRUE(html.contains(QStringLiteral("<code>/me</code>")));

    int tables = 0;
    for (QTextFrame* frame : doc.rootFrame()->childFrames()) {
        auto* table = qobject_cast<QTextTable*>(frame);
        if (!table) continue;
        ++tables;
        EXPECT_EQ(table->rows(), 2);
        EXPECT_EQ(table->columns(), 3);
        EXPECT_EQ(table->cellAt(1, 1).firstCursorPosition().block().text(), QString());
        EXPECT_EQ(table->cellAt(1, 2).firstCursorPosition().block().text(), QStringLiteral("6"));
    }
    EXPECT_EQ(tables, 1);
    EXPECT_TRUE(doc.toPlainText().contains(QStringLiteral("one item that goes on")));
    EXPECT_TRUE(doc.toPlainText().contains(QStringLiteral("<i>two</i>")));
}

TEST(HelpPages, ReflowWithTheWindowsWidthAndNeverScrollSideways) {
    Thelp help;
    help.SelButton1Click(4);
    auto* page = help.findChild<QTextBrowser*>(QStringLiteral("memo4"));
    ASSERT_NE(page, nullptr);
    help.show();
    ASSERT_TRUE(spinUntil([&] { return help.isVisible(); }));
    int previousHeight = 0;
    for (int width : {1000, 720, 520}) {
        help.resize(width, 540);
        ASSERT_TRUE(spinUntil([&] { return help.width() == width; }));
        page->document()->setTextWidth(page->viewport()->width());
        const int height = qRound(page->document()->size().height());
        EXPECT_EQ(page->horizontalScrollBar()->maximum(), 0) << width;
        EXPECT_LE(page->document()->idealWidth(), page->viewport()->width() + 1) << width;
        EXPECT_GT(height, previousHeight) << width;
        previousHeight = height;
    }
}
