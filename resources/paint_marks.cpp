// The small marks of the table: smilies, option boxes, eyes, dealer chip, badges, logo and icon.
#include "resources/paint_util.h"

#include <QLinearGradient>
#include <QRadialGradient>

#include <cmath>
#include <numbers>

namespace pictures::paint {

namespace {

const QColor Ink(0x3a, 0x22, 0x00);

void face(QPainter& p, const QColor& light, const QColor& deep, const QPointF& c = {8.5, 8.5},
          double r = 7.8) {
    QRadialGradient g(c + QPointF(-2.2, -2.6), r * 1.35);
    g.setColorAt(0, light);
    g.setColorAt(1, deep);
    p.setPen(QPen(deep.darker(190), 0.9));
    p.setBrush(g);
    p.drawEllipse(c, r, r);
}

void yellowFace(QPainter& p) {
    face(p, QColor(0xff, 0xf0, 0x80), QColor(0xf2, 0xb0, 0x00));
}

void dot(QPainter& p, double x, double y, double rx = 1.1, double ry = 1.6) {
    p.setPen(Qt::NoPen);
    p.setBrush(Ink);
    p.drawEllipse(QPointF(x, y), rx, ry);
}

void eyesOpen(QPainter& p, double y = 6.6) {
    dot(p, 6.0, y);
    dot(p, 11.0, y);
}

void stroke(QPainter& p, const QPainterPath& path, const QColor& color = Ink, double w = 1.1) {
    p.setPen(QPen(color, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

QPainterPath arc(double x0, double y0, double cx, double cy, double x1, double y1) {
    QPainterPath path;
    path.moveTo(x0, y0);
    path.quadTo(cx, cy, x1, y1);
    return path;
}

void smile(QPainter& p) {
    stroke(p, arc(4.9, 10.2, 8.5, 14.2, 12.1, 10.2));
}

void openMouth(QPainter& p, double top, double bottom, bool tongue) {
    QPainterPath m;
    m.moveTo(4.3, top);
    m.lineTo(12.7, top);
    m.quadTo(12.7, bottom, 8.5, bottom);
    m.quadTo(4.3, bottom, 4.3, top);
    m.closeSubpath();
    p.setPen(QPen(Ink, 0.6));
    p.setBrush(QColor(0x5a, 0x10, 0x10));
    p.drawPath(m);
    p.save();
    p.setClipPath(m);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4, top, 9, 1.5));
    if (tongue) {
        p.setBrush(QColor(0xf0, 0x6a, 0x7a));
        p.drawEllipse(QPointF(8.5, bottom), 2.6, 1.8);
    }
    p.restore();
}

void heartShape(QPainter& p, const QRectF& box) {
    QLinearGradient g(box.topLeft(), box.bottomRight());
    g.setColorAt(0, QColor(0xff, 0x6a, 0x7a));
    g.setColorAt(1, QColor(0xc0, 0x0a, 0x22));
    p.setPen(QPen(QColor(0x80, 0x00, 0x12), 0.7));
    p.setBrush(g);
    p.drawPath(suitPath(Hearts, box));
}

void paintSmiley(QPainter& p, int index) {
    switch (index) {
    case 0: // smile
        yellowFace(p), eyesOpen(p), smile(p);
        break;
    case 1: // big grin
        yellowFace(p), eyesOpen(p, 6.2), openMouth(p, 9.4, 14.4, false);
        break;
    case 2: // wink
        yellowFace(p);
        stroke(p, arc(4.6, 6.9, 6.0, 5.4, 7.4, 6.9));
        dot(p, 11.0, 6.6);
        smile(p);
        break;
    case 3: // sad
        yellowFace(p), eyesOpen(p, 7.0);
        stroke(p, arc(5.2, 13.2, 8.5, 9.8, 11.8, 13.2));
        break;
    case 4: // tongue
        yellowFace(p), eyesOpen(p);
        p.setPen(QPen(QColor(0xa0, 0x20, 0x30), 0.6));
        p.setBrush(QColor(0xf2, 0x62, 0x78));
        p.drawRoundedRect(QRectF(8.0, 10.6, 3.6, 4.4), 1.8, 1.8);
        stroke(p, arc(4.8, 10.6, 8.5, 12.2, 12.2, 10.4));
        break;
    case 5: // surprised
        yellowFace(p);
        dot(p, 6.0, 6.2, 1.3, 1.9), dot(p, 11.0, 6.2, 1.3, 1.9);
        p.setPen(QPen(Ink, 0.6));
        p.setBrush(QColor(0x5a, 0x10, 0x10));
        p.drawEllipse(QPointF(8.5, 12.0), 1.9, 2.3);
        break;
    case 6: { // cool, with shades
        yellowFace(p);
        QPainterPath shades;
        shades.addRoundedRect(QRectF(2.8, 4.8, 5.4, 3.8), 1.6, 1.6);
        shades.addRoundedRect(QRectF(8.8, 4.8, 5.4, 3.8), 1.6, 1.6);
        shades.addRect(QRectF(7.8, 5.2, 1.4, 0.9));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x14, 0x14, 0x1a));
        p.drawPath(shades);
        p.setBrush(QColor(255, 255, 255, 170));
        p.drawEllipse(QPointF(4.6, 5.9), 0.9, 0.6);
        p.drawEllipse(QPointF(10.6, 5.9), 0.9, 0.6);
        stroke(p, arc(5.6, 11.2, 9.5, 13.6, 12.2, 10.0));
        break;
    }
    case 7: // angry
        face(p, QColor(0xff, 0x9a, 0x60), QColor(0xd8, 0x34, 0x14));
        stroke(p, arc(4.0, 4.6, 6.0, 5.2, 7.6, 6.2), Ink, 1.2);
        stroke(p, arc(13.0, 4.6, 11.0, 5.2, 9.4, 6.2), Ink, 1.2);
        dot(p, 6.2, 7.6, 1.0, 1.2), dot(p, 10.8, 7.6, 1.0, 1.2);
        stroke(p, arc(5.4, 12.8, 8.5, 10.8, 11.6, 12.8), Ink, 1.2);
        break;
    case 8: { // crying
        yellowFace(p);
        stroke(p, arc(4.6, 6.0, 6.0, 7.4, 7.4, 6.0));
        stroke(p, arc(9.6, 6.0, 11.0, 7.4, 12.4, 6.0));
        stroke(p, arc(5.4, 13.4, 8.5, 10.6, 11.6, 13.4));
        QPainterPath tear;
        tear.moveTo(5.4, 7.6);
        tear.quadTo(3.6, 10.6, 5.0, 11.4);
        tear.quadTo(6.6, 11.6, 5.4, 7.6);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x3a, 0x9c, 0xf0));
        p.drawPath(tear);
        p.drawPath(QTransform().translate(17, 0).scale(-1, 1).map(tear));
        break;
    }
    case 9: // laughing
        yellowFace(p);
        stroke(p, arc(4.4, 7.0, 6.0, 4.6, 7.6, 7.0));
        stroke(p, arc(9.4, 7.0, 11.0, 4.6, 12.6, 7.0));
        openMouth(p, 8.8, 15.0, true);
        break;
    case 10: // confused
        yellowFace(p);
        dot(p, 6.0, 7.0, 1.0, 1.4), dot(p, 11.0, 6.2, 1.2, 1.7);
        stroke(p, arc(9.4, 3.6, 11.2, 2.8, 12.8, 4.0), Ink, 0.9);
        {
            QPainterPath m;
            m.moveTo(4.8, 11.8);
            m.cubicTo(6.2, 10.2, 7.4, 13.2, 8.6, 11.8);
            m.cubicTo(9.8, 10.4, 11.0, 13.2, 12.4, 11.4);
            stroke(p, m);
        }
        break;
    case 11: // kiss
        yellowFace(p);
        stroke(p, arc(4.6, 6.4, 6.0, 7.8, 7.4, 6.4));
        dot(p, 11.0, 6.6);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xd8, 0x1c, 0x3c));
        p.drawEllipse(QPointF(8.2, 10.9), 1.6, 1.0);
        p.drawEllipse(QPointF(8.2, 12.6), 1.6, 1.0);
        heartShape(p, QRectF(11.6, 9.0, 5.0, 4.6));
        break;
    case 12: // heart
        heartShape(p, QRectF(0.8, 1.6, 15.4, 14.4));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 150));
        p.drawEllipse(QPointF(4.6, 5.0), 1.8, 1.2);
        break;
    case 13: { // thumbs up
        p.setPen(QPen(QColor(0x1c, 0x3c, 0x7a), 0.7));
        p.setBrush(QColor(0x3a, 0x6c, 0xd0));
        p.drawRoundedRect(QRectF(1.0, 8.0, 3.2, 7.6), 0.8, 0.8);
        QPainterPath hand;
        hand.moveTo(4.4, 8.0);
        hand.lineTo(6.4, 8.0);
        hand.cubicTo(6.8, 5.8, 6.6, 3.2, 7.8, 1.6);
        hand.cubicTo(9.6, 1.0, 10.4, 2.6, 9.8, 4.4);
        hand.lineTo(9.2, 7.2);
        hand.lineTo(14.0, 7.2);
        hand.cubicTo(15.8, 7.2, 15.8, 9.6, 14.6, 9.8);
        hand.cubicTo(15.9, 10.2, 15.8, 12.2, 14.4, 12.3);
        hand.cubicTo(15.4, 12.8, 15.2, 14.6, 13.8, 14.6);
        hand.cubicTo(14.2, 15.4, 13.6, 16.2, 12.6, 16.2);
        hand.lineTo(4.4, 16.2);
        hand.closeSubpath();
        QLinearGradient g(0, 1, 0, 16);
        g.setColorAt(0, QColor(0xff, 0xe6, 0x70));
        g.setColorAt(1, QColor(0xf0, 0xa8, 0x00));
        p.setPen(QPen(QColor(0x8a, 0x5a, 0x00), 0.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(g);
        p.drawPath(hand);
        p.setPen(QPen(QColor(0x8a, 0x5a, 0x00), 0.6));
        p.drawLine(QPointF(10.0, 9.8), QPointF(14.4, 9.8));
        p.drawLine(QPointF(10.0, 12.3), QPointF(14.2, 12.3));
        p.drawLine(QPointF(10.0, 14.5), QPointF(13.6, 14.5));
        break;
    }
    case 14: { // devil
        QPainterPath horns;
        horns.moveTo(2.6, 6.0);
        horns.quadTo(1.0, 2.0, 3.0, 0.4);
        horns.quadTo(4.0, 3.0, 6.6, 2.6);
        horns.closeSubpath();
        horns.addPath(QTransform().translate(17, 0).scale(-1, 1).map(horns));
        p.setPen(QPen(QColor(0x50, 0x04, 0x08), 0.6));
        p.setBrush(QColor(0xa8, 0x10, 0x18));
        p.drawPath(horns);
        face(p, QColor(0xe6, 0x70, 0xd8), QColor(0x82, 0x1c, 0x9a), {8.5, 9.0}, 7.4);
        stroke(p, arc(4.2, 5.6, 6.0, 6.4, 7.6, 7.4), Ink, 1.1);
        stroke(p, arc(12.8, 5.6, 11.0, 6.4, 9.4, 7.4), Ink, 1.1);
        dot(p, 6.2, 8.4, 1.0, 1.2), dot(p, 10.8, 8.4, 1.0, 1.2);
        stroke(p, arc(4.8, 11.0, 8.5, 15.0, 12.2, 11.0), Ink, 1.1);
        break;
    }
    case 15: // angel
        face(p, QColor(0xff, 0xf4, 0x96), QColor(0xf2, 0xb4, 0x00), {8.5, 9.6}, 7.0);
        p.setPen(QPen(QColor(0xf4, 0xc8, 0x20), 1.3));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(8.5, 1.9), 5.0, 1.4);
        stroke(p, arc(4.8, 8.0, 6.2, 9.4, 7.6, 8.0));
        stroke(p, arc(9.4, 8.0, 10.8, 9.4, 12.2, 8.0));
        stroke(p, arc(5.4, 11.6, 8.5, 14.6, 11.6, 11.6));
        break;
    case 16: { // sleepy
        yellowFace(p);
        stroke(p, arc(4.4, 7.4, 6.0, 7.9, 7.6, 7.4));
        stroke(p, arc(9.4, 7.4, 11.0, 7.9, 12.6, 7.4));
        p.setPen(QPen(Ink, 0.6));
        p.setBrush(QColor(0x5a, 0x10, 0x10));
        p.drawEllipse(QPointF(8.5, 12.2), 1.3, 1.1);
        QPainterPath z;
        z.moveTo(11.8, 0.8);
        z.lineTo(15.6, 0.8);
        z.lineTo(11.8, 4.6);
        z.lineTo(15.6, 4.6);
        p.setPen(QPen(QColor(255, 255, 255, 200), 2.0, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(z);
        stroke(p, z, QColor(0x20, 0x5c, 0xc8), 1.0);
        break;
    }
    default: // embarrassed
        yellowFace(p);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xff, 0x5a, 0x78, 150));
        p.drawEllipse(QPointF(4.4, 10.2), 2.1, 1.3);
        p.drawEllipse(QPointF(12.6, 10.2), 2.1, 1.3);
        dot(p, 5.4, 6.6), dot(p, 10.4, 6.6);
        stroke(p, arc(6.4, 11.8, 8.5, 12.8, 10.6, 11.8));
        break;
    }
}

} // namespace

QImage smiley(int index) {
    QImage img = canvas(17, 17);
    if (index < 0 || index > 17) return img;
    QPainter p(&img);
    prepare(p);
    paintSmiley(p, index);
    return img;
}

QImage check(bool checked) {
    QImage img = canvas(30, 24);
    QPainter p(&img);
    prepare(p);
    const QRectF box(6.5, 3.5, 17, 17);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 50));
    p.drawRoundedRect(box.translated(0, 1), 3.5, 3.5);
    QLinearGradient g(box.topLeft(), box.bottomLeft());
    g.setColorAt(0, QColor(0xe6, 0xe8, 0xec));
    g.setColorAt(0.35, Qt::white);
    g.setColorAt(1, QColor(0xf4, 0xf5, 0xf7));
    p.setPen(QPen(QColor(0x55, 0x60, 0x6e), 1));
    p.setBrush(g);
    p.drawRoundedRect(box, 3.5, 3.5);
    if (checked) {
        QPainterPath tick;
        tick.moveTo(10.0, 11.8);
        tick.lineTo(14.0, 16.4);
        tick.lineTo(22.6, 4.0);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0x0e, 0x5c, 0x22), 4.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(tick);
        p.setPen(QPen(QColor(0x2c, 0xb8, 0x4a), 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(tick);
    }
    return img;
}

QImage eyes() {
    QImage img = canvas(28, 16);
    QPainter p(&img);
    prepare(p);
    for (double cx : {8.0, 20.0}) {
        QRadialGradient white(QPointF(cx - 1, 6), 7);
        white.setColorAt(0, Qt::white);
        white.setColorAt(1, QColor(0xd8, 0xdc, 0xe4));
        p.setPen(QPen(QColor(0x22, 0x22, 0x2a), 1));
        p.setBrush(white);
        p.drawEllipse(QPointF(cx, 8), 6.2, 6.6);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x2e, 0x7c, 0xd8));
        p.drawEllipse(QPointF(cx + 1.2, 9.0), 3.1, 3.1);
        p.setBrush(QColor(0x0a, 0x0a, 0x10));
        p.drawEllipse(QPointF(cx + 1.4, 9.2), 1.6, 1.6);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(cx + 0.3, 8.0), 0.9, 0.9);
    }
    return img;
}

QImage dealerMarker() {
    QImage img = canvas(22, 22);
    QPainter p(&img);
    prepare(p);
    const QPointF c(11, 11);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawEllipse(c + QPointF(0, 0.8), 10.2, 10.2);
    p.setPen(QPen(QColor(0x50, 0x3a, 0x10), 0.8));
    p.setBrush(QColor(0xfa, 0xf6, 0xea));
    p.drawEllipse(c, 10.2, 10.2);
    // The edge spots of a casino chip.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xc0, 0x16, 0x26));
    for (int i = 0; i < 8; ++i) {
        p.save();
        p.translate(c);
        p.rotate(i * 45.0);
        p.drawRect(QRectF(-1.6, -10.0, 3.2, 3.0));
        p.restore();
    }
    QRadialGradient inner(c + QPointF(-2, -2), 8);
    inner.setColorAt(0, QColor(0xff, 0xec, 0x9a));
    inner.setColorAt(1, QColor(0xe0, 0xa8, 0x24));
    p.setPen(QPen(QColor(0x8a, 0x5a, 0x06), 0.8));
    p.setBrush(inner);
    p.drawEllipse(c, 6.6, 6.6);
    p.setFont(font(10, true));
    p.setPen(QColor(0x4a, 0x2a, 0x00));
    p.drawText(QRectF(0, 0.5, 22, 22), Qt::AlignCenter, QStringLiteral("D"));
    return img;
}

QImage goBadge() {
    QImage img = canvas(36, 20);
    QPainter p(&img);
    prepare(p);
    const QRectF r(1, 1, 34, 17.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawRoundedRect(r.translated(0, 1), 8.5, 8.5);
    QLinearGradient g(0, 0, 0, 20);
    g.setColorAt(0, QColor(0xff, 0xa8, 0x30));
    g.setColorAt(1, QColor(0xd8, 0x38, 0x10));
    p.setPen(QPen(Qt::white, 1.3));
    p.setBrush(g);
    p.drawRoundedRect(r, 8.5, 8.5);
    shadowText(p, r.translated(0, -0.5), QStringLiteral("GO!"), font(11.5, true), Qt::white,
               QColor(0x80, 0x18, 0x00, 160));
    return img;
}

QImage turnHighlight() {
    QImage img = canvas(110, 136);
    QPainter p(&img);
    prepare(p);
    p.setBrush(Qt::NoBrush);
    // A warm glow fading outwards from a bright rim.
    for (int i = 0; i < 6; ++i) {
        p.setPen(QPen(QColor(255, 220, 90, 18 + i * 16), 1.4));
        const double inset = 0.7 + i;
        p.drawRoundedRect(QRectF(inset, inset, 110 - 2 * inset, 136 - 2 * inset), 13 - i * 0.7,
                          13 - i * 0.7);
    }
    p.setPen(QPen(QColor(255, 238, 150, 230), 1.4));
    p.setBrush(QColor(255, 236, 140, 38));
    p.drawRoundedRect(QRectF(6.5, 6.5, 97, 123), 9, 9);
    return img;
}

QImage winnerBadge() {
    QImage img = canvas(100, 30);
    QPainter p(&img);
    prepare(p);
    const QRectF r(1, 1.5, 98, 25.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 80));
    p.drawRoundedRect(r.translated(0, 1.5), 8, 8);
    QLinearGradient g(0, 0, 0, 30);
    g.setColorAt(0, QColor(0xff, 0xf0, 0xa0));
    g.setColorAt(0.5, QColor(0xf4, 0xc4, 0x30));
    g.setColorAt(1, QColor(0xc0, 0x86, 0x0c));
    p.setPen(QPen(QColor(0x7a, 0x50, 0x04), 1.2));
    p.setBrush(g);
    p.drawRoundedRect(r, 8, 8);
    p.setPen(QPen(QColor(255, 255, 255, 140), 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r.adjusted(2, 2, -2, -2), 6, 6);
    for (double cx : {11.0, 89.0}) {
        QPainterPath star;
        for (int i = 0; i < 10; ++i) {
            const double rr = (i % 2) ? 2.2 : 5.2;
            const double a = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
            const QPointF pt(cx + rr * std::cos(a), 14.5 + rr * std::sin(a));
            if (i == 0)
                star.moveTo(pt);
            else
                star.lineTo(pt);
        }
        star.closeSubpath();
        p.setPen(QPen(QColor(0x7a, 0x50, 0x04), 0.7));
        p.setBrush(QColor(0xc8, 0x20, 0x20));
        p.drawPath(star);
    }
    shadowText(p, QRectF(18, 1, 64, 27), QStringLiteral("WINNER"), font(12, true),
               QColor(0x5a, 0x30, 0x00), QColor(255, 255, 255, 150));
    return img;
}

QImage winnerRibbon() {
    QImage img = canvas(82, 22);
    QPainter p(&img);
    prepare(p);
    QPainterPath ribbon;
    ribbon.moveTo(0.5, 2);
    ribbon.lineTo(81.5, 2);
    ribbon.lineTo(76, 11);
    ribbon.lineTo(81.5, 20);
    ribbon.lineTo(0.5, 20);
    ribbon.lineTo(6, 11);
    ribbon.closeSubpath();
    QLinearGradient g(0, 2, 0, 20);
    g.setColorAt(0, QColor(0xe8, 0x30, 0x3a));
    g.setColorAt(1, QColor(0x98, 0x0c, 0x18));
    p.setPen(QPen(QColor(0x60, 0x04, 0x0c), 1));
    p.setBrush(g);
    p.drawPath(ribbon);
    p.setPen(QPen(QColor(0xf6, 0xd2, 0x6a, 200), 0.8));
    p.drawLine(QPointF(6, 4.5), QPointF(76, 4.5));
    p.drawLine(QPointF(6, 17.5), QPointF(76, 17.5));
    shadowText(p, QRectF(0, 1.5, 82, 19), QStringLiteral("WINNER"), font(10.5, true),
               QColor(0xfc, 0xe4, 0x8a), QColor(0x40, 0x00, 0x00, 170));
    return img;
}

QImage logo() {
    QImage img = canvas(200, 60);
    QPainter p(&img);
    prepare(p);
    // Its own plaque, so the gold name reads on the felt and on a plain window alike.
    QLinearGradient plaque(0, 0, 0, 60);
    plaque.setColorAt(0, QColor(0x1c, 0x6a, 0x3a));
    plaque.setColorAt(1, QColor(0x0a, 0x3a, 0x1e));
    p.setPen(QPen(QColor(0xc8, 0x98, 0x30), 1.5));
    p.setBrush(plaque);
    p.drawRoundedRect(QRectF(1, 1, 198, 58), 10, 10);
    // A small fan of cards beside the name.
    const int fan[3] = {40, 18, 11};
    const double angle[3] = {-16, 0, 16};
    for (int i = 0; i < 3; ++i) {
        p.save();
        p.translate(28, 53);
        p.rotate(angle[i]);
        p.translate(-14, -46);
        p.scale(28.0 / 71.0, 38.0 / 96.0);
        drawCard(p, fan[i]);
        p.restore();
    }
    const QFont f = font(26, true, true);
    p.setFont(f);
    p.setPen(QColor(0, 0, 0, 120));
    p.drawText(QRectF(53, 8, 147, 40), Qt::AlignVCenter | Qt::AlignLeft,
               QStringLiteral("Cribbage"));
    QLinearGradient gold(0, 14, 0, 42);
    gold.setColorAt(0, QColor(0xff, 0xf2, 0xb0));
    gold.setColorAt(1, QColor(0xd6, 0x9a, 0x1c));
    p.setPen(QPen(QBrush(gold), 1));
    p.drawText(QRectF(52, 6, 147, 40), Qt::AlignVCenter | Qt::AlignLeft,
               QStringLiteral("Cribbage"));
    return img;
}

// At panel and taskbar sizes the fan of cards turns to mush: one card with a big heart reads.
QImage smallIcon(int size) {
    QImage img = canvas(size, size);
    QPainter p(&img);
    prepare(p);
    p.scale(size / 32.0, size / 32.0);
    QRadialGradient felt(QPointF(13, 11), 24);
    felt.setColorAt(0, QColor(0x2c, 0x9a, 0x56));
    felt.setColorAt(1, QColor(0x0c, 0x4a, 0x24));
    p.setPen(QPen(QColor(0x6a, 0x3a, 0x12), 1.5));
    p.setBrush(felt);
    p.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
    p.translate(16, 16);
    p.rotate(-8);
    p.setPen(QPen(QColor(0x50, 0x50, 0x58), 0.8));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(-9, -12, 18, 24), 2.5, 2.5);
    p.setPen(Qt::NoPen);
    p.setBrush(suitColor(Hearts));
    p.drawPath(suitPath(Hearts, QRectF(-6.5, -6, 13, 12.5)));
    return img;
}

QImage icon(int size) {
    if (size <= 32) return smallIcon(size);
    // Drawn once at 256 and scaled, so the larger sizes show the same picture.
    QImage big = canvas(256, 256);
    {
        QPainter p(&big);
        prepare(p);
        const QRectF tile(8, 8, 240, 240);
        QRadialGradient felt(tile.center() + QPointF(-20, -30), 200);
        felt.setColorAt(0, QColor(0x2c, 0x9a, 0x56));
        felt.setColorAt(1, QColor(0x0c, 0x4a, 0x24));
        p.setPen(QPen(QColor(0x6a, 0x3a, 0x12), 10));
        p.setBrush(felt);
        p.drawRoundedRect(tile.adjusted(5, 5, -5, -5), 40, 40);
        const int cards[2] = {31, 50};
        const double angle[2] = {-14, 12};
        const QPointF at[2] = {{104, 132}, {150, 124}};
        for (int i = 0; i < 2; ++i) {
            p.save();
            p.translate(at[i]);
            p.rotate(angle[i]);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0, 0, 0, 70));
            p.drawRoundedRect(QRectF(-58, -76, 118, 160), 10, 10);
            p.translate(-60, -80);
            p.scale(118.0 / 71.0, 160.0 / 96.0);
            drawCard(p, cards[i]);
            p.restore();
        }
        p.drawImage(QRectF(176, 176, 52, 52), marble(52, QColor(0xd8, 0x1c, 0x1c)));
    }
    if (size == 256) return big;
    return big.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace pictures::paint
