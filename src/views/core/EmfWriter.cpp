#include "views/core/EmfWriter.h"

#include <algorithm>
#include <cmath>

#include "views/core/Dib.h"
#include "views/core/GdiPlayback.h"
#include "views/core/GdiValues.h"
#include "views/core/LittleEndianBuffer.h"
#include "views/core/TextCodec.h"

namespace moravel::vec {
namespace {

// Record types.
constexpr std::uint32_t kHeader = 1;
constexpr std::uint32_t kEof = 14;
constexpr std::uint32_t kSetBkMode = 18;
constexpr std::uint32_t kSetTextAlign = 22;
constexpr std::uint32_t kSetTextColor = 24;
constexpr std::uint32_t kIntersectClipRect = 30;
constexpr std::uint32_t kSaveDc = 33;
constexpr std::uint32_t kRestoreDc = 34;
constexpr std::uint32_t kSelectObject = 37;
constexpr std::uint32_t kCreatePen = 38;
constexpr std::uint32_t kCreateBrushIndirect = 39;
constexpr std::uint32_t kDeleteObject = 40;
constexpr std::uint32_t kRectangle = 43;
constexpr std::uint32_t kStretchDiBits = 81;
constexpr std::uint32_t kExtCreateFontIndirectW = 82;
constexpr std::uint32_t kExtTextOutW = 84;
constexpr std::uint32_t kPolygon16 = 86;
constexpr std::uint32_t kPolyline16 = 87;

constexpr std::uint32_t kSignature = 0x464D4520;  // " EMF"
constexpr std::uint32_t kVersion = 0x10000;
constexpr std::size_t kHeaderBytes = 108;
constexpr std::size_t kBytesOffset = 48;    // where the header keeps the file size,
constexpr std::size_t kRecordsOffset = 52;  // the record count
constexpr std::size_t kHandlesOffset = 56;  // and the object table size
constexpr std::uint32_t kTransparent = 1;
constexpr std::uint32_t kTextAlignBaseline = 24;
constexpr std::uint32_t kSrcCopy = 0x00CC0020;
constexpr std::uint32_t kGmCompatible = 1;
constexpr std::uint8_t kDefaultCharset = 1;
constexpr std::size_t kFaceNameUnits = 32;
constexpr std::size_t kLogFontPanoseTailBytes = 228;  // full name, style, version ... panose after LOGFONTW
constexpr double kPixelsPerInch = 96;
// The page unit is a pixel of that reference device: 2540 / 96 .01 mm.
constexpr double kHundredthsOfMmPerPixel = 2540.0 / kPixelsPerInch;

void PutRect(LittleEndianBuffer& b, const IntRect& r) {
    b.I32(r.left);
    b.I32(r.top);
    b.I32(r.right);
    b.I32(r.bottom);
}

// Bounds are inclusive on all sides.
IntRect InclusiveBounds(const std::vector<IntPoint>& points) {
    IntRect r{points[0].x, points[0].y, points[0].x, points[0].y};
    for (const IntPoint& p : points) {
        r.left = std::min(r.left, p.x);
        r.top = std::min(r.top, p.y);
        r.right = std::max(r.right, p.x);
        r.bottom = std::max(r.bottom, p.y);
    }
    return r;
}

int HundredthsOfMm(int pixels) { return static_cast<int>(std::lround(pixels * 2540.0 / kPixelsPerInch)); }

class EmfRecords : public GdiRecordSink {
public:
    void Record(std::uint32_t type, LittleEndianBuffer params) {
        params.PadTo(4);
        body_.U32(type);
        body_.U32(static_cast<std::uint32_t>(8 + params.Size()));
        body_.Append(params.Bytes());
        ++count_;
    }

    void Record32(std::uint32_t type, std::initializer_list<std::int32_t> values) {
        LittleEndianBuffer b;
        for (std::int32_t v : values) b.I32(v);
        Record(type, b);
    }

    void CreatePen(int handle, const Pen& pen) override {
        const std::int32_t width = RoundToInt(pen.width);
        Record32(kCreatePen,
                 {handle, GdiPenStyle(pen.style), width, 0, static_cast<std::int32_t>(ColorRef(pen.color))});
    }

    void CreateBrush(int handle, const Brush& brush) override {
        Record32(kCreateBrushIndirect,
                 {handle, brush.solid ? 0 : 1, static_cast<std::int32_t>(ColorRef(brush.color)), 0});
    }

    void CreateFont(int handle, const RotatedFont& font) override {
        LittleEndianBuffer b;
        b.U32(static_cast<std::uint32_t>(handle));
        b.I32(-RoundToInt(font.font.pixelSize));  // negative: em height
        b.I32(0);
        const std::int32_t tenths = RoundToInt(font.rotation * 10);
        b.I32(tenths);  // escapement
        b.I32(tenths);  // orientation
        b.I32(font.font.weight);
        b.U8(font.font.italic ? 1 : 0);
        b.U8(0);  // underline
        b.U8(0);  // strike-out
        b.U8(kDefaultCharset);
        b.Zeros(4);  // precisions, quality, pitch and family
        std::u16string face = Utf8ToUtf16(font.font.family).substr(0, kFaceNameUnits - 1);
        face.resize(kFaceNameUnits, u'\0');
        for (char16_t c : face) b.U16(c);
        b.Zeros(kLogFontPanoseTailBytes);
        Record(kExtCreateFontIndirectW, b);
    }

    void SelectObject(int handle) override { Record32(kSelectObject, {handle}); }
    void DeleteObject(int handle) override { Record32(kDeleteObject, {handle}); }
    void SetTextColor(Color color) override { Record32(kSetTextColor, {static_cast<std::int32_t>(ColorRef(color))}); }

    void Polyline(const std::vector<IntPoint>& points) override { RecordPoints(kPolyline16, points); }
    void Polygon(const std::vector<IntPoint>& points) override { RecordPoints(kPolygon16, points); }

    void Rectangle(const IntRect& box) override { Record32(kRectangle, {box.left, box.top, box.right, box.bottom}); }

    void TextOut(IntPoint origin, const std::u16string& text, const std::vector<int>& dx) override {
        constexpr std::uint32_t kFixedBytes = 76;  // record header to the end of EMRTEXT
        const std::uint32_t chars = static_cast<std::uint32_t>(text.size());
        const std::uint32_t dxOffset = kFixedBytes + (chars * 2 + 3) / 4 * 4;
        LittleEndianBuffer b;
        PutRect(b, {0, 0, -1, -1});  // bounds not computed
        b.U32(kGmCompatible);
        // The compatible mode's scale factors: .01 mm per page unit.
        b.F32(static_cast<float>(kHundredthsOfMmPerPixel));
        b.F32(static_cast<float>(kHundredthsOfMmPerPixel));
        b.I32(origin.x);
        b.I32(origin.y);
        b.U32(chars);
        b.U32(kFixedBytes);
        b.U32(0);                    // no options
        PutRect(b, {0, 0, -1, -1});  // no clipping or opaque rectangle
        b.U32(dxOffset);
        for (char16_t c : text) b.U16(c);
        b.PadTo(4);
        for (int d : dx) b.I32(d);
        Record(kExtTextOutW, b);
    }

    void StretchDib(const Image& image, const IntRect& target) override {
        constexpr std::uint32_t kFixedBytes = 80;  // record header to cyDest
        const std::vector<std::uint8_t> bits = DibBits(image);
        LittleEndianBuffer b;
        PutRect(b, {target.left, target.top, target.right - 1, target.bottom - 1});
        for (int v : {target.left, target.top, 0, 0, image.width, image.height}) b.I32(v);
        b.U32(kFixedBytes);
        b.U32(kDibHeaderBytes);
        b.U32(kFixedBytes + kDibHeaderBytes);
        b.U32(static_cast<std::uint32_t>(bits.size()));
        b.U32(0);  // DIB_RGB_COLORS
        b.U32(kSrcCopy);
        b.I32(target.right - target.left);
        b.I32(target.bottom - target.top);
        b.Append(DibHeader(image.width, image.height));
        b.Append(bits);
        Record(kStretchDiBits, b);
    }

    void SaveDc() override { Record(kSaveDc, {}); }
    void RestoreDc() override { Record32(kRestoreDc, {-1}); }
    void IntersectClipRect(const IntRect& clip) override {
        Record32(kIntersectClipRect, {clip.left, clip.top, clip.right, clip.bottom});
    }

    const LittleEndianBuffer& Body() const { return body_; }
    std::uint32_t Count() const { return count_; }

private:
    void RecordPoints(std::uint32_t type, const std::vector<IntPoint>& points) {
        LittleEndianBuffer b;
        PutRect(b, InclusiveBounds(points));
        b.U32(static_cast<std::uint32_t>(points.size()));
        for (const IntPoint& p : points) {
            b.I16(Clamp16(p.x));
            b.I16(Clamp16(p.y));
        }
        Record(type, b);
    }

    LittleEndianBuffer body_;
    std::uint32_t count_ = 0;
};

void PutHeader(LittleEndianBuffer& out, int width, int height) {
    out.U32(kHeader);
    out.U32(kHeaderBytes);
    PutRect(out, {0, 0, std::max(0, width - 1), std::max(0, height - 1)});
    PutRect(out, {0, 0, HundredthsOfMm(width), HundredthsOfMm(height)});
    out.U32(kSignature);
    out.U32(kVersion);
    out.U32(0);  // bytes, records, handles and reserved: filled in at the end
    out.U32(0);
    out.U16(0);
    out.U16(0);
    out.U32(0);  // no description
    out.U32(0);
    out.U32(0);  // no palette
    // The reference device: this page at 96 dpi.
    out.I32(width);
    out.I32(height);
    out.I32((HundredthsOfMm(width) + 50) / 100);
    out.I32((HundredthsOfMm(height) + 50) / 100);
    out.U32(0);  // no pixel format, no OpenGL
    out.U32(0);
    out.U32(0);
    out.I32(HundredthsOfMm(width) * 10);  // micrometres
    out.I32(HundredthsOfMm(height) * 10);
}

}  // namespace

std::vector<std::uint8_t> WriteEmf(const VectorDrawing& drawing) {
    EmfRecords records;
    records.Record32(kSetBkMode, {kTransparent});
    records.Record32(kSetTextAlign, {kTextAlignBaseline});
    const int handles = PlayToGdi(drawing, records, 1);
    records.Record32(kEof, {0, 16, 20});  // no palette; the last word repeats the record size

    LittleEndianBuffer out;
    PutHeader(out, drawing.width, drawing.height);
    out.Append(records.Body().Bytes());
    out.PatchU32(kBytesOffset, static_cast<std::uint32_t>(out.Size()));
    out.PatchU32(kRecordsOffset, records.Count() + 1);
    out.PatchU16(kHandlesOffset, static_cast<std::uint16_t>(handles));
    return out.Bytes();
}

}  // namespace moravel::vec
