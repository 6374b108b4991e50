// The two plots that show the processed signal, made and connected
// together: the spectrum (SpectrumView) and the spectrogram
// (SpectrogramView), the refresh that brings both up to date after a
// processed block (the program's `DisplayData`), and the Debug page's
// curves, which borrow the spectrogram's chart.
//
// GUI thread only.
#pragma once

#include "app/window/GuardedConnect.h"
#include "app/window/SpectrogramView.h"
#include "app/window/SpectrumView.h"

#include <functional>

class QComboBox;
class QTabWidget;

namespace moravel {

class DebugPage;
class FilterPage;
class SpectrogramPage;
class SpectrogramPane;
class SpectrumPage;
class SpectrumPane;
class Engine;
class Stopwatch;
struct PipelineState;

class PlotDisplays {
public:
    /// What the plots work on; everything must outlive them.
    struct Parts {
        SpectrumPane& spectrumPane;
        SpectrogramPane& spectrogramPane;
        SpectrumPage& spectrumPage;
        SpectrogramPage& spectrogramPage;
        FilterPage& filter;
        /// The curves' buttons and the "Plot time" and "CopyRect time" read-outs.
        DebugPage& debug;
        const QComboBox& audioRange;
        QTabWidget& tabs;
        Engine& engine;
        /// Slot 3 times the refresh, slot 4 the spectrogram's image copy.
        Stopwatch& stopwatch;
        /// DisplayDataPending and LayoutPending are consumed by the refresh.
        PipelineState& state;
        /// Columns of the spectrogram's history.
        int spectrogramColumns;
        /// Runs after a relayout once the engine has display values: what
        /// else follows a new sample rate (the equalizer's band labels).
        std::function<void()> relaidOut;
    };

    explicit PlotDisplays(const Parts& parts);

    /// Connects both plots' controls and hooks and the Debug page's curve
    /// buttons; a handler's exception goes to `report`.
    void Connect(const ErrorReport& report);

    /// DisplayData, run by the 100 ms timer: when a block was processed
    /// since the last run, the spectrogram's new column (while it is on),
    /// the relayout a new sample rate or resolution asked for, the bars and
    /// the read-outs, and a repaint of only what changed.
    void Refresh();

    SpectrumView& Spectrum() { return spectrum_; }
    SpectrogramView& Spectrogram() { return spectrogram_; }
    const SpectrogramView& Spectrogram() const { return spectrogram_; }

private:
    /// "Plot spectral" and "Plot signal" share the chart: at most one is
    /// down, and each fixes the left axis to the range of what it draws.
    void showDebugCurve(bool spectral);
    void repaintSpectrogram(bool relayout, bool spectrogramOn);

    Parts parts_;
    SpectrumView spectrum_;
    SpectrogramView spectrogram_;
};

}  // namespace moravel
