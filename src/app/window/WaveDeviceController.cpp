#include "app/window/WaveDeviceController.h"

#include "common/AudioRange.h"
#include "audio/EnhWave.h"
#include "app/window/MainFormCycleClient.h"
#include "app/window/StatusStrip.h"
#include "audio/recorder/WavePlayer.h"
#include "views/DbMeter.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <utility>

namespace moravel {

namespace {

// How long StopSampling waits for the devices to report closed. A device
// that never answers (a hung driver) must not freeze the window; the
// components are closed either way, so their late notifications are ignored.
constexpr int kStopWaitMs = 2000;

constexpr int kDisplayClockMs = 100;
constexpr int kStatusClockMs = 500;

// For measuring scripts: with MORAVEL_DEVICE_STATS naming a file, each
// closing of the devices appends their counts of lost blocks and the rate
// bridge's last trim to it.
void appendDeviceCounts(const EnhWaveIn& in, const EnhWaveOut& out, double trim) {
    const char* path = std::getenv("MORAVEL_DEVICE_STATS");
    if (path == nullptr || *path == '\0') return;
    if (std::FILE* file = std::fopen(path, "a")) {
        std::fprintf(file, "overruns %lld underruns %lld trim %.6f\n", static_cast<long long>(in.Overruns()),
                     static_cast<long long>(out.Underruns()), trim);
        std::fclose(file);
    }
}

}  // namespace

WaveDeviceController::WaveDeviceController(Parts parts)
    : parts_(std::move(parts)), cycle_(parts_.engine, parts_.stopwatch, parts_.state) {
    createDevices();
    watchDevices();
    displayClock_.setInterval(kDisplayClockMs);
    statusClock_.setInterval(kStatusClockMs);
    GuardedConnect(&displayClock_, &QTimer::timeout, &parts_.context, parts_.reportError, [this] { DisplayTick(); });
    GuardedConnect(&statusClock_, &QTimer::timeout, &parts_.context, parts_.reportError, [this] { StatusTick(); });
    startClocks();
}

WaveDeviceController::~WaveDeviceController() {
    stopClocks();
    waveIn_.reset();
    waveOut_.reset();
}

void WaveDeviceController::createDevices() {
    waveIn_ = std::make_unique<EnhWaveIn>(parts_.backend);
    waveIn_->SampleBits = 16;
    waveIn_->MaxBuffers = 3;
    waveIn_->OnData = [this](QObject* sender, std::uint8_t* block, std::int32_t size) {
        WaveInData(sender, block, size);
    };
    waveOut_ = std::make_unique<EnhWaveOut>(parts_.backend);
    waveOut_->SampleBits = 16;
    waveOut_->OnDone = [this](QObject* sender) { WaveOutDone(sender); };
    const auto reportError = [this](QObject*, std::exception_ptr error) {
        try {
            std::rethrow_exception(error);
        } catch (const std::exception& e) {
            parts_.reportError(e);
        }
    };
    waveIn_->OnHandlerError = reportError;
    waveOut_->OnHandlerError = reportError;
    output_ = std::make_unique<LiveOutput>(*waveOut_);
    cycleClient_ = parts_.makeCycleClient(*output_);
}

// A lost soundcard closes both devices; a single-shot timer per attempt
// opens them again with the settings they had (the audio range's or the
// player's), so nothing runs between attempts. The status strip shows the
// loss; no message box, so that the window stays usable while the card is gone.
void WaveDeviceController::watchDevices() {
    DeviceWatch::Hooks hooks;
    hooks.closeDevices = [this] { closeDevices(); };
    hooks.reopenDevices = [this] {
        closeDevices();
        parts_.backend.Rescan();
        openDevices();
    };
    hooks.scheduleRetry = [this](int ms) {
        QTimer::singleShot(ms, &parts_.context, [this] {
            if (!closing_) deviceWatch_->Retry();
        });
    };
    hooks.showState = [this](DeviceWatch::State state) {
        parts_.status.ShowSoundcard(state, QString::fromStdString(parts_.describeDevices()));
    };
    deviceWatch_ = std::make_unique<DeviceWatch>(std::move(hooks));
    const auto lost = [this](QObject*) { deviceWatch_->DeviceLost(); };
    waveIn_->OnLost = lost;
    waveOut_->OnLost = lost;
}

void WaveDeviceController::closeDevices() {
    waveIn_->Close();
    waveOut_->Close();
}

void WaveDeviceController::openDevices() {
    waveIn_->Open();
    waveOut_->Open();
    deviceWatch_->Opened(waveIn_->IsOpen() && waveOut_->IsOpen());
}

void WaveDeviceController::StartSampling() {
    // The Soundcard page shows the mixer's state even when sampling cannot
    // start: it never shows values that were not read.
    if (!parts_.soundcardConfigured()) {
        parts_.state.SamplingEnabled = false;
        parts_.offerConfiguration();
        return;
    }
    parts_.state.SamplingEnabled = true;
    SetAudioRange(parts_.audioRange.currentIndex());
    parts_.samplingStarted();
}

bool WaveDeviceController::devicesBusy() const {
    return waveOut_->QueuedBlocks() > 0 || waveIn_->IsStarted() || waveIn_->IsOpen() || waveOut_->IsOpen();
}

void WaveDeviceController::StopSampling() {
    if (closing_) deviceWatch_->Stopped();
    stopClocks();
    if (waveIn_->IsOpen() || waveOut_->IsOpen()) {
        appendDeviceCounts(*waveIn_, *waveOut_, output_->Trim());
        closeDevices();
        QElapsedTimer waited;
        waited.start();
        do {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        } while (devicesBusy() && waited.elapsed() < kStopWaitMs);
    }
    if (!closing_) startClocks();
}

void WaveDeviceController::SetAudioRange(int index) {
    if (index < 0 || index >= static_cast<int>(kAudioRanges.size())) {
        throw std::range_error("Audio range " + std::to_string(index) + " is not one of the " +
                               std::to_string(kAudioRanges.size()) + " ranges");
    }
    parts_.state.LayoutChanged = false;
    StopSampling();
    const AudioRange& range = kAudioRanges[static_cast<std::size_t>(index)];
    configureDevices(range.outputRate, range.bufferBytes, range.outputRate - kCaptureRateOffset);
    openDevices();
    parts_.state.LayoutChanged = true;
}

// The output at `outputRate` Hz, the input 50 Hz lower with capture blocks of
// `bufferBytes` bytes, and the blocks the engine processes at their true rate
// `blockRate` (the capture's for an audio range, the file's while the player
// runs): the engine works at that rate, so that its filter, shift and
// displays put a tone where it is, and the live output carries the blocks to
// the output's rate. The spectrum's and the filter centre's limits stay at
// half the output rate. The devices are closed.
void WaveDeviceController::configureDevices(std::int32_t outputRate, std::int32_t bufferBytes,
                                            std::int32_t blockRate) {
    waveIn_->samples = outputRate - kCaptureRateOffset;
    waveOut_->samples = outputRate;
    output_->Configure(blockRate);
    if (bufferBytes < 16) {
        throw std::range_error("A capture block of " + std::to_string(bufferBytes) +
                               " bytes is below the 16 the input needs");
    }
    waveIn_->BufferSize = bufferBytes;
    parts_.engine.Configure(blockRate, bufferBytes);
    parts_.outputRateChanged(outputRate);
}

void WaveDeviceController::AudioRangeChosen() {
    // Until a block has been processed in the new range, a second selection
    // would reconfigure devices that have not delivered anything yet.
    if (parts_.state.LayoutChanged) return;
    SetAudioRange(parts_.audioRange.currentIndex());
    parts_.audioRangeChanged();
}

// Play's device steps: the wave input at R − 50 Hz with the block size for
// R, the output and the engine at R (the file's own rate); the devices are
// opened again only when the output has given back every block.
void WaveDeviceController::PlayAtFileRate(const PlayerDeviceSettings& settings) {
    StopSampling();
    configureDevices(settings.outputRate, settings.inputBufferBytes, settings.outputRate);
    parts_.state.LayoutChanged = true;
    if (waveOut_->QueuedBlocks() == 0) {
        waveIn_->Open();
        waveOut_->Open();
    }
}

// Until a block has been processed since the last reconfiguration the combo's
// handler does nothing; the player then tries again on a later tick.
bool WaveDeviceController::ReturnToAudioRange() {
    if (parts_.state.LayoutChanged) return false;
    AudioRangeChosen();
    return true;
}

// Releasing one of the files while the other still runs keeps them locked.
void WaveDeviceController::LockAudioRange() {
    const bool free = !parts_.filesRunning();
    parts_.audioRange.setEnabled(free);
    parts_.audioDevices.setEnabled(free);
}

void WaveDeviceController::Close() {
    closing_ = true;
    stopClocks();
    StopSampling();
}

void WaveDeviceController::WaveInData(QObject*, std::uint8_t* captured, std::int32_t size) {
    cycle_.WaveInData(captured, size, cycleClient_->Controls(), *cycleClient_);
    if (parts_.blockProcessed) parts_.blockProcessed();
}

void WaveDeviceController::WaveOutDone(QObject*) { cycle_.WaveOutDone(); }

CycleControls WaveDeviceController::NextCycleControls() const { return cycleClient_->Controls(); }

void WaveDeviceController::DisplayTick() {
    if (!parts_.state.SamplingEnabled) return;
    parts_.displayTick();
    showOutputLevel();
}

void WaveDeviceController::StatusTick() { parts_.statusTick(); }

void WaveDeviceController::showOutputLevel() {
    const long double position =
        waveIn_->IsOpen() ? std::nearbyint(static_cast<long double>(parts_.state.OutputPeak) * 100 / 10000) : 0;
    parts_.status.audioMeter->SetPosition(static_cast<int>(position));
}

void WaveDeviceController::startClocks() {
    displayClock_.start();
    statusClock_.start();
}

void WaveDeviceController::stopClocks() {
    displayClock_.stop();
    statusClock_.stop();
}

}  // namespace moravel
