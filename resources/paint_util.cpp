// Drawing helpers shared by every picture painter.
#include "resources/paint_util.h"

#include <QLinearGradient>
#include <QRadialGradient>

#include <cmath>

namespace pictures::paint {

QFont font(double pixelSize, bool bold, bool serif, bool condensed) {
    QFont f(serif ? QStringLiteral("DejaVu Serif") : QStringLiteral("DejaVu Sans"));
    f.setPixelSize(qMax(1, qRound(pixelSize)));
    f.setBold(bold);
    if (condensed) f.setStretch(QFont::Condensed);
    f.setStyleStrategy(QFont::PreferAntialias);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

namespace {
double g_density = 1.0;
} // namespace

double density() {
    return g_density;
}

DensityScope::DensityScope(double density) : m_previous(g_density) {
    g_density = density > 0 ? density : 1.0;
}

DensityScope::~DensityScope() {
    g_density = m_previous;
}

QImage pixelCanvas(int w, int h) {
    // Rounded up, so the picture covers its whole place on screen.
    QImage img(int(std::ceil(w * g_density - 1e-6)), int(std::ceil(h * g_density - 1e-6)),
               QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(g_density);
    return img;
}

double unitsOf(int pixel) {
    return pixel / g_density;
}

QImage canvas(int w, int h) {
    QImage img = pixelCanvas(w, h);
    img.fill(Qt::transparent);
    return img;
}

void prepare(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
}

namespace {

// Each suit is drawn in a 100 x 100 design box and mapped onto the requested one.
QPainterPath unitSuit(int suit) {
    QPainterPath path;
    switch (suit) {
    case Hearts:
        path.moveTo(50, 97);
        path.cubicTo(38, 80, 0, 62, 0, 30);
        path.cubicTo(0, 10, 14, 0, 27, 0);
        path.cubicTo(39, 0, 47, 8, 50, 19);
        path.cubicTo(53, 8, 61, 0, 73, 0);
        path.cubicTo(86, 0, 100, 10, 100, 30);
        path.cubicTo(100, 62, 62, 80, 50, 97);
        path.closeSubpath();
        break;
    case Diamonds:
        path.moveTo(50, 0);
        path.quadTo(66, 28, 90, 50);
        path.quadTo(66, 72, 50, 100);
        path.quadTo(34, 72, 10, 50);
        path.quadTo(34, 28, 50, 0);
        path.closeSubpath();
        break;
    case Spades:
        path.moveTo(50, 0);
        path.cubicTo(60, 20, 100, 36, 100, 62);
        path.cubicTo(100, 78, 88, 86, 76, 86);
        path.cubicTo(66, 86, 58, 81, 54, 73);
        path.quadTo(56, 91, 70, 100);
        path.lineTo(30, 100);
        path.quadTo(44, 91, 46, 73);
        path.cubicTo(42, 81, 34, 86, 24, 86);
        path.cubicTo(12, 86, 0, 78, 0, 62);
        path.cubicTo(0, 36, 40, 20, 50, 0);
        path.closeSubpath();
        break;
    default: {
        path.setFillRule(Qt::WindingFill);
        path.addEllipse(QPointF(50, 25), 23, 23);
        path.addEllipse(QPointF(25, 60), 23, 23);
        path.addEllipse(QPointF(75, 60), 23, 23);
        path.addRect(40, 35, 20, 30);
        QPainterPath stem;
        stem.moveTo(46, 58);
        stem.quadTo(46, 88, 30, 100);
        stem.lineTo(70, 100);
        stem.quadTo(54, 88, 54, 58);
        stem.closeSubpath();
        path.addPath(stem);
        path = path.simplified();
        break;
    }
    }
    return path;
}

} // namespace

QPainterPath suitPath(int suit, const QRectF& box) {
    static const QPainterPath shapes[4] = {unitSuit(0), unitSuit(1), unitSuit(2), unitSuit(3)};
    QTransform t;
    t.translate(box.x(), box.y());
    t.scale(box.width() / 100.0, box.height() / 100.0);
    return t.map(shapes[suit & 3]);
}

bool isRed(int suit) {
    return suit == Diamonds || suit == Hearts;
}

QColor suitColor(int suit) {
    return isRed(suit) ? QColor(0xcc, 0x12, 0x25) : QColor(0x16, 0x16, 0x1c);
}

void drawSuit(QPainter& p, int suit, const QRectF& box, bool upsideDown) {
    p.save();
    if (upsideDown) {
        p.translate(box.center());
        p.rotate(180);
        p.translate(-box.center());
    }
    p.setPen(Qt::NoPen);
    p.setBrush(suitColor(suit));
    p.drawPath(suitPath(suit, box));
    p.restore();
}

void shadowText(QPainter& p, const QRectF& box, const QString& text, const QFont& f,
                const QColor& color, const QColor& shadow) {
    p.save();
    p.setFont(f);
    p.setPen(shadow);
    p.drawText(box.translated(0, 1), Qt::AlignCenter, text);
    p.setPen(color);
    p.drawText(box, Qt::AlignCenter, text);
    p.restore();
}

QImage button(int w, int h, const QString& text, const QColor& top, const QColor& bottom,
              double textSize) {
    QImage img = canvas(w, h);
    QPainter p(&img);
    prepare(p);
    const double r = qMin(h / 2.0 - 1, 9.0);
    const QRectF outer(0.5, 0.5, w - 1.0, h - 1.5);
    // A dark drop under the face so the button seems to stand off the felt.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawRoundedRect(outer.translated(0, 1), r, r);

    QLinearGradient face(0, 0, 0, h);
    face.setColorAt(0, top.lighter(115));
    face.setColorAt(0.5, top);
    face.setColorAt(1, bottom);
    p.setBrush(face);
    p.setPen(QPen(bottom.darker(160), 1));
    p.drawRoundedRect(outer, r, r);

    // The glossy upper half.
    QLinearGradient gloss(0, 0, 0, h / 2.0);
    gloss.setColorAt(0, QColor(255, 255, 255, 150));
    gloss.setColorAt(1, QColor(255, 255, 255, 25));
    p.setPen(Qt::NoPen);
    p.setBrush(gloss);
    p.drawRoundedRect(QRectF(2.5, 2, w - 5.0, h / 2.0 - 1.5), r - 2, r - 2);

    shadowText(p, QRectF(0, 0, w, h - 1), text, font(textSize, true), Qt::white,
               bottom.darker(200));
    return img;
}

QImage marble(int size, const QColor& color) {
    QImage img = canvas(size, size);
    QPainter p(&img);
    prepare(p);
    const QRectF ball(0.5, 0.5, size - 1.0, size - 1.0);
    QRadialGradient body(ball.center() + QPointF(-size * 0.15, -size * 0.18), size * 0.62);
    body.setColorAt(0, color.lighter(165));
    body.setColorAt(0.45, color);
    body.setColorAt(1, color.darker(230));
    p.setPen(QPen(color.darker(300), size > 20 ? 1.0 : 0.6));
    p.setBrush(body);
    p.drawEllipse(ball);
    // Light caught inside the glass on the far side.
    QRadialGradient glow(ball.center() + QPointF(size * 0.18, size * 0.22), size * 0.3);
    glow.setColorAt(0, QColor(255, 255, 255, 70));
    glow.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(ball);
    // The bright window reflection.
    p.setBrush(QColor(255, 255, 255, 215));
    p.drawEllipse(QRectF(size * 0.24, size * 0.17, size * 0.3, size * 0.22));
    return img;
}

} // namespace pictures::paint
