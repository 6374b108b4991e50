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
    /// Builds the page and appends it to `tabs` as "Shift". GUI thread only.
    explicit ShiftPage(QTabWidget* tabs);
    ShiftPage(const ShiftPage&) = delete;
    ShiftPage& operator=(const ShiftPage&) = delete;

    // Object names (in quotes, or the control table's row) are the ones
    // the tests, the settings and the accessible texts find the controls by.
    QWidget* sheet;  // "TabShift"

    QSlider* shiftSlider;          // steps of the range's unit, controls::kTbFreqShift
    QComboBox* shiftRangeCombo;    // controls::kComboFreqShiftRange
    QLabel* shiftLabel;            // "lbl_freq_shift": the shift in Hz, "0 Hz"
    QToolButton* shiftZeroButton;  // "sbZeroFShift": "Zero" (one-shot)
    QToolButton* shiftSwitch;      // controls::kShiftOn: "Shift On", up at creation

    QToolButton* helpButton;  // "SpeedButton10": "?"
};

}  // namespace moravel
