// Plays a display list as the calls a Windows GDI metafile records: objects
// (pens, brushes, fonts) created, selected and deleted, shapes in whole
// device pixels, text at its baseline, images as bitmaps, the clip set with
// a saved and restored device context. The WMF and EMF writers differ only
// in how they encode each call, so both implement GdiRecordSink and share
// this order and object bookkeeping. Pure code, any thread.
#pragma once

#include <cstdint>
#include <vector>

#include "views/core/VectorDrawing.h"

namespace moravel::vec {

struct IntPoint {
    int x = 0;
    int y = 0;
};

/// left/top inclusive, right/bottom exclusive, in device pixels.
struct IntRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

/// A font object: the font and its counter-clockwise rotation in degrees.
struct RotatedFont {
    Font font;
    double rotation = 0;
    bool operator==(const RotatedFont&) const = default;
};

/// The records a GDI metafile needs. `handle` is the object table index the
/// player assigns (the lowest free one at or above the first index).
class GdiRecordSink {
public:
    virtual ~GdiRecordSink() = default;
    virtual void CreatePen(int handle, const Pen& pen) = 0;
    virtual void CreateBrush(int handle, const Brush& brush) = 0;
    virtual void CreateFont(int handle, const RotatedFont& font) = 0;
    virtual void SelectObject(int handle) = 0;
    virtual void DeleteObject(int handle) = 0;
    virtual void SetTextColor(Color color) = 0;
    virtual void Polyline(const std::vector<IntPoint>& points) = 0;
    virtual void Polygon(const std::vector<IntPoint>& points) = 0;
    /// The arguments of GDI's Rectangle call (outline and fill inside them).
    virtual void Rectangle(const IntRect& box) = 0;
    /// Text with its baseline starting at `origin`; `dx` holds each UTF-16
    /// unit's advance in whole pixels.
    virtual void TextOut(IntPoint origin, const std::u16string& text, const std::vector<int>& dx) = 0;
    /// `image` is whole (source = the full image), drawn stretched to `target`.
    virtual void StretchDib(const Image& image, const IntRect& target) = 0;
    virtual void SaveDc() = 0;
    virtual void RestoreDc() = 0;
    virtual void IntersectClipRect(const IntRect& clip) = 0;
};

/// Longest polyline given to one record; longer ones are split, since WMF
/// counts points in 16 bits.
inline constexpr std::size_t kMaxPolylinePoints = 8000;

/// Plays `drawing` into `sink` with object handles from `firstHandle` (0 for
/// WMF, 1 for EMF, whose index 0 is reserved). Returns one more than the
/// highest handle used (at least `firstHandle`): the object table size.
int PlayToGdi(const VectorDrawing& drawing, GdiRecordSink& sink, int firstHandle);

/// Whole-pixel advances whose running sums stay within half a pixel of the
/// exact ones. Without exact advances each unit gets 0.55 em.
std::vector<int> WholePixelAdvances(const Text& text);

/// The GDI Rectangle arguments that cover the same pixels as Qt's rectangle
/// `rect` (outline included): one more on the right and bottom.
IntRect RectangleBox(const Rect& rect);

}  // namespace moravel::vec
