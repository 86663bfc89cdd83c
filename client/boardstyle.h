// The looks the board's text items share.
#pragma once

#include <QLabel>
#include <QString>

namespace boardstyle {

inline const QString kName =
    QStringLiteral("color: #fdf6e3; font: bold 11px 'DejaVu Sans'; background: transparent;");
inline const QString kScore =
    QStringLiteral("color: #ffd75e; font: bold 12px 'DejaVu Sans'; background: transparent;");
inline const QString kSmall =
    QStringLiteral("color: #d8e8d0; font: 10px 'DejaVu Sans'; background: transparent;");

// A text label of the board. Its text is shown as it is: a name a peer chose is never markup.
inline QLabel* textLabel(QWidget* parent, const QString& name, int x, int y, int w, int h,
                         const QString& style) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setGeometry(x, y, w, h);
    label->setStyleSheet(style);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace boardstyle
