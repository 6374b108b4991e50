#include "ThresholdGainLayout.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QToolButton>

#include "PageControls.h"

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
    controls.onButton = MakeToggleButton(names.onButton, names.onCaption);
    controls.threshold = MakeTrackBar(names.threshold, {-50, 50, 0, 1, 10}, kTrackWidth, names.thresholdHint);
    controls.gain = MakeTrackBar(names.gain, {-10, 10, 0, 1, 2}, kTrackWidth, names.gainHint);
    controls.defaults = MakeSpeedButton(names.defaults, QStringLiteral("Defaults"));
    controls.help = MakeHelpButton(names.help);

    QWidget* switches = new QWidget;
    QGridLayout* switchGrid = MakeGridLayout(switches);
    switchGrid->setContentsMargins(0, kMarginY, 0, kMarginY);
    switchGrid->addWidget(controls.onButton, 0, 0);
    switchGrid->addWidget(controls.defaults, 1, 0);
    switchGrid->addWidget(controls.help, 2, 0, Qt::AlignLeft);

    QHBoxLayout* row = MakeRowLayout(sheet);
    row->addWidget(switches);
    row->addWidget(MakeTrackGroup(QStringLiteral("Threshold"), controls.threshold));
    row->addWidget(MakeTrackGroup(QStringLiteral("Gain"), controls.gain));
    row->addStretch(1);
    return controls;
}

}  // namespace moravel
