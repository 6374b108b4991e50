// The spectrogram (the spectrogram pane's chart) with the state only it
// uses: the ring image of its history, the palette, the column written last
// and the pixel scales and scroll positions kept from the last unzoomed
// paint. It works on the pane's chart and scroll bars and on the Spectrogram
// page's controls, and connects them, the chart's hooks and the plot's keys
// to itself.
//
// Units: time in seconds on the bottom axis and the horizontal scroll bar,
// frequency in Hz on the left axis and the vertical scroll bar (inverted),
// image columns counted from 1 since the last Clear. GUI thread only.
#pragma once

#include "app/window/GuardedConnect.h"
#include "views/SpectrogramImage.h"
#include "app/window/SpectrogramPaletteState.h"

#include <QPoint>

#include <cstdint>
#include <memory>

class QCPPainter;
class QLabel;
class QMouseEvent;
class QRect;
class QTabWidget;

namespace moravel {

class SpectrogramPage;
class SpectrogramPane;
class SpectrumPane;
class Engine;
class Stopwatch;
struct PipelineState;

class SpectrogramView {
public:
    /// What the view works on; everything must outlive the view.
    struct Parts {
        SpectrogramPane& pane;
        SpectrogramPage& page;
        /// The spectrum pane: its scroll maximum (half the sample rate) sizes
        /// the frequency window, and a double click moves its window.
        SpectrumPane& spectrum;
        /// "CopyRect time" on the Debug page.
        QLabel& copyTime;
        /// DisplaySpectrum, DisplayCount and BinWidth (columns per second).
        const Engine& engine;
        /// Slot 4 times the image copy.
        Stopwatch& stopwatch;
        /// LayoutChanged suspends painting until the next relayout; a
        /// resized chart sets it.
        PipelineState& state;
        /// The Spectrogram page's tab is highlighted while "Spectrogram On" is down.
        QTabWidget& tabs;
    };

    /// Allocates the image with `columns` columns (at least 1), filled black.
    SpectrogramView(const Parts& parts, int columns);
    ~SpectrogramView();
    SpectrogramView(const SpectrogramView&) = delete;
    SpectrogramView& operator=(const SpectrogramView&) = delete;

    /// Connects the page's controls (but "Edit", the gradient editor's),
    /// the scroll bars, the chart's hooks and the plot's keys here; a
    /// handler's exception goes to `report`.
    void Connect(const ErrorReport& report);

    // ---- Inside DisplayData, only while "Spectrogram On" is down -------------
    /// At the start of a refresh: the next column becomes the newest.
    void AdvanceColumn();
    /// Writes the newest column from the display values, offset and gain;
    /// with "Auto Scroll" down and "Zoom" up it scrolls the newest column to
    /// the plot's right edge.
    void WriteColumn();

    // ---- Inside DisplayData, always ----------------------------------------
    /// The relayout: both windows sized for one image pixel per screen pixel
    /// (or the zoom rectangle), the scroll ranges for the new sample rate.
    void Relayout();
    /// Asks the chart to repaint at the next event-loop pass.
    void Repaint();
    /// After WriteColumn: draws again only the newest column's strip of the
    /// plot when that is all the refresh changed (unzoomed, the pixel scales
    /// as at the last paint, the column dropped from the ring not in view);
    /// otherwise Repaint. A newest column outside the window draws nothing.
    void RepaintNewColumn();

    // ---- Handlers ------------------------------------------------------------------
    /// The time scroll bar moved: the time window starts at the scroll position.
    void ScrollTime();
    /// The frequency scroll bar moved: the frequency window starts at
    /// (maximum − position) Hz.
    void ScrollFrequency();
    /// The chart panned: the scroll bars follow the axes without running their
    /// handlers (so painting never moves the axes it draws).
    void FollowChart();
    /// Before the chart draws its axes: the image under the grid; `plot` in chart pixels.
    void Paint(QCPPainter& painter, const QRect& plot);
    /// "Zoom" clicked: zoom mode on, or the zoom undone and the
    /// window from before zoom mode back.
    void ZoomButtonChanged();
    /// The chart zoomed: a rectangle reaching below the plot shows from 0 Hz.
    void ZoomApplied();
    /// "Clear": zoom ended, both windows at their start, the
    /// image black, the column count 0, the time title renewed.
    void Clear();
    /// The mouse moved over the chart: "(nn:ss, f Hz)" under a mouse moving with no button
    /// or key strictly inside the plot; the keyboard cursor's marker goes.
    void ShowCursor(const QMouseEvent& event);
    /// A press on the chart: remembers where the press was.
    void RememberPress(const QMouseEvent& event);
    /// A double click on the chart: the spectrum plot's window centred on the frequency
    /// of the last press.
    void CentreSpectrumOnPress();
    /// "Spectrogram On" clicked: the tab's highlight follows "Spectrogram On".
    void OnSwitched();

    // ---- The plot's keys (AccessiblePlotKeys.h); points in chart pixels --------
    /// The spectrum plot's window centred on the frequency at row `y`.
    void CentreSpectrumAt(int y);
    /// The cursor read-out for `at`, strictly inside the plot.
    void ShowCursorAt(const QPoint& at);
    /// The keyboard cursor moved to `at`: its read-out, and its marker drawn
    /// there (until the mouse takes the read-out over).
    void ShowKeyboardCursor(const QPoint& at);
    /// After the chart drew: the keyboard cursor's marker, a thin cross, over the
    /// plot; left out of saved, copied and printed pictures, as the mouse
    /// pointer is.
    void PaintKeyboardCursor(QCPPainter& painter, const QRect& plot) const;
    /// "Zoom" pressed if it is up, then `rect` applied as a dragged one;
    /// nothing more while already zoomed (one zoom level only).
    void ZoomInOn(const QRect& rect);
    /// "Zoom" released if it is down: back to the window from before.
    void EndZoom();
    /// The plot's accessible description: the zoom state and the cursor
    /// read-out.
    void DescribePlot();

    // ---- State -------------------------------------------------------------------------
    SpectrogramPaletteState& Palette() { return palette_; }
    const SpectrogramPaletteState& Palette() const { return palette_; }
    const SpectrogramImage& Image() const { return *image_; }
    /// The column written last (1, 2, ...); 0 after a clear.
    std::int64_t ColumnWritten() const { return column_; }

private:
    void connectKeys(const GuardedConnector<SpectrogramView>& on);
    void updateTimeScrollRange();
    /// The marker moved to `at` ((-1, -1): none), its old and new place drawn.
    void moveMarker(const QPoint& at);
    /// The first column of the time window at the last paint's scale.
    std::int64_t firstColumnShown() const;

    Parts parts_;
    std::unique_ptr<SpectrogramImage> image_;
    SpectrogramPaletteState palette_;
    std::int64_t column_ = 0;
    // Pixels that 1000 s and 1000 Hz spanned at the last unzoomed paint.
    std::int32_t timePixelsPer1000_ = 0;
    std::int32_t frequencyPixelsPer1000_ = 0;
    // The scroll positions at the last unzoomed paint, restored after a zoom.
    std::int32_t savedTimeScroll_ = 0;
    std::int32_t savedFrequencyScroll_ = 0;
    std::int32_t lastPressY_ = 0;
    // Where the keyboard cursor's marker is drawn; none while (-1, -1).
    QPoint keyboardCursor_{-1, -1};
    bool painting_ = false;
    // The last unzoomed paint kept the pixel scales of the one before, so
    // the picture on screen was drawn at the scales kept now.
    bool scalesSettled_ = false;
};

}  // namespace moravel
