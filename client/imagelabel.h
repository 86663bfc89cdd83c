// A picture on the table that reports mouse presses and hovers: cards, buttons, pegs.
#pragma once

#include <QLabel>

class ImageLabel : public QLabel {
    Q_OBJECT
public:
    explicit ImageLabel(QWidget* parent = nullptr);

    // Sets a picture and sizes the label to it.
    void setImage(const QPixmap& pixmap);

signals:
    // A receiver may delete the label.
    void pressed(Qt::MouseButton button);
    void hovered();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
};
