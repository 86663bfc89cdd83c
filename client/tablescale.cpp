// The table's scale and the items laid out under it.
#include "client/tablescale.h"

#include "client/imagelabel.h"

#include <QEvent>
#include <QRegularExpression>
#include <QWidget>
#include <cmath>

TableScale::TableScale(QWidget* board) : QObject(board), m_board(board) {
    setObjectName(QStringLiteral("tableScale"));
    m_density = density();
    board->installEventFilter(this);
}

TableScale* TableScale::of(const QWidget* board) {
    return board ? board->findChild<TableScale*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

double TableScale::density() const {
    return m_factor * m_board->devicePixelRatioF();
}

void TableScale::setFactor(double factor) {
    // Below half or above four times the table is unreadable or larger than any screen.
    factor = std::clamp(factor, 0.5, 4.0);
    if (std::abs(factor - m_factor) < 1e-9) return;
    m_factor = factor;
    refresh();
}

void TableScale::refresh() {
    m_density = density();
    m_items.removeIf([](const Item& item) { return item.widget.isNull(); });
    for (const Item& item : std::as_const(m_items)) apply(item);
    // Pictures after places, since a repainted picture gives its label its size.
    for (ImageLabel* label : m_board->findChildren<ImageLabel*>()) label->setDensity(m_density);
    emit factorChanged(m_factor);
}

bool TableScale::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_board && event->type() == QEvent::ScreenChangeInternal &&
        std::abs(density() - m_density) > 1e-9)
        refresh();
    return QObject::eventFilter(watched, event);
}

QRect TableScale::rect(const QRect& units) const {
    const int left = length(units.x());
    const int top = length(units.y());
    return QRect(left, top, length(units.x() + units.width()) - left,
                 length(units.y() + units.height()) - top);
}

QPoint TableScale::point(const QPoint& units) const {
    return QPoint(length(units.x()), length(units.y()));
}

TableScale::Item& TableScale::itemFor(QWidget* widget) {
    for (Item& item : m_items)
        if (item.widget == widget) return item;
    // Hand cards come and go every deal; the gone ones leave no trace here.
    if (m_items.size() > 256)
        m_items.removeIf([](const Item& item) { return item.widget.isNull(); });
    m_items.append(Item{widget, QRect(widget->pos(), widget->size()), false, QString()});
    return m_items.last();
}

void TableScale::apply(const Item& item) const {
    QWidget* w = item.widget;
    if (!w) return;
    if (item.sized)
        w->setGeometry(rect(item.units));
    else
        w->move(point(item.units.topLeft()));
    if (!item.style.isEmpty()) w->setStyleSheet(scaledStyle(item.style, m_factor));
}

void TableScale::place(QWidget* item, const QRect& units) {
    Item& it = itemFor(item);
    it.units = units;
    it.sized = true;
    apply(it);
}

void TableScale::move(QWidget* item, const QPoint& units) {
    Item& it = itemFor(item);
    it.units.moveTopLeft(units);
    if (it.sized)
        item->move(rect(it.units).topLeft());
    else
        item->move(point(units));
}

void TableScale::resize(QWidget* item, const QSize& units) {
    Item& it = itemFor(item);
    it.units.setSize(units);
    it.sized = true;
    apply(it);
}

void TableScale::setStyle(QWidget* item, const QString& style) {
    Item& it = itemFor(item);
    it.style = style;
    item->setStyleSheet(scaledStyle(style, m_factor));
}

void TableScale::setPicture(ImageLabel* label, std::function<QPixmap(double)> painter) {
    label->setDensity(density());
    label->setPicture(std::move(painter));
}

QString TableScale::scaledStyle(const QString& style, double factor) {
    if (factor == 1.0) return style;
    static const QRegularExpression length(QStringLiteral("(\\d+(?:\\.\\d+)?)px"));
    QString out;
    qsizetype last = 0;
    for (auto it = length.globalMatch(style); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        out += style.mid(last, m.capturedStart() - last);
        const double units = m.captured(1).toDouble();
        const int pixels = units == 0 ? 0 : std::max(1, int(std::lround(units * factor)));
        out += QString::number(pixels) + QStringLiteral("px");
        last = m.capturedEnd();
    }
    out += style.mid(last);
    return out;
}
