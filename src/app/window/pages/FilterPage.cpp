#include "FilterPage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QToolButton>

#include "PageControls.h"

namespace moravel {

namespace {

constexpr int kTrackWidth = 110;
// Wide enough for "15500 Hz", so the track bars do not move.
constexpr int kReadoutWidth = 58;

}  // namespace

FilterPage::FilterPage(QTabWidget* Tab1) {
    sheet = MakeSheet(Tab1, "TabFilter", QStringLiteral("Filter"));

    sb_filter_on = MakeToggleButton("sb_filter_on", QStringLiteral("Filter On"));
    sb_filter_visible = MakeToggleButton("sb_filter_visible", QStringLiteral("Visible"));
    SpeedButton9 = MakeHelpButton("SpeedButton9");
    QWidget* switches = new QWidget;
    QGridLayout* switchGrid = MakeGridLayout(switches);
    switchGrid->setContentsMargins(0, kMarginY, 0, kMarginY);
    switchGrid->addWidget(sb_filter_on, 0, 0);
    switchGrid->addWidget(sb_filter_visible, 1, 0);
    switchGrid->addWidget(SpeedButton9, 2, 0, Qt::AlignLeft);

    TrackFilterCenter = MakeTrackBar("TrackFilterCenter", {10, 30000, 1000, 10, 100}, kTrackWidth);
    Label9 = MakeValueLabel("Label9", QStringLiteral("1000 Hz"), kReadoutWidth);
    TrackFilterBW = MakeTrackBar("TrackFilterBW", {20, 3000, 500, 10, 100}, kTrackWidth);
    Label7 = MakeValueLabel("Label7", QStringLiteral("500 Hz"), kReadoutWidth);
    QGroupBox* band = MakeGroup(QStringLiteral("Band"));
    QGridLayout* bandGrid = MakeGridLayout(band);
    bandGrid->addWidget(MakeCaption(QStringLiteral("Center")), 0, 0);
    bandGrid->addWidget(TrackFilterCenter, 0, 1);
    bandGrid->addWidget(Label9, 0, 2);
    bandGrid->addWidget(MakeCaption(QStringLiteral("Width")), 1, 0);
    bandGrid->addWidget(TrackFilterBW, 1, 1);
    bandGrid->addWidget(Label7, 1, 2);
    bandGrid->setRowStretch(2, 1);

    ComboFilterType = MakeComboBox("ComboFilterType",
                                   {QStringLiteral("Low pass"), QStringLiteral("Band pass"),
                                    QStringLiteral("High pass"), QStringLiteral("Stop band")},
                                   1);
    ComboPresetFilters = MakeComboBox(
        "ComboPresetFilters",
        {QStringLiteral("GENERAL : Voice - general"), QStringLiteral("GENERAL : Voice - telephone"),
         QStringLiteral("GENERAL : Hum remover"), QStringLiteral("HAM : CW"), QStringLiteral("HAM : SSTV / WEFAX"),
         QStringLiteral("HAM : RTTY / AMTOR"), QStringLiteral("HAM : PSK31")},
        -1, {}, QStringLiteral("Presets"));
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
