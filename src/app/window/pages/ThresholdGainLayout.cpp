#include "app/window/pages/ThresholdGainLayout.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QToolButton>

#include "app/window/pages/PageControls.h"

namespace moravel {

namespace {

constexpr int kTrackWidth = 130;

// A titled group holding one track bar between captions of its two ends.
QGroupBox* MakeTrackGroup(const QString& title, QSlider* track) {
    QGroupBox* group = MakeGroup(title);
    QGridLayout* grid = MakeGridLayout(group);
    grid->addWidget(MakeCaption(QString::number(track->minimum())), 0, 0);
    grid->addWidget(track, 0, 1);
    grid->addWidget(MakeCaption(QString::number(track->maximum())), 0, 2);
    grid->setRowStretch(1, 1);
    return group;
}

}  // namespace

ThresholdGainControls LayOutThresholdGain(QWidget* sheet, const ThresholdGainNames& names) {
    ThresholdGainControls controls{};
    controls.onSwitch = MakeToggleButton(names.onButton, names.onCaption);
    controls.thresholdSlider = MakeTrackBar(names.threshold, kTrackWidth);
    controls.gainSlider = MakeTrackBar(names.gain, kTrackWidth);
    controls.defaultsButton = MakeSpeedButton(names.defaults, QStringLiteral("Defaults"));
    controls.helpButton = MakeHelpButton(names.help);

    QHBoxLayout* row = MakeRowLayout(sheet);
    row->addWidget(MakeSwitchColumn({controls.onSwitch, controls.defaultsButton}, controls.helpButton));
    row->addWidget(MakeTrackGroup(QStringLiteral("Threshold"), controls.thresholdSlider));
    row->addWidget(MakeTrackGroup(QStringLiteral("Gain"), controls.gainSlider));
    row->addStretch(1);
    return controls;
}

}  // namespace moravel
