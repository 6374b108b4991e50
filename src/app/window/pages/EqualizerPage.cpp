#include "app/window/pages/EqualizerPage.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QToolButton>
#include <QWidget>

#include "common/ControlTable.h"
#include "app/window/pages/PageControls.h"

namespace moravel {

namespace {

constexpr int kSliderHeight = 56;
// Wide enough for "15,000" and "200 %", so the sliders do not move.
constexpr int kBandWidth = 46;

QLabel* MakeBandLabel(const QString& name, const QString& text) {
    QLabel* label = MakeValueLabel(name.toLatin1().constData(), text, kBandWidth);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

}  // namespace

EqualizerPage::EqualizerPage(QTabWidget* tabs) : SettingsPage(tabs, "TabEqualizer", QStringLiteral("Equalizer")) {

    QWidget* bands = new QWidget;
    QGridLayout* bandGrid = MakeGridLayout(bands);
    bandGrid->setContentsMargins(0, 0, 0, 0);
    bandGrid->setVerticalSpacing(0);
    for (std::size_t band = 0; band < bandSliders.size(); ++band) {
        const QString number = QString::number(band + 1);
        bandFrequencyLabels[band] = MakeBandLabel(QStringLiteral("eqlbl") + number, QStringLiteral("0 Hz"));
        bandSliders[band] = MakeTopDownTrackBar(controls::kEqualizerBandControls[band], kSliderHeight);
        bandPercentLabels[band] = MakeBandLabel(QStringLiteral("Label6") + number, QStringLiteral("0 %"));
        const int column = static_cast<int>(band);
        bandGrid->addWidget(bandFrequencyLabels[band], 0, column);
        bandGrid->addWidget(bandSliders[band], 1, column, Qt::AlignHCenter);
        bandGrid->addWidget(bandPercentLabels[band], 2, column);
    }

    equalizerSwitch = MakeToggleButton(controls::kEqualizerOn, QStringLiteral("Equalizer on"));
    equalizerResetButton = MakeSpeedButton("sb_equalizer_reset", QStringLiteral("Reset"));
    helpButton = MakeHelpButton("SpeedButton13");
    QWidget* switches = MakeSwitchColumn({equalizerSwitch, equalizerResetButton}, helpButton);

    QHBoxLayout* row = MakeRowLayout(sheet);
    row->addWidget(switches);
    row->addWidget(bands);
    row->addStretch(1);
}

}  // namespace moravel
