// The colour gradient behind the spectrogram palette, and the build of
// palette tables from it. A gradient has nine control points; points 0 (at
// 0.0) and 1 (at 1.0) are the fixed, always active ends, points 2 .. 8 take
// part only while active. Each point has a position 0 .. 1 and a 0xBBGGRR
// colour; the curve of a point shapes the segment from it to the next point
// above it. Plain C++, no Qt. Not thread-safe: the GUI thread owns the
// gradient and the palette tables.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "views/core/GdiRaster.h"

namespace moravel {

/// The two interpolation curves a segment can follow.
enum class InterpolationCurve { Polynomial, Sinusoidal };

/// Number of control points of a gradient (indices 0 .. 8).
inline constexpr int kControlPointCount = 9;
/// Largest palette index N: every palette table holds kPaletteMaxN + 1 entries.
inline constexpr std::int32_t kPaletteMaxN = 4000;

/// The powers the editor offers for the polynomial curve, in list order
/// (list position 4 is the power 1).
inline constexpr std::array<std::int32_t, 9> kPolyPowerChoices{5, 4, 3, 2, 1, -2, -3, -4, -5};
/// The shapes the editor offers for the sinusoidal curve, in list order.
inline constexpr std::array<std::int32_t, 2> kSinusShapeChoices{1, -1};

/// The table the spectrogram colours its pixels from (indices 0 .. 4000).
using SpectrogramPalette = std::array<TColor, kPaletteMaxN + 1>;

/// One control point of the gradient.
struct ControlPoint {
    bool Active = false;
    double Position = 0.0;  ///< 0 .. 1: 0 = palette index 0 (weakest), 1 = index N (strongest)
    TColor Color = 0;       ///< 0xBBGGRR
    InterpolationCurve Interpolation = InterpolationCurve::Polynomial;
    std::int32_t PolyPower = 1;       ///< exponent of the polynomial curve
    std::int32_t SinusShape = 1;      ///< 1 or -1: direction of the sinusoidal curve
    std::int32_t PolyPowerItem = 4;   ///< position of PolyPower in kPolyPowerChoices
    std::int32_t SinusShapeItem = 0;  ///< position of SinusShape in kSinusShapeChoices
    std::int32_t Index = 0;           ///< 0 .. 8
};

/// The value 0 .. 1 of a curve at t (0 .. 1). Polynomial: p > 0 gives t^p,
/// p < 0 gives 1 - (1 - t)^(-p), p = 0 counts as 1. Sinusoidal: p >= 0 gives
/// sin(t pi/2), p < 0 gives 1 - cos(t pi/2). Any thread.
double CurveValue(InterpolationCurve curve, std::int32_t p, double t);

/// The six values the settings keep, in the order of their keys.
struct GradientValues {
    /// PaletteColor1 .. PaletteColor4: the colours of points 0, 2, 3 and 1.
    std::array<TColor, 4> colors{};
    /// PaletteAlpha1, PaletteAlpha2: the positions of points 2 and 3.
    std::array<double, 2> alphas{};

    bool operator==(const GradientValues&) const = default;
};

class FunkyGradient {
public:
    /// Point 0 active at 0.0, point 1 active at 1.0, points 2 .. 8 inactive
    /// at 0.0; all colours 0, all curves linear; no current point.
    FunkyGradient();

    std::int32_t ActiveCount() const { return activeCount_; }
    const std::array<ControlPoint, kControlPointCount>& Points() const { return points_; }
    /// The point with the given index (0 .. 8, std::out_of_range otherwise).
    const ControlPoint& Point(int index) const;

    /// The point whose slider last received the focus, or none.
    std::optional<int> Current() const { return current_; }
    /// Makes a point (0 .. 8, std::out_of_range otherwise) or none current.
    void SetCurrent(std::optional<int> index);

    /// Activates the inactive point with the lowest index if fewer than nine
    /// are active, at its stored position and colour. Returns its index, or
    /// none when all nine are active.
    std::optional<int> AddControlPoint();
    /// Deactivates the current point and clears Current. The fixed ends and
    /// inactive points are never removed. Returns the index removed, or none.
    std::optional<int> RemoveCurrent();

    /// Moves a middle point (2 .. 8; std::out_of_range for other indices,
    /// the ends do not move). The position is clamped to 0 .. 1.
    void SetPosition(int index, double position);
    /// Sets the 0xBBGGRR colour of a point (0 .. 8).
    void SetColor(int index, TColor color);
    /// Sets the curve of the segment above a point (0 .. 8).
    void SetInterpolation(int index, InterpolationCurve curve);
    /// Stores list position `item` (0 .. 8) of kPolyPowerChoices in
    /// PolyPowerItem and its power in PolyPower (std::out_of_range otherwise).
    void SelectPolyPower(int index, int item);
    /// Stores list position `item` (0 .. 1) of kSinusShapeChoices in
    /// SinusShapeItem and its shape in SinusShape (std::out_of_range otherwise).
    void SelectSinusShape(int index, int item);

    /// Sets the colours of points 0, 2, 3 and 1 and the positions of points 2
    /// and 3 (the order of the settings keys PaletteColor1 .. PaletteColor4,
    /// PaletteAlpha1, PaletteAlpha2), and activates points 2 and 3 where they
    /// are inactive. Positions are clamped to 0 .. 1 (NaN counts as 0). The
    /// editor redraws its own strip afterwards.
    void SetGradient(TColor color0, TColor color2, TColor color3, TColor color1, double position2, double position3);
    void SetGradient(const GradientValues& values);
    /// The six values SetGradient takes, for saving the settings.
    GradientValues GetGradient() const;

    /// Fills palette[0 .. n] from the active points; `palette` must hold at
    /// least n + 1 entries and n must lie in 0 .. kPaletteMaxN
    /// (std::out_of_range otherwise, nothing written). Entries above n are
    /// left alone.
    void BuildPalette(TColor* palette, std::int32_t n) const;

private:
    ControlPoint& At(int index);

    std::array<ControlPoint, kControlPointCount> points_;
    std::int32_t activeCount_ = 2;
    std::optional<int> current_;
};

/// A preset gradient of the main window's preset list.
struct PalettePreset {
    const char* name;
    TColor color0;  ///< point 0, at 0.0
    TColor color2;  ///< point 2, at position2
    TColor color3;  ///< point 3, at position3
    TColor color1;  ///< point 1, at 1.0
    double position2;
    double position3;
};

/// The presets in the order of the main window's list.
inline constexpr std::array<PalettePreset, 4> kPalettePresets{{
    {"Soft Blue", 0xFF0000, 0xFFFF80, 0x00FFFF, 0x0000FF, 0.2, 0.6},
    {"Hard Blue", 0xFF0000, 0xFFFFFF, 0x00FFFF, 0x0000FF, 0.1, 0.4},
    {"Soft Monochrome", 0xFFFFFF, 0xC0C0C0, 0x808080, 0x000000, 0.25, 0.6},
    {"Soft Green", 0x000000, 0x00FF00, 0x00FFFF, 0x0080FF, 0.2, 0.6},
}};
/// The preset used when the settings hold no palette.
inline constexpr int kSoftGreenPreset = 3;

/// Sets the gradient to preset `index` (0 .. 3, std::out_of_range
/// otherwise); the points keep their curves.
void ApplyPreset(FunkyGradient& gradient, int index);

/// Builds `palette` with N = stripWidth, keeps entries 0 .. stripWidth as the
/// colours of the main window's palette strip, then builds `palette` with
/// N = gainMaximum, which leaves the table the spectrogram uses. Both sizes
/// must lie in 0 .. kPaletteMaxN (std::out_of_range otherwise, nothing
/// written). Returns the stripWidth + 1 strip colours.
std::vector<TColor> ApplyGradientToPalette(const FunkyGradient& gradient, SpectrogramPalette& palette,
                                           std::int32_t stripWidth, std::int32_t gainMaximum);

}  // namespace moravel
