// Reading the settings file into the controls at start-up (each value
// followed by the handler that lets the engine take it up) and writing the
// controls back at close.
#include "ExportController.h"
#include "MainForm.h"
#include "PlayerController.h"
#include "RecordOnSignalController.h"
#include "RecorderController.h"
#include "PlotPanes.h"
#include "SpectrogramView.h"
#include "TChart.h"
#include "pages/AudioPage.h"
#include "pages/CompressPage.h"
#include "pages/EqualizerPage.h"
#include "pages/ExpandPage.h"
#include "pages/FilterPage.h"
#include "pages/PlayerPage.h"
#include "pages/RecorderPage.h"
#include "pages/ShiftPage.h"
#include "pages/SpectrogramPage.h"
#include "pages/SpectrumPage.h"

#include <qcustomplot.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSlider>
#include <QSplitter>
#include <QTabWidget>
#include <QToolButton>

#include <cmath>
#include <iostream>

namespace moravel {

namespace {

// A stored index outside the list leaves the combo without a selection.
void setComboIndex(QComboBox* combo, int index) {
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

}  // namespace

void TMainForm::LoadSettings() {
    const WindowSettings s = ReadWindowSettings(ini_);
    kept_ = s;
    setComboIndex(filter->ComboFilterType, s.SpectrumFilterType);
    ComboSpectrumScaleChange();
    filter->sb_filter_visible->setChecked(s.FilterVisible);
    filter->sb_filter_on->setChecked(s.FilterOn);
    sb_filter_onClick();
    filter->TrackFilterCenter->setValue(s.FilterCenterFreq);
    filter->TrackFilterBW->setValue(s.FilterBandwidth);
    audio->CheckNoiseBlanker1->setChecked(s.NoiseBlanker1On);
    audio->TrackNoiseblanker1Level->setValue(s.NoiseBlanker1Level);
    // An audio range outside the list would leave sampling unable to start
    // (no row to open the devices with): the first range is used instead.
    audio->ComboAudioRange->setCurrentIndex(s.AudioRange >= 0 && s.AudioRange <= 3 ? s.AudioRange : 0);
    ComboSpectrumResolutionChange();
    spectrum->TrackSpectrumDecay->setValue(s.SpectrumDecayValue);
    spectrum->CheckSpectrumDecay->setChecked(s.SpectrumDecayOn);
    CheckSpectrumDecayClick();
    spectrum->CheckSpectrumLogarithmic->setChecked(s.SpectrumLogScale);
    CheckSpectrumLogarithmicClick();
    audio->CheckAGC->setChecked(s.AGC_enabled);
    applyWindowGeometry(s);
    spectrogram->TrackSpectrogramOffset->setValue(s.TrackSpectrogramOffset);
    spectrogram->TrackSpectrogramGain->setValue(s.TrackSpectrogramGain);
    spectrogram->sb_spectrogram_on->setChecked(s.Spectrogram);
    sb_spectrogram_onClick();
    spectrum->sb_Spectrum_on->setChecked(s.SpectrumOn);
    sb_Spectrum_onClick();
    spectrogram->sb_spectrogram_autoscroll->setChecked(s.SpectrogramScroll);
    shift->tbFreqShift->setValue(s.TrackFrequencyShift);
    shift->sb_shift_on->setChecked(s.FrequencyShiftOn);
    setComboIndex(shift->ComboFreqShiftRange, s.FrequencyShiftRange);
    sb_shift_onClick();
    tbFreqShiftChange();
    setComboIndex(spectrum->ComboSpectrumResolution, s.SpectrumResolution);
    ComboSpectrumResolutionChange();
    audio->TrackAgcDecay->setValue(s.TrackAgcDecay);
    audio->TrackAgcLevel->setValue(s.TrackAgcLevel);
    if (s.SelectedTab >= 0 && s.SelectedTab < Tab1->count() && Tab1->isTabVisible(s.SelectedTab)) {
        Tab1->setCurrentIndex(s.SelectedTab);
    }
    spectrum->TrackSpectrumMax->setValue(s.SpectrumScaleMax);
    setComboIndex(spectrum->ComboSpectrumScale, s.SpectumScaleType);
    ComboSpectrumScaleChange();
    SpectrogramClearClick();
    applyFileNames(s);
    expand->sb_expander_on->setChecked(s.ExpanderOn);
    sb_expander_onClick();
    compress->sb_compressor_on->setChecked(s.CompressorOn);
    sb_compressor_onClick();
    const auto sliders = equalizer->BandSliders();
    for (std::size_t k = 0; k < sliders.size(); ++k) sliders[k]->setValue(s.eq[k]);
    equalizer->sb_equalizer_on->setChecked(s.EqualizerOn);
    // Also run when no slider moved, so the tab shows a stored "on" at once.
    sb_equalizer_onClick();
    recordOnSignal_->Load(ini_);
}

// WindowState 1 starts maximised and ignores the stored size; any other
// value starts normal at the stored size. The spectrogram pane gets its
// stored height until the first resize sets the proportional split.
void TMainForm::applyWindowGeometry(const WindowSettings& s) {
    startMaximized_ = s.WindowState == 1;
    if (!startMaximized_) resize(s.WindowWidth, s.WindowHeight);
    storedSplitterTop_ = std::max(s.SplitterTop, 1);
    PlotSplitter->setSizes({storedSplitterTop_, std::max(PanelBack->height() - storedSplitterTop_, 1)});
}

void TMainForm::applyFileNames(const WindowSettings& s) {
    recorderControl_->SetFileName(s.WaveRecorderFilename);
    playerControl_->SetFileName(s.WavePlayerFilename);
}

WindowSettings TMainForm::collectSettings() const {
    WindowSettings s = kept_;
    s.FilterVisible = filter->sb_filter_visible->isChecked();
    s.FilterOn = filter->sb_filter_on->isChecked();
    s.FilterCenterFreq = filter->TrackFilterCenter->value();
    s.FilterBandwidth = filter->TrackFilterBW->value();
    s.NoiseBlanker1On = audio->CheckNoiseBlanker1->isChecked();
    s.NoiseBlanker1Level = audio->TrackNoiseblanker1Level->value();
    s.SpectumScaleType = spectrum->ComboSpectrumScale->currentIndex();
    s.SpectrumScaleMax = spectrum->TrackSpectrumMax->value();
    s.SpectrumDecayOn = spectrum->CheckSpectrumDecay->isChecked();
    s.SpectrumDecayValue = spectrum->TrackSpectrumDecay->value();
    s.SpectrumResolution = spectrum->ComboSpectrumResolution->currentIndex();
    s.SpectrumLogScale = spectrum->CheckSpectrumLogarithmic->isChecked();
    s.AudioRange = audio->ComboAudioRange->currentIndex();
    s.SpectrumFilterType = filter->ComboFilterType->currentIndex();
    s.AGC_enabled = audio->CheckAGC->isChecked();
    s.WindowState = isMaximized() ? 1 : 0;
    s.WindowWidth = width();
    s.WindowHeight = height();
    s.SplitterTop = TopPanel->height();
    s.TrackSpectrogramOffset = spectrogram->TrackSpectrogramOffset->value();
    s.TrackSpectrogramGain = spectrogram->TrackSpectrogramGain->value();
    s.Spectrogram = exportControl_->DisplayChosenOn(*spectrogram->sb_spectrogram_on);
    s.SpectrogramScroll = spectrogram->sb_spectrogram_autoscroll->isChecked();
    s.SpectrumOn = exportControl_->DisplayChosenOn(*spectrum->sb_Spectrum_on);
    s.FrequencyShiftOn = shift->sb_shift_on->isChecked();
    s.TrackFrequencyShift = shift->tbFreqShift->value();
    s.FrequencyShiftRange = shift->ComboFreqShiftRange->currentIndex();
    s.TrackAgcDecay = audio->TrackAgcDecay->value();
    s.TrackAgcLevel = audio->TrackAgcLevel->value();
    s.SelectedTab = Tab1->currentIndex();
    s.ExpanderOn = expand->sb_expander_on->isChecked();
    s.CompressorOn = compress->sb_compressor_on->isChecked();
    s.EqualizerOn = equalizer->sb_equalizer_on->isChecked();
    const auto sliders = equalizer->BandSliders();
    for (std::size_t k = 0; k < sliders.size(); ++k) s.eq[k] = sliders[k]->value();
    s.WaveRecorderFilename = recorderControl_->FileName();
    s.WavePlayerFilename = playerControl_->FileName();
    spectrogramView_->Palette().Keep(s);
    return s;
}

// Every key is written at once and atomically, so a failure (full disk,
// read-only folder) leaves the file as it was before that key. The window
// closes anyway; the reason is shown to the user (this is the last chance:
// the changes of this run are lost) and goes to the standard error stream.
void TMainForm::SaveSettings() {
    const WindowSettings s = collectSettings();
    const QCPAxis* bottom = spectrumPane->Chart1->xAxis;
    const auto bars = spectrumPane->Series1->data();
    std::optional<std::int32_t> xPosition;
    if (!bars->isEmpty()) xPosition = static_cast<std::int32_t>(std::nearbyint(bars->constBegin()->key));
    const auto xMinimum = static_cast<std::int32_t>(std::nearbyint(bottom->range().lower));
    try {
        WriteWindowSettings(ini_, s, xPosition, xMinimum);
        recordOnSignal_->Store(ini_);
    } catch (const std::exception& e) {
        const std::string text = "The settings could not be saved to " + ini_.FileName() + ": " + e.what();
        std::cerr << "moravel: " << text << '\n';
        showMessage_(QStringLiteral("Moravel"), QString::fromStdString(text));
    }
}

}  // namespace moravel
