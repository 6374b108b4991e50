#include "app/window/pages/AudioPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>

#include "common/ControlTable.h"
#include "views/MeterInstances.h"
#include "app/window/pages/PageControls.h"
#include "views/DbMeter.h"

namespace moravel {

namespace {

constexpr int kTrackWidth = 110;

}  // namespace

AudioPage::AudioPage(QTabWidget* tabs) : SettingsPage(tabs, "TabAudio", QStringLiteral("Audio")) {

    audioRangeCombo = MakeComboBox(controls::kComboAudioRange);
    QGroupBox* range = MakeGroup(QStringLiteral("Audio range"));
    QVBoxLayout* rangeColumn = MakeColumnLayout(range);
    rangeColumn->addWidget(audioRangeCombo);
    rangeColumn->addStretch(1);
    helpButton = MakeHelpButton("SpeedButton7");
    rangeColumn->addWidget(helpButton, 0, Qt::AlignLeft);

    agcSwitch = MakeCheckBox(controls::kAgcOn, QStringLiteral("Auto Gain Control"));
    agcLevelSlider = MakeTrackBar(controls::kTrackAgcLevel, kTrackWidth);
    agcDecaySlider = MakeTrackBar(controls::kTrackAgcDecay, kTrackWidth);
    agcMeter = new DbMeter;
    SetUpAsAgcGainMeter(*agcMeter);
    agcDefaultsButton = MakeSpeedButton("SpeedButton5", QStringLiteral("Defaults"));
    QGroupBox* agc = MakeGroup(QStringLiteral("AGC"));
    QGridLayout* agcGrid = MakeGridLayout(agc);
    agcGrid->setVerticalSpacing(0);
    agcGrid->addWidget(agcSwitch, 0, 0, 1, 2);
    agcGrid->addWidget(agcMeter, 0, 2, Qt::AlignCenter);
    agcGrid->addWidget(MakeCaption(QStringLiteral("Level")), 1, 0);
    agcGrid->addWidget(agcLevelSlider, 1, 1);
    agcGrid->addWidget(MakeCaption(QStringLiteral("Decay")), 2, 0);
    agcGrid->addWidget(agcDecaySlider, 2, 1);
    agcGrid->addWidget(agcDefaultsButton, 1, 2, 2, 1, Qt::AlignCenter);
    agcGrid->setRowStretch(3, 1);

    noiseBlankerSwitch = MakeCheckBox(controls::kNoiseBlankerOn, QStringLiteral("Noise blanker"));
    noiseBlankerLevelSlider = MakeTrackBar(controls::kTrackNoiseblanker1Level, kTrackWidth);
    QGroupBox* blanker = MakeGroup(QStringLiteral("Noise"));
    QGridLayout* blankerGrid = MakeGridLayout(blanker);
    blankerGrid->setVerticalSpacing(0);
    blankerGrid->addWidget(noiseBlankerSwitch, 0, 0, 1, 2);
    blankerGrid->addWidget(MakeCaption(QStringLiteral("Level")), 1, 0);
    blankerGrid->addWidget(noiseBlankerLevelSlider, 1, 1);
    blankerGrid->setRowStretch(2, 1);

    QHBoxLayout* row = MakeRowLayout(sheet);
    row->addWidget(range);
    row->addWidget(agc);
    row->addWidget(blanker);
    row->addStretch(1);
}

}  // namespace moravel
