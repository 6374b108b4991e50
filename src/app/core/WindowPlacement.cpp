#include "app/core/WindowPlacement.h"

#include <algorithm>

namespace moravel {
namespace {

struct Span {
    int start;
    int length;
};

// One side of the window on one side of the available area.
Span placeSpan(int stored, int minimum, int areaStart, int areaLength) {
    const int least = std::max(minimum, 1);
    const int length = std::max(least, std::min(stored, areaLength));
    if (length > areaLength) return {areaStart, length};
    return {areaStart + (areaLength - length) / 2, length};
}

}  // namespace

PlacementRect PlaceWindow(int storedWidth, int storedHeight, int minimumWidth, int minimumHeight,
                          const PlacementRect& available) {
    const Span across = placeSpan(storedWidth, minimumWidth, available.left, available.width);
    const Span down = placeSpan(storedHeight, minimumHeight, available.top, available.height);
    return {across.start, down.start, across.length, down.length};
}

}  // namespace moravel
