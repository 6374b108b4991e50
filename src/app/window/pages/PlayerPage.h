// The "Player" settings page: "Play", "Pause", "Browse" with the file-name
// panel, the position track bar with the "Time" and "Total" panels, "Loop",
// and the help button.
//
// Layout only: the main window connects the controls and fills the panels.
#pragma once

class QCheckBox;
class QLabel;
class QSlider;
class QTabWidget;
class QToolButton;
class QWidget;

namespace moravel {

class PlayerPage {
public:
    /// Builds the page and appends it to `Tab1` as "Player". GUI thread only.
    explicit PlayerPage(QTabWidget* Tab1);
    PlayerPage(const PlayerPage&) = delete;
    PlayerPage& operator=(const PlayerPage&) = delete;

    QWidget* sheet;  // "TabPlayer"

    QToolButton* sb_wave_play;             // "Play", up at creation
    QToolButton* sb_waveplayer_pause;      // "Pause", up at creation
    QToolButton* sb_browse_wave_playfile;  // "Browse" (one-shot)
    QLabel* Panel38;                       // file name (sunken), empty at creation
    QSlider* TrackWavePlayerPosition;      // frame position, 0..100, 0, disabled at creation
    QLabel* Panel39;                       // "Time", "00:00:00"
    QLabel* Panel40;                       // "Total", "00:00:00"
    QCheckBox* Check_waveplay_loop;        // "Loop"

    QToolButton* SpeedButton15;  // "?"
};

}  // namespace moravel
