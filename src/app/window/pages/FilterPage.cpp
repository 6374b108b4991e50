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

FilterPage::FilterPage(QTabWidget* Tab1) {
    sheet = MakeSheet(Tab1, "TabFilter", QStringLiteral("Filter"));

    sb_filter_on = MakeToggleButton("sb_filter_on", QStringLiteral("Filter On"));
    sb_filter_visible = MakeToggleButton("sb_filter_visible", QStringLiteral("Visible"));
    SpeedButton9 = MakeHelpButton("SpeedButton9");
    QWidget* switches = MakeSwitchColumn({sb_filter_on, sb_filter_visible}, SpeedButton9);

    TrackFilterCenter = MakeTrackBar(controls::kTrackFilterCenter, kTrackWidth);
    Label9 = MakeValueLabel("Label9", HertzText(controls::kTrackFilterCenter.position), kReadoutWidth);
    TrackFilterBW = MakeTrackBar(controls::kTrackFilterBW, kTrackWidth);
    Label7 = MakeValueLabel("Label7", HertzText(controls::kTrackFilterBW.position), kReadoutWidth);
    QGroupBox* band = MakeGroup(QStringLiteral("Band"));
    QGridLayout* bandGrid = MakeGridLayout(band);
    bandGrid->addWidget(MakeCaption(QStringLiteral("Center")), 0, 0);
    bandGrid->addWidget(TrackFilterCenter, 0, 1);
    bandGrid->addWidget(Label9, 0, 2);
    bandGrid->addWidget(MakeCaption(QStringLiteral("Width")), 1, 0);
    bandGrid->addWidget(TrackFilterBW, 1, 1);
    bandGrid->addWidget(Label7, 1, 2);
    bandGrid->setRowStretch(2, 1);

    ComboFilterType = MakeComboBox(controls::kComboFilterType);
    ComboPresetFilters = MakeComboBox(controls::kComboPresetFilters, QStringLiteral("Presets"));
    QGroupBox* type = MakeGroup(QStringLiteral("Type"));
    QGridLayout* typeGrid = MakeGridLayout(type);
    typeGrid->addWidget(ComboFilterType, 0, 0);
    typeGrid->addWidget(ComboPresetFilters, 1, 0);
    typeGrid->setRowStretch(2, 1);

    QHBoxLayout* row = MakeRowLayout(sheet);
    row->addWidget(switches);
    row->addWidget(band);
    row->addWidget(type);
    row->addStretch(1);
}

}  // namespace moravel
