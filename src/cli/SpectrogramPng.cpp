#include "cli/SpectrogramPng.h"

#include "cli/BitmapFont.h"
#include "cli/PngWriter.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

namespace moravel {
namespace {

struct Point {
    std::int32_t y;
    std::int32_t x;
    auto operator<=>(const Point&) const = default;
};

// The few pixels the axes light, in row order: a list grows with the
// picture's width only, where a raster of the margins would need a copy of
// its whole width and height.
std::vector<Point> AxisPixels(const SpectrogramLayout& l) {
    std::vector<Point> lit;
    const auto set = [&lit](std::int32_t x, std::int32_t y) { lit.push_back({y, x}); };
    const std::int32_t yAxis = l.left - 1;                             // the line left of the plot
    const std::int32_t xAxis = l.top + l.rows;                         // the line below it
    const std::int32_t labelsRight = yAxis - kTickLength - kLabelGap;  // frequency labels end here
    for (std::int32_t y = l.top; y <= xAxis; ++y) set(yAxis, y);
    for (std::int32_t x = l.left; x < l.left + l.columns; ++x) set(x, xAxis);
    for (const AxisTick& tick : l.frequencyTicks) {
        for (std::int32_t k = 1; k <= kTickLength; ++k) set(yAxis - k, tick.at);
        DrawText(tick.text, labelsRight - TextWidth(tick.text), tick.at - kGlyphHeight / 2, set);
    }
    DrawText(kFrequencyUnit, labelsRight - TextWidth(kFrequencyUnit), kUnitTop, set);
    for (const AxisTick& tick : l.timeTicks) {
        for (std::int32_t k = 1; k <= kTickLength; ++k) set(tick.at, xAxis + k);
        DrawText(tick.text, tick.at - TextWidth(tick.text) / 2, xAxis + kTickLength + kLabelGap, set);
    }
    std::sort(lit.begin(), lit.end());
    return lit;
}

void PutColour(std::uint8_t* rgb, TColor colour) {
    rgb[0] = static_cast<std::uint8_t>(colour & 0xFF);
    rgb[1] = static_cast<std::uint8_t>((colour >> 8) & 0xFF);
    rgb[2] = static_cast<std::uint8_t>((colour >> 16) & 0xFF);
}

}  // namespace

void WriteSpectrogramPng(const std::string& path, const SpectrogramPicture& picture, const SpectrogramLayout& layout) {
    if (layout.columns != picture.Columns() || layout.rows != picture.Rows())
        throw std::invalid_argument("spectrogram layout and picture differ in size");
    const std::vector<Point> lit = AxisPixels(layout);
    const std::int32_t width = layout.Width();
    PngWriter png(path, width, layout.Height());
    std::vector<std::uint8_t> row(static_cast<std::size_t>(width) * 3);
    auto next = lit.begin();
    for (std::int32_t y = 0; y < layout.Height(); ++y) {
        std::fill(row.begin(), row.end(), std::uint8_t{0});
        const std::int32_t bin = layout.top + layout.rows - y;
        if (bin >= 1 && bin <= layout.rows) {
            for (std::int32_t c = 0; c < layout.columns; ++c)
                PutColour(&row[static_cast<std::size_t>(layout.left + c) * 3], picture.Colour(c, bin));
        }
        while (next != lit.end() && next->y < y) ++next;  // above the picture
        for (; next != lit.end() && next->y == y; ++next)
            if (next->x >= 0 && next->x < width) PutColour(&row[static_cast<std::size_t>(next->x) * 3], kAxisColour);
        png.WriteRow(row.data());
    }
    png.Finish();
}

}  // namespace moravel
