// The two plot panes above the settings pages: the spectrogram pane
// (`Chart2` with its time and frequency scroll bars) and the spectrum pane
// (`Chart1` with its frequency scroll bar), each with its read-outs and its
// "?" help button.
#pragma once

#include <QWidget>

class QCPAxis;
class QCPGraph;
class QLabel;
class QScrollBar;
class QToolButton;

namespace moravel {

class TBarSeries;
class TChart;
class THookedTicker;

class SpectrogramPane : public QWidget {
public:
    explicit SpectrogramPane(QWidget* parent);

    TChart* Chart2 = nullptr;
    QCPGraph* Series2 = nullptr;  // the Debug page's curves
    THookedTicker* TimeTicker = nullptr;  // bottom-axis labels as "nn:ss"
    QScrollBar* ScrollSpectrogram = nullptr;
    QScrollBar* ScrollSpectrogramVertical = nullptr;
    QLabel* Label40 = nullptr;  // "Cursor ="
    QToolButton* SpeedButton3 = nullptr;
};

/// The charts' pan veto: neither plot shows time before 0 s or frequencies
/// below 0 Hz, so a pan that would put `newMinimum` below 0 is refused.
bool AllowPanTo(QCPAxis* axis, double newMinimum);

class SpectrumPane : public QWidget {
public:
    explicit SpectrumPane(QWidget* parent);

    TChart* Chart1 = nullptr;
    TBarSeries* Series1 = nullptr;  // the spectrum bars
    QCPGraph* Series3 = nullptr;  // the filter band, against the right axis
    QScrollBar* ScrollSpectrum = nullptr;
    QLabel* Label1 = nullptr;   // "Peak ="
    QLabel* Label39 = nullptr;  // "Cursor ="
    QToolButton* SpeedButton16 = nullptr;
};

}  // namespace moravel
