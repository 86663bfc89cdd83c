// A picture on the table that reports mouse presses and hovers.
#include "client/imagelabel.h"

#include <QMouseEvent>

ImageLabel::ImageLabel(QWidget* parent) : QLabel(parent) {}

void ImageLabel::setImage(const QPixmap& pixmap) {
    setPixmap(pixmap);
    resize(pixmap.size());
}

void ImageLabel::mousePressEvent(QMouseEvent* event) {
    // Copy first: the handler may destroy this label (a played card).
    if (auto handler = onMouseDown) {
        event->accept();
        handler(event->button());
        return;
    }
    QLabel::mousePressEvent(event);
}

void ImageLabel::mouseMoveEvent(QMouseEvent* event) {
    if (onMouseMove) onMouseMove();
    QLabel::mouseMoveEvent(event);
}

void ImageLabel::enterEvent(QEnterEvent* event) {
    if (onMouseMove) onMouseMove();
    QLabel::enterEvent(event);
}
