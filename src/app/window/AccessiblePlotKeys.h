// The plots' keyboard: with a plot focused, keys do what its mouse actions
// do.
//   Spectrum plot:    Left / Right move the filter centre one step of its
//                     track bar (10 Hz), Page Down / Page Up ten steps
//                     (100 Hz); Home puts the centre on the peak frequency;
//                     Space switches the filter on or off (the right button).
//   Spectrogram plot: Left / Right scroll the time, Up / Down and Page Up /
//                     Page Down the frequency (what dragging the plot does).
// Keys without a meaning here go on to the plot.
// GUI thread only.
#pragma once

#include <QObject>

#include <functional>

class QScrollBar;
class QSlider;
class QWidget;

namespace moravel {

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

/// Gives `chart` (a focusable plot) the spectrogram plot's keys.
void InstallSpectrogramPlotKeys(QWidget* chart, QScrollBar* time, QScrollBar* frequency);

}  // namespace moravel
