#include "views/core/GradientSliders.h"

#include "views/core/ColorGradient.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace moravel {

namespace {

constexpr std::string_view kSliderPrefix = "ControlPoint";

}  // namespace

double SliderPosition(int buttonLeft, const SliderGeometry& geometry) {
    const int centre = buttonLeft + geometry.buttonWidth / 2;
    return static_cast<double>(centre - geometry.stripLeft) / static_cast<double>(geometry.stripWidth);
}

int SliderLeft(double position, const SliderGeometry& geometry) {
    const auto offset = static_cast<int>(std::nearbyint(position * geometry.stripWidth));
    return geometry.stripLeft + offset - geometry.buttonWidth / 2;
}

bool DragLeftAllowed(int newLeft, const SliderGeometry& geometry) {
    return newLeft > kLowestDragLeftExcluded && newLeft <= geometry.stripWidth;
}

int SteppedLeft(int buttonLeft, int step, const SliderGeometry& geometry) {
    return std::clamp(buttonLeft + step, kLowestDragLeftExcluded + 1, geometry.stripWidth);
}

std::optional<int> SliderDrag::Over(int xInButton, int buttonLeft, const SliderGeometry& geometry) {
    switch (phase_) {
        case Phase::Idle:
            return std::nullopt;
        case Phase::JustStarted:
            offset_ = -xInButton;
            phase_ = Phase::Grabbed;
            return std::nullopt;
        case Phase::Grabbed:
            break;
    }
    const int newLeft = buttonLeft + xInButton + offset_;
    if (!DragLeftAllowed(newLeft, geometry)) return std::nullopt;
    return newLeft;
}

std::string LocationText(double position, std::string_view decimalPoint) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", position);
    std::string result(text);
    const auto dot = result.find('.');
    if (dot != std::string::npos) result.replace(dot, 1, decimalPoint);
    return result;
}

std::string ColorText(TColor color) {
    char text[16];
    std::snprintf(text, sizeof text, "%.6x", static_cast<unsigned>(color));
    return text;
}

TColor GlyphFillColor(TColor color) { return color == 0xFFFFFF ? 0xFFFFFE : color; }

std::optional<int> ControlPointIndex(std::string_view objectName) {
    if (objectName.size() != kSliderPrefix.size() + 1 || !objectName.starts_with(kSliderPrefix)) return std::nullopt;
    const char digit = objectName.back();
    if (digit < '0' || digit >= '0' + kControlPointCount) return std::nullopt;
    return digit - '0';
}

}  // namespace moravel
