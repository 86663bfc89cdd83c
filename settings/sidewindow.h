// Common look of the small windows beside the table: a quiet felt, readable text, clear focus.
#pragma once

#include <QColor>
#include <QPixmap>
#include <QWidget>

#include <functional>

class QLabel;

namespace sidewindow {

// The window's colours, for the few places that paint or style text themselves.
inline const QColor kText(0xf4, 0xf1, 0xe4);    // light text on the felt
inline const QColor kHeading(0xff, 0xd7, 0x5e); // titles and the focus mark
inline const QColor kLink(0xff, 0xe6, 0x80);    // an address that opens
inline const QColor kInk(0x1b, 0x2a, 0x1f);     // text on paper (lists, fields, buttons)
inline const QColor kPaper(0xfb, 0xf8, 0xec);   // lists, fields and the help pages
inline const QColor kFeltTop(0x22, 0x60, 0x3a); // the felt, lit from above
inline const QColor kFeltBottom(0x12, 0x3c, 0x24);

// Gives the window the side windows' felt, its light text, and the look of its buttons, lists
// and fields: text that reads on what is painted behind it, and a keyboard focus shown as a
// coloured frame around a control rather than a dotted line through its text.
void applyLook(QWidget* window);
// The name this look had when it was the board's picture; windows made elsewhere still call it.
inline void useTableBackground(QWidget* window) {
    applyLook(window);
}

// Shows a label in the headings' colour.
void markHeading(QLabel* label);

// A rounded, darker panel on the felt that groups a few controls.
QWidget* makePanel(QWidget* parent);

// Shows on `label` the picture that `paint` makes for a device pixel ratio, painted again
// whenever the label comes to a screen of another ratio, so it stays sharp on HiDPI screens.
// Calling it again replaces the picture.
void setSharpPixmap(QLabel* label, std::function<QPixmap(qreal)> paint);

// Shows a message without blocking a test: the default opens a message box.
void showMessage(QWidget* parent, const QString& text);

} // namespace sidewindow
