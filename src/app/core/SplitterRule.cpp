#include "app/core/SplitterRule.h"

#include <cmath>

namespace moravel {
namespace {

constexpr int kSmallestTopPanel = 50;  // below this the pane collapses
constexpr int kCollapsedTopPanel = 3;
constexpr int kBottomMargin = 10;  // left below the splitter when the ratio is above 1

}  // namespace

float SplitterRatioFor(int topHeight, int panelBackHeight) {
    return static_cast<float>(topHeight) / static_cast<float>(panelBackHeight + 1);
}

int TopPanelHeightFor(float ratio, int panelBackHeight) {
    // The product of a float and an int is exact in extended precision, so
    // only the final rounding rounds.
    const int height = ratio > 1.0f ? panelBackHeight - kBottomMargin
                                    : static_cast<int>(std::rint(static_cast<long double>(ratio) * panelBackHeight));
    return height < kSmallestTopPanel ? kCollapsedTopPanel : height;
}

int FirstTopPanelHeight(int storedTop, int panelBackHeight) {
    const float ratio = SplitterRatioFor(storedTop, panelBackHeight);
    return ratio > 1.0f || storedTop < kSmallestTopPanel ? TopPanelHeightFor(ratio, panelBackHeight) : storedTop;
}

}  // namespace moravel
