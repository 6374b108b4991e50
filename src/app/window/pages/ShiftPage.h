// The "Shift" settings page: the amount of frequency shift (track bar with
// its read-out in Hz and "Zero"), the shift range, "Shift On", and the help
// button.
//
// Layout only: the main window connects the controls.
#pragma once

class QComboBox;
class QLabel;
class QSlider;
class QTabWidget;
class QToolButton;
class QWidget;

namespace moravel {

class ShiftPage {
public:
    /// Builds the page and appends it to `Tab1` as "Shift". GUI thread only.
    explicit ShiftPage(QTabWidget* Tab1);
    ShiftPage(const ShiftPage&) = delete;
    ShiftPage& operator=(const ShiftPage&) = delete;

    QWidget* sheet;  // "TabShift"

    QSlider* tbFreqShift;            // steps of the range's unit, controls::kTbFreqShift
    QComboBox* ComboFreqShiftRange;  // controls::kComboFreqShiftRange
    QLabel* lbl_freq_shift;          // the shift in Hz, "0 Hz"
    QToolButton* sbZeroFShift;       // "Zero" (one-shot)
    QToolButton* sb_shift_on;        // "Shift On", up at creation

    QToolButton* SpeedButton10;  // "?"
};

}  // namespace moravel
