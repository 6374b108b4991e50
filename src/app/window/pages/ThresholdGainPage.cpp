#include "app/window/pages/ThresholdGainPage.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QTabWidget>
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

ThresholdGainPage::ThresholdGainPage(QTabWidget* tabs, const Description& what)
    : SettingsPage(tabs, what.sheetName, TableText(what.tabCaption)),
      description(what),
      onSwitch(MakeToggleButton(what.onRow, TableText(what.onCaption))),
      thresholdSlider(MakeTrackBar(what.thresholdRow, kTrackWidth)),
      gainSlider(MakeTrackBar(what.gainRow, kTrackWidth)),
      defaultsButton(MakeSpeedButton(what.defaultsName, QStringLiteral("Defaults"))),
      helpButton(MakeHelpButton(what.helpName)) {
    QHBoxLayout* row = MakeRowLayout(sheet);
    row->addWidget(MakeSwitchColumn({onSwitch, defaultsButton}, helpButton));
    row->addWidget(MakeTrackGroup(QStringLiteral("Threshold"), thresholdSlider));
    row->addWidget(MakeTrackGroup(QStringLiteral("Gain"), gainSlider));
    row->addStretch(1);
}

}  // namespace moravel
