// A picture on the table that reports mouse presses and hovers.
#include "client/imagelabel.h"

#include <QMetaMethod>
#include <QMouseEvent>

ImageLabel::ImageLabel(QWidget* parent) : QLabel(parent) {}

void ImageLabel::setImage(const QPixmap& pixmap) {
    m_painter = nullptr;
    setPixmap(pixmap);
    resize(pixmap.deviceIndependentSize().toSize());
}

void ImageLabel::setPicture(std::function<QPixmap(double)> painter) {
    m_painter = std::move(painter);
    paintPicture();
}

void ImageLabel::clearPicture() {
    m_painter = nullptr;
    clear();
}

void ImageLabel::setDensity(double density) {
    if (density <= 0 || density == m_density) return;
    m_density = density;
    paintPicture();
}

void ImageLabel::paintPicture() {
    if (!m_painter) return;
    // Painted in device pixels for the scale and the screen; shown at the screen's ratio, so a
    // picture twice as fine stands twice as large.
    QPixmap pixmap = m_painter(m_density);
    pixmap.setDevicePixelRatio(devicePixelRatioF());
    setPixmap(pixmap);
    resize(pixmap.deviceIndependentSize().toSize());
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
