// The 54 card pictures: the back, the 52 faces and the Not Playing placeholder.
#include "resources/paint_util.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QRadialGradient>

#include <utility>
#include <vector>

namespace pictures::paint {

namespace {

constexpr int CardW = 71;
constexpr int CardH = 96;
constexpr double Radius = 5.0;

const QRectF cardRect() {
    return QRectF(0.5, 0.5, CardW - 1.0, CardH - 1.0);
}

QString rankText(int rank) {
    switch (rank) {
    case 1:
        return QStringLiteral("A");
    case 11:
        return QStringLiteral("J");
    case 12:
        return QStringLiteral("Q");
    case 13:
        return QStringLiteral("K");
    default:
        return QString::number(rank);
    }
}

void paintBlankFace(QPainter& p) {
    QLinearGradient paper(0, 0, CardW, CardH);
    paper.setColorAt(0, QColor(0xff, 0xff, 0xff));
    paper.setColorAt(1, QColor(0xf1, 0xef, 0xe8));
    p.setPen(QPen(QColor(0x70, 0x70, 0x78), 1));
    p.setBrush(paper);
    p.drawRoundedRect(cardRect(), Radius, Radius);
}

// The index must fit the 15 pixels a covering card leaves visible in the played pile.
void paintIndex(QPainter& p, int suit, int rank) {
    const QString text = rankText(rank);
    const QFont f = font(14, true, false, rank == 10);
    const QRectF box(0.5, 2.5, 14, 14);
    const double w = QFontMetricsF(f).horizontalAdvance(text);
    for (int corner = 0; corner < 2; ++corner) {
        p.save();
        if (corner == 1) {
            p.translate(CardW, CardH);
            p.rotate(180);
        }
        p.setFont(f);
        p.setPen(suitColor(suit));
        if (w > box.width() - 0.5) {
            // Squeeze "10" sideways rather than shrink it, so it reads as well as the others.
            const double sx = (box.width() - 0.5) / w;
            p.translate(box.center().x(), 0);
            p.scale(sx, 1);
            p.translate(-box.center().x(), 0);
            p.drawText(QRectF(box.center().x() - w / 2 - 1, box.y(), w + 2, box.height()),
                       Qt::AlignCenter, text);
        } else {
            p.drawText(box, Qt::AlignCenter, text);
        }
        p.restore();
        p.save();
        if (corner == 1) {
            p.translate(CardW, CardH);
            p.rotate(180);
        }
        drawSuit(p, suit, QRectF(3.0, 17.0, 9.0, 10.0));
        p.restore();
    }
}

// Centres of the pips of a number card, in card coordinates, laid out as on printed cards.
std::vector<QPointF> pipSpots(int rank) {
    const double l = 23.5, c = 35.5, r = 47.5;
    const double top = 18.5, bottom = 77.5, mid = 48.0;
    const double q1 = top + (bottom - top) / 3.0, q2 = top + 2 * (bottom - top) / 3.0;
    std::vector<QPointF> s;
    auto add = [&s](double x, double y) { s.emplace_back(x, y); };
    switch (rank) {
    case 2:
        add(c, top), add(c, bottom);
        break;
    case 3:
        add(c, top), add(c, mid), add(c, bottom);
        break;
    case 4:
        add(l, top), add(r, top), add(l, bottom), add(r, bottom);
        break;
    case 5:
        add(l, top), add(r, top), add(c, mid), add(l, bottom), add(r, bottom);
        break;
    case 6:
    case 7:
    case 8:
        for (double y : {top, mid, bottom}) add(l, y), add(r, y);
        if (rank >= 7) add(c, (top + mid) / 2);
        if (rank == 8) add(c, (mid + bottom) / 2);
        break;
    case 9:
    case 10:
        for (double y : {top, q1, q2, bottom}) add(l, y), add(r, y);
        if (rank == 9)
            add(c, mid);
        else
            add(c, (top + q1) / 2), add(c, (q2 + bottom) / 2);
        break;
    default:
        break;
    }
    return s;
}

void paintPips(QPainter& p, int suit, int rank) {
    if (rank == 1) {
        const double size = suit == Spades ? 34 : 28;
        const QRectF box(CardW / 2.0 - size / 2, CardH / 2.0 - size * 0.52, size, size * 1.04);
        if (suit == Spades) {
            // The ace of spades carries the traditional ornate frame.
            p.setPen(QPen(QColor(0x16, 0x16, 0x1c, 90), 1));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(box.center(), size * 0.72, size * 0.72);
        }
        drawSuit(p, suit, box);
        return;
    }
    const double w = 12.5, h = 13.0;
    for (const QPointF& c : pipSpots(rank)) {
        drawSuit(p, suit, QRectF(c.x() - w / 2, c.y() - h / 2, w, h), c.y() > CardH / 2.0 + 1);
    }
}

void paintHeadgear(QPainter& p, int rank, const QPointF& at, const QColor& ink) {
    QPainterPath path;
    const double x = at.x(), y = at.y();
    if (rank == 13) {
        // A crown with three points.
        path.moveTo(x - 8, y + 5);
        path.lineTo(x - 9, y - 4);
        path.lineTo(x - 4, y);
        path.lineTo(x, y - 6);
        path.lineTo(x + 4, y);
        path.lineTo(x + 9, y - 4);
        path.lineTo(x + 8, y + 5);
        path.closeSubpath();
    } else if (rank == 12) {
        // A tiara: a low arch with a jewel.
        path.moveTo(x - 8, y + 5);
        path.cubicTo(x - 8, y - 2, x + 8, y - 2, x + 8, y + 5);
        path.closeSubpath();
        path.addEllipse(QPointF(x, y - 3), 2.4, 2.4);
    } else {
        // A cap with a feather.
        path.moveTo(x - 8, y + 5);
        path.cubicTo(x - 7, y - 2, x + 5, y - 3, x + 7, y + 5);
        path.closeSubpath();
        path.moveTo(x + 2, y - 1);
        path.cubicTo(x + 6, y - 8, x + 11, y - 7, x + 11, y - 5);
        path.cubicTo(x + 8, y - 5, x + 6, y - 3, x + 3, y);
        path.closeSubpath();
    }
    p.setPen(QPen(ink.darker(160), 0.8));
    p.setBrush(ink);
    p.drawPath(path);
}

// One half of a court card: the letter and suit on the left, a bust with its headgear on the
// right; the king wears a beard, the queen long hair, the jack a short cut.
void paintFigure(QPainter& p, int suit, int rank, const QRectF& half, const QColor& robe) {
    const QColor ink = suitColor(suit);
    p.setFont(font(17, true, true));
    p.setPen(ink);
    p.drawText(QRectF(half.left() + 1.5, half.top() + 2.5, 15, 18), Qt::AlignCenter,
               rankText(rank));
    drawSuit(p, suit, QRectF(half.left() + 4, half.top() + 21.5, 10, 11));

    const QPointF head(half.left() + 28.5, half.top() + 17.5);
    const QColor skin(0xf7, 0xd8, 0xb4), line(0x8a, 0x5c, 0x34);
    const QColor hair = rank == 13   ? QColor(0xe8, 0xe4, 0xdc)
                        : rank == 12 ? QColor(0xe0, 0xa8, 0x30)
                                     : QColor(0x6a, 0x3c, 0x18);
    // The robe, with a trim in the suit's colour.
    QPainterPath body;
    body.moveTo(head.x() - 12, half.bottom() + 1);
    body.cubicTo(head.x() - 12, head.y() + 8, head.x() - 6, head.y() + 6, head.x(), head.y() + 6);
    body.cubicTo(head.x() + 6, head.y() + 6, head.x() + 12, head.y() + 8, head.x() + 12,
                 half.bottom() + 1);
    body.closeSubpath();
    p.setPen(QPen(robe.darker(170), 0.8));
    p.setBrush(robe);
    p.drawPath(body);
    p.setPen(QPen(ink, 1.4));
    p.drawLine(QPointF(head.x(), head.y() + 7), QPointF(head.x(), half.bottom() + 1));
    p.setPen(QPen(QColor(0xf6, 0xe0, 0x90), 1.1));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(head.x() - 7, head.y() + 3.5, 14, 7), 200 * 16, 140 * 16);

    if (rank == 12) {
        p.setPen(Qt::NoPen);
        p.setBrush(hair);
        p.drawRoundedRect(QRectF(head.x() - 6.5, head.y() - 5, 13, 13), 5, 5);
    }
    p.setPen(QPen(line, 0.7));
    p.setBrush(skin);
    p.drawEllipse(head, 4.6, 5.4);
    p.setPen(Qt::NoPen);
    p.setBrush(hair);
    if (rank == 13) {
        QPainterPath beard;
        beard.moveTo(head.x() - 4.6, head.y() + 0.5);
        beard.quadTo(head.x() - 4, head.y() + 8.5, head.x(), head.y() + 9);
        beard.quadTo(head.x() + 4, head.y() + 8.5, head.x() + 4.6, head.y() + 0.5);
        beard.quadTo(head.x(), head.y() + 4.5, head.x() - 4.6, head.y() + 0.5);
        p.setPen(QPen(QColor(0x9a, 0x94, 0x88), 0.5));
        p.drawPath(beard);
        p.setPen(Qt::NoPen);
    } else {
        p.drawChord(QRectF(head.x() - 4.8, head.y() - 5.6, 9.6, 8), 0, 180 * 16);
    }
    p.setBrush(QColor(0x2a, 0x1a, 0x10));
    p.drawEllipse(QPointF(head.x() - 1.7, head.y() - 0.2), 0.7, 0.8);
    p.drawEllipse(QPointF(head.x() + 1.7, head.y() - 0.2), 0.7, 0.8);
    p.setPen(QPen(QColor(0xb8, 0x40, 0x40), 0.7, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(head.x() - 1, head.y() + 2.6), QPointF(head.x() + 1, head.y() + 2.6));

    p.save();
    p.translate(head.x(), head.y() - 7.5);
    p.scale(0.62, 0.62);
    paintHeadgear(p, rank, QPointF(0, 0), rank == 11 ? robe.darker(130) : QColor(0xe8, 0xb0, 0x18));
    p.restore();
}

void paintCourt(QPainter& p, int suit, int rank) {
    // Jack, queen and king each have their own colours so they are told apart at a glance.
    QColor light, deep, gear;
    switch (rank) {
    case 11:
        light = QColor(0xdd, 0xea, 0xf8), deep = QColor(0x9c, 0xbd, 0xe6),
        gear = QColor(0x2f, 0x6d, 0xb5);
        break;
    case 12:
        light = QColor(0xfa, 0xe1, 0xea), deep = QColor(0xe8, 0xa6, 0xc0),
        gear = QColor(0xb0, 0x3a, 0x78);
        break;
    default:
        light = QColor(0xfb, 0xef, 0xc4), deep = QColor(0xe9, 0xc8, 0x62),
        gear = QColor(0xa8, 0x22, 0x2a);
        break;
    }
    const QRectF panel(14.5, 10.5, 42, 75);
    QLinearGradient fill(panel.topLeft(), panel.bottomRight());
    fill.setColorAt(0, light);
    fill.setColorAt(0.5, deep);
    fill.setColorAt(1, light);
    p.setPen(QPen(suitColor(suit), 1.2));
    p.setBrush(fill);
    p.drawRect(panel);
    p.setPen(QPen(suitColor(suit).lighter(isRed(suit) ? 140 : 250), 0.6));
    p.setBrush(Qt::NoBrush);
    p.drawRect(panel.adjusted(2, 2, -2, -2));

    for (int half = 0; half < 2; ++half) {
        p.save();
        if (half == 1) {
            p.translate(panel.center());
            p.rotate(180);
            p.translate(-panel.center());
        }
        const QRectF top(panel.left(), panel.top(), panel.width(), panel.height() / 2);
        p.setClipRect(top.adjusted(0.6, 0.6, -0.6, 0));
        paintFigure(p, suit, rank, top, gear);
        p.restore();
    }
    p.setPen(QPen(suitColor(suit), 0.8));
    p.drawLine(QPointF(panel.left() + 0.6, panel.center().y()),
               QPointF(panel.right() - 0.6, panel.center().y()));
}

void face(QPainter& p, int index) {
    const int suit = (index - 1) / 13;
    const int rank = (index - 1) % 13 + 1;
    paintBlankFace(p);
    if (rank > 10)
        paintCourt(p, suit, rank);
    else
        paintPips(p, suit, rank);
    paintIndex(p, suit, rank);
}

void back(QPainter& p) {
    p.setPen(QPen(QColor(0x70, 0x70, 0x78), 1));
    p.setBrush(QColor(0xfb, 0xfa, 0xf6));
    p.drawRoundedRect(cardRect(), Radius, Radius);

    const QRectF inner(4.5, 4.5, CardW - 9.0, CardH - 9.0);
    QRadialGradient red(inner.center(), 55);
    red.setColorAt(0, QColor(0xc2, 0x1f, 0x32));
    red.setColorAt(1, QColor(0x7c, 0x0c, 0x1a));
    p.setPen(Qt::NoPen);
    p.setBrush(red);
    p.drawRoundedRect(inner, 3, 3);

    // A lattice of fine lines, clipped to the red field.
    p.save();
    QPainterPath clip;
    clip.addRoundedRect(inner, 3, 3);
    p.setClipPath(clip);
    p.setPen(QPen(QColor(255, 210, 190, 70), 0.8));
    for (int k = -CardH; k < CardW + CardH; k += 6) {
        p.drawLine(QPointF(k, 0), QPointF(k + CardH, CardH));
        p.drawLine(QPointF(k, CardH), QPointF(k + CardH, 0));
    }
    p.restore();

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0xf3, 0xd9, 0x8a), 1));
    p.drawRoundedRect(inner.adjusted(2.5, 2.5, -2.5, -2.5), 2, 2);

    // The medallion: four suits around a gold ring.
    const QPointF c = inner.center();
    p.setPen(QPen(QColor(0xf3, 0xd9, 0x8a), 1.2));
    p.setBrush(QColor(0x8e, 0x10, 0x20));
    p.drawEllipse(c, 15, 18);
    const QPointF spots[4] = {{0, -9}, {9, 0}, {0, 9}, {-9, 0}};
    for (int s = 0; s < 4; ++s) {
        const QRectF box(c.x() + spots[s].x() - 4.5, c.y() + spots[s].y() - 4.5, 9, 9);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xf6, 0xe3, 0xa6));
        p.drawPath(suitPath(s, box));
    }
}

void notPlaying(QPainter& p) {
    // A pale, empty card slot: the words must stay readable under the cross.
    p.setPen(QPen(QColor(255, 255, 255, 170), 1, Qt::DashLine));
    p.setBrush(QColor(236, 240, 232, 190));
    p.drawRoundedRect(cardRect(), Radius, Radius);

    QPainterPath lines;
    lines.moveTo(12, 16);
    lines.lineTo(CardW - 12, CardH - 16);
    lines.moveTo(CardW - 12, 16);
    lines.lineTo(12, CardH - 16);
    QPainterPathStroker stroker;
    stroker.setWidth(5);
    stroker.setCapStyle(Qt::RoundCap);
    const QPainterPath cross = stroker.createStroke(lines).simplified();

    p.setFont(font(13, true));
    p.setPen(QColor(0x2a, 0x30, 0x2a));
    p.drawText(QRectF(0, 27, CardW, 18), Qt::AlignCenter, QStringLiteral("Not"));
    p.drawText(QRectF(0, 49, CardW, 18), Qt::AlignCenter, QStringLiteral("Playing"));

    p.setPen(QPen(QColor(0x0d, 0x5a, 0x1e, 200), 1));
    p.setBrush(QColor(0x2e, 0xb8, 0x48, 140));
    p.drawPath(cross);
}

} // namespace

void drawCard(QPainter& p, int index) {
    if (index == 0)
        back(p);
    else if (index >= 1 && index <= 52)
        face(p, index);
    else if (index == 53)
        notPlaying(p);
}

QImage card(int index) {
    QImage img = canvas(CardW, CardH);
    QPainter p(&img);
    prepare(p);
    drawCard(p, index);
    return img;
}

} // namespace pictures::paint
