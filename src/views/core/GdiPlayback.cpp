#include "views/core/GdiPlayback.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "views/core/GdiValues.h"
#include "views/core/ImageCrop.h"

namespace moravel::vec {
namespace {

// Non-finite coordinates (a degenerate transform) become 0 rather than undefined values.
IntPoint ToInt(Point p) { return {RoundToInt(p.x), RoundToInt(p.y)}; }

std::vector<IntPoint> ToInt(const std::vector<Point>& points) {
    std::vector<IntPoint> out;
    out.reserve(points.size());
    for (const Point& p : points) out.push_back(ToInt(p));
    return out;
}

IntRect Edges(const Rect& r) {
    return {RoundToInt(r.x), RoundToInt(r.y), RoundToInt(r.x + r.width), RoundToInt(r.y + r.height)};
}

// Object table indexes as the metafile player hands them out: the lowest free one.
class HandleTable {
public:
    explicit HandleTable(int first) : first_(first), size_(first) {}

    int Allocate() {
        auto freeSlot = std::find(used_.begin(), used_.end(), false);
        const int index = static_cast<int>(freeSlot - used_.begin());
        if (freeSlot == used_.end())
            used_.push_back(true);
        else
            *freeSlot = true;
        size_ = std::max(size_, first_ + index + 1);
        return first_ + index;
    }
    void Free(int handle) { used_[handle - first_] = false; }
    int Size() const { return size_; }

private:
    int first_;
    int size_;
    std::vector<bool> used_;
};

// One kind of object (pen, brush or font): the one in the table and whether
// it is selected into the device context right now.
template <typename Value>
struct CurrentObject {
    std::optional<Value> value;
    int handle = -1;
    bool selected = false;
};

class GdiPlayer {
public:
    GdiPlayer(GdiRecordSink& sink, int firstHandle) : sink_(sink), handles_(firstHandle) {}

    int Finish() {
        if (clipSaved_) sink_.RestoreDc();
        Release(pen_);
        Release(brush_);
        Release(font_);
        return handles_.Size();
    }

    void Play(const Polyline& line) {
        if (line.points.size() < 2 || line.pen.style == PenStyle::None) return;
        Use(pen_, line.pen, [&](int h) { sink_.CreatePen(h, line.pen); });
        const std::vector<IntPoint> points = ToInt(line.points);
        // Pieces overlap by one point so that the line stays joined.
        for (std::size_t start = 0; start + 1 < points.size(); start += kMaxPolylinePoints - 1) {
            const std::size_t end = std::min(points.size(), start + kMaxPolylinePoints);
            sink_.Polyline({points.begin() + start, points.begin() + end});
        }
    }

    void Play(const Polygon& polygon) {
        if (polygon.points.size() < 2) return;
        UseShapeObjects(polygon.pen, polygon.brush);
        sink_.Polygon(ToInt(polygon.points));
    }

    void Play(const Rectangle& rectangle) {
        UseShapeObjects(rectangle.pen, rectangle.brush);
        sink_.Rectangle(RectangleBox(rectangle.rect));
    }

    void Play(const Text& text) {
        if (text.text.empty()) return;
        const RotatedFont font{text.font, text.rotation};
        Use(font_, font, [&](int h) { sink_.CreateFont(h, font); });
        if (textColor_ != text.color) sink_.SetTextColor(text.color);
        textColor_ = text.color;
        sink_.TextOut(ToInt(text.origin), text.text, WholePixelAdvances(text));
    }

    void Play(const Image& image) {
        const Image shown = CropToSource(image);
        if (!shown.pixels.empty()) sink_.StretchDib(shown, Edges(shown.target));
    }

    void Play(const Clip& clip) {
        if (clipSaved_) {
            // Restoring brings back the objects and text colour of the save.
            sink_.RestoreDc();
            pen_.selected = brush_.selected = font_.selected = false;
            textColor_.reset();
        }
        clipSaved_ = clip.enabled;
        if (!clip.enabled) return;
        sink_.SaveDc();
        sink_.IntersectClipRect(Edges(clip.rect));
    }

private:
    void UseShapeObjects(const Pen& pen, const Brush& brush) {
        Use(pen_, pen, [&](int h) { sink_.CreatePen(h, pen); });
        Use(brush_, brush, [&](int h) { sink_.CreateBrush(h, brush); });
    }

    // Selects an object equal to `value`, creating it (and then deleting
    // the one it replaces) if the current one differs.
    template <typename Value, typename Create>
    void Use(CurrentObject<Value>& current, const Value& value, Create create) {
        if (current.value == value) {
            if (!current.selected) sink_.SelectObject(current.handle);
            current.selected = true;
            return;
        }
        const int handle = handles_.Allocate();
        create(handle);
        sink_.SelectObject(handle);
        if (current.value) {
            sink_.DeleteObject(current.handle);
            handles_.Free(current.handle);
        }
        current = {value, handle, true};
    }

    template <typename Value>
    void Release(CurrentObject<Value>& current) {
        if (current.value) sink_.DeleteObject(current.handle);
        current = {};
    }

    GdiRecordSink& sink_;
    HandleTable handles_;
    CurrentObject<Pen> pen_;
    CurrentObject<Brush> brush_;
    CurrentObject<RotatedFont> font_;
    std::optional<Color> textColor_;
    bool clipSaved_ = false;
};

}  // namespace

int PlayToGdi(const VectorDrawing& drawing, GdiRecordSink& sink, int firstHandle) {
    GdiPlayer player(sink, firstHandle);
    for (const Item& item : drawing.items) std::visit([&](const auto& i) { player.Play(i); }, item);
    return player.Finish();
}

std::vector<int> WholePixelAdvances(const Text& text) {
    std::vector<int> dx;
    dx.reserve(text.text.size());
    double exact = 0;
    int whole = 0;
    for (std::size_t i = 0; i < text.text.size(); ++i) {
        exact += i < text.advances.size() ? text.advances[i] : 0.55 * text.font.pixelSize;
        dx.push_back(RoundToInt(exact) - whole);
        whole += dx.back();
    }
    return dx;
}

IntRect RectangleBox(const Rect& rect) {
    const IntRect edges = Edges(rect);
    return {edges.left, edges.top, edges.right + 1, edges.bottom + 1};
}

}  // namespace moravel::vec
