// The record-on-signal group of the "Recorder" page: the mode's on button
// ("Record on signal"), the folder (a "Folder" button and its panel), the threshold with
// its value and the live level beside it, the attack, hang and pre-roll
// times, and the mode's state. Ranges and defaults come from
// TransmissionSettings.h, which moravel-process --split uses too.
//
// Layout only: RecordOnSignalController connects the controls and fills the
// read-outs. GUI thread only.
#pragma once

#include <QString>

class QDoubleSpinBox;
class QHBoxLayout;
class QLabel;
class QSlider;
class QToolButton;

namespace moravel {

class RecordOnSignalPanel {
public:
    /// Builds the group and adds it to `row` (the page's row of groups).
    explicit RecordOnSignalPanel(QHBoxLayout* row);

    // Object names (in quotes, or the control table's row) are the ones
    // the tests and the accessible texts find the controls by.
    QToolButton* recordOnSignalSwitch;  // "sb_record_on_signal": "Record on signal", up at creation
    QToolButton* folderButton;          // "sb_browse_signal_folder": "Folder" (one-shot)
    QLabel* folderPanel;                // "PanelSignalFolder": the folder (sunken), empty at creation
    QSlider* thresholdSlider;           // "TrackSignalThreshold": dBFS, whole decibels
    QLabel* thresholdLabel;             // "LabelSignalThreshold": "-35 dBFS"
    QLabel* levelLabel;                 // "LabelSignalLevel": "Level -60 dBFS"
    QDoubleSpinBox* attackSpinBox;      // "SpinSignalAttack": seconds
    QDoubleSpinBox* hangSpinBox;        // "SpinSignalHang": seconds
    QDoubleSpinBox* preRollSpinBox;     // "SpinSignalPreRoll": seconds
    QLabel* stateLabel;                 // "LabelSignalState": "Off", "Waiting", "Recording ..."

    /// The threshold's and the level's read-outs.
    static QString ThresholdText(int dbfs);
    static QString LevelText(double dbfs);
};

}  // namespace moravel
