// The tally file's codec: known bytes, round trips of many sizes, other encoders, damaged input.
#include "settings/lzrw1kh.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>

#include <vector>

namespace {

QByteArray bytes(std::initializer_list<int> list) {
    QByteArray b;
    for (int v : list) b.append(char(v));
    return b;
}

QByteArray randomBytes(qsizetype n, quint32 seed) {
    QRandomGenerator gen(seed);
    QByteArray b(n, '\0');
    for (auto& c : b) c = char(gen.bounded(256));
    return b;
}

// Text that compresses: tally-like lines with repeats, runs and a little noise.
QByteArray textLike(qsizetype n, quint32 seed) {
    QRandomGenerator gen(seed);
    QByteArray b;
    while (b.size() < n) {
        switch (gen.bounded(4)) {
        case 0:
            b += "Rori\r\n0\r\n12\r\n";
            break;
        case 1:
            b += QByteArray(int(gen.bounded(1, 5000)), char('a' + gen.bounded(3)));
            break;
        case 2:
            b += QByteArray::number(gen.bounded(100000)) + "\r\n";
            break;
        default:
            b += randomBytes(gen.bounded(1, 40), gen.generate());
            break;
        }
    }
    b.truncate(n);
    return b;
}

QByteArray unpacked(const QByteArray& container) {
    QByteArray text;
    EXPECT_EQ(LZRW1KH::unpack(container, &text), LZRW1KH::Error::None);
    return text;
}

// A deliberately plain encoder of another kind: literals only, every block compressed. Its
// output is valid, so the reader must take it.
QByteArray literalOnlyContainer(const QByteArray& text) {
    QByteArray out = bytes({'W', 'R', 'Z', 'L'});
    for (int i = 0; i < 4; ++i) out.append(char((text.size() >> (8 * i)) & 0xFF));
    qsizetype at = 0;
    while (true) {
        const qsizetype n = std::min(LZRW1KH::BlockSize, text.size() - at);
        QByteArray block(1, char(LZRW1KH::FlagCompressed));
        for (qsizetype i = 0; i < n; ++i) {
            if (i % 16 == 0) block += bytes({0, 0});
            block.append(text[at + i]);
        }
        if (n == 0) block += bytes({0, 0});
        out.append(char(block.size() & 0xFF));
        out.append(char(block.size() >> 8));
        out += block;
        at += n;
        if (n < LZRW1KH::BlockSize) break;
    }
    return out;
}

} // namespace

TEST(Lzrw1khKnownBytes, EmptyTextIsOneEmptyStoredBlock) {
    EXPECT_EQ(LZRW1KH::pack(QByteArray()), bytes({0x57, 0x52, 0x5A, 0x4C, 0, 0, 0, 0, 1, 0, 0x80}));
    EXPECT_EQ(unpacked(bytes({0x57, 0x52, 0x5A, 0x4C, 0, 0, 0, 0, 1, 0, 0x80})), QByteArray());
}

TEST(Lzrw1khKnownBytes, SixteenEqualBytesAreOneRunItem) {
    const QByteArray text(16, 'a');
    const QByteArray block = bytes({0x40, 0x80, 0x00, 0x00, 0x00, 0x00, 0x61});
    EXPECT_EQ(LZRW1KH::compressBlock(text), block);
    EXPECT_EQ(LZRW1KH::pack(text), bytes({0x57, 0x52, 0x5A, 0x4C, 0x10, 0, 0, 0, 7, 0}) + block);
    EXPECT_EQ(unpacked(LZRW1KH::pack(text)), text);
}

TEST(Lzrw1khKnownBytes, FifteenEqualBytesAreALiteralAndAnOverlappingCopy) {
    const QByteArray text(15, 'a');
    const QByteArray block = bytes({0x40, 0x40, 0x00, 0x61, 0x00, 0x1B});
    EXPECT_EQ(LZRW1KH::compressBlock(text), block);
    QByteArray out;
    ASSERT_TRUE(LZRW1KH::decompressBlock(block, &out));
    EXPECT_EQ(out, text);
}

TEST(Lzrw1khKnownBytes, ABlockThatDoesNotShrinkIsStored) {
    for (qsizetype n : {1, 2, 3, 17, 500, 32768}) {
        const QByteArray text = randomBytes(n, quint32(n));
        const QByteArray block = LZRW1KH::compressBlock(text);
        ASSERT_EQ(block.size(), n + 1) << n;
        EXPECT_EQ(quint8(block[0]), 0x80);
        EXPECT_EQ(block.mid(1), text);
    }
}

TEST(Lzrw1khKnownBytes, LongRunsSplitAtTheLongestRunItem) {
    // 4095 is the longest run item (count 4079 = 0x0FEF); the rest is a second run.
    const QByteArray text(4095 + 20, 'z');
    EXPECT_EQ(LZRW1KH::compressBlock(text),
              bytes({0x40, 0xC0, 0x00, 0x00, 0x0F, 0xEF, 'z', 0x00, 0x00, 0x04, 'z'}));
}

TEST(Lzrw1khRoundTrip, ManySizesOfTextAndNoise) {
    for (qsizetype n : {0, 1, 2, 3, 15, 16, 17, 1000, 32767, 32768, 32769, 65536, 100000}) {
        for (const QByteArray& text : {randomBytes(n, quint32(n) + 1), textLike(n, quint32(n))}) {
            const QByteArray container = LZRW1KH::pack(text);
            EXPECT_EQ(unpacked(container), text) << n;
            // Random bytes never grow by more than the flag and length of each block.
            EXPECT_LE(container.size(), 8 + text.size() + (text.size() / 32768 + 1) * 3) << n;
        }
    }
}

TEST(Lzrw1khRoundTrip, AFullLastBlockIsFollowedByAnEmptyOne) {
    const QByteArray text = textLike(2 * 32768, 7);
    const QByteArray container = LZRW1KH::pack(text);
    EXPECT_TRUE(container.endsWith(bytes({1, 0, 0x80})));
    EXPECT_EQ(unpacked(container), text);
    // Without the closing empty block nothing is missing; without more, the text is cut.
    EXPECT_EQ(unpacked(container.chopped(3)), text);
    QByteArray cut;
    EXPECT_EQ(LZRW1KH::unpack(container.chopped(4), &cut), LZRW1KH::Error::ReadError);
}

TEST(Lzrw1khRoundTrip, CompressibleTextShrinks) {
    const QByteArray text = QByteArray("Vozuz\r\n0\r\n").repeated(2000);
    EXPECT_LT(LZRW1KH::pack(text).size(), text.size() / 5);
}

TEST(Lzrw1khReader, TakesOtherValidEncoders) {
    for (qsizetype n : {0, 1, 16, 17, 32768, 40000}) {
        const QByteArray text = textLike(n, quint32(n) + 99);
        EXPECT_EQ(unpacked(literalOnlyContainer(text)), text) << n;
    }
    // A run item of 16 after a literal, and a copy reaching exactly to the block's start.
    QByteArray out;
    ASSERT_TRUE(LZRW1KH::decompressBlock(
        bytes({0x40, 0x60, 0x00, 'x', 0x00, 0x00, 0x00, 'y', 0x01, 0x10}), &out));
    EXPECT_EQ(out, "x" + QByteArray(16, 'y') + "xyy");
    // A stored block may be used for any block, even one that would shrink.
    ASSERT_TRUE(LZRW1KH::decompressBlock(char(0x80) + QByteArray(100, 'q'), &out));
    EXPECT_EQ(out, QByteArray(100, 'q'));
}

TEST(Lzrw1khReader, DamagedContainersFailWithTheirKind) {
    const QByteArray good = LZRW1KH::pack(textLike(50000, 3));
    QByteArray text;

    QByteArray wrongId = good;
    wrongId[0] = 'X';
    EXPECT_EQ(LZRW1KH::unpack(wrongId, &text), LZRW1KH::Error::NoValidHeader);
    EXPECT_EQ(LZRW1KH::unpack(good.left(5), &text), LZRW1KH::Error::NoValidHeader);
    EXPECT_EQ(LZRW1KH::unpack(bytes({'!', 'H', 'Z', 'L', 0, 0, 0, 0}), &text),
              LZRW1KH::Error::UnsupportedLzh);

    QByteArray wrongSize = good;
    wrongSize[4] = char(wrongSize[4] + 1);
    EXPECT_EQ(LZRW1KH::unpack(wrongSize, &text), LZRW1KH::Error::SizeMismatch);

    for (qsizetype cut : {8, 9, 10, 100, int(good.size()) - 1})
        EXPECT_EQ(LZRW1KH::unpack(good.left(cut), &text), LZRW1KH::Error::ReadError) << cut;

    // Copy items reaching before the start of the block's output: at its first byte, and one
    // past what has been written.
    const QByteArray header = bytes({'W', 'R', 'Z', 'L', 3, 0, 0, 0, 5, 0});
    EXPECT_EQ(LZRW1KH::unpack(header + bytes({0x40, 0x80, 0x00, 0x00, 0x10}), &text),
              LZRW1KH::Error::SizeMismatch);
    EXPECT_EQ(LZRW1KH::unpack(
                  bytes({'W', 'R', 'Z', 'L', 4, 0, 0, 0, 6, 0, 0x40, 0x40, 0x00, 'a', 0x00, 0x20}),
                  &text),
              LZRW1KH::Error::SizeMismatch);
    EXPECT_TRUE(text.isEmpty());
}

TEST(Lzrw1khReader, MalformedBlocksAreRefused) {
    QByteArray out;
    EXPECT_FALSE(LZRW1KH::decompressBlock(QByteArray(), &out));
    EXPECT_FALSE(LZRW1KH::decompressBlock(bytes({0x41, 0, 0, 'a'}), &out));     // unknown flag
    EXPECT_FALSE(LZRW1KH::decompressBlock(bytes({0x40, 0x80}), &out));          // no control word
    EXPECT_FALSE(LZRW1KH::decompressBlock(bytes({0x40, 0x80, 0, 0x00}), &out)); // half an item
    EXPECT_FALSE(LZRW1KH::decompressBlock(bytes({0x40, 0x80, 0, 0, 0, 1}), &out)); // short run
    // More than a block's worth of output.
    EXPECT_FALSE(LZRW1KH::decompressBlock(char(0x80) + QByteArray(32769, 'a'), &out));
    // 32 runs of 1024 fill a block exactly; a 33rd is one too many.
    QByteArray runs(1, char(0x40));
    for (int w = 0; w < 2; ++w) {
        runs += bytes({0xFF, 0xFF});
        for (int i = 0; i < 16; ++i) runs += bytes({0x00, 0x03, 0xF0, 'r'});
    }
    ASSERT_TRUE(LZRW1KH::decompressBlock(runs, &out));
    EXPECT_EQ(out, QByteArray(32768, 'r'));
    EXPECT_FALSE(LZRW1KH::decompressBlock(runs + bytes({0x80, 0x00, 0x00, 0x03, 0xF0, 'r'}), &out));
    EXPECT_TRUE(LZRW1KH::decompressBlock(runs.left(runs.size() - 4), &out));
    EXPECT_EQ(out.size(), 31 * 1024);
}

TEST(Lzrw1khReader, MessagesNameTheFile) {
    using LZRW1KH::Error;
    EXPECT_EQ(LZRW1KH::errorMessage(Error::NoValidHeader, "/x/Cribbagetally.tld"),
              "/x/Cribbagetally.tld : Lzrw1 decompression : this file has no valid header !");
    EXPECT_EQ(LZRW1KH::errorMessage(Error::SizeMismatch, "f"),
              "Lzrw1 (decompression LZRW1/KH) : Original and compressed sizes do not match !");
    EXPECT_EQ(LZRW1KH::errorMessage(Error::ReadError, "f"),
              "Lzrw1 : Error reading from input file : f");
    EXPECT_TRUE(LZRW1KH::errorMessage(Error::None, "f").isEmpty());
}
