#include "views/core/WmfWriter.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "views/core/Dib.h"
#include "views/core/GdiPlayback.h"
#include "views/core/GdiValues.h"
#include "views/core/LittleEndianBuffer.h"
#include "views/core/TextCodec.h"

namespace moravel::vec {
namespace {

// Record functions.
constexpr std::uint16_t kEof = 0x0000;
constexpr std::uint16_t kSaveDc = 0x001E;
constexpr std::uint16_t kSetBkMode = 0x0102;
constexpr std::uint16_t kRestoreDc = 0x0127;
constexpr std::uint16_t kSelectObject = 0x012D;
constexpr std::uint16_t kSetTextAlign = 0x012E;
constexpr std::uint16_t kDeleteObject = 0x01F0;
constexpr std::uint16_t kSetTextColor = 0x0209;
constexpr std::uint16_t kSetWindowOrg = 0x020B;
constexpr std::uint16_t kSetWindowExt = 0x020C;
constexpr std::uint16_t kCreatePenIndirect = 0x02FA;
constexpr std::uint16_t kCreateFontIndirect = 0x02FB;
constexpr std::uint16_t kCreateBrushIndirect = 0x02FC;
constexpr std::uint16_t kPolygon = 0x0324;
constexpr std::uint16_t kPolyline = 0x0325;
constexpr std::uint16_t kIntersectClipRect = 0x0416;
constexpr std::uint16_t kRectangle = 0x041B;
constexpr std::uint16_t kExtTextOut = 0x0A32;
constexpr std::uint16_t kStretchDib = 0x0F43;

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr std::uint16_t kTransparent = 1;
constexpr std::uint16_t kTextAlignBaseline = 24;
constexpr std::uint32_t kSrcCopy = 0x00CC0020;
constexpr std::size_t kFaceNameBytes = 32;

void PutPoints(LittleEndianBuffer& b, const std::vector<IntPoint>& points) {
    b.I16(Clamp16(static_cast<int>(std::min<std::size_t>(points.size(), 32767))));
    for (std::size_t i = 0; i < points.size() && i < 32767; ++i) {
        b.I16(Clamp16(points[i].x));
        b.I16(Clamp16(points[i].y));
    }
}

// Rectangles are stored bottom, right, top, left.
void PutReversedRect(LittleEndianBuffer& b, const IntRect& r) {
    b.I16(Clamp16(r.bottom));
    b.I16(Clamp16(r.right));
    b.I16(Clamp16(r.top));
    b.I16(Clamp16(r.left));
}

class WmfRecords : public GdiRecordSink {
public:
    void Record(std::uint16_t function, LittleEndianBuffer params) {
        params.PadTo(2);
        const std::uint32_t words = 3 + static_cast<std::uint32_t>(params.Size() / 2);
        body_.U32(words);
        body_.U16(function);
        body_.Append(params.Bytes());
        maxRecordWords_ = std::max(maxRecordWords_, words);
    }

    void Record16(std::uint16_t function, std::initializer_list<int> values) {
        LittleEndianBuffer b;
        for (int v : values) b.I16(Clamp16(v));
        Record(function, b);
    }

    void CreatePen(int, const Pen& pen) override {
        LittleEndianBuffer b;
        b.U16(GdiPenStyle(pen.style));
        b.I16(Clamp16(RoundToInt(pen.width)));
        b.I16(0);
        b.U32(ColorRef(pen.color));
        Record(kCreatePenIndirect, b);
    }

    void CreateBrush(int, const Brush& brush) override {
        LittleEndianBuffer b;
        b.U16(brush.solid ? 0 : 1);  // BS_SOLID, BS_NULL
        b.U32(ColorRef(brush.color));
        b.U16(0);
        Record(kCreateBrushIndirect, b);
    }

    void CreateFont(int, const RotatedFont& font) override {
        LittleEndianBuffer b;
        b.I16(Clamp16(-RoundToInt(font.font.pixelSize)));  // negative: em height
        b.I16(0);
        const int tenths = RoundToInt(font.rotation * 10);
        b.I16(Clamp16(tenths));  // escapement
        b.I16(Clamp16(tenths));  // orientation
        b.I16(Clamp16(font.font.weight));
        b.U8(font.font.italic ? 1 : 0);
        b.Zeros(7);  // underline, strike-out, ANSI charset, precisions, quality, pitch and family
        std::string face = Utf16ToLatin1(Utf8ToUtf16(font.font.family)).substr(0, kFaceNameBytes - 1);
        face.resize(kFaceNameBytes, '\0');
        for (char c : face) b.U8(static_cast<std::uint8_t>(c));
        Record(kCreateFontIndirect, b);
    }

    void SelectObject(int handle) override { Record16(kSelectObject, {handle}); }
    void DeleteObject(int handle) override { Record16(kDeleteObject, {handle}); }

    void SetTextColor(Color color) override {
        LittleEndianBuffer b;
        b.U32(ColorRef(color));
        Record(kSetTextColor, b);
    }

    void Polyline(const std::vector<IntPoint>& points) override { RecordPoints(kPolyline, points); }
    void Polygon(const std::vector<IntPoint>& points) override { RecordPoints(kPolygon, points); }

    void Rectangle(const IntRect& box) override {
        LittleEndianBuffer b;
        PutReversedRect(b, box);
        Record(kRectangle, b);
    }

    // Without the advances: readers then keep the text as one run.
    void TextOut(IntPoint origin, const std::u16string& text, const std::vector<int>&) override {
        const std::string bytes = Utf16ToLatin1(text);
        LittleEndianBuffer b;
        b.I16(Clamp16(origin.y));
        b.I16(Clamp16(origin.x));
        b.I16(Clamp16(static_cast<int>(bytes.size())));
        b.U16(0);  // no options, so no rectangle follows
        for (char c : bytes) b.U8(static_cast<std::uint8_t>(c));
        b.PadTo(2);
        Record(kExtTextOut, b);
    }

    void StretchDib(const Image& image, const IntRect& target) override {
        LittleEndianBuffer b;
        b.U32(kSrcCopy);
        b.U16(0);  // DIB_RGB_COLORS
        b.I16(Clamp16(image.height));
        b.I16(Clamp16(image.width));
        b.I16(0);
        b.I16(0);
        b.I16(Clamp16(target.bottom - target.top));
        b.I16(Clamp16(target.right - target.left));
        b.I16(Clamp16(target.top));
        b.I16(Clamp16(target.left));
        b.Append(DibHeader(image.width, image.height));
        b.Append(DibBits(image));
        Record(kStretchDib, b);
    }

    void SaveDc() override { Record(kSaveDc, {}); }
    void RestoreDc() override { Record16(kRestoreDc, {-1}); }

    void IntersectClipRect(const IntRect& clip) override {
        LittleEndianBuffer b;
        PutReversedRect(b, clip);
        Record(kIntersectClipRect, b);
    }

    const LittleEndianBuffer& Body() const { return body_; }
    std::uint32_t MaxRecordWords() const { return maxRecordWords_; }

private:
    void RecordPoints(std::uint16_t function, const std::vector<IntPoint>& points) {
        LittleEndianBuffer b;
        PutPoints(b, points);
        Record(function, b);
    }

    LittleEndianBuffer body_;
    std::uint32_t maxRecordWords_ = 0;
};

void PutPlaceableHeader(LittleEndianBuffer& out, int width, int height) {
    out.U32(kPlaceableKey);
    out.U16(0);  // no handle
    out.I16(0);  // bounding box left, top, right, bottom
    out.I16(0);
    out.I16(Clamp16(width));
    out.I16(Clamp16(height));
    out.U16(kWmfUnitsPerInch);
    out.U32(0);
    std::uint16_t checksum = 0;
    for (std::size_t i = 0; i < 20; i += 2) checksum ^= out.Bytes()[i] | out.Bytes()[i + 1] << 8;
    out.U16(checksum);
}

void PutMetaHeader(LittleEndianBuffer& out, const WmfRecords& records, int objects) {
    constexpr std::uint16_t kHeaderWords = 9;
    out.U16(1);  // a metafile in a file on disk reads the same as in memory
    out.U16(kHeaderWords);
    out.U16(0x0300);
    out.U32(kHeaderWords + static_cast<std::uint32_t>(records.Body().Size() / 2));
    out.U16(static_cast<std::uint16_t>(objects));
    out.U32(records.MaxRecordWords());
    out.U16(0);
}

}  // namespace

std::vector<std::uint8_t> WriteWmf(const VectorDrawing& drawing) {
    WmfRecords records;
    records.Record16(kSetWindowOrg, {0, 0});
    records.Record16(kSetWindowExt, {drawing.height, drawing.width});  // y before x
    records.Record16(kSetBkMode, {kTransparent});
    records.Record16(kSetTextAlign, {kTextAlignBaseline});
    const int objects = PlayToGdi(drawing, records, 0);
    records.Record(kEof, {});

    LittleEndianBuffer out;
    PutPlaceableHeader(out, drawing.width, drawing.height);
    PutMetaHeader(out, records, objects);
    out.Append(records.Body().Bytes());
    return out.Bytes();
}

}  // namespace moravel::vec
