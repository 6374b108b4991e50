#include "MainFormCycleClient.h"

#include "LocaleNumber.h"
#include "MainForm.h"
#include "PlayerController.h"
#include "PlotPanes.h"
#include "RecordOnSignalController.h"
#include "SettingsPages.h"
#include "RecorderController.h"
#include "WaveFiles.h"
#include "ShiftControl.h"
#include "TChart.h"
#include "dbm.h"
#include "pages/AudioPage.h"
#include "pages/CompressPage.h"
#include "pages/DebugPage.h"
#include "pages/EqualizerPage.h"
#include "pages/ExpandPage.h"
#include "pages/FilterPage.h"
#include "pages/PlayerPage.h"
#include "pages/RecorderPage.h"
#include "pages/ShiftPage.h"

#include <qcustomplot.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSlider>
#include <QToolButton>

namespace moravel {

namespace {

// "%3.4n": seconds with four decimals, the user's separators.
QString formatSeconds(long double seconds) { return LocaleNumber(seconds, 3, 4); }

// The cycle's labels show each block's figures at once, not at the next
// paint, so they stay current while the cycle keeps the event loop busy.
void showNow(QLabel* label, const QString& text) {
    label->setText(text);
    label->repaint();
}

template <typename Sample>
void plotCurve(QCPGraph* series, const Sample* values, std::int32_t count) {
    QVector<double> x(count);
    QVector<double> y(count);
    for (std::int32_t i = 0; i < count; ++i) {
        x[i] = i;
        y[i] = values[i];
    }
    series->setData(x, y, true);
}

}  // namespace

MainFormCycleClient::MainFormCycleClient(TMainForm& form, LiveOutput& output) : form_(form), output_(output) {}

CycleControls MainFormCycleClient::Controls() const {
    const SettingsPages& pages = *form_.pages;
    CycleControls c;
    DynamicsSettings& d = c.stages.dynamics;
    d.agcOn = pages.audio->CheckAGC->isChecked();
    d.agcLevel = pages.audio->TrackAgcLevel->value();
    d.agcDecay = pages.audio->TrackAgcDecay->value();
    d.noiseBlankerOn = pages.audio->CheckNoiseBlanker1->isChecked();
    d.noiseBlankerLevel = pages.audio->TrackNoiseblanker1Level->value();
    d.compressorOn = pages.compress->sb_compressor_on->isChecked();
    d.compressorThreshold = pages.compress->TrackCompressorThreshold->value();
    d.compressorGain = pages.compress->TrackCompressorGain->value();
    d.expanderOn = pages.expand->sb_expander_on->isChecked();
    d.expanderThreshold = pages.expand->TrackExpanderThreshold->value();
    d.expanderGain = pages.expand->TrackExpanderGain->value();
    c.stages.filterOn = pages.filter->sb_filter_on->isChecked();
    c.stages.shiftOn = pages.shift->sb_shift_on->isChecked();
    c.stages.shiftBins = ShiftBins(pages.shift->tbFreqShift->value(), pages.shift->ComboFreqShiftRange->currentIndex());
    c.stages.equalizerOn = pages.equalizer->sb_equalizer_on->isChecked();
    c.playerActive = pages.player->sb_wave_play->isChecked() || pages.player->sb_waveplayer_pause->isChecked();
    c.recording = pages.recorder->sb_wave_record->isChecked() && !pages.recorder->sb_waverecorder_pause->isChecked();
    if (pages.debug->sb_plot_spectral->isChecked()) {
        c.debugPlot = DebugPlot::Spectral;
    } else if (pages.debug->sb_plot_signal->isChecked()) {
        c.debugPlot = DebugPlot::Signal;
    }
    return c;
}

void MainFormCycleClient::ShowAvailable(long double seconds) {
    showNow(form_.pages->debug->Label71, formatSeconds(seconds));
}

void MainFormCycleClient::ShowBufferCycle(long double seconds) {
    showNow(form_.pages->debug->Label35, formatSeconds(seconds));
}

void MainFormCycleClient::ShowBuffersBehind(std::int32_t blocks) {
    showNow(form_.pages->debug->Label47, QString::number(blocks));
}

void MainFormCycleClient::ShowProcessTime(long double seconds) {
    form_.pages->debug->Label33->setText(formatSeconds(seconds));
}

void MainFormCycleClient::ReadPlayerBlock(std::int16_t* block, std::int32_t bytes) {
    form_.files_->Player().ReadBlock(block, bytes);
}

void MainFormCycleClient::ShowAgcMeter(std::int32_t position) { form_.pages->audio->VUAgcLevel->SetPosition(position); }

void MainFormCycleClient::PlotSpectral(const float* spectrum, std::int32_t count) {
    plotCurve(form_.spectrogramPane->Series2, spectrum, count);
}

void MainFormCycleClient::PlotSignal(const std::int16_t* samples, std::int32_t count) {
    plotCurve(form_.spectrogramPane->Series2, samples, count);
}

// Every processed block also goes to the record-on-signal mode, which
// watches the audio whether or not Record is down.
void MainFormCycleClient::WriteOutput(const std::uint8_t* data, std::int32_t bytes) {
    const auto* samples = reinterpret_cast<const std::int16_t*>(data);
    output_.Write(samples, bytes / 2);
    form_.files_->RecordOnSignal().Feed(samples, bytes / 2);
}

void MainFormCycleClient::WriteRecording(const std::int16_t* samples, std::int32_t bytes) {
    form_.files_->Recorder().WriteBlock(samples, bytes);
}

}  // namespace moravel
