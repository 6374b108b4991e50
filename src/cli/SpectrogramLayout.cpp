#include "cli/SpectrogramLayout.h"

#include "cli/BitmapFont.h"
#include "views/core/PlotMath.h"

#include <algorithm>
#include <cmath>

namespace moravel {
namespace {

// The space a label needs around itself so that neighbours stay apart.
constexpr std::int32_t kTimeLabelSpacing = 16;
constexpr std::int32_t kFrequencyLabelSpacing = 7;
// The unit above the highest label, which may sit on the plot's top row.
constexpr std::int32_t kTopMargin = kUnitTop + kGlyphHeight + 2 + kGlyphHeight / 2 + 1;
constexpr std::int32_t kBottomMargin = kTickLength + kLabelGap + kGlyphHeight + 3;

// Time steps (seconds) a reader counts in; beyond an hour, whole hours.
std::int64_t TimeStep(double columnsPerSecond) {
    const double minimumPixels = TextWidth("00:00") + kTimeLabelSpacing;
    for (const std::int64_t step : {1, 2, 5, 10, 15, 30, 60, 120, 300, 600, 900, 1800, 3600})
        if (static_cast<double>(step) * columnsPerSecond >= minimumPixels) return step;
    const double hours = std::ceil(minimumPixels / columnsPerSecond / 3600);
    return static_cast<std::int64_t>(std::min(hours, 1e6)) * 3600;
}

// The smallest of 1, 2, 2.5, 5 × 10^k Hz whose ticks lie far enough apart.
std::int64_t FrequencyStep(double hzPerRow) {
    const double minimumHz = (kGlyphHeight + kFrequencyLabelSpacing) * hzPerRow;
    for (std::int64_t decade = 1; decade < 1'000'000'000; decade *= 10)
        for (const double factor : {1.0, 2.0, 2.5, 5.0})
            if (factor * static_cast<double>(decade) >= minimumHz && factor * static_cast<double>(decade) >= 1)
                return static_cast<std::int64_t>(factor * static_cast<double>(decade));
    return 1'000'000'000;
}

// Ticks from 0 Hz up to the highest bin, at y of their bins' rows.
std::vector<AxisTick> FrequencyTicks(std::int32_t rows, double hzPerRow) {
    std::vector<AxisTick> ticks;
    const std::int64_t step = FrequencyStep(hzPerRow);
    for (std::int64_t hz = 0;; hz += step) {
        const auto bin = static_cast<std::int64_t>(std::nearbyint(static_cast<double>(hz) / hzPerRow));
        if (bin > rows) break;
        ticks.push_back({static_cast<std::int32_t>(rows - bin), std::to_string(hz)});
    }
    return ticks;
}

// Ticks of the columns firstColumn .. firstColumn + columns, labelled with
// the time from the recording's start in minutes and seconds of the hour,
// as the program's spectrogram axis writes it.
std::vector<AxisTick> TimeTicks(std::int32_t columns, double columnsPerSecond, std::int64_t firstColumn) {
    std::vector<AxisTick> ticks;
    const std::int64_t step = TimeStep(columnsPerSecond);
    const auto firstSecond = static_cast<std::int64_t>(static_cast<double>(firstColumn) / columnsPerSecond);
    for (std::int64_t seconds = firstSecond / step * step;; seconds += step) {
        const auto x = static_cast<std::int64_t>(std::nearbyint(static_cast<double>(seconds) * columnsPerSecond)) -
                       firstColumn;
        if (x > columns) break;
        if (x >= 0) ticks.push_back({static_cast<std::int32_t>(x), MinutesSeconds(seconds)});
    }
    return ticks;
}

}  // namespace

SpectrogramLayout LayOutSpectrogram(std::int32_t columns, std::int32_t rows, double columnsPerSecond, double hzPerRow,
                                    std::int64_t firstColumn) {
    SpectrogramLayout layout;
    layout.columns = std::max(columns, 0);
    layout.rows = std::max(rows, 0);
    layout.frequencyTicks = FrequencyTicks(layout.rows, hzPerRow);
    layout.timeTicks = TimeTicks(layout.columns, columnsPerSecond, std::max<std::int64_t>(firstColumn, 0));

    // The left margin holds the widest frequency label (and the unit above
    // them) and half of the first time label, centred on the plot's edge.
    std::int32_t widest = TextWidth(kFrequencyUnit);
    for (const AxisTick& tick : layout.frequencyTicks) widest = std::max(widest, TextWidth(tick.text));
    const std::int32_t halfTimeLabel = TextWidth("00:00") / 2 + 1;
    layout.left = std::max(1 + kTickLength + kLabelGap + widest + 2, halfTimeLabel);
    layout.top = kTopMargin;
    layout.right = halfTimeLabel;
    layout.bottom = kBottomMargin;

    for (AxisTick& tick : layout.frequencyTicks) tick.at += layout.top;
    for (AxisTick& tick : layout.timeTicks) tick.at += layout.left;
    return layout;
}

std::int32_t MaxSpectrogramColumns(std::int32_t rows, double hzPerRow) {
    const SpectrogramLayout margins = LayOutSpectrogram(0, rows, 1, hzPerRow);
    return kMaxPictureWidth - margins.Width();
}

}  // namespace moravel
