// Where the main window opens: its stored size fitted to the screen's
// available area (the desktop less panels and docks) and its position on
// that area. A settings file written on a larger desktop, or a damaged one,
// must not open the window partly or wholly off the screen.
//
// Plain C++, no Qt. Pure functions: any thread.
#pragma once

namespace moravel {

/// A rectangle in desktop pixels: its left and top edge and its size.
struct PlacementRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const PlacementRect&, const PlacementRect&) = default;
};

/// The window's rectangle, worked out for each side on its own:
/// - `storedWidth`, `storedHeight`: the size from the settings file, in
///   pixels, any value (zero, negative and huge values come from damaged
///   files);
/// - `minimumWidth`, `minimumHeight`: the smallest size the window's layout
///   allows, in pixels (values below 1 count as 1);
/// - `available`: the screen's available area in desktop pixels.
/// A side is the stored one, raised to the minimum and lowered to the
/// available area, and centred on the area (an odd leftover pixel goes to
/// the right or bottom margin). A side whose minimum is larger than the area
/// keeps its minimum and starts at the area's left or top edge, so the menu
/// bar and the window's left edge stay on the screen.
PlacementRect PlaceWindow(int storedWidth, int storedHeight, int minimumWidth, int minimumHeight,
                          const PlacementRect& available);

}  // namespace moravel
