// The two plot panes above the settings pages: the spectrogram pane
// (its chart "Chart2" with the time and frequency scroll bars) and the spectrum
// pane ("Chart1" with its frequency scroll bar), each with its read-outs and its
// "?" help button.
#pragma once

#include <QWidget>

class QCPAxis;
class QCPGraph;
class QLabel;
class QScrollBar;
class QToolButton;

namespace moravel {

class BarSeries;
class Chart;
class HookedTicker;

class SpectrogramPane : public QWidget {
public:
    explicit SpectrogramPane(QWidget* parent);

    // Object names in quotes, by which the tests and the accessible texts
    // find the parts.
    Chart* chart = nullptr;                // "Chart2"
    QCPGraph* debugCurve = nullptr;         // the Debug page's curves
    HookedTicker* timeTicker = nullptr;    // bottom-axis labels as "nn:ss"
    QScrollBar* timeScroll = nullptr;       // "ScrollSpectrogram"
    QScrollBar* frequencyScroll = nullptr;  // "ScrollSpectrogramVertical"
    QLabel* cursorLabel = nullptr;          // "Label40", after "Cursor ="
    QToolButton* helpButton = nullptr;      // "SpeedButton3"
};

/// The charts' pan veto: neither plot shows time before 0 s or frequencies
/// below 0 Hz, so a pan that would put `newMinimum` below 0 is refused.
bool AllowPanTo(QCPAxis* axis, double newMinimum);

class SpectrumPane : public QWidget {
public:
    explicit SpectrumPane(QWidget* parent);

    Chart* chart = nullptr;                // "Chart1"
    BarSeries* bars = nullptr;             // the spectrum bars
    QCPGraph* filterBand = nullptr;         // the filter band, against the right axis
    QScrollBar* frequencyScroll = nullptr;  // "ScrollSpectrum"
    QLabel* peakLabel = nullptr;            // "Label1", after "Peak ="
    QLabel* cursorLabel = nullptr;          // "Label39", after "Cursor ="
    QToolButton* helpButton = nullptr;      // "SpeedButton16"
};

}  // namespace moravel
