// The layout shared by the "Player" and "Recorder" pages: the run and pause
// buttons with the help button in a column, a "File" group that starts with
// "Browse" beside the file-name panel, and an untitled group of time (and
// size) read-outs. Each page adds its own rows to the two grids. GUI thread only.
#pragma once

class QGridLayout;
class QLabel;
class QToolButton;
class QWidget;

namespace moravel {

/// Widths in pixels of the file-name panel, a time panel ("00:00:00") and
/// the recording size panel (up to "9,999,999 kB").
inline constexpr int kWaveFileNameWidth = 220;
inline constexpr int kWaveTimeWidth = 70;
inline constexpr int kWaveSizeWidth = 96;

/// The grids a page fills further: `file` has "Browse" and the file name in
/// row 0; `readouts` is empty. Rows 0..2 are free for the page (row 3 takes
/// the spare height).
struct WavePageGrids {
    QGridLayout* file;
    QGridLayout* readouts;
};

/// Lays out `run` and `pause` (toggle buttons), `help`, `browse` and
/// `fileName` on `sheet`.
WavePageGrids LayOutWavePage(QWidget* sheet, QToolButton* run, QToolButton* pause, QToolButton* help,
                             QToolButton* browse, QLabel* fileName);

}  // namespace moravel
