// The gradient editor's sliders without widgets: where a slider button sits
// for a position and which position its place means, the span a dragged
// slider may move in, the drag's grab offset, the keyboard's steps, and the texts of the location
// and colour read-outs. Plain C++, no Qt. Not thread-safe: the GUI thread
// owns the editor and its drag.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "views/core/GdiRaster.h"

namespace moravel {

/// The pixel geometry behind positions: the gradient strip's left edge and
/// width in editor coordinates and the slider buttons' width (all pixels).
struct SliderGeometry {
    int stripLeft = 16;
    int stripWidth = 237;
    int buttonWidth = 10;
};

/// A dragged slider's left edge must exceed this (editor pixels).
inline constexpr int kLowestDragLeftExcluded = 14;

/// The position 0 .. 1 that a slider whose left edge is at `buttonLeft`
/// (editor pixels) stands for: its centre (left + width div 2) measured from
/// the strip's left edge, in strip widths. `geometry.stripWidth` > 0.
double SliderPosition(int buttonLeft, const SliderGeometry& geometry);

/// The left edge (editor pixels) that puts a slider's centre at `position`
/// (0 .. 1) along the strip, rounded to the nearest pixel.
int SliderLeft(double position, const SliderGeometry& geometry);

/// True when a dragged slider may move its left edge to `newLeft` (editor
/// pixels): more than kLowestDragLeftExcluded and at most the strip width,
/// so a middle point never reaches either end of the gradient.
bool DragLeftAllowed(int newLeft, const SliderGeometry& geometry);

/// Pixels a focused slider moves per Left/Right key and per PageUp/PageDown.
inline constexpr int kSliderKeyStep = 1;
inline constexpr int kSliderPageStep = 10;

/// The left edge (editor pixels) a slider at `buttonLeft` moves to by key:
/// `buttonLeft` + `step` (negative moves left), held inside the drag span
/// (kLowestDragLeftExcluded + 1 .. the strip width), so keys reach the
/// span's ends as a drag does and never pass them.
int SteppedLeft(int buttonLeft, int step, const SliderGeometry& geometry);

/// The drag of one slider: idle, just started, then holding the grab offset.
/// The first move after the start only notes where in the button the mouse
/// holds it; later moves keep that spot under the mouse.
class SliderDrag {
public:
    /// A left-button press on a middle slider begins a drag.
    void Start() { phase_ = Phase::JustStarted; }
    /// Release ends it; later moves do nothing.
    void End() { phase_ = Phase::Idle; }
    bool Active() const { return phase_ != Phase::Idle; }

    /// A mouse move during the drag: `xInButton` is the mouse's x relative to
    /// the dragged button, `buttonLeft` the button's left edge (both editor
    /// pixels). Returns the new left edge when the button should move there,
    /// or none (idle, the grabbing first move, or outside the allowed span).
    std::optional<int> Over(int xInButton, int buttonLeft, const SliderGeometry& geometry);

private:
    enum class Phase { Idle, JustStarted, Grabbed };
    Phase phase_ = Phase::Idle;
    int offset_ = 0;  // minus the grab point's x inside the button
};

/// The location read-out: `position` in fixed notation with two decimals and
/// `decimalPoint` as the separator ("0.20" or "0,20").
std::string LocationText(double position, std::string_view decimalPoint);

/// The colour read-out: the 0xBBGGRR value as six lower-case hexadecimal
/// digits ("0080ff" for orange).
std::string ColorText(TColor color);

/// The colour a slider's glyph is filled with: the point's colour, except
/// that pure white (0xFFFFFF) is painted as 0xFFFFFE.
TColor GlyphFillColor(TColor color);

/// The point index (0 .. 8) a slider's object name stands for: the number
/// after the 12 characters "ControlPoint". None for any other name.
std::optional<int> ControlPointIndex(std::string_view objectName);

}  // namespace moravel
