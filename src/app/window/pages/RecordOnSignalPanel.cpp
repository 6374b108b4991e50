#include "app/window/pages/RecordOnSignalPanel.h"

#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/window/pages/PageControls.h"
#include "audio/transmission/TransmissionSettings.h"

#include <cmath>
#include <initializer_list>

namespace moravel {

namespace {

constexpr int kFolderWidth = 130;
constexpr int kThresholdWidth = 90;
constexpr int kReadoutWidth = 56;
constexpr int kLevelWidth = 90;
constexpr int kStateWidth = 200;  // "Waiting, 12 files"; a longer state widens the page

QDoubleSpinBox* MakeSecondsBox(const char* name, const TransmissionSettingRange& range) {
    auto* box = new QDoubleSpinBox;
    box->setObjectName(name);
    box->setRange(range.minimum, range.maximum);
    box->setDecimals(1);
    box->setSingleStep(0.1);
    box->setSuffix(QStringLiteral(" s"));
    box->setValue(range.defaultValue);
    box->setKeyboardTracking(false);
    return box;
}

// The caption of a spin box, which a screen reader takes as its label.
QLabel* Captioned(const char* caption, QWidget* box) {
    QLabel* label = MakeCaption(QString::fromLatin1(caption));
    label->setBuddy(box);
    return label;
}

void AddRow(QVBoxLayout* rows, std::initializer_list<QWidget*> widgets) {
    auto* row = new QHBoxLayout;
    row->setSpacing(kSpacing);
    for (QWidget* widget : widgets) row->addWidget(widget);
    row->addStretch(1);
    rows->addLayout(row);
}

TrackBarRange ThresholdRange() {
    const auto& r = transmission::kThresholdDbfs;
    return {static_cast<int>(r.minimum), static_cast<int>(r.maximum), static_cast<int>(std::lround(r.defaultValue)), 1,
            5};
}

}  // namespace

RecordOnSignalPanel::RecordOnSignalPanel(QHBoxLayout* row) {
    recordOnSignalSwitch = MakeToggleButton("sb_record_on_signal", QStringLiteral("Record on signal"));
    folderButton = MakeSpeedButton("sb_browse_signal_folder", QStringLiteral("Folder"));
    folderPanel = MakePanel("PanelSignalFolder", QString(), kFolderWidth, Qt::AlignLeft);
    thresholdSlider = MakeTrackBar("TrackSignalThreshold", ThresholdRange(), kThresholdWidth);
    thresholdLabel = MakeValueLabel("LabelSignalThreshold", ThresholdText(thresholdSlider->value()), kReadoutWidth);
    levelLabel = MakeValueLabel("LabelSignalLevel", QStringLiteral("Level -"), kLevelWidth);
    attackSpinBox = MakeSecondsBox("SpinSignalAttack", transmission::kAttackSeconds);
    hangSpinBox = MakeSecondsBox("SpinSignalHang", transmission::kHangSeconds);
    preRollSpinBox = MakeSecondsBox("SpinSignalPreRoll", transmission::kPreRollSeconds);
    stateLabel = MakeValueLabel("LabelSignalState", QStringLiteral("Off"), kStateWidth);

    // Rows of their own rather than a grid: the wide "Record on signal"
    // button would otherwise widen every row's first column.
    QGroupBox* group = MakeGroup(QString());
    QVBoxLayout* rows = MakeColumnLayout(group);
    AddRow(rows, {recordOnSignalSwitch, folderButton, folderPanel, stateLabel});
    AddRow(rows, {MakeCaption(QStringLiteral("Threshold")), thresholdSlider, thresholdLabel, levelLabel});
    AddRow(rows, {Captioned("Attack", attackSpinBox), attackSpinBox, Captioned("Hang", hangSpinBox), hangSpinBox,
                  Captioned("Pre-roll", preRollSpinBox), preRollSpinBox});
    rows->addStretch(1);
    row->insertWidget(row->count() - 1, group);  // before the row's closing stretch
}

QString RecordOnSignalPanel::ThresholdText(int dbfs) { return QStringLiteral("%1 dBFS").arg(dbfs); }

QString RecordOnSignalPanel::LevelText(double dbfs) {
    return QStringLiteral("Level %1 dBFS").arg(static_cast<int>(std::lround(dbfs)));
}

}  // namespace moravel
