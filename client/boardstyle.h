// The looks the board's text items share.
#pragma once

#include "client/imagelabel.h"
#include "client/tablescale.h"
#include "resources/pictures.h"

#include <QLabel>
#include <QString>

namespace boardstyle {

inline const QString kName =
    QStringLiteral("color: #fdf6e3; font: bold 11px 'DejaVu Sans'; background: transparent;");
inline const QString kScore =
    QStringLiteral("color: #ffd75e; font: bold 12px 'DejaVu Sans'; background: transparent;");
inline const QString kSmall =
    QStringLiteral("color: #d8e8d0; font: 10px 'DejaVu Sans'; background: transparent;");

// A text label of the board at its place at 100%. Its text is shown as it is: a name a peer
// chose is never markup.
inline QLabel* textLabel(TableScale& scale, QWidget* parent, const QString& name, int x, int y,
                         int w, int h, const QString& style) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    scale.place(label, QRect(x, y, w, h));
    scale.setStyle(label, style);
    label->setTextFormat(Qt::PlainText);
    return label;
}

// A fixed picture of the lists, painted for its label's density.
inline std::function<QPixmap(double)> listed(pictures::Picture picture, int index = 0) {
    return [picture, index](double density) { return pictures::at(picture, index, density); };
}

// Centres a picture of w x h units on a point.
inline void placeCentred(TableScale& scale, ImageLabel* label, pictures::Picture picture, int w,
                         int h, int cx, int cy) {
    scale.setPicture(label, listed(picture));
    scale.move(label, QPoint(cx - w / 2, cy - h / 2));
}

} // namespace boardstyle
