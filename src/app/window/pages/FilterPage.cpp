#include "app/window/pages/FilterPage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QToolButton>

#include "common/ControlTable.h"
#include "app/window/pages/PageControls.h"

namespace moravel {

namespace {

constexpr int kTrackWidth = 110;
// Wide enough for "15500 Hz", so the track bars do not move.
constexpr int kReadoutWidth = 58;

// A read-out's text before the window first writes it, as the window writes it.
QString HertzText(int hertz) { return QStringLiteral("%1 Hz").arg(hertz); }

}  // namespace

FilterPage::FilterPage(QTabWidget* tabs) : SettingsPage(tabs, "TabFilter", QStringLiteral("Filter")) {

    filterSwitch = MakeToggleButton(controls::kFilterOn, QStringLiteral("Filter On"));
    filterVisibleSwitch = MakeToggleButton(controls::kFilterVisible, QStringLiteral("Visible"));
    helpButton = MakeHelpButton("SpeedButton9");
    QWidget* switches = MakeSwitchColumn({filterSwitch, filterVisibleSwitch}, helpButton);

    filterCentreSlider = MakeTrackBar(controls::kTrackFilterCenter, kTrackWidth);
    filterCentreLabel = MakeValueLabel("Label9", HertzText(controls::kTrackFilterCenter.position), kReadoutWidth);
    filterWidthSlider = MakeTrackBar(controls::kTrackFilterBW, kTrackWidth);
    filterWidthLabel = MakeValueLabel("Label7", HertzText(controls::kTrackFilterBW.position), kReadoutWidth);
    QGroupBox* band = MakeGroup(QStringLiteral("Band"));
    QGridLayout* bandGrid = MakeGridLayout(band);
    bandGrid->addWidget(MakeCaption(QStringLiteral("Center")), 0, 0);
    bandGrid->addWidget(filterCentreSlider, 0, 1);
    bandGrid->addWidget(filterCentreLabel, 0, 2);
    bandGrid->addWidget(MakeCaption(QStringLiteral("Width")), 1, 0);
    bandGrid->addWidget(filterWidthSlider, 1, 1);
    bandGrid->addWidget(filterWidthLabel, 1, 2);
    bandGrid->setRowStretch(2, 1);

    filterTypeCombo = MakeComboBox(controls::kComboFilterType);
    filterPresetCombo = MakeComboBox(controls::kComboPresetFilters, QStringLiteral("Presets"));
    QGroupBox* type = MakeGroup(QStringLiteral("Type"));
    QGridLayout* typeGrid = MakeGridLayout(type);
    typeGrid->addWidget(filterTypeCombo, 0, 0);
    typeGrid->addWidget(filterPresetCombo, 1, 0);
    typeGrid->setRowStretch(2, 1);

    QHBoxLayout* row = MakeRowLayout(sheet);
    row->addWidget(switches);
    row->addWidget(band);
    row->addWidget(type);
    row->addStretch(1);
}

}  // namespace moravel
