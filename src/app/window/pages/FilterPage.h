// The "Filter" settings page: the spectral filter's centre (cut-off)
// frequency and bandwidth with their read-outs, the filter type, the presets,
// "Filter On", "Visible" (band drawn on the spectrum plot), and the help button.
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

class FilterPage {
public:
    /// Builds the page and appends it to `Tab1` as "Filter". GUI thread only.
    explicit FilterPage(QTabWidget* Tab1);
    FilterPage(const FilterPage&) = delete;
    FilterPage& operator=(const FilterPage&) = delete;

    QWidget* sheet;  // "TabFilter"

    QSlider* TrackFilterCenter;  // centre / cut-off in Hz, controls::kTrackFilterCenter
    QLabel* Label9;              // "1000 Hz"
    QSlider* TrackFilterBW;      // bandwidth in Hz, controls::kTrackFilterBW
    QLabel* Label7;              // "500 Hz"

    QComboBox* ComboFilterType;     // controls::kComboFilterType
    QComboBox* ComboPresetFilters;  // controls::kComboPresetFilters: the presets by name, none selected

    QToolButton* sb_filter_on;       // "Filter On", up at creation
    QToolButton* sb_filter_visible;  // "Visible", up at creation

    QToolButton* SpeedButton9;  // "?"
};

}  // namespace moravel
