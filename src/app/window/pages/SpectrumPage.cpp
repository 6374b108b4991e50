#include "app/window/pages/SpectrumPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>

#include "common/ControlTable.h"
#include "app/window/pages/PageControls.h"

namespace moravel {

namespace {

constexpr int kTrackWidth = 72;
// Wide enough for "1,000" and "20", so the track bars do not move.
constexpr int kMaximumWidth = 34;
constexpr int kLevelWidth = 20;
// Wide enough for "15,500 Hz" and "31 Hz".
constexpr int kRangeWidth = 64;
constexpr int kResolutionWidth = 40;

}  // namespace

SpectrumPage::SpectrumPage(QTabWidget* Tab1) {
    sheet = MakeSheet(Tab1, "TabSpectrum", QStringLiteral("Spectrum"));

    sb_Spectrum_on = MakeToggleButton("sb_Spectrum_on", QStringLiteral("Spectrum On"));
    sp_spectrum_normalize = MakeToggleButton("sp_spectrum_normalize", QStringLiteral("Normalize"));
    CheckSpectrumLogarithmic = MakeCheckBox("CheckSpectrumLogarithmic", QStringLiteral("Log scale"));
    QWidget* switches = MakeSwitchColumn({sb_Spectrum_on, sp_spectrum_normalize, CheckSpectrumLogarithmic}, nullptr);

    ComboSpectrumScale = MakeComboBox(controls::kComboSpectrumScale);
    TrackSpectrumMax = MakeTrackBar(controls::kTrackSpectrumMax, kTrackWidth);
    Label14 = MakeValueLabel("Label14", QString::number(controls::kTrackSpectrumMax.position), kMaximumWidth);
    ButtonRefreshSpectrumScale = MakePushButton("ButtonRefreshSpectrumScale", QStringLiteral("Reset"));
    QGroupBox* scale = MakeGroup(QStringLiteral("Scale"));
    QGridLayout* scaleGrid = MakeGridLayout(scale);
    scaleGrid->addWidget(ComboSpectrumScale, 0, 0);
    scaleGrid->addWidget(ButtonRefreshSpectrumScale, 0, 1);
    scaleGrid->addWidget(TrackSpectrumMax, 1, 0);
    scaleGrid->addWidget(Label14, 1, 1);
    scaleGrid->setRowStretch(2, 1);

    CheckSpectrumDecay = MakeCheckBox("CheckSpectrumDecay", QStringLiteral("On"));
    TrackSpectrumDecay = MakeTrackBar(controls::kTrackSpectrumDecay, kTrackWidth);
    Label28 = MakeValueLabel("Label28", QString::number(controls::kTrackSpectrumDecay.position), kLevelWidth);
    QGroupBox* smoothing = MakeGroup(QStringLiteral("Smoothing"));
    QGridLayout* smoothingGrid = MakeGridLayout(smoothing);
    smoothingGrid->addWidget(CheckSpectrumDecay, 0, 0);
    smoothingGrid->addWidget(Label28, 0, 1, Qt::AlignRight);
    smoothingGrid->addWidget(TrackSpectrumDecay, 1, 0, 1, 2);
    smoothingGrid->setRowStretch(2, 1);

    ComboSpectrumResolution = MakeComboBox(controls::kComboSpectrumResolution);
    Label49 = MakeValueLabel("Label49", QStringLiteral("0 Hz"), kResolutionWidth);
    Label52 = MakeValueLabel("Label52", QStringLiteral("0 Hz"), kRangeWidth);
    QHBoxLayout* exactResolution = new QHBoxLayout;
    exactResolution->setSpacing(kSpacing);
    exactResolution->addWidget(MakeCaption(QStringLiteral("Exact resolution :")));
    exactResolution->addWidget(Label49);
    exactResolution->addStretch(1);
    QGroupBox* resolution = MakeGroup(QStringLiteral("Resolution"));
    QGridLayout* resolutionGrid = MakeGridLayout(resolution);
    resolutionGrid->setVerticalSpacing(0);
    // The help button sits under the combo box: the page has no column to spare.
    SpeedButton6 = MakeHelpButton("SpeedButton6");
    resolutionGrid->addWidget(ComboSpectrumResolution, 0, 0);
    resolutionGrid->addWidget(SpeedButton6, 1, 0, Qt::AlignLeft);
    resolutionGrid->addWidget(MakeCaption(QStringLiteral("Exact range")), 0, 1);
    resolutionGrid->addWidget(Label52, 1, 1);
    resolutionGrid->addLayout(exactResolution, 2, 0, 1, 2);
    resolutionGrid->setRowStretch(3, 1);

    QHBoxLayout* row = MakeRowLayout(sheet);
    row->addWidget(switches);
    row->addWidget(scale);
    row->addWidget(smoothing);
    row->addWidget(resolution);
    row->addStretch(1);
}

}  // namespace moravel
