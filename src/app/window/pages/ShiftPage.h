// The "Shift" settings page: the amount of frequency shift (track bar with
// its read-out in Hz and "Zero"), the shift range, "Shift On", and the help
// button.
//
// Layout only: the main window connects the controls.
#pragma once

#include "app/window/pages/SettingsPage.h"

class QComboBox;
class QLabel;
class QSlider;
class QTabWidget;
class QToolButton;
class QWidget;

namespace moravel {

class ShiftPage : public SettingsPage {
public:
    /// Builds the page and appends it to `tabs` as "Shift". GUI thread only.
    explicit ShiftPage(QTabWidget* tabs);

    QSlider* shiftSlider;          // steps of the range's unit, controls::kTbFreqShift
    QComboBox* shiftRangeCombo;    // controls::kComboFreqShiftRange
    QLabel* shiftLabel;            // "lbl_freq_shift": the shift in Hz, "0 Hz"
    QToolButton* shiftZeroButton;  // "sbZeroFShift": "Zero" (one-shot)
    QToolButton* shiftSwitch;      // controls::kShiftOn: "Shift On", up at creation

    QToolButton* helpButton;  // "SpeedButton10": "?"
};

}  // namespace moravel
