// Where the spectrogram picture's parts go: the plot of one column per block
// and one row per display bin (bin 1 at the bottom, as the program's
// spectrogram draws it), the margins around it, and the time ("nn:ss") and
// frequency (Hz) axes' ticks with their labels at readable spacings. Plain
// arithmetic, any thread.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace moravel {

/// No picture is wider than this many pixels (many viewers and image
/// libraries stop at 16-bit widths): a longer recording is drawn in parts.
inline constexpr std::int32_t kMaxPictureWidth = 65535;

struct AxisTick {
    std::int32_t at;   // x (time axis) or y (frequency axis) in the picture, pixels
    std::string text;  // the label
    bool operator==(const AxisTick&) const = default;
};

struct SpectrogramLayout {
    std::int32_t left = 0;  // margins, pixels
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    std::int32_t columns = 0;  // plot width: one column per block
    std::int32_t rows = 0;     // plot height: one row per display bin
    std::vector<AxisTick> timeTicks;
    std::vector<AxisTick> frequencyTicks;

    std::int32_t Width() const { return left + columns + right; }
    std::int32_t Height() const { return top + rows + bottom; }
};

/// Length in pixels of the ticks, outward from the plot's edge lines.
inline constexpr std::int32_t kTickLength = 4;
/// Space between a tick's end and its label, pixels.
inline constexpr std::int32_t kLabelGap = 2;
/// The frequency labels' unit, written above them from y = kUnitTop.
inline constexpr char kFrequencyUnit[] = "Hz";
inline constexpr std::int32_t kUnitTop = 2;

/// The layout of a plot of `columns` x `rows` (each ≥ 0), with
/// `columnsPerSecond` > 0 (blocks per second of audio) and `hzPerRow` > 0
/// (the display bin's width in Hz). Column c shows the block that starts at
/// c / columnsPerSecond seconds, so the tick of t seconds sits at the left
/// edge of column round(t × columnsPerSecond); row r from the plot's bottom
/// (r = 1, 2, ...) shows display bin r, so the tick of f Hz sits on the row
/// of bin round(f / hzPerRow), where 0 Hz is the edge line below the plot.
/// Ticks are whole seconds and 1, 2, 2.5 or 5 times a power of ten in Hz,
/// spaced so that their labels do not touch. A part of a longer picture
/// starts at column `firstColumn` of the whole: its time labels go on from
/// there.
SpectrogramLayout LayOutSpectrogram(std::int32_t columns, std::int32_t rows, double columnsPerSecond, double hzPerRow,
                                    std::int64_t firstColumn = 0);

/// The most columns a picture of `rows` rows may have within
/// kMaxPictureWidth (the margins depend only on the frequency axis).
std::int32_t MaxSpectrogramColumns(std::int32_t rows, double hzPerRow);

}  // namespace moravel
