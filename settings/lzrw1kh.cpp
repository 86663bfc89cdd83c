// The LZRW1/KH block compressor and the container the tally file is stored in.
#include "settings/lzrw1kh.h"

#include <algorithm>
#include <array>

namespace LZRW1KH {

namespace {

constexpr int HashSlots = 4096;
constexpr quint16 EmptySlot = 0xFFFF;
constexpr int MaxOffset = 4095;
constexpr int MinMatch = 3;
constexpr int MaxMatch = 18;
constexpr int MinRun = 16;
constexpr int MaxRun = 4095;
constexpr int ItemsPerControlWord = 16;
constexpr qsizetype HeaderSize = 8;

quint32 readLe32(const char* p) {
    const auto* u = reinterpret_cast<const quint8*>(p);
    return quint32(u[0]) | quint32(u[1]) << 8 | quint32(u[2]) << 16 | quint32(u[3]) << 24;
}

void appendLe16(QByteArray& out, quint32 v) {
    out.append(char(v & 0xFF));
    out.append(char((v >> 8) & 0xFF));
}

void appendLe32(QByteArray& out, quint32 v) {
    appendLe16(out, v & 0xFFFF);
    appendLe16(out, v >> 16);
}

} // namespace

QString errorMessage(Error error, const QString& fileName) {
    switch (error) {
    case Error::None:
        return {};
    case Error::NoValidHeader:
        return fileName +
               QStringLiteral(" : Lzrw1 decompression : this file has no valid header !");
    case Error::UnsupportedLzh:
        return fileName + QStringLiteral(" : Lzrw1 decompression : LZH compressed files are not "
                                         "supported !");
    case Error::SizeMismatch:
        return QStringLiteral(
            "Lzrw1 (decompression LZRW1/KH) : Original and compressed sizes do not match !");
    case Error::ReadError:
        return QStringLiteral("Lzrw1 : Error reading from input file : ") + fileName;
    }
    return {};
}

QByteArray compressBlock(QByteArrayView block) {
    Q_ASSERT(block.size() <= BlockSize);
    const auto* in = reinterpret_cast<const quint8*>(block.data());
    const qsizetype n = block.size();

    // The loop may pass n by at most one control word and one run item before it notices.
    QByteArray buffer(n + 8, '\0');
    auto* out = reinterpret_cast<quint8*>(buffer.data());

    std::array<quint16, HashSlots> hashTable;
    hashTable.fill(EmptySlot);

    out[0] = FlagCompressed;
    qsizetype controlAt = 1;
    qsizetype y = 3;
    quint32 control = 0;
    int bits = 0;
    qsizetype x = 0;

    // The last two positions hash past the block's end; zeros stand in for the missing bytes.
    // Which slot they land in never matters: no match there can reach three bytes.
    auto byteAt = [&](qsizetype i) -> quint32 { return i < n ? in[i] : 0; };

    while (x < n && y <= n) {
        if (bits == ItemsPerControlWord) {
            out[controlAt] = quint8(control >> 8);
            out[controlAt + 1] = quint8(control);
            controlAt = y;
            y += 2;
            bits = 0;
            control = 0;
        }

        qsizetype run = 1;
        while (run < MaxRun && x + run < n && in[x + run] == in[x]) ++run;

        if (run >= MinRun) {
            const quint32 count = quint32(run - MinRun);
            out[y++] = 0;
            out[y++] = quint8(count >> 8);
            out[y++] = quint8(count);
            out[y++] = in[x];
            x += run;
            control = (control << 1) | 1;
        } else {
            const quint32 h =
                ((((byteAt(x) << 4) ^ byteAt(x + 1)) << 4 ^ byteAt(x + 2)) * 40543u >> 4) & 0xFFF;
            const quint16 candidate = hashTable[h];
            qsizetype length = 0;
            if (candidate != EmptySlot && x - candidate <= MaxOffset) {
                while (length < MaxMatch && x + length < n &&
                       in[candidate + length] == in[x + length])
                    ++length;
            }
            hashTable[h] = quint16(x);

            if (length >= MinMatch) {
                const quint32 v = quint32(x - candidate) << 4 | quint32(length - MinMatch);
                out[y++] = quint8(v >> 8);
                out[y++] = quint8(v);
                x += length;
                control = (control << 1) | 1;
            } else {
                out[y++] = in[x++];
                control <<= 1;
            }
        }
        ++bits;
    }

    if (y > n) {
        QByteArray stored;
        stored.reserve(n + 1);
        stored.append(char(FlagStored));
        stored.append(block.data(), n);
        return stored;
    }
    control <<= (ItemsPerControlWord - bits);
    out[controlAt] = quint8(control >> 8);
    out[controlAt + 1] = quint8(control);
    buffer.truncate(y);
    return buffer;
}

bool decompressBlock(QByteArrayView block, QByteArray* out) {
    out->clear();
    if (block.isEmpty()) return false;
    const auto* in = reinterpret_cast<const quint8*>(block.data());
    const qsizetype length = block.size();

    if (in[0] == FlagStored) {
        if (length - 1 > BlockSize) return false;
        out->append(block.data() + 1, length - 1);
        return true;
    }
    if (in[0] != FlagCompressed || length < 3) return false;

    out->reserve(BlockSize);
    quint32 control = quint32(in[1]) << 8 | in[2];
    int bits = 0;
    qsizetype y = 3;
    while (y < length) {
        if (bits == ItemsPerControlWord) {
            if (y + 2 > length) return false;
            control = quint32(in[y]) << 8 | in[y + 1];
            y += 2;
            bits = 0;
            // A valid encoder never places a control word without an item after it, but one that
            // did would still describe the same text.
            if (y == length) break;
        }
        const bool item = control & 0x8000;
        control = (control << 1) & 0xFFFF;
        ++bits;

        if (!item) {
            if (out->size() >= BlockSize) return false;
            out->append(char(in[y++]));
            continue;
        }
        if (y + 2 > length) return false;
        const quint32 v = quint32(in[y]) << 8 | in[y + 1];
        if ((v >> 4) == 0) {
            if (y + 4 > length) return false;
            const qsizetype count = qsizetype(quint32(in[y + 1]) << 8 | in[y + 2]) + MinRun;
            if (out->size() + count > BlockSize) return false;
            out->append(count, char(in[y + 3]));
            y += 4;
        } else {
            const qsizetype offset = v >> 4;
            const qsizetype count = (v & 15) + MinMatch;
            if (offset > out->size() || out->size() + count > BlockSize) return false;
            // Byte by byte: the source may overlap what is being written.
            qsizetype from = out->size() - offset;
            for (qsizetype i = 0; i < count; ++i) out->append(out->at(from + i));
            y += 2;
        }
    }
    return true;
}

QByteArray pack(QByteArrayView text) {
    QByteArray out;
    out.reserve(HeaderSize + text.size() + text.size() / BlockSize * 3 + 3);
    appendLe32(out, IdLzrw1);
    appendLe32(out, quint32(text.size()));
    qsizetype at = 0;
    // A full block always has a successor, so the last block is shorter than BlockSize
    // (possibly empty): that is how a reader knows where the blocks end.
    while (true) {
        const qsizetype n = std::min(BlockSize, text.size() - at);
        const QByteArray block = compressBlock(text.sliced(at, n));
        appendLe16(out, quint32(block.size()));
        out.append(block);
        at += n;
        if (n < BlockSize) break;
    }
    return out;
}

Error unpack(QByteArrayView container, QByteArray* text) {
    text->clear();
    if (container.size() < HeaderSize) return Error::NoValidHeader;
    const quint32 id = readLe32(container.data());
    if (id == IdLzh) return Error::UnsupportedLzh;
    if (id != IdLzrw1) return Error::NoValidHeader;
    const quint32 size = readLe32(container.data() + 4);

    QByteArray result;
    QByteArray decoded;
    qsizetype at = HeaderSize;
    do {
        // The closing empty block after a full one carries nothing; a file that lacks it but
        // holds the whole text loses nothing either.
        if (at == container.size() && result.size() == qsizetype(size) && !result.isEmpty()) break;
        if (at + 2 > container.size()) return Error::ReadError;
        const auto* p = reinterpret_cast<const quint8*>(container.data() + at);
        const qsizetype length = qsizetype(p[0]) | qsizetype(p[1]) << 8;
        at += 2;
        if (at + length > container.size()) return Error::ReadError;
        if (!decompressBlock(container.sliced(at, length), &decoded)) return Error::SizeMismatch;
        at += length;
        result.append(decoded);
        // A header claiming less than has been decoded already cannot be right; stop early
        // instead of decoding the rest of a long damaged file.
        if (quint64(result.size()) > size) return Error::SizeMismatch;
    } while (decoded.size() == BlockSize);

    if (quint64(result.size()) != size) return Error::SizeMismatch;
    *text = std::move(result);
    return Error::None;
}

} // namespace LZRW1KH
