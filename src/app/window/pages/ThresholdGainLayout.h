// The layout shared by the "Compress" and "Expand" pages: an on/off button,
// a threshold track bar and a gain track bar (each page's rows of the control
// table), a "Defaults" button and the help button. Each page names the
// buttons; the hints come with the names (AccessibleTexts.h).
// GUI thread only.
#pragma once

#include <QString>

#include "common/ControlTable.h"

class QSlider;
class QToolButton;
class QWidget;

namespace moravel {

/// Object names and texts of one threshold/gain page.
struct ThresholdGainNames {
    const char* onButton;
    QString onCaption;
    const controls::TrackControl& threshold;
    const controls::TrackControl& gain;
    const char* defaults;
    const char* help;
};

/// The controls made by LayOutThresholdGain.
struct ThresholdGainControls {
    QToolButton* onSwitch;
    QSlider* thresholdSlider;
    QSlider* gainSlider;
    QToolButton* defaultsButton;
    QToolButton* helpButton;
};

/// Makes the controls named in `names` and lays them out on `sheet`.
ThresholdGainControls LayOutThresholdGain(QWidget* sheet, const ThresholdGainNames& names);

}  // namespace moravel
