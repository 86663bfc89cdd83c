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
        gear = QColor(0xd4, 0x9a, 0x12);
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

    const QFont letter = font(25, true, true);
    for (int half = 0; half < 2; ++half) {
        p.save();
        if (half == 1) {
            p.translate(panel.center());
            p.rotate(180);
            p.translate(-panel.center());
        }
        paintHeadgear(p, rank, QPointF(panel.center().x() - 5, panel.top() + 10), gear);
        p.setFont(letter);
        p.setPen(suitColor(suit));
        p.drawText(QRectF(panel.left() + 2, panel.top() + 14, 26, 24), Qt::AlignCenter,
                   rankText(rank));
        drawSuit(p, suit, QRectF(panel.right() - 15, panel.top() + 17, 11, 12));
        p.restore();
    }
    // The diagonal that parts the two mirrored halves of a court card.
    p.setPen(QPen(suitColor(suit).lighter(isRed(suit) ? 130 : 300), 0.8));
    p.drawLine(QPointF(panel.left() + 3, panel.center().y() + 6),
               QPointF(panel.right() - 3, panel.center().y() - 6));
}

QImage face(int index) {
    const int suit = (index - 1) / 13;
    const int rank = (index - 1) % 13 + 1;
    QImage img = canvas(CardW, CardH);
    QPainter p(&img);
    prepare(p);
    paintBlankFace(p);
    if (rank > 10)
        paintCourt(p, suit, rank);
    else
        paintPips(p, suit, rank);
    paintIndex(p, suit, rank);
    return img;
}

QImage back() {
    QImage img = canvas(CardW, CardH);
    QPainter p(&img);
    prepare(p);
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
    return img;
}

QImage notPlaying() {
    QImage img = canvas(CardW, CardH);
    QPainter p(&img);
    prepare(p);
    p.setPen(QPen(QColor(255, 255, 255, 150), 1, Qt::DashLine));
    p.setBrush(QColor(255, 255, 255, 45));
    p.drawRoundedRect(cardRect(), Radius, Radius);

    const QFont f = font(13, true);
    p.setFont(f);
    p.setPen(QColor(0xf4, 0xf4, 0xee));
    p.drawText(QRectF(0, 24, CardW, 20), Qt::AlignCenter, QStringLiteral("Not"));
    p.drawText(QRectF(0, 48, CardW, 20), Qt::AlignCenter, QStringLiteral("Playing"));

    // The cross lies over the words, as on an empty seat's card slot.
    QPen cross(QColor(0x2e, 0xc2, 0x4a, 220), 6, Qt::SolidLine, Qt::RoundCap);
    p.setPen(cross);
    p.drawLine(QPointF(14, 20), QPointF(CardW - 14, CardH - 20));
    p.drawLine(QPointF(CardW - 14, 20), QPointF(14, CardH - 20));
    p.setPen(QPen(QColor(0x0d, 0x5a, 0x1e, 200), 1.2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPathStroker stroker;
    stroker.setWidth(6);
    stroker.setCapStyle(Qt::RoundCap);
    QPainterPath lines;
    lines.moveTo(14, 20);
    lines.lineTo(CardW - 14, CardH - 20);
    lines.moveTo(CardW - 14, 20);
    lines.lineTo(14, CardH - 20);
    p.drawPath(stroker.createStroke(lines).simplified());
    return img;
}

} // namespace

QImage card(int index) {
    if (index == 0) return back();
    if (index >= 1 && index <= 52) return face(index);
    if (index == 53) return notPlaying();
    return canvas(CardW, CardH);
}

} // namespace pictures::paint
