// Tests of the painted image lists: their sizes, distinct cards, repeatable painting, and holes
// drilled exactly where the pegs stand.
#include "resources/pictures.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QList>
#include <QPair>
#include <QSet>

#include <cmath>

#include <gtest/gtest.h>

namespace {

class GuiEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        if (!QGuiApplication::instance()) {
            static int argc = 1;
            static char name[] = "test_pictures";
            static char* argv[] = {name, nullptr};
            m_app = new QGuiApplication(argc, argv);
        }
        pictures::paintAll();
    }
    void TearDown() override {
        delete m_app;
        m_app = nullptr;
    }

private:
    QGuiApplication* m_app = nullptr;
};

const auto* const gui = ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

QImage image(const QPixmap& pm) {
    return pm.toImage().convertToFormat(QImage::Format_ARGB32);
}

// The hole under a peg, in pegboard picture coordinates: the board lies at (3, 12) of the panel
// and a peg is 12 x 12.
QPoint holeUnder(int seat, int score) {
    return pictures::pegSpot(seat, score) - QPoint(3, 12) + QPoint(6, 6);
}

TEST(Pictures, EveryListEntryHasItsSize) {
    for (int i = 0; i < 54; ++i) EXPECT_EQ(pictures::bigCard(i).size(), QSize(71, 96)) << i;
    for (int i = 0; i < 5; ++i) EXPECT_EQ(pictures::ball(i).size(), QSize(12, 12)) << i;
    for (int i = 0; i < 2; ++i) EXPECT_EQ(pictures::check(i).size(), QSize(30, 24)) << i;
    for (int i = 0; i < 18; ++i) EXPECT_EQ(pictures::smiley(i).size(), QSize(17, 17)) << i;
    EXPECT_EQ(pictures::pegboard().size(), QSize(98, 460));
    EXPECT_EQ(pictures::turnHighlight().size(), QSize(110, 136));
    EXPECT_EQ(pictures::winnerRibbon().size(), QSize(82, 22));
    EXPECT_EQ(pictures::boardBackground().size(), QSize(757, 481));
    EXPECT_EQ(pictures::playedFrame().size(), QSize(71, 96));
    // The table lays these out by their sizes.
    EXPECT_EQ(pictures::dealerMarker().size(), QSize(22, 22));
    EXPECT_EQ(pictures::goBadge().size(), QSize(36, 20));
    EXPECT_EQ(pictures::winnerBadge().size(), QSize(100, 30));
    EXPECT_EQ(pictures::eyes().size(), QSize(28, 16));
    EXPECT_EQ(pictures::okButton().size(), QSize(46, 28));
    EXPECT_EQ(pictures::doneButton().size(), QSize(54, 26));
    EXPECT_EQ(pictures::startButton().size(), QSize(104, 30));
    EXPECT_EQ(pictures::logo().size(), QSize(200, 60));
    EXPECT_FALSE(pictures::appIcon().pixmap(256, 256).isNull());
}

TEST(Pictures, IndexOutsideAListGivesAnEmptyPictureOfTheListsSize) {
    for (int i : {-1, 54, 1000}) {
        const QImage img = image(pictures::bigCard(i));
        ASSERT_EQ(img.size(), QSize(71, 96));
        EXPECT_EQ(qAlpha(img.pixel(35, 48)), 0);
    }
    EXPECT_EQ(pictures::ball(5).size(), QSize(12, 12));
    EXPECT_EQ(pictures::check(2).size(), QSize(30, 24));
    EXPECT_EQ(pictures::smiley(18).width(), 17);
    EXPECT_EQ(qAlpha(image(pictures::ball(0)).pixel(6, 6)), 0);
}

TEST(Pictures, AllCardsAndSmiliesAreDistinct) {
    QSet<QByteArray> seen;
    for (int i = 0; i < 54; ++i) {
        const QImage img = image(pictures::bigCard(i));
        seen.insert(QByteArray(reinterpret_cast<const char*>(img.constBits()), img.sizeInBytes()));
    }
    EXPECT_EQ(seen.size(), 54);
    seen.clear();
    for (int i = 0; i < 18; ++i) {
        const QImage img = image(pictures::smiley(i));
        seen.insert(QByteArray(reinterpret_cast<const char*>(img.constBits()), img.sizeInBytes()));
    }
    EXPECT_EQ(seen.size(), 18);
    EXPECT_NE(image(pictures::check(0)), image(pictures::check(1)));
}

// Red suits must read red and black suits black in the corner index, the part a player sees of
// a card covered by its neighbour in the hand or the pile.
TEST(Pictures, CornerIndexIsRedForRedSuitsOnly) {
    for (int code = 1; code <= 52; ++code) {
        const QImage img = image(pictures::bigCard(code));
        int red = 0;
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 15; ++x) {
                const QRgb c = img.pixel(x, y);
                if (qRed(c) > 150 && qGreen(c) < 80 && qBlue(c) < 90) ++red;
            }
        const bool redSuit = code >= 14 && code <= 39;
        if (redSuit)
            EXPECT_GT(red, 40) << code;
        else
            EXPECT_LT(red, 10) << code;
    }
}

// In the played pile a card shows only its left 15 pixels: that strip alone must tell every
// card of the deck from every other.
TEST(Pictures, TheVisibleStripOfACoveredCardNamesIt) {
    QSet<QByteArray> strips;
    for (int code = 1; code <= 52; ++code) {
        const QImage strip = image(pictures::bigCard(code)).copy(0, 0, 15, 96);
        strips.insert(
            QByteArray(reinterpret_cast<const char*>(strip.constBits()), strip.sizeInBytes()));
    }
    EXPECT_EQ(strips.size(), 52);
}

TEST(Pictures, CourtCardsHaveTheirOwnColours) {
    for (int suit = 0; suit < 4; ++suit) {
        // A spot of the framed panel beside the letter, the same on jack, queen and king.
        const QColor jack = image(pictures::bigCard(suit * 13 + 11)).pixelColor(20, 44);
        const QColor queen = image(pictures::bigCard(suit * 13 + 12)).pixelColor(20, 44);
        const QColor king = image(pictures::bigCard(suit * 13 + 13)).pixelColor(20, 44);
        EXPECT_NE(jack, queen) << suit;
        EXPECT_NE(queen, king) << suit;
        EXPECT_NE(jack, king) << suit;
    }
}

// The felt shows through the rounded corners of a card, never through its middle.
TEST(Pictures, CardsAreOpaqueWithRoundedCorners) {
    for (int i = 0; i <= 52; ++i) {
        const QImage img = image(pictures::bigCard(i));
        EXPECT_EQ(qAlpha(img.pixel(0, 0)), 0) << i;
        EXPECT_EQ(qAlpha(img.pixel(70, 95)), 0) << i;
        EXPECT_EQ(qAlpha(img.pixel(35, 48)), 255) << i;
        EXPECT_EQ(qAlpha(img.pixel(2, 48)), 255) << i;
    }
}

// The board's felt lies under every widget of the panel; a hole in it would show the window.
TEST(Pictures, FeltIsOpaqueEverywhere) {
    const QImage felt = image(pictures::boardBackground());
    for (int y = 0; y < felt.height(); ++y)
        for (int x = 0; x < felt.width(); ++x)
            ASSERT_EQ(qAlpha(felt.pixel(x, y)), 255) << x << "," << y;
}

TEST(Pictures, OnlyTheCheckedBoxCarriesATick) {
    auto greenPixels = [](const QImage& img) {
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const QColor c = img.pixelColor(x, y);
                if (c.alpha() > 200 && c.green() > c.red() + 60 && c.green() > c.blue() + 60) ++n;
            }
        return n;
    };
    EXPECT_EQ(greenPixels(image(pictures::check(0))), 0);
    EXPECT_GT(greenPixels(image(pictures::check(1))), 20);
}

TEST(Pictures, PaintingAgainGivesTheSamePictures) {
    const QImage card = image(pictures::bigCard(23));
    const QImage board = image(pictures::pegboard());
    const QImage felt = image(pictures::boardBackground());
    const QImage face = image(pictures::smiley(6));
    const qint64 before = pictures::pegboard().cacheKey();
    pictures::paintAll();
    ASSERT_NE(pictures::pegboard().cacheKey(), before) << "paintAll must really paint again";
    EXPECT_EQ(image(pictures::bigCard(23)), card);
    EXPECT_EQ(image(pictures::pegboard()), board);
    EXPECT_EQ(image(pictures::boardBackground()), felt);
    EXPECT_EQ(image(pictures::smiley(6)), face);
}

TEST(PegSpot, FollowsTheLapsOfTheBoard) {
    // Seat 3 stands four pixels left of seat 1 in the same hole.
    EXPECT_EQ(pictures::pegSpot(1, 10), QPoint(73, 315));
    EXPECT_EQ(pictures::pegSpot(3, 10), QPoint(69, 315));
    // Start hole below the up column, finish hole below the down column.
    EXPECT_EQ(pictures::pegSpot(1, 0), QPoint(73, 455));
    EXPECT_EQ(pictures::pegSpot(2, 0), QPoint(13, 455));
    EXPECT_EQ(pictures::pegSpot(1, 121), QPoint(56, 455));
    EXPECT_EQ(pictures::pegSpot(4, 121), QPoint(28, 455));
    EXPECT_EQ(pictures::pegSpot(2, 135), pictures::pegSpot(2, 121));
    EXPECT_EQ(pictures::pegSpot(1, 200), pictures::pegSpot(1, 121));
    // Up the outer column, down the inner one, and round again.
    EXPECT_EQ(pictures::pegSpot(1, 1), QPoint(73, 435));
    EXPECT_EQ(pictures::pegSpot(1, 5), QPoint(73, 387));
    EXPECT_EQ(pictures::pegSpot(1, 6), QPoint(73, 363));
    EXPECT_EQ(pictures::pegSpot(1, 30), QPoint(73, 27));
    EXPECT_EQ(pictures::pegSpot(1, 31), QPoint(56, 27));
    EXPECT_EQ(pictures::pegSpot(1, 60), QPoint(56, 435));
    EXPECT_EQ(pictures::pegSpot(1, 61), QPoint(73, 435));
    EXPECT_EQ(pictures::pegSpot(2, 90), QPoint(13, 27));
    EXPECT_EQ(pictures::pegSpot(2, 91), QPoint(32, 27));
    EXPECT_EQ(pictures::pegSpot(4, 120), QPoint(28, 435));
    EXPECT_EQ(pictures::pegSpot(3, 45), QPoint(52, 219)); // hole 16, first of the fourth group
}

TEST(PegSpot, ScoresOffTheBoardStayOnIt) {
    EXPECT_EQ(pictures::pegSpot(1, -5), pictures::pegSpot(1, 0));
    EXPECT_EQ(pictures::pegSpot(2, 100000), pictures::pegSpot(2, 121));
    EXPECT_EQ(pictures::pegSpot(0, 10), pictures::pegSpot(1, 10));
    EXPECT_EQ(pictures::pegSpot(9, 10), pictures::pegSpot(1, 10));
}

TEST(Pegboard, HasADarkHoleUnderEveryPegSpot) {
    const QImage board = image(pictures::pegboard());
    for (int seat = 1; seat <= 4; ++seat) {
        for (int score = 0; score <= 121; ++score) {
            const QPoint at = holeUnder(seat, score);
            ASSERT_TRUE(board.rect().contains(at)) << seat << " " << score;
            EXPECT_LT(qGray(board.pixel(at)), 60) << "seat " << seat << " score " << score;
            EXPECT_EQ(qAlpha(board.pixel(at)), 255);
        }
    }
    // Between two holes of a group the wood shows.
    const QPoint a = holeUnder(1, 1), b = holeUnder(1, 2);
    EXPECT_GT(qGray(board.pixel((a + b) / 2)), 90);
}

TEST(PegSpot, PartnersShareEveryHoleFourPixelsApart) {
    for (int score = 0; score <= 125; ++score) {
        EXPECT_EQ(pictures::pegSpot(3, score), pictures::pegSpot(1, score) - QPoint(4, 0)) << score;
        EXPECT_EQ(pictures::pegSpot(4, score), pictures::pegSpot(2, score) - QPoint(4, 0)) << score;
    }
}

TEST(PegSpot, OneLapUpAndDownNeverRepeatsAHole) {
    for (int seat = 1; seat <= 4; ++seat) {
        QSet<QPair<int, int>> seen;
        for (int score = 0; score <= 60; ++score) {
            const QPoint at = pictures::pegSpot(seat, score);
            EXPECT_FALSE(seen.contains({at.x(), at.y()})) << "seat " << seat << " score " << score;
            seen.insert({at.x(), at.y()});
        }
        // The second lap runs over the first, and the finish is a hole of its own.
        for (int score = 61; score <= 120; ++score)
            EXPECT_EQ(pictures::pegSpot(seat, score), pictures::pegSpot(seat, score - 60));
        EXPECT_FALSE(
            seen.contains({pictures::pegSpot(seat, 121).x(), pictures::pegSpot(seat, 121).y()}));
    }
}

// The seat colours are part of the game: seat 1 red, 2 blue, 3 teal, 4 orange.
TEST(Pictures, BallsHaveTheSeatColours) {
    const int hues[5] = {-1, 0, 225, 178, 30};
    for (int i = 1; i <= 4; ++i) {
        const QColor c = image(pictures::ball(i)).pixelColor(5, 7);
        const int d = qAbs(c.hslHue() - hues[i]);
        EXPECT_LT(qMin(d, 360 - d), 20) << "ball " << i << " hue " << c.hslHue();
        EXPECT_GT(c.hslSaturation(), 120) << i;
    }
}

TEST(Pictures, NotPlayingCarriesAGreenCross) {
    const QImage img = image(pictures::bigCard(53));
    const QColor centre = img.pixelColor(35, 48);
    EXPECT_GT(centre.green(), centre.red() + 40);
    EXPECT_GT(centre.green(), centre.blue() + 40);
}

// The highlight lies behind a seat's hand and name: it must not hide them.
TEST(Pictures, TurnHighlightLeavesItsMiddleSeeThrough) {
    const QImage img = image(pictures::turnHighlight());
    EXPECT_LT(qAlpha(img.pixel(55, 68)), 100);
    EXPECT_GT(qAlpha(img.pixel(6, 68)), 100);
}

TEST(Pictures, RepaintingKeepsHandedOutReferences) {
    const QPixmap* card = &pictures::bigCard(7);
    const QPixmap* board = &pictures::pegboard();
    pictures::paintAll();
    EXPECT_EQ(card, &pictures::bigCard(7));
    EXPECT_EQ(board, &pictures::pegboard());
    EXPECT_EQ(card->size(), QSize(71, 96));
}

TEST(Pictures, IconComesInDesktopSizes) {
    const QList<QSize> sizes = pictures::appIcon().availableSizes();
    for (int s : {16, 32, 48, 256}) EXPECT_TRUE(sizes.contains(QSize(s, s))) << s;
}

// The sounds live in an object library; linking the resources must bring them into a program.
TEST(Resources, SoundsReachAProgramLinkingTheResources) {
#ifdef CRIBBAGE_HAS_SOUNDS
    EXPECT_TRUE(QFile::exists(QStringLiteral(":/sounds/turn.wav")));
    EXPECT_TRUE(QFile::exists(QStringLiteral(":/sounds/winner.wav")));
#else
    GTEST_SKIP() << "built without the sounds";
#endif
}

} // namespace

namespace {

QSize expectedAt(const QSize& units, double density) {
    return QSize(int(std::ceil(units.width() * density - 1e-6)),
                 int(std::ceil(units.height() * density - 1e-6)));
}

} // namespace

TEST(PicturesAtDensity, EveryPictureIsPaintedAtItsSizeTimesTheDensity) {
    using pictures::Picture;
    const std::pair<Picture, QSize> kinds[] = {{Picture::BigCard, {71, 96}},
                                               {Picture::Ball, {12, 12}},
                                               {Picture::Check, {30, 24}},
                                               {Picture::Smiley, {17, 17}},
                                               {Picture::Pegboard, {98, 460}},
                                               {Picture::DealerMarker, {22, 22}},
                                               {Picture::GoBadge, {36, 20}},
                                               {Picture::TurnHighlight, {110, 136}},
                                               {Picture::WinnerBadge, {100, 30}},
                                               {Picture::WinnerRibbon, {82, 22}},
                                               {Picture::Eyes, {28, 16}},
                                               {Picture::OkButton, {46, 28}},
                                               {Picture::DoneButton, {54, 26}},
                                               {Picture::StartButton, {104, 30}},
                                               {Picture::BoardBackground, {757, 481}},
                                               {Picture::PlayedFrame, {71, 96}},
                                               {Picture::Logo, {200, 60}}};
    for (const auto& [kind, units] : kinds) {
        for (const double density : {1.25, 2.0, 3.0}) {
            const QPixmap pm = pictures::at(kind, 1, density);
            EXPECT_EQ(pm.size(), expectedAt(units, density)) << int(kind) << " at " << density;
            EXPECT_DOUBLE_EQ(pm.devicePixelRatio(), density);
        }
        // At 1 it is the list's own picture, the same pixels as ever.
        EXPECT_EQ(pictures::at(kind, 1, 1.0).cacheKey(), pictures::at(kind, 1, 1.0).cacheKey());
    }
    EXPECT_EQ(pictures::bigCard(7, 1.0).cacheKey(), pictures::bigCard(7).cacheKey());
}

TEST(PicturesAtDensity, FinerPicturesShowTheSameCardAndAreKept) {
    const QPixmap fine = pictures::bigCard(27, 2.0); // the Ace of Hearts
    // Painted once per density: asked again, the same pixmap comes back.
    EXPECT_EQ(pictures::bigCard(27, 2.0).cacheKey(), fine.cacheKey());
    // Brought down to 100% it is the designed picture, up to the edges' smoothing.
    const QImage down =
        fine.toImage().scaled(71, 96, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QImage designed = image(pictures::bigCard(27));
    int far = 0;
    for (int y = 0; y < 96; ++y)
        for (int x = 0; x < 71; ++x) {
            const QRgb a = down.pixel(x, y), b = designed.pixel(x, y);
            if (std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                    std::abs(qBlue(a) - qBlue(b)) >
                120)
                ++far;
        }
    EXPECT_LT(far, 71 * 96 / 20);
    // The red index in the corner is there at the finer size too.
    const QColor corner = fine.toImage().pixelColor(12, 14);
    EXPECT_GT(corner.red(), corner.blue());
}

TEST(PicturesAtDensity, OnlyTheLatestDensitiesAreKept) {
    // As a window dragged larger would ask: many scales, one after the other.
    for (int step = 0; step < 40; ++step) {
        const double density = 1.02 + step * 0.02;
        pictures::at(pictures::Picture::BoardBackground, 0, density);
        pictures::bigCard(5, density);
        EXPECT_LE(pictures::densitiesKept(), 3);
    }
    // The latest one is still kept.
    const QPixmap a = pictures::bigCard(5, 1.80);
    EXPECT_EQ(pictures::bigCard(5, 1.80).cacheKey(), a.cacheKey());
}

TEST(PicturesAtDensity, IndexOutsideAListGivesAnEmptyPictureAndGrowsNothing) {
    const QPixmap a = pictures::bigCard(-5, 2.0);
    const QPixmap b = pictures::bigCard(4000, 2.0);
    EXPECT_EQ(a.size(), QSize(142, 192));
    EXPECT_EQ(a.cacheKey(), b.cacheKey());
    const QImage img = a.toImage();
    EXPECT_EQ(qAlpha(img.pixel(71, 96)), 0);
}
