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

    QWidget* sheet;  // "TabExpand"

    QToolButton* expanderSwitch;          // "Expander On", up at creation
    QSlider* expanderThresholdSlider;     // range and position: controls::kTrackExpanderThreshold
    QSlider* expanderGainSlider;          // controls::kTrackExpanderGain
    QToolButton* expanderDefaultsButton;  // "Defaults"
    QToolButton* helpButton;              // "?"
};

}  // namespace moravel
