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

ShiftPage::ShiftPage(QTabWidget* Tab1) {
    sheet = MakeSheet(Tab1, "TabShift", QStringLiteral("Shift"));

    sb_shift_on = MakeToggleButton("sb_shift_on", QStringLiteral("Shift On"));
    SpeedButton10 = MakeHelpButton("SpeedButton10");
    QWidget* switches = MakeSwitchColumn({sb_shift_on}, SpeedButton10);

    tbFreqShift = MakeTrackBar(controls::kTbFreqShift, kTrackWidth);
    // A tick at every page step.
    tbFreqShift->setTickPosition(QSlider::TicksBelow);
    tbFreqShift->setTickInterval(controls::kTbFreqShift.pageStep);
    lbl_freq_shift = MakeValueLabel("lbl_freq_shift", QStringLiteral("0 Hz"), kReadoutWidth);
    lbl_freq_shift->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    sbZeroFShift = MakeSpeedButton("sbZeroFShift", QStringLiteral("Zero"));
    ComboFreqShiftRange = MakeComboBox(controls::kComboFreqShiftRange);
    QGroupBox* amount = MakeGroup(QStringLiteral("Frequency shift"));
    QGridLayout* amountGrid = MakeGridLayout(amount);
    amountGrid->addWidget(tbFreqShift, 0, 0, 1, 2);
    amountGrid->addWidget(lbl_freq_shift, 0, 2);
    amountGrid->addWidget(MakeCaption(QStringLiteral("Range")), 1, 0, Qt::AlignRight);
    amountGrid->addWidget(ComboFreqShiftRange, 1, 1, Qt::AlignLeft);
    amountGrid->addWidget(sbZeroFShift, 1, 2);
    amountGrid->setRowStretch(2, 1);

    QHBoxLayout* row = MakeRowLayout(sheet);
    row->addWidget(switches);
    row->addWidget(amount);
    row->addStretch(1);
}

}  // namespace moravel
