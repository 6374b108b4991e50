// The plots' keyboard: with a plot focused, keys do what its mouse actions
// do.
//   Spectrum plot:    Left / Right move the filter centre one step of its
//                     track bar (10 Hz), Page Down / Page Up ten steps
//                     (100 Hz); Home puts the centre on the peak frequency;
//                     Space switches the filter on or off (the right button).
//   Spectrogram plot: Left / Right scroll the time, Up / Down and Page Up /
//                     Page Down the frequency, Up towards higher frequencies
//                     (what dragging the plot does). A keyboard cursor
//                     stands in for the mouse (the window draws it as a
//                     thin cross): Shift+arrows move it one
//                     pixel, Ctrl+Shift+arrows ten; Enter does what a double
//                     click there does; Z or + zooms in on a rectangle around
//                     it, Escape or - undoes the zoom.
// Keys without a meaning here go on to the plot.
// GUI thread only.
#pragma once

#include <QObject>
#include <QRect>

#include <functional>

class QScrollBar;
class QSlider;
class QWidget;

namespace moravel {

class Chart;

/// What the spectrum plot's keys act on.
struct SpectrumPlotKeyActions {
    QSlider* filterCenter = nullptr;
    /// The current peak frequency in Hz; 0 or less when there is none.
    std::function<double()> peakFrequency;
    /// Switches the filter on or off, as the right mouse button does.
    std::function<void()> toggleFilter;
    /// Runs after every key that changed something (to update read-outs).
    std::function<void()> changed;
};

/// Gives `chart` (a focusable plot) the spectrum plot's keys.
void InstallSpectrumPlotKeys(QWidget* chart, SpectrumPlotKeyActions actions);

/// What the spectrogram plot's keys act on. Points are chart pixels strictly
/// inside the plot rectangle.
struct SpectrogramPlotKeyActions {
    QScrollBar* time = nullptr;
    /// Inverted: its smallest value shows the highest frequencies.
    QScrollBar* frequency = nullptr;
    /// Runs after every key the plot handled, with the keyboard cursor (to
    /// show its read-out and update the description).
    std::function<void(const QPoint&)> cursorMoved;
    /// Enter: what a double click at the point does.
    std::function<void(const QPoint&)> activate;
    /// Z or +: zoom in on a rectangle around the point.
    std::function<void(const QPoint&)> zoomIn;
    /// Escape or -: undo the zoom.
    std::function<void()> zoomOut;
};

/// Gives `chart` (a focusable plot) the spectrogram plot's keys. The cursor
/// starts in the plot's middle and is kept inside the plot when it shrinks.
void InstallSpectrogramPlotKeys(Chart* chart, SpectrogramPlotKeyActions actions);

/// The rectangle (chart pixels) the keyboard zooms in on: half the plot's
/// width and height, centred on `cursor` and shifted to lie inside `plot`.
QRect KeyboardZoomRect(const QRect& plot, const QPoint& cursor);

/// `cursor` moved by (`dx`, `dy`) pixels and kept strictly inside `plot`
/// (one pixel in from each edge). A cursor not strictly inside `plot` (not
/// yet placed, or the plot shrank) and a plot too small to hold one give
/// the plot's centre, unmoved.
QPoint MovedCursor(const QRect& plot, const QPoint& cursor, int dx, int dy);

}  // namespace moravel
