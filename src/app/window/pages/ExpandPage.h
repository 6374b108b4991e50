// The "Expand" settings page: "Expander On", the expander's threshold and
// amplification track bars, "Defaults" (threshold 0, gain 0, applied by the
// main window) and the help button.
//
// Layout only: the main window connects the controls.
#pragma once

class QSlider;
class QTabWidget;
class QToolButton;
class QWidget;

namespace moravel {

class ExpandPage {
public:
    /// Builds the page and appends it to `tabs` as "Expand". GUI thread only.
    explicit ExpandPage(QTabWidget* tabs);
    ExpandPage(const ExpandPage&) = delete;
    ExpandPage& operator=(const ExpandPage&) = delete;

    // Object names (in quotes, or the control table's row) are the ones
    // the tests, the settings and the accessible texts find the controls by.
    QWidget* sheet;  // "TabExpand"

    QToolButton* expanderSwitch;          // controls::kExpanderOn: "Expander On", up at creation
    QSlider* expanderThresholdSlider;     // range and position: controls::kTrackExpanderThreshold
    QSlider* expanderGainSlider;          // controls::kTrackExpanderGain
    QToolButton* expanderDefaultsButton;  // "SpeedButton2": "Defaults"
    QToolButton* helpButton;              // "SpeedButton12": "?"
};

}  // namespace moravel
