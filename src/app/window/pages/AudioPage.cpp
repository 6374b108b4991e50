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

AudioPage::AudioPage(QTabWidget* Tab1) {
    sheet = MakeSheet(Tab1, "TabAudio", QStringLiteral("Audio"));

    ComboAudioRange = MakeComboBox(controls::kComboAudioRange);
    QGroupBox* range = MakeGroup(QStringLiteral("Audio range"));
    QVBoxLayout* rangeColumn = MakeColumnLayout(range);
    rangeColumn->addWidget(ComboAudioRange);
    rangeColumn->addStretch(1);
    SpeedButton7 = MakeHelpButton("SpeedButton7");
    rangeColumn->addWidget(SpeedButton7, 0, Qt::AlignLeft);

    CheckAGC = MakeCheckBox("CheckAGC", QStringLiteral("Auto Gain Control"));
    TrackAgcLevel = MakeTrackBar(controls::kTrackAgcLevel, kTrackWidth);
    TrackAgcDecay = MakeTrackBar(controls::kTrackAgcDecay, kTrackWidth);
    VUAgcLevel = new DbMeter;
    SetupVUAgcLevel(*VUAgcLevel);
    SpeedButton5 = MakeSpeedButton("SpeedButton5", QStringLiteral("Defaults"));
    QGroupBox* agc = MakeGroup(QStringLiteral("AGC"));
    QGridLayout* agcGrid = MakeGridLayout(agc);
    agcGrid->setVerticalSpacing(0);
    agcGrid->addWidget(CheckAGC, 0, 0, 1, 2);
    agcGrid->addWidget(VUAgcLevel, 0, 2, Qt::AlignCenter);
    agcGrid->addWidget(MakeCaption(QStringLiteral("Level")), 1, 0);
    agcGrid->addWidget(TrackAgcLevel, 1, 1);
    agcGrid->addWidget(MakeCaption(QStringLiteral("Decay")), 2, 0);
    agcGrid->addWidget(TrackAgcDecay, 2, 1);
    agcGrid->addWidget(SpeedButton5, 1, 2, 2, 1, Qt::AlignCenter);
    agcGrid->setRowStretch(3, 1);

    CheckNoiseBlanker1 = MakeCheckBox("CheckNoiseBlanker1", QStringLiteral("Noise blanker"));
    TrackNoiseblanker1Level = MakeTrackBar(controls::kTrackNoiseblanker1Level, kTrackWidth);
    QGroupBox* blanker = MakeGroup(QStringLiteral("Noise"));
    QGridLayout* blankerGrid = MakeGridLayout(blanker);
    blankerGrid->setVerticalSpacing(0);
    blankerGrid->addWidget(CheckNoiseBlanker1, 0, 0, 1, 2);
    blankerGrid->addWidget(MakeCaption(QStringLiteral("Level")), 1, 0);
    blankerGrid->addWidget(TrackNoiseblanker1Level, 1, 1);
    blankerGrid->setRowStretch(2, 1);

    QHBoxLayout* row = MakeRowLayout(sheet);
    row->addWidget(range);
    row->addWidget(agc);
    row->addWidget(blanker);
    row->addStretch(1);
}

}  // namespace moravel
