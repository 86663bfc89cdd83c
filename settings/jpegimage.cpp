// Decoding of JPEG pictures through libjpeg.
#include "settings/jpegimage.h"

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>

namespace jpegimage {

namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

// libjpeg's default handler ends the process; unwind to decode() instead.
[[noreturn]] void errorExit(j_common_ptr info) {
    auto* err = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, err->message);
    std::longjmp(err->jump, 1);
}

void quietOutput(j_common_ptr) {}

// Pictures larger than this are refused rather than allocated.
constexpr JDIMENSION kMaxSide = 8192;

} // namespace

QImage decode(const QByteArray& data, QString* error) {
    if (data.isEmpty()) {
        if (error) *error = QStringLiteral("empty picture");
        return {};
    }
    jpeg_decompress_struct info{};
    ErrorManager err{};
    info.err = jpeg_std_error(&err.base);
    err.base.error_exit = errorExit;
    err.base.output_message = quietOutput;
    // Everything the jump may skip over lives outside this frame's registers: the image is
    // filled through a pointer set up before setjmp.
    QImage image;
    QImage* volatile target = &image;
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&info);
        if (error) *error = QString::fromLocal8Bit(err.message);
        return {};
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(data.constData()),
                 static_cast<unsigned long>(data.size()));
    jpeg_read_header(&info, TRUE);
    if (info.image_width > kMaxSide || info.image_height > kMaxSide) {
        jpeg_destroy_decompress(&info);
        if (error) *error = QStringLiteral("picture too large");
        return {};
    }
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    *target = QImage(int(info.output_width), int(info.output_height), QImage::Format_RGB888);
    if (target->isNull()) {
        jpeg_destroy_decompress(&info);
        if (error) *error = QStringLiteral("out of memory");
        return {};
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = target->scanLine(int(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    if (error) error->clear();
    return image;
}

} // namespace jpegimage
