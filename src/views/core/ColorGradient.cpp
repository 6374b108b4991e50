#include "views/core/ColorGradient.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>
#include <string>

namespace moravel {
namespace {

constexpr double kPi = std::numbers::pi;

void CheckPaletteN(std::int32_t n) {
    if (n < 0 || n > kPaletteMaxN) {
        throw std::out_of_range("palette size " + std::to_string(n) + " outside 0 .. " + std::to_string(kPaletteMaxN));
    }
}

// Positions may come from a damaged settings file; keeping them inside 0 .. 1
// keeps every palette index inside 0 .. N, so a garbage value cannot make
// BuildPalette write past the end of a table. NaN would make the index
// undefined, so it counts as 0.
double ClampPosition(double position) { return std::isnan(position) ? 0.0 : std::clamp(position, 0.0, 1.0); }

// The palette index of a position: N x position truncated toward zero, which
// lies in 0 .. n because positions are kept in 0 .. 1.
std::int32_t PaletteIndex(std::int32_t n, double position) {
    return static_cast<std::int32_t>(std::trunc(n * position));
}

// The colour s (0 .. 1) of the way from `from` to `to`, each of the red, green
// and blue bytes separately; the step is truncated toward zero, so a falling
// channel never drops below the upper colour's value.
TColor Blend(TColor from, TColor to, double s) {
    TColor result = 0;
    for (const int shift : {0, 8, 16}) {
        const int q = static_cast<int>((from >> shift) & 0xFF);
        const int r = static_cast<int>((to >> shift) & 0xFF);
        const int channel = q + static_cast<int>(std::trunc((r - q) * s));
        result |= static_cast<TColor>(channel) << shift;
    }
    return result;
}

std::int32_t CurveParameter(const ControlPoint& point) {
    return point.Interpolation == InterpolationCurve::Polynomial ? point.PolyPower : point.SinusShape;
}

// Writes palette[a .. b] for the segment from q up to r; q's curve shapes it.
void FillSegment(TColor* palette, std::int32_t n, const ControlPoint& q, const ControlPoint& r) {
    const std::int32_t a = PaletteIndex(n, q.Position);
    const std::int32_t b = PaletteIndex(n, r.Position);
    palette[a] = q.Color;
    const std::int32_t p = CurveParameter(q);
    for (std::int32_t i = a + 1; i < b; ++i) {
        const double t = static_cast<double>(i - a) / static_cast<double>(b - a);
        palette[i] = Blend(q.Color, r.Color, CurveValue(q.Interpolation, p, t));
    }
    palette[b] = r.Color;
}

}  // namespace

double CurveValue(InterpolationCurve curve, std::int32_t p, double t) {
    if (curve == InterpolationCurve::Sinusoidal) {
        if (p >= 0) return std::sin(t * kPi / 2);
        return std::sin(t * kPi / 2 + 3 * kPi / 2) + 1;
    }
    if (p > 0) return std::pow(t, static_cast<double>(p));
    if (p < 0) return 1 - std::pow(1 - t, -static_cast<double>(p));
    return t;
}

FunkyGradient::FunkyGradient() {
    for (int i = 0; i < kControlPointCount; ++i) points_[i].Index = i;
    points_[0].Active = true;
    points_[1].Active = true;
    points_[1].Position = 1.0;
}

const ControlPoint& FunkyGradient::Point(int index) const { return points_.at(static_cast<std::size_t>(index)); }

ControlPoint& FunkyGradient::At(int index) { return points_.at(static_cast<std::size_t>(index)); }

void FunkyGradient::SetCurrent(std::optional<int> index) {
    if (index) At(*index);  // range check
    current_ = index;
}

std::optional<int> FunkyGradient::AddControlPoint() {
    if (activeCount_ >= kControlPointCount) return std::nullopt;
    const auto inactive = std::find_if(points_.begin(), points_.end(), [](const auto& p) { return !p.Active; });
    if (inactive == points_.end()) return std::nullopt;
    inactive->Active = true;
    ++activeCount_;
    return inactive->Index;
}

std::optional<int> FunkyGradient::RemoveCurrent() {
    if (!current_ || *current_ < 2 || !points_[*current_].Active) return std::nullopt;
    const int removed = *current_;
    points_[removed].Active = false;
    --activeCount_;
    current_.reset();
    return removed;
}

void FunkyGradient::SetPosition(int index, double position) {
    if (index < 2) throw std::out_of_range("the end points of the gradient do not move");
    At(index).Position = ClampPosition(position);
}

void FunkyGradient::SetColor(int index, TColor color) { At(index).Color = color; }

void FunkyGradient::SetInterpolation(int index, InterpolationCurve curve) { At(index).Interpolation = curve; }

void FunkyGradient::SelectPolyPower(int index, int item) {
    ControlPoint& point = At(index);
    point.PolyPower = kPolyPowerChoices.at(static_cast<std::size_t>(item));
    point.PolyPowerItem = item;
}

void FunkyGradient::SelectSinusShape(int index, int item) {
    ControlPoint& point = At(index);
    point.SinusShape = kSinusShapeChoices.at(static_cast<std::size_t>(item));
    point.SinusShapeItem = item;
}

void FunkyGradient::SetGradient(TColor color0, TColor color2, TColor color3, TColor color1, double position2,
                                 double position3) {
    points_[0].Color = color0;
    points_[2].Color = color2;
    points_[3].Color = color3;
    points_[1].Color = color1;
    points_[2].Position = ClampPosition(position2);
    points_[3].Position = ClampPosition(position3);
    // Points 2 and 3 are the lowest middle indices, so AddControlPoint
    // activates exactly whichever of them is inactive (both on first use).
    for (const int index : {2, 3}) {
        if (!points_[index].Active) AddControlPoint();
    }
}

void FunkyGradient::SetGradient(const GradientValues& values) {
    SetGradient(values.colors[0], values.colors[1], values.colors[2], values.colors[3], values.alphas[0],
                values.alphas[1]);
}

GradientValues FunkyGradient::GetGradient() const {
    return {{points_[0].Color, points_[2].Color, points_[3].Color, points_[1].Color},
            {points_[2].Position, points_[3].Position}};
}

void FunkyGradient::BuildPalette(TColor* palette, std::int32_t n) const {
    CheckPaletteN(n);
    std::array<const ControlPoint*, kControlPointCount> active{};
    std::size_t count = 0;
    for (const ControlPoint& point : points_) {
        if (point.Active) active[count++] = &point;
    }
    // Stable, so points at the same position keep the order of their indices.
    std::stable_sort(active.begin(), active.begin() + static_cast<std::ptrdiff_t>(count),
                     [](const ControlPoint* x, const ControlPoint* y) { return x->Position < y->Position; });
    for (std::size_t k = 0; k + 1 < count; ++k) FillSegment(palette, n, *active[k], *active[k + 1]);
}

void ApplyPreset(FunkyGradient& gradient, int index) {
    const PalettePreset& preset = kPalettePresets.at(static_cast<std::size_t>(index));
    gradient.SetGradient(preset.color0, preset.color2, preset.color3, preset.color1, preset.position2,
                         preset.position3);
}

std::vector<TColor> ApplyGradientToPalette(const FunkyGradient& gradient, SpectrogramPalette& palette,
                                           std::int32_t stripWidth, std::int32_t gainMaximum) {
    CheckPaletteN(stripWidth);
    CheckPaletteN(gainMaximum);
    gradient.BuildPalette(palette.data(), stripWidth);
    std::vector<TColor> strip(palette.begin(), palette.begin() + stripWidth + 1);
    gradient.BuildPalette(palette.data(), gainMaximum);
    return strip;
}

}  // namespace moravel
