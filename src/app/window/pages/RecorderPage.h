// The "Recorder" settings page: "Record", "Pause", "Browse" with the
// file-name panel and, below it, the file a recording went on in after a
// change of rate, the "Time" and "Size" panels, the "Record on signal" group
// (RecordOnSignalPanel) and the help button. (The blinking "Recording" light
// sits in the status strip, not here.)
//
// Layout only: the main window connects the controls and fills the panels.
#pragma once

#include "app/window/pages/SettingsPage.h"

#include "app/window/pages/RecordOnSignalPanel.h"

#include <memory>

class QLabel;
class QTabWidget;
class QToolButton;
class QWidget;

namespace moravel {

class RecorderPage : public SettingsPage {
public:
    /// Builds the page and appends it to `tabs` as "Recorder". GUI thread only.
    explicit RecorderPage(QTabWidget* tabs);

    // Object names (in quotes, or the control table's row) are the ones
    // the tests and the accessible texts find the controls by.

    QToolButton* recordSwitch;  // "sb_wave_record": "Record", up at creation
    QToolButton* pauseSwitch;   // "sb_waverecorder_pause": "Pause", up at creation
    QToolButton* browseButton;  // "sb_browse_wave_recordfile": "Browse" (one-shot)
    QLabel* fileNamePanel;      // "Panel34": file name (sunken), empty at creation
    QLabel* timePanel;          // "Panel32": "Time", "00:00:00"
    QLabel* sizePanel;          // "Panel33": "Size", "0 kB"
    QLabel* partFileLabel;      // "RecordingPart": the file a recording went on in, empty at creation

    QToolButton* helpButton;  // "SpeedButton14": "?"

    std::unique_ptr<RecordOnSignalPanel> onSignal;
};

}  // namespace moravel
