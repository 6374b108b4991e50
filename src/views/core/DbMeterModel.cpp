#include "views/core/DbMeterModel.h"

#include <cmath>
#include <utility>

namespace moravel {
namespace {

/// Round(segments / range x offset), ties to even, in long double.
std::int64_t RoundedShare(std::int64_t segments, std::int64_t range, std::int64_t offset) {
    const long double share = static_cast<long double>(segments) / static_cast<long double>(range);
    return static_cast<std::int64_t>(std::nearbyint(share * static_cast<long double>(offset)));
}

/// The count inside the yellow or red zone: the segments below the zone plus
/// the zone's rounded share, at least the zone's first segment.
std::int64_t ZoneCount(std::int64_t below, std::int64_t segments, std::int64_t range, std::int64_t offset) {
    const std::int64_t count = below + RoundedShare(segments, range, offset);
    return count == below ? count + 1 : count;
}

TColor SegmentColor(const DbMeterProperties& p, std::int64_t i, std::int64_t count) {
    const bool lit = i <= count && (!p.ShowJustOne || i == count);
    if (i > static_cast<std::int64_t>(p.Greens) + p.Yellows) return lit ? p.RedColor : p.RedBack;
    if (i > p.Greens) return lit ? p.YellowColor : p.YellowBack;
    return lit ? p.GreenColor : p.GreenBack;
}

/// Geometry of the bar: the axis runs along x (horizontal style) or y.
struct BarAxis {
    bool horizontal;
    bool mirrored;
    std::int64_t length;     ///< extent along the axis, pixels
    std::int64_t thickness;  ///< extent across the axis, pixels
};

BarAxis AxisOf(const DbMeterProperties& p, const GdiRaster& raster) {
    const bool horizontal = p.Style == DbMeterStyle::dsHorizontal;
    return {horizontal, p.Direction == tdbmeterdirection::ddLeftUp, horizontal ? raster.Width() : raster.Height(),
            horizontal ? raster.Height() : raster.Width()};
}

/// Fills the band from `from` to `to` along the axis and from 0 to
/// thickness - 1 across it; mirroring maps a coordinate c to length - c - 1
/// (the rectangle then has its corners swapped and is put in order).
void FillBand(const BarAxis& axis, GdiRaster& raster, std::int64_t from, std::int64_t to, TColor color) {
    if (axis.mirrored) {
        from = axis.length - from - 1;
        to = axis.length - to - 1;
    }
    if (axis.horizontal) {
        raster.FillRect(from, 0, to, axis.thickness - 1, color);
    } else {
        raster.FillRect(0, from, axis.thickness - 1, to, color);
    }
}

void DrawSegments(const DbMeterProperties& p, GdiRaster& raster) {
    const std::int64_t n = TotalSegments(p);
    if (n <= 0) return;
    const BarAxis axis = AxisOf(p, raster);
    const std::int64_t a = axis.length / n;
    // Segments no longer than their separator are not drawn. Zero-length
    // segments (possible only with a negative separator width) draw nothing.
    if (a <= p.SepWidth || a <= 0) return;
    const std::int64_t count = ShownSegments(p);
    for (std::int64_t i = 1; i <= n; ++i) {
        FillBand(axis, raster, (i - 1) * a, i * a, SegmentColor(p, i, count));
        if (p.SepWidth > 0) FillBand(axis, raster, i * a - p.SepWidth, i * a + 1, p.SepColor);
    }
}

/// The bevel: bottom and right edges in the first colour, then top and left
/// edges in the second, b pixels thick.
void DrawFrame(const DbMeterProperties& p, GdiRaster& raster) {
    const std::int64_t w = raster.Width();
    const std::int64_t h = raster.Height();
    std::int64_t b = p.BevelStyle == BevelCut::bvNone ? 0 : p.BevelWidth;
    if (b > h / 3 || b > w / 3) b = 1;
    if (b <= 0) return;
    TColor first = dbmcolor::kWhite;
    TColor second = dbmcolor::kGray;
    if (p.BevelStyle == BevelCut::bvRaised) std::swap(first, second);
    for (std::int64_t j = 0; j < b; ++j) {
        raster.MoveTo(-1, h - j - 1);
        raster.LineTo(w - j - 1, h - j - 1, first);
        raster.LineTo(w - j - 1, -1, first);
    }
    for (std::int64_t j = 0; j < b; ++j) {
        raster.MoveTo(w, j);
        raster.LineTo(j, j, second);
        raster.LineTo(j, h - b, second);
    }
}

}  // namespace

std::int64_t TotalSegments(const DbMeterProperties& p) {
    return static_cast<std::int64_t>(p.Greens) + p.Yellows + p.Reds;
}

std::int64_t LitSegments(const DbMeterProperties& p) {
    const std::int64_t n = TotalSegments(p);
    // A zone without segments takes no share of the range (red always does).
    const std::int64_t ym = p.Yellows == 0 ? 0 : p.YellowMax;
    const std::int64_t gm = p.Greens == 0 ? 0 : p.GreenMax;
    const std::int64_t pos = p.Position;
    if (gm + ym + p.RedMax <= pos) return n;
    if (pos > gm + ym) {
        if (p.Reds == 0) return n;
        return ZoneCount(static_cast<std::int64_t>(p.Greens) + p.Yellows, p.Reds, p.RedMax, pos - gm - ym);
    }
    if (pos > gm) {
        if (p.Yellows == 0) return n;
        return ZoneCount(p.Greens, p.Yellows, ym, pos - gm);
    }
    if (gm == 0) return 0;
    return RoundedShare(p.Greens, gm, pos);
}

std::int64_t ShownSegments(const DbMeterProperties& p) {
    if (TotalSegments(p) <= 0) return 0;
    const std::int64_t count = LitSegments(p);
    return count == 0 && p.Position > 0 ? 1 : count;
}

std::uint8_t NormalisedBevelWidth(std::uint8_t value, int width, int height) {
    if (value == 0 || value > height / 3 || value > width / 3) return 1;
    return value;
}

void RenderDbMeter(const DbMeterProperties& p, GdiRaster& raster) {
    raster.FillRect(0, 0, raster.Width(), raster.Height(), p.SepColor);
    DrawSegments(p, raster);
    DrawFrame(p, raster);
}

GdiRaster RenderDbMeter(const DbMeterProperties& p, int width, int height) {
    GdiRaster raster(width, height);
    RenderDbMeter(p, raster);
    return raster;
}

}  // namespace moravel
