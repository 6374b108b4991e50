#include "app/window/pages/SoundcardPage.h"

#include <initializer_list>

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/window/pages/PageControls.h"

namespace moravel {

namespace {

constexpr TrackBarRange kVolume{0, 100, 10, 1, 10};
constexpr int kVolumeWidth = 60;
constexpr int kNameWidth = 100;

// One mixer line: its check box with its caption, and its track bar.
struct MixerLine {
    QCheckBox*& check;
    QSlider*& track;
    const char* checkName;
    const char* caption;
    const char* trackName;
};

// A group box holding one row (check box, track bar) per line.
QGroupBox* MakeLineGroup(const QString& title, std::initializer_list<MixerLine> lines) {
    QGroupBox* group = MakeGroup(title);
    QGridLayout* grid = MakeGridLayout(group);
    grid->setVerticalSpacing(0);
    int row = 0;
    for (const MixerLine& line : lines) {
        line.check = MakeCheckBox(line.checkName, line.caption);
        line.track = MakeTrackBar(line.trackName, kVolume, kVolumeWidth);
        grid->addWidget(line.check, row, 0);
        grid->addWidget(line.track, row, 1);
        ++row;
    }
    grid->setRowStretch(row, 1);
    return group;
}

}  // namespace

SoundcardPage::SoundcardPage(QTabWidget* tabs) : SettingsPage(tabs, "TabSoundcard", QStringLiteral("Soundcard")) {

    cardNameLabel = MakeValueLabel("Label4", QString());
    cardNameLabel->setFixedWidth(kNameWidth);
    cardNameLabel->setWordWrap(true);
    autoSetButton = MakePushButton("ButtonAutoSetAudio", QStringLiteral("Auto set audio"));
    helpButton = MakeHelpButton("SpeedButton4");

    QWidget* side = new QWidget;
    QVBoxLayout* column = MakeColumnLayout(side);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(cardNameLabel);
    column->addStretch(1);
    column->addWidget(autoSetButton);
    column->addWidget(helpButton);

    QHBoxLayout* row = MakeRowLayout(sheet);
    row->addWidget(side);
    row->addWidget(MakeLineGroup(QStringLiteral(" Audio out "),
                                 {{masterSwitch, masterVolume, "CheckBox7", "Master", "TrackBar7"},
                                  {waveOutSwitch, waveOutVolume, "CheckBox6", "Wave", "TrackBar6"}}));
    row->addWidget(
        MakeLineGroup(QStringLiteral(" Audio in "), {{micInSwitch, micInVolume, "CheckBox2", "Mic", "TrackBar2"},
                                                     {lineInSwitch, lineInVolume, "CheckBox3", "Line", "TrackBar3"}}));
    row->addWidget(
        MakeLineGroup(QStringLiteral("Off lines"), {{waveInSwitch, waveInVolume, "CheckBox8", "Wave", "TrackBar8"},
                                                    {micOutSwitch, micOutVolume, "CheckBox4", "Mic", "TrackBar4"},
                                                    {lineOutSwitch, lineOutVolume, "CheckBox5", "Line", "TrackBar5"}}));
    row->addStretch(1);
}

}  // namespace moravel
