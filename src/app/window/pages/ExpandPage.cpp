#include "app/window/pages/ExpandPage.h"

#include <QTabWidget>

#include "app/window/pages/PageControls.h"
#include "app/window/pages/ThresholdGainLayout.h"

namespace moravel {

ExpandPage::ExpandPage(QTabWidget* tabs) {
    sheet = MakeSheet(tabs, "TabExpand", QStringLiteral("Expand"));
    const ThresholdGainControls controls =
        LayOutThresholdGain(sheet, {"sb_expander_on", QStringLiteral("Expander On"), controls::kTrackExpanderThreshold,
                                    controls::kTrackExpanderGain, "SpeedButton2", "SpeedButton12"});
    expanderSwitch = controls.onSwitch;
    expanderThresholdSlider = controls.thresholdSlider;
    expanderGainSlider = controls.gainSlider;
    expanderDefaultsButton = controls.defaultsButton;
    helpButton = controls.helpButton;
}

}  // namespace moravel
