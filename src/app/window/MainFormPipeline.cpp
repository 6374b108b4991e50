// The live pipeline's handlers: the block cycle, starting and stopping the
// devices, the audio range and the output level meter.
#include "AudioRange.h"
#include "DeviceChoiceController.h"
#include "EnhWave.h"
#include "LineAssignment.h"
#include "MainForm.h"
#include "MainFormCycleClient.h"
#include "PlotPanes.h"
#include "ShiftControl.h"
#include "StatusStrip.h"
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
#include "pages/SoundcardPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QSlider>
#include <QTimer>
#include <QToolButton>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <utility>

namespace moravel {

namespace {

// How long stop_sampling waits for the devices to report closed. A device
// that never answers (a hung driver) must not freeze the window; the
// components are closed either way, so their late notifications are ignored.
constexpr int kStopWaitMs = 2000;

// For measuring scripts: with MORAVEL_DEVICE_STATS naming a file, each
// closing of the devices appends their counts of lost blocks and the rate
// bridge's last trim to it.
void appendDeviceCounts(const TEnhWaveIn& in, const TEnhWaveOut& out, double trim) {
    const char* path = std::getenv("MORAVEL_DEVICE_STATS");
    if (path == nullptr || *path == '\0') return;
    if (std::FILE* file = std::fopen(path, "a")) {
        std::fprintf(file, "overruns %lld underruns %lld trim %.6f\n", static_cast<long long>(in.Overruns()),
                     static_cast<long long>(out.Underruns()), trim);
        std::fclose(file);
    }
}

}  // namespace

void TMainForm::connectPipelineControls() {
    on(audio->ComboAudioRange, &QComboBox::activated, &TMainForm::ComboAudioRangeChange);
}

CycleControls TMainForm::readCycleControls() const {
    CycleControls c;
    DynamicsSettings& d = c.stages.dynamics;
    d.agcOn = audio->CheckAGC->isChecked();
    d.agcLevel = audio->TrackAgcLevel->value();
    d.agcDecay = audio->TrackAgcDecay->value();
    d.noiseBlankerOn = audio->CheckNoiseBlanker1->isChecked();
    d.noiseBlankerLevel = audio->TrackNoiseblanker1Level->value();
    d.compressorOn = compress->sb_compressor_on->isChecked();
    d.compressorThreshold = compress->TrackCompressorThreshold->value();
    d.compressorGain = compress->TrackCompressorGain->value();
    d.expanderOn = expand->sb_expander_on->isChecked();
    d.expanderThreshold = expand->TrackExpanderThreshold->value();
    d.expanderGain = expand->TrackExpanderGain->value();
    c.stages.filterOn = filter->sb_filter_on->isChecked();
    c.stages.shiftOn = shift->sb_shift_on->isChecked();
    c.stages.shiftBins = ShiftBins(shift->tbFreqShift->value(), shift->ComboFreqShiftRange->currentIndex());
    c.stages.equalizerOn = equalizer->sb_equalizer_on->isChecked();
    c.playerActive = player->sb_wave_play->isChecked() || player->sb_waveplayer_pause->isChecked();
    c.recording = recorder->sb_wave_record->isChecked() && !recorder->sb_waverecorder_pause->isChecked();
    if (debug->sb_plot_spectral->isChecked()) {
        c.debugPlot = DebugPlot::Spectral;
    } else if (debug->sb_plot_signal->isChecked()) {
        c.debugPlot = DebugPlot::Signal;
    }
    return c;
}

void TMainForm::WaveInData(QObject*, std::uint8_t* captured, std::int32_t size) {
    cycle_.WaveInData(captured, size, readCycleControls(), *cycleClient_);
    if (options_.blockProcessed) options_.blockProcessed();
}

void TMainForm::WaveOutDone(QObject*) { cycle_.WaveOutDone(); }

void TMainForm::start_sample() {
    const LineAssignment lines = ReadLineAssignment(ini_);
    enableMixerControls(lines);
    // The enabled pairs show the mixer's state even when sampling cannot
    // start: the page never shows values that were not read.
    read_mixer();
    if (!SoundcardConfigured(lines)) {
        state_.SamplingEnabled = false;
        offerSoundcardDialog();
        return;
    }
    state_.SamplingEnabled = true;
    const int index = audio->ComboAudioRange->currentIndex();
    if (index < 0 || index > 255) throw std::range_error("Range check error");
    set_audio_range(index);
    TrackFilterCenterChange();
}

bool TMainForm::devicesBusy() const {
    return waveOut_->QueuedBlocks() > 0 || waveIn_->IsStarted() || waveIn_->IsOpen() || waveOut_->IsOpen();
}

// A lost soundcard closes both devices; a single-shot timer per attempt
// opens them again with the settings they had (the audio range's or the
// player's), so nothing runs between attempts. The status strip shows the
// loss; no message box, so that the window stays usable while the card is gone.
void TMainForm::watchDevices() {
    DeviceWatch::Hooks hooks;
    hooks.closeDevices = [this] {
        waveIn_->Close();
        waveOut_->Close();
    };
    hooks.reopenDevices = [this] {
        waveIn_->Close();
        waveOut_->Close();
        options_.backend->Rescan();
        waveIn_->Open();
        waveOut_->Open();
        deviceWatch_->Opened(waveIn_->IsOpen() && waveOut_->IsOpen());
    };
    hooks.scheduleRetry = [this](int ms) {
        QTimer::singleShot(ms, this, [this] {
            if (!closing_) deviceWatch_->Retry();
        });
    };
    hooks.showState = [this](DeviceWatch::State state) {
        Panel4->ShowSoundcard(state, QString::fromStdString(deviceChoice_->Describe()));
    };
    deviceWatch_ = std::make_unique<DeviceWatch>(std::move(hooks));
    const auto lost = [this](QObject*) { deviceWatch_->DeviceLost(); };
    waveIn_->OnLost = lost;
    waveOut_->OnLost = lost;
}

void TMainForm::stop_sampling() {
    if (closing_) deviceWatch_->Stopped();
    Timer1.stop();
    Timer2.stop();
    if (waveIn_->IsOpen() || waveOut_->IsOpen()) {
        appendDeviceCounts(*waveIn_, *waveOut_, cycleClient_->Output().Trim());
        waveIn_->Close();
        waveOut_->Close();
        QElapsedTimer waited;
        waited.start();
        do {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        } while (devicesBusy() && waited.elapsed() < kStopWaitMs);
    }
    if (!closing_) {
        Timer1.start();
        Timer2.start();
    }
}

void TMainForm::set_audio_range(int index) {
    if (index < 0 || index >= static_cast<int>(kAudioRanges.size())) {
        throw std::range_error("Range check error");
    }
    state_.LayoutChanged = false;
    stop_sampling();
    const AudioRange& range = kAudioRanges[static_cast<std::size_t>(index)];
    configureDevices(range.outputRate, range.bufferBytes, range.outputRate - kCaptureRateOffset);
    waveIn_->Open();
    waveOut_->Open();
    deviceWatch_->Opened(waveIn_->IsOpen() && waveOut_->IsOpen());
    state_.LayoutChanged = true;
}

// The output at `outputRate` Hz, the input 50 Hz lower with capture blocks of
// `bufferBytes` bytes, and the blocks the engine processes at their true rate
// `blockRate` (the capture's for an audio range, the file's while the player
// runs): the engine works at that rate, so that its filter, shift and
// displays put a tone where it is, and the live output carries the blocks to
// the output's rate. The spectrum's and the filter centre's limits stay at
// half the output rate. The devices are closed.
void TMainForm::configureDevices(std::int32_t outputRate, std::int32_t bufferBytes, std::int32_t blockRate) {
    waveIn_->samples = outputRate - kCaptureRateOffset;
    waveOut_->samples = outputRate;
    cycleClient_->Output().Configure(blockRate);
    if (bufferBytes < 16) throw std::range_error("Range check error");
    waveIn_->BufferSize = bufferBytes;
    engine_->Configure(blockRate, bufferBytes);
    spectrumPane->ScrollSpectrum->setMaximum(outputRate / 2);
    filter->TrackFilterCenter->setMaximum(outputRate / 2);
}

void TMainForm::ComboAudioRangeChange() {
    // Until a block has been processed in the new range, a second selection
    // would reconfigure devices that have not delivered anything yet.
    if (state_.LayoutChanged) return;
    set_audio_range(audio->ComboAudioRange->currentIndex());
    ComboSpectrumResolutionChange();
}

void TMainForm::UpdateStatus() {
    const long double position =
        waveIn_->IsOpen() ? std::nearbyint(static_cast<long double>(state_.OutputPeak) * 100 / 10000) : 0;
    Panel4->VUAudio->SetPosition(static_cast<int>(position));
}

void TMainForm::Timer1Timer() {
    if (!state_.SamplingEnabled) return;
    DisplayData();
    UpdateStatus();
}

}  // namespace moravel
