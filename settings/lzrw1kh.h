// The LZRW1/KH block compressor and the container the tally file is stored in.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace LZRW1KH {

// Text is cut into blocks of this size; each block is compressed on its own.
inline constexpr qsizetype BlockSize = 32768;

inline constexpr quint8 FlagCompressed = 0x40;
inline constexpr quint8 FlagStored = 0x80;

// "WRZL" and "!HZL" as little-endian 32-bit values: the container's method identifiers.
inline constexpr quint32 IdLzrw1 = 0x4C5A5257;
inline constexpr quint32 IdLzh = 0x4C5A4821;

enum class Error {
    None,
    NoValidHeader,  // identifier is neither of the two, or the file is shorter than a header
    UnsupportedLzh, // the other method; files of this program never use it
    SizeMismatch,   // decoded length differs from the header, or a block is malformed
    ReadError,      // a block length or a block runs past the end of the file
};

// The text the user is shown for an error; fileName is the container's path.
QString errorMessage(Error error, const QString& fileName);

// Compresses one block of at most BlockSize bytes. The result starts with its flag byte and
// is never longer than the input plus one.
QByteArray compressBlock(QByteArrayView block);

// Decodes one block (flag byte included). Returns false on a malformed block: a truncated
// item, a copy reaching before the start of the block's output, an unknown flag, or more
// than BlockSize bytes of output.
bool decompressBlock(QByteArrayView block, QByteArray* out);

// A whole container: identifier, size, blocks.
QByteArray pack(QByteArrayView text);

// Reads a whole container. On failure *text is left empty.
Error unpack(QByteArrayView container, QByteArray* text);

} // namespace LZRW1KH
