#include "app/window/pages/EqualizerPage.h"

#include <type_traits>

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

template <typename Member, std::size_t N>
auto Collect(const EqualizerPage& page, const std::array<Member, N>& members) {
    std::array<std::remove_cvref_t<decltype(page.*members[0])>, N> result{};
    for (std::size_t i = 0; i < N; ++i) result[i] = page.*members[i];
    return result;
}

}  // namespace

EqualizerPage::EqualizerPage(QTabWidget* Tab1) {
    sheet = MakeSheet(Tab1, "TabEqualizer", QStringLiteral("Equalizer"));

    QWidget* bands = new QWidget;
    QGridLayout* bandGrid = MakeGridLayout(bands);
    bandGrid->setContentsMargins(0, 0, 0, 0);
    bandGrid->setVerticalSpacing(0);
    for (int band = 0; band < kBands; ++band) {
        const QString number = QString::number(band + 1);
        QLabel*& frequency = this->*kFrequencyLabels[band];
        QSlider*& slider = this->*kSliders[band];
        QLabel*& percent = this->*kPercentLabels[band];
        frequency = MakeBandLabel(QStringLiteral("eqlbl") + number, QStringLiteral("0 Hz"));
        slider = MakeTopDownTrackBar(controls::kEqualizerBandControls[static_cast<std::size_t>(band)], kSliderHeight);
        percent = MakeBandLabel(QStringLiteral("Label6") + number, QStringLiteral("0 %"));
        bandGrid->addWidget(frequency, 0, band);
        bandGrid->addWidget(slider, 1, band, Qt::AlignHCenter);
        bandGrid->addWidget(percent, 2, band);
    }

    sb_equalizer_on = MakeToggleButton("sb_equalizer_on", QStringLiteral("Equalizer on"));
    sb_equalizer_reset = MakeSpeedButton("sb_equalizer_reset", QStringLiteral("Reset"));
    SpeedButton13 = MakeHelpButton("SpeedButton13");
    QWidget* switches = MakeSwitchColumn({sb_equalizer_on, sb_equalizer_reset}, SpeedButton13);

    QHBoxLayout* row = MakeRowLayout(sheet);
    row->addWidget(switches);
    row->addWidget(bands);
    row->addStretch(1);
}

std::array<QSlider*, EqualizerPage::kBands> EqualizerPage::BandSliders() const { return Collect(*this, kSliders); }

std::array<QLabel*, EqualizerPage::kBands> EqualizerPage::PercentLabels() const {
    return Collect(*this, kPercentLabels);
}

std::array<QLabel*, EqualizerPage::kBands> EqualizerPage::FrequencyLabels() const {
    return Collect(*this, kFrequencyLabels);
}

}  // namespace moravel
