#include "app/window/pages/ShiftPage.h"

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

constexpr int kTrackWidth = 250;
// Wide enough for "-20,000 Hz", so the read-out does not move its neighbours.
constexpr int kReadoutWidth = 76;

}  // namespace

ShiftPage::ShiftPage(QTabWidget* tabs) : SettingsPage(tabs, "TabShift", QStringLiteral("Shift")) {

    shiftSwitch = MakeToggleButton(controls::kShiftOn, QStringLiteral("Shift On"));
    helpButton = MakeHelpButton("SpeedButton10");
    QWidget* switches = MakeSwitchColumn({shiftSwitch}, helpButton);

    shiftSlider = MakeTrackBar(controls::kTbFreqShift, kTrackWidth);
    // A tick at every page step.
    shiftSlider->setTickPosition(QSlider::TicksBelow);
    shiftSlider->setTickInterval(controls::kTbFreqShift.pageStep);
    shiftLabel = MakeValueLabel("lbl_freq_shift", QStringLiteral("0 Hz"), kReadoutWidth);
    shiftLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    shiftZeroButton = MakeSpeedButton("sbZeroFShift", QStringLiteral("Zero"));
    shiftRangeCombo = MakeComboBox(controls::kComboFreqShiftRange);
    QGroupBox* amount = MakeGroup(QStringLiteral("Frequency shift"));
    QGridLayout* amountGrid = MakeGridLayout(amount);
    amountGrid->addWidget(shiftSlider, 0, 0, 1, 2);
    amountGrid->addWidget(shiftLabel, 0, 2);
    amountGrid->addWidget(MakeCaption(QStringLiteral("Range")), 1, 0, Qt::AlignRight);
    amountGrid->addWidget(shiftRangeCombo, 1, 1, Qt::AlignLeft);
    amountGrid->addWidget(shiftZeroButton, 1, 2);
    amountGrid->setRowStretch(2, 1);

    QHBoxLayout* row = MakeRowLayout(sheet);
    row->addWidget(switches);
    row->addWidget(amount);
    row->addStretch(1);
}

}  // namespace moravel
