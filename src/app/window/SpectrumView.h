// The spectrum plot (the spectrum pane's chart) and the Spectrum page:
// the bars from the engine's display values, the y-axis scale modes (peak
// hold, auto scale, manual maximum) and the logarithmic axis, the frequency
// window and its width at each resolution, the peak marker, the cursor
// read-out, the filter centre dragged with the mouse, the plot's keys and
// its spoken description, and the page's settings of the engine's display
// analysis (resolution, smoothing, normalisation). It connects the page's
// controls, the pane's scroll bar and the chart's hooks to itself.
//
// Units: frequency in Hz on the bottom axis and the scroll bar, the engine's
// display power on the left axis. GUI thread only.
#pragma once

#include "app/window/GuardedConnect.h"

#include <cstdint>

class QCPPainter;
class QComboBox;
class QMouseEvent;
class QPoint;
class QRect;
class QTabWidget;

namespace moravel {

class FilterPage;
class SpectrumPage;
class SpectrumPane;
class Engine;
struct PipelineState;

class SpectrumView {
public:
    /// What the view works on; everything must outlive the view.
    struct Parts {
        SpectrumPane& pane;
        SpectrumPage& page;
        /// The filter's centre follows the mouse and the keys; the right
        /// button clicks "Filter On"; the description tells the band.
        FilterPage& filter;
        /// "Audio range": the frequency window's width depends on it.
        const QComboBox& audioRange;
        /// The display values and the peak; the page sets its Resolution,
        /// SpectrumDecay and normalising requests.
        Engine& engine;
        /// A new resolution sets LayoutChanged.
        PipelineState& state;
        /// The Spectrum page's tab is highlighted while "Spectrum On" is down.
        QTabWidget& tabs;
    };

    explicit SpectrumView(const Parts& parts);
    SpectrumView(const SpectrumView&) = delete;
    SpectrumView& operator=(const SpectrumView&) = delete;

    /// Connects the page's controls, the scroll bar, the chart's mouse and
    /// paint hooks and the plot's keys here; a handler's exception goes to
    /// `report`.
    void Connect(const ErrorReport& report);

    // ---- After a processed block (the 100 ms refresh) ------------------------
    /// The new sample rate or resolution: the resolution read-outs, the
    /// frequency window back at 0 Hz with the width for the resolution.
    void Relayout();
    /// The bars from the display values (only while "Spectrum On" is down).
    void Plot();
    /// The peak read-out, the scale fitted or raised to the peak and its
    /// read-out, and a repaint of what changed: the whole chart after a
    /// relayout or a new scale, else only the plot area while it is on.
    void ShowBlock(bool relayout);
    /// The plot's accessible description: peak, filter band, cursor.
    void DescribePlot();

    // ---- The Spectrum page's handlers ----------------------------------------
    /// A scale mode chosen: peak hold restarts at 1, manual scale takes
    /// the track bar's maximum; the track bar and "Reset" enabled for them.
    void ScaleModeChanged();
    /// The maximum's track bar moved: the manual maximum and its read-out.
    void ManualMaximumChanged();
    /// "Reset": peak hold starts again at 1.
    void ResetPeakHold();
    /// A resolution chosen: the engine's resolution and the
    /// window's width for it at the current audio range; the layout follows
    /// with the next block.
    void ResolutionChanged();
    /// The smoothing track bar moved: the smoothing level (to the engine while on).
    void DecayChanged();
    /// Smoothing's "On" clicked: smoothing on at the track bar's level, or off.
    void DecaySwitched();
    /// "Log scale" clicked: the left axis logarithmic or linear.
    void LogarithmicSwitched();
    /// "Normalize" clicked: the engine computes (or drops) the
    /// normalising weights with the next block.
    void NormalizeSwitched();
    /// "Spectrum On" clicked: the tab's highlight and a repaint (the refresh
    /// leaves a stopped plot alone, so the peak marker goes or comes back).
    void OnSwitched();
    /// The scroll bar moved: the frequency window starts at the scroll position.
    void ScrollFrequency();
    /// The plot's "Auto scale": the left axis fits the bars inside the
    /// frequency window (run at every paint, so a window moved over frozen
    /// bars is fitted too).
    void FitScale();

    // ---- The chart's mouse and paint hooks ----------------------------------
    /// A press on the chart: the right button clicks "Filter On"; the left one
    /// moves the filter centre to the frequency under the mouse.
    void MousePressed(const QMouseEvent& event);
    /// The mouse moved over the chart: dragging with the left button moves the filter
    /// centre; moving with no button or key strictly inside the plot shows
    /// "(f Hz, power)".
    void MouseMoved(const QMouseEvent& event);
    /// After the chart drew: a 10-pixel box at the top of the strongest bar.
    void PaintPeakMarker(QCPPainter& painter, const QRect& plot) const;

    /// The frequency window's width in Hz at the resolution and audio range
    /// chosen (PlotMath's SpectrumWindowWidth).
    std::int32_t WindowWidth() const { return windowWidth_; }

private:
    void connectKeys(const GuardedConnector<SpectrumView>& on);
    /// The bottom axis' frequency at chart pixel `at`, to the hertz.
    double frequencyAt(const QPoint& at) const;

    Parts parts_;
    std::int32_t windowWidth_ = 1000;
};

}  // namespace moravel
