// The split between the spectrogram pane (top) and the spectrum pane: the
// window keeps the top pane's share of the plot area so that resizing the
// window keeps the split proportional.
//
// Pure functions; any thread.
#pragma once

namespace moravel {

/// The top pane's share after the splitter moved: `topHeight` /
/// (`panelBackHeight` + 1), in single precision like the stored ratio.
/// Heights in pixels, `panelBackHeight` >= 0.
float SplitterRatioFor(int topHeight, int panelBackHeight);

/// The top pane's height in pixels for a plot area of `panelBackHeight`
/// pixels: `panelBackHeight` - 10 when `ratio` > 1, else
/// Round(`ratio` x `panelBackHeight`) with ties to even; a result below 50
/// collapses the pane to a 3-pixel strip.
int TopPanelHeightFor(float ratio, int panelBackHeight);

/// The top pane's height at the first layout after a start: `storedTop`
/// itself, so that a window opened and closed at one size stores the height
/// it read (its share turned back into pixels can come out a pixel short).
/// A height the area cannot hold, or one that collapses, follows
/// TopPanelHeightFor.
int FirstTopPanelHeight(int storedTop, int panelBackHeight);

}  // namespace moravel
