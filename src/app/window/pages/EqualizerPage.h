// The "Equalizer" settings page: seven vertical band sliders eq1..eq7
// (controls::kEqualizerBandControls; minimum at the top, so moving a slider
// up raises its band's gain), each with its band's centre frequency above
// (eqlbl1..eqlbl7) and its gain in percent below (Label61..Label67), plus
// "Equalizer on", "Reset" and the help button.
//
// Layout only: the main window connects the controls and writes the labels.
#pragma once

#include <array>

class QLabel;
class QSlider;
class QTabWidget;
class QToolButton;
class QWidget;

namespace moravel {

class EqualizerPage {
public:
    static constexpr int kBands = 7;

    /// Builds the page and appends it to `Tab1` as "Equalizer". GUI thread only.
    explicit EqualizerPage(QTabWidget* Tab1);
    EqualizerPage(const EqualizerPage&) = delete;
    EqualizerPage& operator=(const EqualizerPage&) = delete;

    /// The band controls in band order (eq1 first): sliders, percent labels
    /// (Label61..) and frequency labels (eqlbl1..).
    std::array<QSlider*, kBands> BandSliders() const;
    std::array<QLabel*, kBands> PercentLabels() const;
    std::array<QLabel*, kBands> FrequencyLabels() const;

    QWidget* sheet;  // "TabEqualizer"

    // Band gain sliders, -5 (top, gain 2.0) .. 5 (bottom, gain 0.0), 0.
    QSlider* eq1;
    QSlider* eq2;
    QSlider* eq3;
    QSlider* eq4;
    QSlider* eq5;
    QSlider* eq6;
    QSlider* eq7;

    // Band gains in percent, under eq1..eq7, "0 %" at creation.
    QLabel* Label61;
    QLabel* Label62;
    QLabel* Label63;
    QLabel* Label64;
    QLabel* Label65;
    QLabel* Label66;
    QLabel* Label67;

    // Band centre frequencies, above eq1..eq7, "0 Hz" at creation.
    QLabel* eqlbl1;
    QLabel* eqlbl2;
    QLabel* eqlbl3;
    QLabel* eqlbl4;
    QLabel* eqlbl5;
    QLabel* eqlbl6;
    QLabel* eqlbl7;

    QToolButton* sb_equalizer_on;     // "Equalizer on", up at creation
    QToolButton* sb_equalizer_reset;  // "Reset" (one-shot)
    QToolButton* SpeedButton13;       // "?"

private:
    using SliderMember = QSlider* EqualizerPage::*;
    using LabelMember = QLabel* EqualizerPage::*;
    static constexpr std::array<SliderMember, kBands> kSliders{
        &EqualizerPage::eq1, &EqualizerPage::eq2, &EqualizerPage::eq3, &EqualizerPage::eq4,
        &EqualizerPage::eq5, &EqualizerPage::eq6, &EqualizerPage::eq7};
    static constexpr std::array<LabelMember, kBands> kPercentLabels{
        &EqualizerPage::Label61, &EqualizerPage::Label62, &EqualizerPage::Label63, &EqualizerPage::Label64,
        &EqualizerPage::Label65, &EqualizerPage::Label66, &EqualizerPage::Label67};
    static constexpr std::array<LabelMember, kBands> kFrequencyLabels{
        &EqualizerPage::eqlbl1, &EqualizerPage::eqlbl2, &EqualizerPage::eqlbl3, &EqualizerPage::eqlbl4,
        &EqualizerPage::eqlbl5, &EqualizerPage::eqlbl6, &EqualizerPage::eqlbl7};
};

}  // namespace moravel
