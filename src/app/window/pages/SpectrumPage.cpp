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

#include "app/window/pages/PageControls.h"
#include "common/ControlTable.h"

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

SpectrumPage::SpectrumPage(QTabWidget* tabs) : SettingsPage(tabs, "TabSpectrum", QStringLiteral("Spectrum")) {

    spectrumSwitch = MakeToggleButton(controls::kSpectrumOn, QStringLiteral("Spectrum On"));
    normalizeSwitch = MakeToggleButton("sp_spectrum_normalize", QStringLiteral("Normalize"));
    logScaleSwitch = MakeCheckBox(controls::kSpectrumLogScale, QStringLiteral("Log scale"));
    QWidget* switches = MakeSwitchColumn({spectrumSwitch, normalizeSwitch, logScaleSwitch}, nullptr);

    scaleModeCombo = MakeComboBox(controls::kComboSpectrumScale);
    scaleMaximumSlider = MakeTrackBar(controls::kTrackSpectrumMax, kTrackWidth);
    scaleMaximumLabel = MakeValueLabel("Label14", QString::number(controls::kTrackSpectrumMax.position), kMaximumWidth);
    resetPeakHoldButton = MakePushButton("ButtonRefreshSpectrumScale", QStringLiteral("Reset"));
    QGroupBox* scale = MakeGroup(QStringLiteral("Scale"));
    QGridLayout* scaleGrid = MakeGridLayout(scale);
    scaleGrid->addWidget(scaleModeCombo, 0, 0);
    scaleGrid->addWidget(resetPeakHoldButton, 0, 1);
    scaleGrid->addWidget(scaleMaximumSlider, 1, 0);
    scaleGrid->addWidget(scaleMaximumLabel, 1, 1);
    scaleGrid->setRowStretch(2, 1);

    smoothingSwitch = MakeCheckBox(controls::kSpectrumDecayOn, QStringLiteral("On"));
    smoothingSlider = MakeTrackBar(controls::kTrackSpectrumDecay, kTrackWidth);
    smoothingLabel = MakeValueLabel("Label28", QString::number(controls::kTrackSpectrumDecay.position), kLevelWidth);
    QGroupBox* smoothing = MakeGroup(QStringLiteral("Smoothing"));
    QGridLayout* smoothingGrid = MakeGridLayout(smoothing);
    smoothingGrid->addWidget(smoothingSwitch, 0, 0);
    smoothingGrid->addWidget(smoothingLabel, 0, 1, Qt::AlignRight);
    smoothingGrid->addWidget(smoothingSlider, 1, 0, 1, 2);
    smoothingGrid->setRowStretch(2, 1);

    resolutionCombo = MakeComboBox(controls::kComboSpectrumResolution);
    binSpacingLabel = MakeValueLabel("Label49", QStringLiteral("0 Hz"), kResolutionWidth);
    highestFrequencyLabel = MakeValueLabel("Label52", QStringLiteral("0 Hz"), kRangeWidth);
    QHBoxLayout* exactResolution = new QHBoxLayout;
    exactResolution->setSpacing(kSpacing);
    exactResolution->addWidget(MakeCaption(QStringLiteral("Exact resolution :")));
    exactResolution->addWidget(binSpacingLabel);
    exactResolution->addStretch(1);
    QGroupBox* resolution = MakeGroup(QStringLiteral("Resolution"));
    QGridLayout* resolutionGrid = MakeGridLayout(resolution);
    resolutionGrid->setVerticalSpacing(0);
    // The help button sits under the combo box: the page has no column to spare.
    helpButton = MakeHelpButton("SpeedButton6");
    resolutionGrid->addWidget(resolutionCombo, 0, 0);
    resolutionGrid->addWidget(helpButton, 1, 0, Qt::AlignLeft);
    resolutionGrid->addWidget(MakeCaption(QStringLiteral("Exact range")), 0, 1);
    resolutionGrid->addWidget(highestFrequencyLabel, 1, 1);
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
