// Decoding of JPEG pictures through libjpeg, independent of Qt's image plugins.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace jpegimage {

// Decodes a whole JPEG file held in memory. A damaged or truncated picture gives a null image
// and the decoder's reason in *error; nothing is thrown and nothing is read past the data.
QImage decode(const QByteArray& data, QString* error = nullptr);

} // namespace jpegimage
