// The "Compress" settings page: "Compressor On", the compressor's threshold
// and amplification track bars, "Defaults" (threshold 0, gain -5, applied by
// the main window) and the help button.
//
// Layout only: the main window connects the controls.
#pragma once

class QSlider;
class QTabWidget;
class QToolButton;
class QWidget;

namespace moravel {

class CompressPage {
public:
    /// Builds the page and appends it to `tabs` as "Compress". GUI thread only.
    explicit CompressPage(QTabWidget* tabs);
    CompressPage(const CompressPage&) = delete;
    CompressPage& operator=(const CompressPage&) = delete;

    // Object names (in quotes, or the control table's row) are the ones
    // the tests, the settings and the accessible texts find the controls by.
    QWidget* sheet;  // "TabCompress"

    QToolButton* compressorSwitch;          // controls::kCompressorOn: "Compressor On", up at creation
    QSlider* compressorThresholdSlider;     // range and position: controls::kTrackCompressorThreshold
    QSlider* compressorGainSlider;          // controls::kTrackCompressorGain
    QToolButton* compressorDefaultsButton;  // "SpeedButton1": "Defaults"
    QToolButton* helpButton;                // "SpeedButton11": "?"
};

}  // namespace moravel
