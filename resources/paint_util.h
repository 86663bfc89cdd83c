// Shared drawing helpers of the picture painters: fonts, suit shapes, a fixed noise source.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <QString>

#include <cstdint>

namespace pictures::paint {

// Suits in card-code order: 0 clubs, 1 diamonds, 2 hearts, 3 spades.
enum Suit { Clubs = 0, Diamonds = 1, Hearts = 2, Spades = 3 };

// A tiny fixed generator for textures: the same seed gives the same picture on every run and
// every machine, and painting never disturbs the game's own generator.
class Noise {
public:
    explicit Noise(uint32_t seed) : m_state(seed) {}
    uint32_t next() {
        m_state = m_state * 1664525u + 1013904223u;
        return m_state;
    }
    // A value in [0, 1).
    double unit() { return (next() >> 8) * (1.0 / 16777216.0); }

private:
    uint32_t m_state;
};

// DejaVu ships with every Debian desktop; naming it keeps the text metrics the same everywhere.
QFont font(double pixelSize, bool bold, bool serif = false, bool condensed = false);

// How many pixels the painters lay down per unit of their design: 1 paints the pictures as they
// were designed, 2 paints them twice as fine at the same size on screen. A picture's device
// pixel ratio carries it, so a painter draws in its design units whatever the density.
double density();
// Sets the density for the painters called while it lives.
class DensityScope {
public:
    explicit DensityScope(double density);
    ~DensityScope();
    DensityScope(const DensityScope&) = delete;
    DensityScope& operator=(const DensityScope&) = delete;

private:
    double m_previous;
};

// A transparent ARGB picture ready to paint on, w x h units at the current density.
QImage canvas(int w, int h);
// An opaque picture of w x h units at the current density, for painters that set each pixel
// themselves: they walk its pixels and read their design position through unitsOf().
QImage pixelCanvas(int w, int h);
double unitsOf(int pixel);
// Antialiased painter on an image, with smooth pixmap transforms.
void prepare(QPainter& p);

// The outline of a suit symbol filling the given box.
QPainterPath suitPath(int suit, const QRectF& box);
bool isRed(int suit);
QColor suitColor(int suit);
void drawSuit(QPainter& p, int suit, const QRectF& box, bool upsideDown = false);

// Text centred in a box with a soft dark shadow underneath, for labels on coloured buttons.
void shadowText(QPainter& p, const QRectF& box, const QString& text, const QFont& f,
                const QColor& color, const QColor& shadow = QColor(0, 0, 0, 110));

// A glossy rounded button face with its caption.
QImage button(int w, int h, const QString& text, const QColor& top, const QColor& bottom,
              double textSize);
// A glass marble of the given colour.
QImage marble(int size, const QColor& color);

// The painters of each list, defined beside their kind.
QImage card(int index);
// A card in its 71 x 96 design box on any painter, so it can be drawn larger without blur.
void drawCard(QPainter& p, int index);
QImage pegboard();
QImage boardBackground();
QImage playedFrame();
QImage smiley(int index);
QImage check(bool checked);
QImage eyes();
QImage dealerMarker();
QImage goBadge();
QImage turnHighlight();
QImage winnerBadge();
QImage winnerRibbon();
QImage logo();
QImage icon(int size);

} // namespace pictures::paint
