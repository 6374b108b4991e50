#include "app/window/pages/CompressPage.h"

#include <QTabWidget>

#include "app/window/pages/PageControls.h"
#include "app/window/pages/ThresholdGainLayout.h"

namespace moravel {

CompressPage::CompressPage(QTabWidget* Tab1) {
    sheet = MakeSheet(Tab1, "TabCompress", QStringLiteral("Compress"));
    const ThresholdGainControls controls = LayOutThresholdGain(
        sheet, {"sb_compressor_on", QStringLiteral("Compressor On"), controls::kTrackCompressorThreshold,
                controls::kTrackCompressorGain, "SpeedButton1", "SpeedButton11"});
    sb_compressor_on = controls.onButton;
    TrackCompressorThreshold = controls.threshold;
    TrackCompressorGain = controls.gain;
    SpeedButton1 = controls.defaults;
    SpeedButton11 = controls.help;
}

}  // namespace moravel
