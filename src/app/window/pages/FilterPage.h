// The "Filter" settings page: the spectral filter's centre (cut-off)
// frequency and bandwidth with their read-outs, the filter type, the presets,
// "Filter On", "Visible" (band drawn on the spectrum plot), and the help button.
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

class FilterPage : public SettingsPage {
public:
    /// Builds the page and appends it to `tabs` as "Filter". GUI thread only.
    explicit FilterPage(QTabWidget* tabs);

    QSlider* filterCentreSlider;  // centre / cut-off in Hz, controls::kTrackFilterCenter
    QLabel* filterCentreLabel;    // "Label9": the centre, "1000 Hz"
    QSlider* filterWidthSlider;   // bandwidth in Hz, controls::kTrackFilterBW
    QLabel* filterWidthLabel;     // "Label7": the bandwidth, "500 Hz"

    QComboBox* filterTypeCombo;    // controls::kComboFilterType
    QComboBox* filterPresetCombo;  // controls::kComboPresetFilters: the presets by name, none selected

    QToolButton* filterSwitch;         // controls::kFilterOn: "Filter On", up at creation
    QToolButton* filterVisibleSwitch;  // controls::kFilterVisible: "Visible" (band drawn), up at creation

    QToolButton* helpButton;  // "SpeedButton9": "?"
};

}  // namespace moravel
