// The table itself: the green felt, the wooden pegboard with its holes, the played-pile frame.
#include "resources/paint_util.h"
#include "resources/pictures.h"

#include <QLinearGradient>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace pictures::paint {

namespace {

constexpr int BoardW = 98;
constexpr int BoardH = 460;
// Where the pegboard picture lies on the board panel; pegSpot answers in panel coordinates.
const QPoint BoardOrigin(3, 12);
constexpr int PegHalf = 6;

// Centre of the hole under a peg, in pegboard picture coordinates.
QPointF holeCentre(int seat, int score) {
    const QPoint spot = pictures::pegSpot(seat, score) - BoardOrigin;
    return QPointF(spot.x() + PegHalf, spot.y() + PegHalf);
}

QColor mix(const QColor& a, const QColor& b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    const auto along = [t](float from, float to) { return float(from + (to - from) * t); };
    return QColor::fromRgbF(along(a.redF(), b.redF()), along(a.greenF(), b.greenF()),
                            along(a.blueF(), b.blueF()));
}

// Long wavy grain along the board, with a few darker streaks, from fixed formulas and noise.
QImage woodTexture() {
    QImage wood = pixelCanvas(BoardW, BoardH);
    Noise noise(0x5eed1e5u);
    const QColor light(0xd9, 0xa2, 0x5f), dark(0xa4, 0x64, 0x2c);
    for (int py = 0; py < wood.height(); ++py) {
        QRgb* line = reinterpret_cast<QRgb*>(wood.scanLine(py));
        const double y = unitsOf(py);
        for (int px = 0; px < wood.width(); ++px) {
            const double x = unitsOf(px);
            const double warp =
                2.6 * std::sin(y * 0.011 + x * 0.045) + 1.4 * std::sin(y * 0.037 + 1.7);
            const double ring = 0.5 + 0.5 * std::sin(0.55 * (x + warp * 3.0));
            const double streak = 0.5 + 0.5 * std::sin(0.13 * x + 0.8 * std::sin(y * 0.006));
            double t = 0.25 + 0.35 * std::pow(ring, 3.0) + 0.25 * std::pow(streak, 6.0);
            t += (noise.unit() - 0.5) * 0.08;
            // Lighter in the middle, as if the lamp shone on the board's crown.
            const double across = (x - BoardW / 2.0) / (BoardW / 2.0);
            t += 0.18 * across * across;
            line[px] = mix(light, dark, t).rgba();
        }
    }
    return wood;
}

void paintHolePair(QPainter& p, const QPointF& inner, const QPointF& outer) {
    // The pegs of a seat and its partner stand four pixels apart, so their holes are drilled
    // as one pair sharing a countersink.
    const QPointF mid = (inner + outer) / 2.0;
    const double half = std::abs(outer.x() - inner.x()) / 2.0;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 236, 200, 95));
    p.drawRoundedRect(QRectF(mid.x() - half - 3.3, mid.y() - 2.4, 2 * half + 6.6, 5.6), 2.8, 2.8);
    p.setBrush(QColor(0x5a, 0x32, 0x12, 150));
    p.drawRoundedRect(QRectF(mid.x() - half - 3.0, mid.y() - 3.0, 2 * half + 6.0, 5.8), 2.9, 2.9);
    QRadialGradient pit(mid + QPointF(0, -0.6), half + 3.0);
    pit.setColorAt(0, QColor(0x0e, 0x07, 0x03));
    pit.setColorAt(1, QColor(0x2a, 0x16, 0x08));
    p.setBrush(pit);
    p.drawEllipse(inner, 2.1, 2.1);
    p.drawEllipse(outer, 2.1, 2.1);
}

} // namespace

QImage pegboard() {
    QImage img = canvas(BoardW, BoardH);
    QPainter p(&img);
    prepare(p);

    const QRectF body(0.5, 0.5, BoardW - 1.0, BoardH - 1.0);
    QPainterPath shape;
    shape.addRoundedRect(body, 9, 9);
    p.save();
    p.setClipPath(shape);
    p.drawImage(0, 0, woodTexture());
    p.restore();

    // Bevel: a dark outline, a lit upper-left lip and a shaded lower-right one.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x4a, 0x26, 0x0c), 1));
    p.drawPath(shape);
    p.setPen(QPen(QColor(255, 230, 190, 110), 1));
    p.drawRoundedRect(body.adjusted(1.2, 1.2, -1.2, -1.2), 8, 8);
    p.setPen(QPen(QColor(60, 30, 10, 60), 1.5));
    p.drawRoundedRect(body.adjusted(2.5, 2.5, -2.5, -2.5), 7, 7);

    // The four lanes, each a shallow groove holding a seat pair's thirty holes.
    const int lanes[4][2] = {{4, 2}, {4, 2}, {3, 1}, {3, 1}};
    const bool up[4] = {true, false, false, true};
    for (int lane = 0; lane < 4; ++lane) {
        const int seatInner = lanes[lane][0], seatOuter = lanes[lane][1];
        const double x0 = holeCentre(seatInner, up[lane] ? 1 : 31).x();
        const double x1 = holeCentre(seatOuter, up[lane] ? 1 : 31).x();
        const QRectF groove(x0 - 5.5, 11.5, x1 - x0 + 11, 446);
        QLinearGradient g(groove.topLeft(), groove.topRight());
        g.setColorAt(0, QColor(70, 35, 10, 55));
        g.setColorAt(0.5, QColor(70, 35, 10, 25));
        g.setColorAt(1, QColor(255, 235, 200, 40));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawRoundedRect(groove, 5, 5);
    }

    // Seats 3 and 4 stand left of seats 1 and 2 in the same holes; one pair per seat couple.
    for (int couple = 1; couple <= 2; ++couple) {
        const int inner = couple + 2, outer = couple;
        for (int score = 0; score <= 121; ++score) {
            paintHolePair(p, holeCentre(inner, score), holeCentre(outer, score));
        }
    }

    // The scale: every fifth hole of the up lanes on the right, of the down lanes in the middle.
    const QFont f = font(7.5, true, false, true);
    p.setFont(f);
    for (int k = 1; k <= 6; ++k) {
        const double yUp = holeCentre(1, 5 * k).y();
        const double yDown = holeCentre(1, 30 + 5 * k).y();
        p.setPen(QColor(255, 235, 200, 120));
        p.drawText(QRectF(80, yUp - 5 + 0.7, 17, 10), Qt::AlignCenter, QString::number(5 * k));
        p.drawText(QRectF(37, yDown - 5 + 0.7, 18, 10), Qt::AlignCenter,
                   QString::number(30 + 5 * k));
        p.setPen(QColor(0x3c, 0x1c, 0x06));
        p.drawText(QRectF(80, yUp - 5, 17, 10), Qt::AlignCenter, QString::number(5 * k));
        p.drawText(QRectF(37, yDown - 5, 18, 10), Qt::AlignCenter, QString::number(30 + 5 * k));
    }

    // A brass star between the start and finish holes marks where the race begins and ends.
    const QPointF star(45.5, holeCentre(1, 0).y());
    QPainterPath starPath;
    for (int i = 0; i < 10; ++i) {
        const double r = (i % 2) ? 2.2 : 5.0;
        const double a = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
        const QPointF pt = star + QPointF(r * std::cos(a), r * std::sin(a));
        if (i == 0)
            starPath.moveTo(pt);
        else
            starPath.lineTo(pt);
    }
    starPath.closeSubpath();
    QLinearGradient brass(star + QPointF(-5, -5), star + QPointF(5, 5));
    brass.setColorAt(0, QColor(0xff, 0xe8, 0x9a));
    brass.setColorAt(1, QColor(0xb0, 0x80, 0x20));
    p.setPen(QPen(QColor(0x6a, 0x44, 0x08), 0.7));
    p.setBrush(brass);
    p.drawPath(starPath);

    // Suits along the head of the board, one over each lane.
    const double headY = 5.5;
    const int headSuits[4] = {Spades, Clubs, Diamonds, Hearts};
    const double headX[4] = {14.0, 33.0, 57.0, 74.0};
    for (int i = 0; i < 4; ++i) {
        p.setPen(Qt::NoPen);
        p.setBrush(isRed(headSuits[i]) ? QColor(0x9a, 0x1a, 0x12, 170)
                                       : QColor(0x2a, 0x14, 0x06, 170));
        p.drawPath(suitPath(headSuits[i], QRectF(headX[i] - 4, headY, 8, 8)));
    }
    return img;
}

QImage boardBackground() {
    constexpr int W = 757, H = 481;
    QImage img = pixelCanvas(W, H);
    Noise noise(0xfe17u);
    const QPointF lamp(300, 235);
    const double reach = std::hypot(W, H) * 0.62;
    for (int py = 0; py < img.height(); ++py) {
        QRgb* line = reinterpret_cast<QRgb*>(img.scanLine(py));
        const double y = unitsOf(py);
        for (int px = 0; px < img.width(); ++px) {
            const double x = unitsOf(px);
            const double d = std::hypot(x - lamp.x(), y - lamp.y()) / reach;
            double light = 1.10 - 0.42 * d * d;
            // Woven cloth: a faint diagonal twill and slow mottling, then fibre noise.
            light += 0.025 * std::sin((x + y) * 1.9) +
                     0.02 * std::sin(x * 0.021 + std::sin(y * 0.017) * 2.0);
            light += (noise.unit() - 0.5) * 0.09;
            const int r = std::clamp(int(0x1c * light), 0, 255);
            const int g = std::clamp(int(0x72 * light), 0, 255);
            const int b = std::clamp(int(0x3e * light), 0, 255);
            line[px] = qRgb(r, g, b);
        }
    }
    QPainter p(&img);
    prepare(p);
    // A stitched line around the play area, as on a card table's baize.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0, 0, 0, 45), 1.2));
    p.drawRoundedRect(QRectF(108.5, 25.5, 392, 449), 26, 26);
    QPen stitch(QColor(0xf0, 0xd8, 0x8c, 70), 1, Qt::DashLine);
    stitch.setDashPattern({3, 3});
    p.setPen(stitch);
    p.drawRoundedRect(QRectF(107.5, 24.5, 392, 449), 26, 26);
    // Darker edges where the felt meets the rail.
    QLinearGradient edge(0, 0, 0, H);
    edge.setColorAt(0, QColor(0, 0, 0, 60));
    edge.setColorAt(0.04, QColor(0, 0, 0, 0));
    edge.setColorAt(0.96, QColor(0, 0, 0, 0));
    edge.setColorAt(1, QColor(0, 0, 0, 70));
    p.fillRect(QRect(0, 0, W, H), edge);
    return img;
}

QImage playedFrame() {
    QImage img = canvas(71, 96);
    QPainter p(&img);
    prepare(p);
    const QRectF r(1, 1, 69, 94);
    QPainterPath shape;
    shape.addRoundedRect(r, 5, 5);
    p.save();
    p.setClipPath(shape);
    p.fillPath(shape, QColor(0, 0, 0, 35));
    p.setPen(QPen(QColor(255, 255, 255, 45), 1.2));
    for (int k = -96; k < 71 + 96; k += 7) p.drawLine(QPointF(k, 96), QPointF(k + 96, 0));
    p.restore();
    QPen outline(QColor(255, 255, 255, 130), 1.4, Qt::DashLine);
    outline.setDashPattern({4, 3});
    p.setPen(outline);
    p.setBrush(Qt::NoBrush);
    p.drawPath(shape);
    return img;
}

} // namespace pictures::paint
