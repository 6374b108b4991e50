// The EMF writer: the header's fields, byte size and record count worked out
// by hand, 4-byte aligned records that add up to the file, the object table
// size, UTF-16 text with whole-pixel advances, and the image record.
#include "views/core/EmfWriter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace moravel::vec {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t U32At(const Bytes& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}
std::int32_t I32At(const Bytes& b, std::size_t at) { return static_cast<std::int32_t>(U32At(b, at)); }
std::uint16_t U16At(const Bytes& b, std::size_t at) { return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8); }

struct EmfRecord {
    std::uint32_t type = 0;
    Bytes bytes;  // the whole record
};

// Walks the file by the records' sizes, checking each is 4-byte aligned.
std::vector<EmfRecord> Records(const Bytes& file) {
    std::vector<EmfRecord> records;
    for (std::size_t at = 0; at + 8 <= file.size();) {
        const std::uint32_t size = U32At(file, at + 4);
        EXPECT_EQ(size % 4, 0u) << "record at " << at;
        EXPECT_GE(size, 8u);
        if (size < 8 || at + size > file.size()) {
            ADD_FAILURE() << "record at " << at << " runs past the end";
            break;
        }
        records.push_back({U32At(file, at), Bytes(file.begin() + at, file.begin() + at + size)});
        at += size;
    }
    return records;
}

constexpr std::uint32_t kExtTextOutW = 84;

TEST(EmfWriter, EmptyDrawingHeaderByHand) {
    const Bytes file = WriteEmf({96, 48, {}});
    // Header 108, SETBKMODE 12, SETTEXTALIGN 12, EOF 20.
    ASSERT_EQ(file.size(), 152u);
    EXPECT_EQ(U32At(file, 0), 1u);
    EXPECT_EQ(U32At(file, 4), 108u);
    EXPECT_EQ((std::vector<std::int32_t>{I32At(file, 8), I32At(file, 12), I32At(file, 16), I32At(file, 20)}),
              (std::vector<std::int32_t>{0, 0, 95, 47}));  // bounds, inclusive
    // One inch by half an inch is 2540 x 1270 hundredths of a millimetre.
    EXPECT_EQ((std::vector<std::int32_t>{I32At(file, 24), I32At(file, 28), I32At(file, 32), I32At(file, 36)}),
              (std::vector<std::int32_t>{0, 0, 2540, 1270}));
    EXPECT_EQ(U32At(file, 40), 0x464D4520u);
    EXPECT_EQ(U32At(file, 44), 0x10000u);
    EXPECT_EQ(U32At(file, 48), 152u);  // bytes
    EXPECT_EQ(U32At(file, 52), 4u);    // records
    EXPECT_EQ(U16At(file, 56), 1);     // handles: only the reserved index 0
    EXPECT_EQ((std::vector<std::int32_t>{I32At(file, 72), I32At(file, 76), I32At(file, 80), I32At(file, 84)}),
              (std::vector<std::int32_t>{96, 48, 25, 13}));  // device pixels, millimetres (25.4, 12.7)
    EXPECT_EQ(I32At(file, 100), 25400);                      // micrometres
    EXPECT_EQ(I32At(file, 104), 12700);
    EXPECT_EQ(Bytes(file.end() - 20, file.end()),
              (Bytes{14, 0, 0, 0, 20, 0, 0, 0, 0, 0, 0, 0, 16, 0, 0, 0, 20, 0, 0, 0}));
}

TEST(EmfWriter, RecordsAreAlignedAddUpToTheStatedSizeAndCount) {
    Text text;
    text.origin = {3, 9};
    text.text = u"abc";  // six bytes of text, padded to eight
    text.font = {"Sans", 12, 400, false};
    Image image;
    image.width = 3;  // rows of nine bytes, padded to twelve
    image.height = 1;
    image.pixels = {0xFFFFFFFF, 0xFF000000, 0xFF808080};
    image.source = {0, 0, 3, 1};
    image.target = {0, 0, 3, 1};
    const Pen pen{{1, 2, 3}, 2, PenStyle::Dash};
    const Bytes file =
        WriteEmf({64,
                  64,
                  {Polyline{{{0, 0}, {5, 5}, {9, 1}}, pen}, Polygon{{{1, 1}, {4, 1}, {4, 4}}, pen, {}}, text, image,
                   Clip{true, {0, 0, 8, 8}}, Rectangle{{1, 1, 2, 2}, pen, {{9, 9, 9}, true}}}});
    const std::vector<EmfRecord> records = Records(file);
    std::size_t total = 0;
    for (const EmfRecord& r : records) total += r.bytes.size();
    EXPECT_EQ(total, file.size());
    EXPECT_EQ(U32At(file, 48), file.size());
    EXPECT_EQ(U32At(file, 52), records.size());
    EXPECT_EQ(records.back().type, 14u);
    // Pen 1, the polygon's null brush 2, the font 3; the solid brush is
    // created (4) before the null brush is deleted: five with index 0.
    EXPECT_EQ(U16At(file, 56), 5);
}

TEST(EmfWriter, TextIsUtf16WithWholePixelAdvancesThatKeepTheRunningSum) {
    Text text;
    text.origin = {7, 30};
    text.text = u"\u00B5V\u4E2D";
    text.advances = {3.4, 3.4, 3.4};  // sums 3.4, 6.8, 10.2 round to 3, 7, 10
    text.font = {"Sans", 10, 400, false};
    const std::vector<EmfRecord> records = Records(WriteEmf({50, 50, {text}}));
    const EmfRecord* out = nullptr;
    for (const EmfRecord& r : records)
        if (r.type == kExtTextOutW) out = &r;
    ASSERT_NE(out, nullptr);
    const Bytes& b = out->bytes;
    EXPECT_EQ(b.size(), 76u + 8u + 12u);
    EXPECT_EQ(I32At(b, 36), 7);  // reference point
    EXPECT_EQ(I32At(b, 40), 30);
    EXPECT_EQ(U32At(b, 44), 3u);   // characters
    EXPECT_EQ(U32At(b, 48), 76u);  // offset of the string
    EXPECT_EQ(U32At(b, 72), 84u);  // offset of the advances
    EXPECT_EQ((std::vector<std::uint16_t>{U16At(b, 76), U16At(b, 78), U16At(b, 80)}),
              (std::vector<std::uint16_t>{0x00B5, 'V', 0x4E2D}));
    EXPECT_EQ((std::vector<std::int32_t>{I32At(b, 84), I32At(b, 88), I32At(b, 92)}),
              (std::vector<std::int32_t>{3, 4, 3}));
}

// In the compatible graphics mode a reader scales the text by exScale and
// eyScale, the .01 mm in one page unit: a pixel of the 96 dpi reference
// device is 2540 / 96 = 26.458334 (float 0x41D3AAAB).
TEST(EmfWriter, TextRecordScalesPageUnitsToHundredthsOfAMillimetre) {
    Text text;
    text.text = u"x";
    text.font = {"Sans", 10, 400, false};
    for (const EmfRecord& r : Records(WriteEmf({50, 50, {text}}))) {
        if (r.type != kExtTextOutW) continue;
        EXPECT_EQ(U32At(r.bytes, 24), 1u);  // GM_COMPATIBLE
        EXPECT_EQ(Bytes(r.bytes.begin() + 28, r.bytes.begin() + 36),
                  (Bytes{0xAB, 0xAA, 0xD3, 0x41, 0xAB, 0xAA, 0xD3, 0x41}));
        return;
    }
    ADD_FAILURE() << "no text record";
}

TEST(EmfWriter, ImageRecordPointsAtItsHeaderAndBits) {
    Image image;
    image.width = 2;
    image.height = 2;
    image.pixels = {0xFF000001, 0xFF000002, 0xFF000003, 0xFF000004};
    image.source = {0, 0, 2, 2};
    image.target = {10, 20, 30, 40};
    const std::vector<EmfRecord> records = Records(WriteEmf({100, 100, {image}}));
    const EmfRecord& r = records[3];  // after the header, SETBKMODE and SETTEXTALIGN
    ASSERT_EQ(r.type, 81u);
    const Bytes& b = r.bytes;
    EXPECT_EQ((std::vector<std::int32_t>{I32At(b, 8), I32At(b, 12), I32At(b, 16), I32At(b, 20)}),
              (std::vector<std::int32_t>{10, 20, 39, 59}));  // bounds, inclusive
    EXPECT_EQ(
        (std::vector<std::int32_t>{I32At(b, 24), I32At(b, 28), I32At(b, 32), I32At(b, 36), I32At(b, 40), I32At(b, 44)}),
        (std::vector<std::int32_t>{10, 20, 0, 0, 2, 2}));  // destination x y, source x y w h
    EXPECT_EQ(U32At(b, 48), 80u);                          // header offset and size
    EXPECT_EQ(U32At(b, 52), 40u);
    EXPECT_EQ(U32At(b, 56), 120u);  // bits offset and size: two rows of 6 bytes padded to 8
    EXPECT_EQ(U32At(b, 60), 16u);
    EXPECT_EQ(U32At(b, 68), 0x00CC0020u);
    EXPECT_EQ((std::vector<std::int32_t>{I32At(b, 72), I32At(b, 76)}), (std::vector<std::int32_t>{30, 40}));
    EXPECT_EQ(b.size(), 136u);
    EXPECT_EQ(b[120], 3);  // bottom row first, blue byte first
    EXPECT_EQ(b[128], 1);
}

}  // namespace
}  // namespace moravel::vec
