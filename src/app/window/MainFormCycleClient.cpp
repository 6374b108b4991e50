#include "app/window/MainFormCycleClient.h"

#include "app/window/LocaleNumber.h"
#include "app/window/MainForm.h"
#include "app/window/PlayerController.h"
#include "app/window/PlotPanes.h"
#include "app/window/RecordOnSignalController.h"
#include "app/window/SettingsPages.h"
#include "app/window/RecorderController.h"
#include "app/window/WaveFiles.h"
#include "app/window/WindowPanels.h"
#include "dsp/ShiftControl.h"
#include "views/Chart.h"
#include "views/DbMeter.h"
#include "app/window/pages/AudioPage.h"
#include "app/window/pages/DebugPage.h"
#include "app/window/pages/EqualizerPage.h"
#include "app/window/pages/FilterPage.h"
#include "app/window/pages/PlayerPage.h"
#include "app/window/pages/RecorderPage.h"
#include "app/window/pages/ShiftPage.h"
#include "app/window/pages/ThresholdGainPage.h"

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

MainFormCycleClient::MainFormCycleClient(MainForm& form, LiveOutput& output) : form_(form), output_(output) {}

CycleControls MainFormCycleClient::Controls() const {
    const SettingsPages& pages = form_.panels_->Pages();
    CycleControls c;
    DynamicsSettings& d = c.stages.dynamics;
    d.agcOn = pages.audio->agcSwitch->isChecked();
    d.agcLevel = pages.audio->agcLevelSlider->value();
    d.agcDecay = pages.audio->agcDecaySlider->value();
    d.noiseBlankerOn = pages.audio->noiseBlankerSwitch->isChecked();
    d.noiseBlankerLevel = pages.audio->noiseBlankerLevelSlider->value();
    d.compressorOn = pages.compress->onSwitch->isChecked();
    d.compressorThreshold = pages.compress->thresholdSlider->value();
    d.compressorGain = pages.compress->gainSlider->value();
    d.expanderOn = pages.expand->onSwitch->isChecked();
    d.expanderThreshold = pages.expand->thresholdSlider->value();
    d.expanderGain = pages.expand->gainSlider->value();
    c.stages.filterOn = pages.filter->filterSwitch->isChecked();
    c.stages.shiftOn = pages.shift->shiftSwitch->isChecked();
    c.stages.shiftBins = ShiftBins(pages.shift->shiftSlider->value(), pages.shift->shiftRangeCombo->currentIndex());
    c.stages.equalizerOn = pages.equalizer->equalizerSwitch->isChecked();
    c.playerActive = pages.player->playSwitch->isChecked() || pages.player->pauseSwitch->isChecked();
    c.recording = pages.recorder->recordSwitch->isChecked() && !pages.recorder->pauseSwitch->isChecked();
    if (pages.debug->plotSpectralSwitch->isChecked()) {
        c.debugPlot = DebugPlot::Spectral;
    } else if (pages.debug->plotSignalSwitch->isChecked()) {
        c.debugPlot = DebugPlot::Signal;
    }
    return c;
}

void MainFormCycleClient::ShowAvailable(long double seconds) {
    showNow(form_.panels_->Pages().debug->availableTimeLabel, formatSeconds(seconds));
}

void MainFormCycleClient::ShowBufferCycle(long double seconds) {
    showNow(form_.panels_->Pages().debug->bufferCycleLabel, formatSeconds(seconds));
}

void MainFormCycleClient::ShowBuffersBehind(std::int32_t blocks) {
    showNow(form_.panels_->Pages().debug->buffersBehindLabel, QString::number(blocks));
}

void MainFormCycleClient::ShowProcessTime(long double seconds) {
    form_.panels_->Pages().debug->processTimeLabel->setText(formatSeconds(seconds));
}

void MainFormCycleClient::ReadPlayerBlock(std::int16_t* block, std::int32_t bytes) {
    form_.files_->Player().ReadBlock(block, bytes);
}

void MainFormCycleClient::ShowAgcMeter(std::int32_t position) {
    form_.panels_->Pages().audio->agcMeter->SetPosition(position);
}

void MainFormCycleClient::PlotSpectral(const float* spectrum, std::int32_t count) {
    plotCurve(form_.panels_->Spectrogram().debugCurve, spectrum, count);
}

void MainFormCycleClient::PlotSignal(const std::int16_t* samples, std::int32_t count) {
    plotCurve(form_.panels_->Spectrogram().debugCurve, samples, count);
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
