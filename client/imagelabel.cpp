// A picture on the table that reports mouse presses and hovers.
#include "client/imagelabel.h"

#include <QMetaMethod>
#include <QMouseEvent>

ImageLabel::ImageLabel(QWidget* parent) : QLabel(parent) {}

void ImageLabel::setImage(const QPixmap& pixmap) {
    setPixmap(pixmap);
    resize(pixmap.size());
}

void ImageLabel::mousePressEvent(QMouseEvent* event) {
    if (isSignalConnected(QMetaMethod::fromSignal(&ImageLabel::pressed))) {
        event->accept();
        // Nothing after this: a played card may be gone when it returns.
        emit pressed(event->button());
        return;
    }
    QLabel::mousePressEvent(event);
}

void ImageLabel::mouseMoveEvent(QMouseEvent* event) {
    emit hovered();
    QLabel::mouseMoveEvent(event);
}

void ImageLabel::enterEvent(QEnterEvent* event) {
    emit hovered();
    QLabel::enterEvent(event);
}
