// Fuzzes the tally file: the LZRW1/KH container and block decoder, the table text, and the
// encoder's round trip.
#include "settings/lzrw1kh.h"
#include "settings/tally.h"

#include <QByteArray>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "fuzz_tally: %s\n", what);
        std::abort();
    }
}

// A table that was read must be written and read back to the same cells.
void checkTable(const QByteArray& text) {
    Tally tally;
    if (!tally.fromText(text)) return;
    Tally again;
    check(again.fromText(tally.toText()), "a table that was read cannot be read back");
    check(again.rowCount() == tally.rowCount(), "the row count changes on a round trip");
    for (int r = 0; r < tally.rowCount(); ++r)
        for (int c = 0; c < Tally::ColumnCount; ++c)
            check(again.cell(c, r) == tally.cell(c, r), "a cell changes on a round trip");
    check(again.followed() == tally.followed(), "the followed list changes on a round trip");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));

    // The bytes as a tally file.
    QByteArray text;
    const LZRW1KH::Error error = LZRW1KH::unpack(bytes, &text);
    check(error == LZRW1KH::Error::None || text.isEmpty(), "a failed unpack leaves text behind");
    if (error == LZRW1KH::Error::None) checkTable(text);

    // The bytes as the text inside one.
    checkTable(bytes);

    // The bytes as a single block.
    QByteArray block;
    if (LZRW1KH::decompressBlock(bytes, &block))
        check(block.size() <= LZRW1KH::BlockSize, "a block decodes to more than a block");

    // The bytes as text the program stores: what it packs it must unpack unchanged.
    QByteArray back;
    check(LZRW1KH::unpack(LZRW1KH::pack(bytes), &back) == LZRW1KH::Error::None,
          "a packed text does not unpack");
    check(back == bytes, "a packed text unpacks to something else");
    if (bytes.size() <= LZRW1KH::BlockSize) {
        const QByteArray packed = LZRW1KH::compressBlock(bytes);
        check(packed.size() <= bytes.size() + 1, "a block grows by more than its flag");
        QByteArray unpacked;
        check(LZRW1KH::decompressBlock(packed, &unpacked) && unpacked == bytes,
              "a compressed block does not decode to its input");
    }
    return 0;
}
