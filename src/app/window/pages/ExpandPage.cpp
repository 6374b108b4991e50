#include "app/window/pages/ExpandPage.h"

#include <QTabWidget>

#include "app/window/pages/PageControls.h"
#include "app/window/pages/ThresholdGainLayout.h"

namespace moravel {

ExpandPage::ExpandPage(QTabWidget* Tab1) {
    sheet = MakeSheet(Tab1, "TabExpand", QStringLiteral("Expand"));
    const ThresholdGainControls controls =
        LayOutThresholdGain(sheet, {"sb_expander_on", QStringLiteral("Expander On"), controls::kTrackExpanderThreshold,
                                    controls::kTrackExpanderGain, "SpeedButton2", "SpeedButton12"});
    sb_expander_on = controls.onButton;
    TrackExpanderThreshold = controls.threshold;
    TrackExpanderGain = controls.gain;
    SpeedButton2 = controls.defaults;
    SpeedButton12 = controls.help;
}

}  // namespace moravel
