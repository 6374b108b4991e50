#include "app/window/pages/CompressPage.h"

#include <QTabWidget>

#include "app/window/pages/PageControls.h"
#include "app/window/pages/ThresholdGainLayout.h"

namespace moravel {

CompressPage::CompressPage(QTabWidget* tabs) {
    sheet = MakeSheet(tabs, "TabCompress", QStringLiteral("Compress"));
    const ThresholdGainControls controls = LayOutThresholdGain(
        sheet, {"sb_compressor_on", QStringLiteral("Compressor On"), controls::kTrackCompressorThreshold,
                controls::kTrackCompressorGain, "SpeedButton1", "SpeedButton11"});
    compressorSwitch = controls.onSwitch;
    compressorThresholdSlider = controls.thresholdSlider;
    compressorGainSlider = controls.gainSlider;
    compressorDefaultsButton = controls.defaultsButton;
    helpButton = controls.helpButton;
}

}  // namespace moravel
