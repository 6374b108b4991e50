// The "Debug" settings page (its tab is hidden at start-up): the timing
// read-outs of the block cycle in seconds ("Buffer Cycle", "Process time",
// "Plot time", "CopyRect time", "Available"), the output queue depth
// ("Buffers behind :"), and the two debug plot buttons "Plot spectral" and
// "Plot signal", of which at most one may be down.
//
// Layout only: the main window connects the buttons, keeps at most one of
// them down and writes the read-outs.
#pragma once

class QButtonGroup;
class QLabel;
class QTabWidget;
class QToolButton;
class QWidget;

namespace moravel {

class DebugPage {
public:
    /// Builds the page and appends it to `Tab1` as "Debug". GUI thread only.
    explicit DebugPage(QTabWidget* Tab1);
    DebugPage(const DebugPage&) = delete;
    DebugPage& operator=(const DebugPage&) = delete;

    QWidget* sheet;  // "TabDebug"

    QLabel* Label35;  // "Buffer Cycle", "0"
    QLabel* Label33;  // "Process time", "0"
    QLabel* Label38;  // "Plot time", "0"
    QLabel* Label53;  // "CopyRect time", "0"
    QLabel* Label71;  // "Available", "0"
    QLabel* Label47;  // "Buffers behind :", "0"

    QToolButton* sb_plot_spectral;  // "Plot spectral", up at creation
    QToolButton* sb_plot_signal;    // "Plot signal", up at creation
    /// Holds the two plot buttons; not exclusive, so both may be up (the
    /// window releases the other button when one goes down).
    QButtonGroup* DebugPlotGroup;
};

}  // namespace moravel
