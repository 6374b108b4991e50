// The "Player" settings page: "Play", "Pause", "Browse" with the file-name
// panel, the position track bar with the "Time" and "Total" panels, "Loop",
// and the help button.
//
// Layout only: the main window connects the controls and fills the panels.
#pragma once

#include "app/window/pages/SettingsPage.h"

class QCheckBox;
class QLabel;
class QSlider;
class QTabWidget;
class QToolButton;
class QWidget;

namespace moravel {

class PlayerPage : public SettingsPage {
public:
    /// Builds the page and appends it to `tabs` as "Player". GUI thread only.
    explicit PlayerPage(QTabWidget* tabs);

    // Object names (in quotes, or the control table's row) are the ones
    // the tests and the accessible texts find the controls by.

    QToolButton* playSwitch;    // "sb_wave_play": "Play", up at creation
    QToolButton* pauseSwitch;   // "sb_waveplayer_pause": "Pause", up at creation
    QToolButton* browseButton;  // "sb_browse_wave_playfile": "Browse" (one-shot)
    QLabel* fileNamePanel;      // "Panel38": file name (sunken), empty at creation
    QSlider* positionSlider;    // "TrackWavePlayerPosition": frame position, 0..100, 0, disabled at creation
    QLabel* timePanel;          // "Panel39": "Time", "00:00:00"
    QLabel* totalTimePanel;     // "Panel40": "Total", "00:00:00"
    QCheckBox* loopSwitch;      // "Check_waveplay_loop": "Loop"

    QToolButton* helpButton;  // "SpeedButton15": "?"
};

}  // namespace moravel
