// The "Debug" settings page (its tab is hidden at start-up): the timing
// read-outs of the block cycle in seconds ("Buffer Cycle", "Process time",
// "Plot time", "CopyRect time", "Available"), the output queue depth
// ("Buffers behind :"), and the two debug plot buttons "Plot spectral" and
// "Plot signal", of which at most one may be down.
//
// Layout only: the main window connects the buttons, keeps at most one of
// them down and writes the read-outs.
#pragma once

#include "app/window/pages/SettingsPage.h"

class QButtonGroup;
class QLabel;
class QTabWidget;
class QToolButton;
class QWidget;

namespace moravel {

class DebugPage : public SettingsPage {
public:
    /// Builds the page and appends it to `tabs` as "Debug". GUI thread only.
    explicit DebugPage(QTabWidget* tabs);

    // Object names (in quotes, or the control table's row) are the ones
    // the tests and the accessible texts find the controls by.

    QLabel* bufferCycleLabel;    // "Label35": "Buffer Cycle", "0"
    QLabel* processTimeLabel;    // "Label33": "Process time", "0"
    QLabel* plotTimeLabel;       // "Label38": "Plot time", "0"
    QLabel* copyRectTimeLabel;   // "Label53": "CopyRect time", "0"
    QLabel* availableTimeLabel;  // "Label71": "Available", "0"
    QLabel* buffersBehindLabel;  // "Label47": "Buffers behind :", "0"

    QToolButton* plotSpectralSwitch;  // "sb_plot_spectral": "Plot spectral", up at creation
    QToolButton* plotSignalSwitch;    // "sb_plot_signal": "Plot signal", up at creation
    /// "DebugPlotGroup": holds the two plot buttons; not exclusive, so both
    /// may be up (the window releases the other button when one goes down).
    QButtonGroup* plotButtons;
};

}  // namespace moravel
