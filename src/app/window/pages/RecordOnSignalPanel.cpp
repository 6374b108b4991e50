#include "RecordOnSignalPanel.h"

#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QToolButton>

#include "PageControls.h"
#include "TransmissionSettings.h"

#include <cmath>

namespace moravel {

namespace {

constexpr int kFolderWidth = 150;
constexpr int kThresholdWidth = 90;
constexpr int kReadoutWidth = 56;
constexpr int kLevelWidth = 90;
constexpr int kStateWidth = 260;  // "Recording \"2026-12-09_113328-2.wav\", 12 files"

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

TrackBarRange ThresholdRange() {
    const auto& r = transmission::kThresholdDbfs;
    return {static_cast<int>(r.minimum), static_cast<int>(r.maximum), static_cast<int>(std::lround(r.defaultValue)),
            1, 5};
}

}  // namespace

RecordOnSignalPanel::RecordOnSignalPanel(QHBoxLayout* row) {
    sb_record_on_signal = MakeToggleButton("sb_record_on_signal", QStringLiteral("Record on signal"));
    sb_browse_signal_folder = MakeSpeedButton("sb_browse_signal_folder", QStringLiteral("Folder"));
    PanelSignalFolder = MakePanel("PanelSignalFolder", QString(), kFolderWidth, Qt::AlignLeft);
    TrackSignalThreshold = MakeTrackBar("TrackSignalThreshold", ThresholdRange(), kThresholdWidth);
    LabelSignalThreshold =
        MakeValueLabel("LabelSignalThreshold", ThresholdText(TrackSignalThreshold->value()), kReadoutWidth);
    LabelSignalLevel = MakeValueLabel("LabelSignalLevel", QStringLiteral("Level -"), kLevelWidth);
    SpinSignalAttack = MakeSecondsBox("SpinSignalAttack", transmission::kAttackSeconds);
    SpinSignalHang = MakeSecondsBox("SpinSignalHang", transmission::kHangSeconds);
    SpinSignalPreRoll = MakeSecondsBox("SpinSignalPreRoll", transmission::kPreRollSeconds);
    LabelSignalState = MakeValueLabel("LabelSignalState", QStringLiteral("Off"), kStateWidth);

    QGroupBox* group = MakeGroup(QString());
    QGridLayout* grid = MakeGridLayout(group);
    grid->addWidget(sb_record_on_signal, 0, 0);
    grid->addWidget(sb_browse_signal_folder, 0, 1);
    grid->addWidget(PanelSignalFolder, 0, 2, 1, 3);
    grid->addWidget(LabelSignalState, 0, 5, 1, 3);
    grid->addWidget(MakeCaption(QStringLiteral("Threshold")), 1, 0);
    grid->addWidget(TrackSignalThreshold, 1, 1, 1, 2);
    grid->addWidget(LabelSignalThreshold, 1, 3);
    grid->addWidget(LabelSignalLevel, 1, 4, 1, 2);
    const struct {
        const char* caption;
        QDoubleSpinBox* box;
    } times[] = {{"Attack", SpinSignalAttack}, {"Hang", SpinSignalHang}, {"Pre-roll", SpinSignalPreRoll}};
    int column = 0;
    for (const auto& time : times) {
        QLabel* caption = MakeCaption(QString::fromLatin1(time.caption));
        caption->setBuddy(time.box);
        grid->addWidget(caption, 2, column++);
        grid->addWidget(time.box, 2, column++);
    }
    grid->setRowStretch(3, 1);
    grid->setColumnStretch(7, 1);
    row->insertWidget(row->count() - 1, group);  // before the row's closing stretch
}

QString RecordOnSignalPanel::ThresholdText(int dbfs) { return QStringLiteral("%1 dBFS").arg(dbfs); }

QString RecordOnSignalPanel::LevelText(double dbfs) {
    return QStringLiteral("Level %1 dBFS").arg(static_cast<int>(std::lround(dbfs)));
}

}  // namespace moravel
