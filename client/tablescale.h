// The table's scale: every item of the board keeps its place, size, lettering and pictures at
// 100% and is laid out again from them, times the scale, whenever the scale or the screen's
// pixel ratio changes.
#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>
#include <functional>

class ImageLabel;
class QWidget;

class TableScale : public QObject {
    Q_OBJECT
public:
    // The board's size at 100%, with the margin around it.
    static constexpr int kWidth = 757 + 15;
    static constexpr int kHeight = 481 + 12;

    // Watches the board for a move to a screen with another pixel ratio.
    explicit TableScale(QWidget* board);

    // The scale the board finds itself under: its window's, through the board's own child.
    static TableScale* of(const QWidget* board);

    double factor() const { return m_factor; }
    // 1.0 is 100%. Lays every item out again and repaints its picture.
    void setFactor(double factor);
    // Device pixels per unit of the 100% coordinates: the scale times the screen's pixel ratio.
    double density() const;

    int length(int units) const { return qRound(units * m_factor); }
    // Both edges are scaled, so items that touch at 100% touch at every scale.
    QRect rect(const QRect& units) const;
    QPoint point(const QPoint& units) const;

    // Places an item at its 100% rectangle, now and after every change of scale.
    void place(QWidget* item, const QRect& units);
    // Moves an item to its 100% top-left corner; a picture keeps the size it was painted at.
    void move(QWidget* item, const QPoint& units);
    void resize(QWidget* item, const QSize& units);
    // A style sheet written for 100%: every length in pixels is scaled with the table.
    void setStyle(QWidget* item, const QString& style);
    // The picture of a label, painted for the density it is shown at (again when that changes).
    void setPicture(ImageLabel* label, std::function<QPixmap(double density)> painter);

    // A style sheet's pixel lengths times a factor, rounded, never below one pixel.
    static QString scaledStyle(const QString& style, double factor);

signals:
    // After every item has been laid out again.
    void factorChanged(double factor);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Item {
        QPointer<QWidget> widget;
        QRect units;   // its place and size at 100%
        bool sized;    // false: a picture gives its size
        QString style; // empty: none of its own
    };
    Item& itemFor(QWidget* widget);
    void apply(const Item& item) const;
    void refresh();

    QWidget* m_board;
    double m_factor = 1.0;
    double m_density = 1.0;
    QList<Item> m_items;
};
