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

SoundcardPage::SoundcardPage(QTabWidget* Tab1) {
    sheet = MakeSheet(Tab1, "TabSoundcard", QStringLiteral("Soundcard"));

    Label4 = MakeValueLabel("Label4", QString());
    Label4->setFixedWidth(kNameWidth);
    Label4->setWordWrap(true);
    ButtonAutoSetAudio = MakePushButton("ButtonAutoSetAudio", QStringLiteral("Auto set audio"));
    SpeedButton4 = MakeHelpButton("SpeedButton4");

    QWidget* side = new QWidget;
    QVBoxLayout* column = MakeColumnLayout(side);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(Label4);
    column->addStretch(1);
    column->addWidget(ButtonAutoSetAudio);
    column->addWidget(SpeedButton4);

    QHBoxLayout* row = MakeRowLayout(sheet);
    row->addWidget(side);
    row->addWidget(
        MakeLineGroup(QStringLiteral(" Audio out "), {{CheckBox7, TrackBar7, "CheckBox7", "Master", "TrackBar7"},
                                                      {CheckBox6, TrackBar6, "CheckBox6", "Wave", "TrackBar6"}}));
    row->addWidget(
        MakeLineGroup(QStringLiteral(" Audio in "), {{CheckBox2, TrackBar2, "CheckBox2", "Mic", "TrackBar2"},
                                                     {CheckBox3, TrackBar3, "CheckBox3", "Line", "TrackBar3"}}));
    row->addWidget(
        MakeLineGroup(QStringLiteral("Off lines"), {{CheckBox8, TrackBar8, "CheckBox8", "Wave", "TrackBar8"},
                                                    {CheckBox4, TrackBar4, "CheckBox4", "Mic", "TrackBar4"},
                                                    {CheckBox5, TrackBar5, "CheckBox5", "Line", "TrackBar5"}}));
    row->addStretch(1);
}

}  // namespace moravel
