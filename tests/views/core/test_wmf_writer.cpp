// The placeable WMF writer: header fields and checksum worked out by hand,
// record sizes in 16-bit words, the object table (lowest free slot, the
// header's object count), text, images and the clip.
#include "views/core/WmfWriter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace moravel::vec {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct WmfRecord {
    std::uint32_t words = 0;
    std::uint16_t function = 0;
    Bytes params;
    int Param16(std::size_t i) const { return static_cast<std::int16_t>(params[2 * i] | params[2 * i + 1] << 8); }
};

constexpr std::size_t kPlaceableBytes = 22;
constexpr std::size_t kMetaHeaderBytes = 18;

std::uint32_t U32At(const Bytes& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}
std::uint16_t U16At(const Bytes& b, std::size_t at) { return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8); }

// The records after both headers; each record's stated size must fit.
std::vector<WmfRecord> Records(const Bytes& file) {
    std::vector<WmfRecord> records;
    for (std::size_t at = kPlaceableBytes + kMetaHeaderBytes; at < file.size();) {
        WmfRecord r;
        r.words = U32At(file, at);
        r.function = U16At(file, at + 4);
        EXPECT_GE(r.words, 3u);
        EXPECT_LE(at + 2 * r.words, file.size());
        if (r.words < 3 || at + 2 * r.words > file.size()) break;
        r.params.assign(file.begin() + at + 6, file.begin() + at + 2 * r.words);
        records.push_back(r);
        at += 2 * r.words;
    }
    return records;
}

std::vector<std::uint16_t> Functions(const std::vector<WmfRecord>& records) {
    std::vector<std::uint16_t> f;
    for (const WmfRecord& r : records) f.push_back(r.function);
    return f;
}

// The four set-up records every file starts with.
constexpr std::size_t kSetupRecords = 4;
constexpr std::uint16_t kCreatePen = 0x02FA, kCreateBrush = 0x02FC, kCreateFont = 0x02FB, kSelect = 0x012D,
                        kDelete = 0x01F0, kRect = 0x041B, kEof = 0x0000, kTextColor = 0x0209, kExtTextOut = 0x0A32,
                        kSaveDc = 0x001E, kRestoreDc = 0x0127, kIntersectClip = 0x0416, kPolyline = 0x0325;

const Pen kInk{{0x11, 0x22, 0x33}, 1, PenStyle::Solid};
const Brush kRed{{0xFF, 0, 0}, true};
const Brush kBlue{{0, 0, 0xFF}, true};

TEST(WmfWriter, TinyDrawingHasPlaceableHeaderChecksumMetaHeaderAndSetupRecordsByHand) {
    const Bytes file = WriteWmf({4, 3, {}});
    const Bytes expected = {
        // placeable header: key, no handle, box 0 0 4 3, 96 per inch, reserved, checksum
        0xD7, 0xCD, 0xC6, 0x9A, 0, 0, 0, 0, 0, 0, 4, 0, 3, 0, 0x60, 0, 0, 0, 0, 0, 0x76,
        0x57,  // 0xCDD7 ^ 0x9AC6 ^ 4 ^ 3 ^ 0x60
        // meta header: disk type, 9 words, version 3.0, 30 words in all, no objects, largest record 5 words
        1, 0, 9, 0, 0, 3, 30, 0, 0, 0, 0, 0, 5, 0, 0, 0, 0, 0, 5, 0, 0, 0, 0x0B, 0x02, 0, 0, 0, 0,  // SETWINDOWORG 0 0
        5, 0, 0, 0, 0x0C, 0x02, 3, 0, 4, 0,  // SETWINDOWEXT height 3, width 4
        4, 0, 0, 0, 0x02, 0x01, 1, 0,        // SETBKMODE TRANSPARENT
        4, 0, 0, 0, 0x2E, 0x01, 24, 0,       // SETTEXTALIGN TA_BASELINE
        3, 0, 0, 0, 0, 0,                    // EOF
    };
    EXPECT_EQ(file, expected);
}

TEST(WmfWriter, RectangleCreatesSelectsAndFinallyDeletesItsPenAndBrush) {
    const Bytes file = WriteWmf({10, 10, {Rectangle{{1, 2, 3, 4}, kInk, kRed}}});
    const std::vector<WmfRecord> r = Records(file);
    ASSERT_EQ(r.size(), kSetupRecords + 8);
    EXPECT_EQ(Functions({r.begin() + kSetupRecords, r.end()}),
              (std::vector<std::uint16_t>{kCreatePen, kSelect, kCreateBrush, kSelect, kRect, kDelete, kDelete, kEof}));
    const WmfRecord& pen = r[4];
    EXPECT_EQ(pen.words, 8u);
    EXPECT_EQ(pen.params, (Bytes{0, 0, 1, 0, 0, 0, 0x11, 0x22, 0x33, 0}));  // solid, width 1, COLORREF
    EXPECT_EQ(r[5].Param16(0), 0);                                          // pen in slot 0
    EXPECT_EQ(r[6].params, (Bytes{0, 0, 0xFF, 0, 0, 0, 0, 0}));             // BS_SOLID red
    EXPECT_EQ(r[7].Param16(0), 1);
    // Qt's rectangle at (1, 2) of 3 x 4 covers pixels 1..4 and 2..6 with its
    // outline: GDI's box is bottom 7, right 5, top 2, left 1.
    EXPECT_EQ(r[8].words, 7u);
    EXPECT_EQ((std::vector<int>{r[8].Param16(0), r[8].Param16(1), r[8].Param16(2), r[8].Param16(3)}),
              (std::vector<int>{7, 5, 2, 1}));
    EXPECT_EQ(U16At(file, kPlaceableBytes + 10), 2);   // objects in the header
    EXPECT_EQ(U32At(file, kPlaceableBytes + 12), 8u);  // largest record: the pen
    EXPECT_EQ(U32At(file, kPlaceableBytes + 6) * 2, file.size() - kPlaceableBytes);
}

TEST(WmfWriter, ObjectsAreReusedAndNewOnesTakeTheLowestFreeSlot) {
    const Rect box{0, 0, 2, 2};
    const Bytes file = WriteWmf({10,
                                 10,
                                 {Rectangle{box, kInk, kRed}, Rectangle{box, kInk, kRed}, Rectangle{box, kInk, kBlue},
                                  Rectangle{box, kInk, kRed}}});
    const std::vector<WmfRecord> r = Records(file);
    std::vector<std::pair<std::uint16_t, int>> objectCalls;
    for (const WmfRecord& rec : r)
        if (rec.function == kSelect || rec.function == kDelete)
            objectCalls.push_back({rec.function, rec.Param16(0)});
        else if (rec.function == kCreatePen || rec.function == kCreateBrush)
            objectCalls.push_back({rec.function, -1});
    const std::vector<std::pair<std::uint16_t, int>> expected = {
        {kCreatePen, -1},   {kSelect, 0}, {kCreateBrush, -1}, {kSelect, 1},  // first rectangle
        {kCreateBrush, -1}, {kSelect, 2}, {kDelete, 1},                      // blue: slot 2, red freed
        {kCreateBrush, -1}, {kSelect, 1}, {kDelete, 2},                      // red again: slot 1
        {kDelete, 0},       {kDelete, 1}};
    EXPECT_EQ(objectCalls, expected);
    EXPECT_EQ(U16At(file, kPlaceableBytes + 10), 3);
}

TEST(WmfWriter, TextIsLatin1AtItsBaselineWithARotatedFontAndColour) {
    Text text;
    text.origin = {10, 20};
    text.text = u"dB\u00B0\u4E2D";  // degree sign is Latin-1, the CJK character is not
    text.font = {"Sans", 13, 700, true};
    text.color = {1, 2, 3};
    text.rotation = 90;
    const std::vector<WmfRecord> r = Records(WriteWmf({50, 50, {text}}));
    ASSERT_EQ(Functions({r.begin() + kSetupRecords, r.end()}),
              (std::vector<std::uint16_t>{kCreateFont, kSelect, kTextColor, kExtTextOut, kDelete, kEof}));
    const WmfRecord& font = r[4];
    EXPECT_EQ(font.words, 3u + 25u);
    EXPECT_EQ(font.Param16(0), -13);  // em height
    EXPECT_EQ(font.Param16(2), 900);  // escapement in tenths of a degree
    EXPECT_EQ(font.Param16(3), 900);
    EXPECT_EQ(font.Param16(4), 700);
    EXPECT_EQ(font.params[10], 1);  // italic
    EXPECT_EQ(std::string(font.params.begin() + 18, font.params.begin() + 23), std::string("Sans\0", 5));
    EXPECT_EQ(r[6].params, (Bytes{1, 2, 3, 0}));
    const WmfRecord& out = r[7];
    EXPECT_EQ((std::vector<int>{out.Param16(0), out.Param16(1), out.Param16(2), out.Param16(3)}),
              (std::vector<int>{20, 10, 4, 0}));  // y, x, length, options
    EXPECT_EQ(Bytes(out.params.begin() + 8, out.params.end()), (Bytes{'d', 'B', 0xB0, '?'}));
}

TEST(WmfWriter, ImageIsABottomUpDibOfItsSourceRectangleStretchedToTheTarget) {
    Image image;
    image.width = 3;
    image.height = 2;
    image.pixels = {0xFF010203, 0xFF040506, 0xFF070809,   // top row
                    0xFF0A0B0C, 0xFF0D0E0F, 0xFF101112};  // bottom row
    image.source = {1, 0, 2, 2};                          // the right two columns
    image.target = {5, 6, 20, 10};
    const std::vector<WmfRecord> r = Records(WriteWmf({40, 40, {image}}));
    const WmfRecord& dib = r[kSetupRecords];
    ASSERT_EQ(dib.function, 0x0F43);
    // 11 parameter words, a 40-byte header and two rows of 2 * 3 bytes padded to 8.
    EXPECT_EQ(dib.words, 3u + 11u + 20u + 8u);
    EXPECT_EQ((std::vector<int>{dib.Param16(3), dib.Param16(4), dib.Param16(5), dib.Param16(6), dib.Param16(7),
                                dib.Param16(8), dib.Param16(9), dib.Param16(10)}),
              (std::vector<int>{2, 2, 0, 0, 10, 20, 6, 5}));  // source h w y x, target h w y x
    EXPECT_EQ(U32At(dib.params, 0), 0x00CC0020u);             // SRCCOPY
    const Bytes header(dib.params.begin() + 22, dib.params.begin() + 62);
    EXPECT_EQ(U32At(header, 0), 40u);
    EXPECT_EQ(U32At(header, 4), 2u);
    EXPECT_EQ(U32At(header, 8), 2u);
    EXPECT_EQ(U16At(header, 14), 24);
    EXPECT_EQ(Bytes(dib.params.begin() + 62, dib.params.end()),
              (Bytes{0x0F, 0x0E, 0x0D, 0x12, 0x11, 0x10, 0, 0,  // bottom row first, blue green red
                     0x06, 0x05, 0x04, 0x09, 0x08, 0x07, 0, 0}));
}

TEST(WmfWriter, ClipSavesTheContextAndRestoringItReselectsTheObjects) {
    const Rect box{0, 0, 2, 2};
    const Bytes file = WriteWmf({30,
                                 30,
                                 {Rectangle{box, kInk, kRed}, Clip{true, {2, 3, 10, 5}}, Rectangle{box, kInk, kRed},
                                  Clip{false, {}}, Rectangle{box, kInk, kRed}}});
    const std::vector<WmfRecord> r = Records(file);
    EXPECT_EQ(Functions({r.begin() + kSetupRecords, r.end()}),
              (std::vector<std::uint16_t>{kCreatePen, kSelect, kCreateBrush, kSelect, kRect,  //
                                          kSaveDc, kIntersectClip, kRect,                     //
                                          kRestoreDc, kSelect, kSelect, kRect,                //
                                          kDelete, kDelete, kEof}));
    const WmfRecord& clip = r[kSetupRecords + 6];
    EXPECT_EQ((std::vector<int>{clip.Param16(0), clip.Param16(1), clip.Param16(2), clip.Param16(3)}),
              (std::vector<int>{8, 12, 3, 2}));
    EXPECT_EQ(r[kSetupRecords + 8].Param16(0), -1);
}

TEST(WmfWriter, LongPolylinesAreSplitIntoJoinedPieces) {
    Polyline line;
    line.pen = kInk;
    for (int i = 0; i < 10000; ++i) line.points.push_back({static_cast<double>(i % 100), static_cast<double>(i / 100)});
    const std::vector<WmfRecord> r = Records(WriteWmf({100, 100, {line}}));
    std::vector<int> counts;
    for (const WmfRecord& rec : r)
        if (rec.function == kPolyline) counts.push_back(rec.Param16(0));
    EXPECT_EQ(counts, (std::vector<int>{8000, 2001}));
    const WmfRecord& second = r[kSetupRecords + 3];
    EXPECT_EQ(second.Param16(1), 7999 % 100);  // starts where the first ended
    EXPECT_EQ(second.Param16(2), 7999 / 100);
}

}  // namespace
}  // namespace moravel::vec
