// The layout shared by the "Compress" and "Expand" pages: an on/off button,
// a threshold track bar (-50..50) and a gain track bar (-10..10), both at 0,
// a "Defaults" button and the help button. Each page names the controls.
// GUI thread only.
#pragma once

#include <QString>

class QSlider;
class QToolButton;
class QWidget;

namespace moravel {

/// Object names and texts of one threshold/gain page.
struct ThresholdGainNames {
    const char* onButton;
    QString onCaption;
    const char* threshold;
    QString thresholdHint;
    const char* gain;
    QString gainHint;
    const char* defaults;
    const char* help;
};

/// The controls made by LayOutThresholdGain.
struct ThresholdGainControls {
    QToolButton* onButton;
    QSlider* threshold;
    QSlider* gain;
    QToolButton* defaults;
    QToolButton* help;
};

/// Makes the controls named in `names` and lays them out on `sheet`.
ThresholdGainControls LayOutThresholdGain(QWidget* sheet, const ThresholdGainNames& names);

}  // namespace moravel
