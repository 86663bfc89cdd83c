// A picture on the table that reports mouse presses and hovers: cards, buttons, pegs.
#pragma once

#include <QLabel>
#include <functional>

class ImageLabel : public QLabel {
    Q_OBJECT
public:
    explicit ImageLabel(QWidget* parent = nullptr);

    // Sets a fixed picture and sizes the label to it.
    void setImage(const QPixmap& pixmap);
    // Sets a picture painted for the label's density, again whenever the density changes, and
    // sizes the label to it.
    void setPicture(std::function<QPixmap(double density)> painter);
    // Drops the picture; the label keeps its size.
    void clearPicture();
    double density() const { return m_density; }
    // Device pixels per unit of the picture's design (the table's scale times the screen's
    // pixel ratio).
    void setDensity(double density);

signals:
    // A receiver may delete the label.
    void pressed(Qt::MouseButton button);
    void hovered();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;

private:
    void paintPicture();

    std::function<QPixmap(double)> m_painter;
    double m_density = 1.0;
};
