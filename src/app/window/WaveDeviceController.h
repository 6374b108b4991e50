// The live pipeline's devices at work: the wave input and output, started
// at the audio range's rates, stopped (waiting for them to give back their
// blocks), switched to a played file's rate and back, closed and reopened
// around a lost soundcard (DeviceWatch). Each captured block runs the block
// cycle (BlockCycle) into the output at its rate (LiveOutput) and, through
// the window's cycle client, into the displays and the recording. The two
// clocks of the window run here too, because stopping the devices pauses
// them: the 100 ms display clock and the 500 ms status clock.
//
// The window wires the rest through Parts: the soundcard's configuration,
// what follows a new range, what the clocks show.
//
// Threads: GUI thread only (the wave components raise their handlers there).
#pragma once

#include "app/pipeline/BlockCycle.h"
#include "app/pipeline/DeviceWatch.h"
#include "app/window/GuardedConnect.h"
#include "audio/LiveOutput.h"

#include <QTimer>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class QAction;
class QComboBox;
class QObject;

namespace moravel {

class AudioBackend;
class MainFormCycleClient;
class StatusStrip;
class EnhWaveIn;
class EnhWaveOut;
struct PlayerDeviceSettings;

class WaveDeviceController {
public:
    /// What the devices need of the window; all must outlive the controller.
    struct Parts {
        AudioBackend& backend;
        Engine& engine;
        Stopwatch& stopwatch;
        PipelineState& state;
        /// The Audio page's range combo and the "Audio Devices..." menu
        /// item: both locked while a file plays or records.
        QComboBox& audioRange;
        QAction& audioDevices;
        /// The output level meter and the soundcard's state.
        StatusStrip& status;
        /// Owns the retry timers of a lost soundcard.
        QObject& context;
        ErrorReport reportError;
        /// Where the cycle's read-outs and results go, writing to `output`.
        std::function<std::unique_ptr<MainFormCycleClient>(LiveOutput& output)> makeCycleClient;
        /// The chosen devices, as the status strip names them.
        std::function<std::string()> describeDevices;
        /// Enables the Soundcard page's pairs for the stored line assignment,
        /// reads the mixer into them; true when the assignment is complete.
        std::function<bool()> soundcardConfigured;
        /// Offers the soundcard configuration when it is not complete.
        std::function<void()> offerConfiguration;
        /// The controls whose range ends at half the output rate follow it.
        std::function<void(std::int32_t outputRate)> outputRateChanged;
        /// Sampling started in the audio range: the filter is set for it.
        std::function<void()> samplingStarted;
        /// The user chose another audio range: the spectrum follows it.
        std::function<void()> audioRangeChanged;
        /// A file plays or records (the range and the devices are locked).
        std::function<bool()> filesRunning;
        /// What the display clock shows while sampling runs.
        std::function<void()> displayTick;
        /// What the status clock runs (meters, lights, the files' tick).
        std::function<void()> statusTick;
        /// After each processed block (the startup trace); may be empty.
        std::function<void()> blockProcessed;
    };

    /// Makes the devices (closed) and the cycle, and starts the clocks.
    explicit WaveDeviceController(Parts parts);
    /// Stops the clocks; the devices go before the cycle that feeds them.
    ~WaveDeviceController();

    WaveDeviceController(const WaveDeviceController&) = delete;
    WaveDeviceController& operator=(const WaveDeviceController&) = delete;

    /// `start_sample`: with a configured soundcard, opens the devices in the
    /// Audio page's range; otherwise sampling stays off and the
    /// configuration is offered.
    void StartSampling();
    /// `stop_sampling`: closes the devices and waits (at most 2 s) until
    /// they have given back every block; the clocks pause meanwhile.
    void StopSampling();
    /// `set_audio_range`: the devices stopped and opened again in range
    /// `index` of kAudioRanges (std::range_error outside).
    void SetAudioRange(int index);
    /// `ComboAudioRangeChange`: the range the combo shows, unless the last
    /// reconfiguration has not processed a block yet.
    void AudioRangeChosen();
    /// `set_player_rate`: the devices and the engine at a played file's rate.
    void PlayAtFileRate(const PlayerDeviceSettings& settings);
    /// `returnToAudioRange`: back to the combo's range after playing; false
    /// (and nothing done) while the last reconfiguration is still pending.
    bool ReturnToAudioRange();
    /// The range and the devices can change only while no file runs.
    void LockAudioRange();
    /// The window closes: the devices stop for good, the clocks stay stopped.
    void Close();
    bool Closing() const { return closing_; }

    /// The wave input's data handler: one block through the cycle.
    void WaveInData(QObject* sender, std::uint8_t* captured, std::int32_t size);
    /// The wave output's done handler.
    void WaveOutDone(QObject* sender);
    /// The display clock (100 ms): the displays and the output level meter.
    void DisplayTick();
    /// The status clock (500 ms).
    void StatusTick();

    EnhWaveIn& WaveIn() { return *waveIn_; }
    EnhWaveOut& WaveOut() { return *waveOut_; }
    /// The processed blocks' way to the output, at their rate.
    LiveOutput& Output() { return *output_; }
    /// The control positions the next block will be processed with.
    CycleControls NextCycleControls() const;

private:
    void createDevices();
    void watchDevices();
    void closeDevices();
    void openDevices();
    bool devicesBusy() const;
    void configureDevices(std::int32_t outputRate, std::int32_t bufferBytes, std::int32_t blockRate);
    void startClocks();
    void stopClocks();
    void showOutputLevel();

    Parts parts_;
    BlockCycle cycle_;
    std::unique_ptr<EnhWaveIn> waveIn_;
    std::unique_ptr<EnhWaveOut> waveOut_;
    std::unique_ptr<LiveOutput> output_;
    std::unique_ptr<MainFormCycleClient> cycleClient_;
    // Closes and reopens the devices when the soundcard goes away and returns.
    std::unique_ptr<DeviceWatch> deviceWatch_;
    QTimer displayClock_;
    QTimer statusClock_;
    bool closing_ = false;
};

}  // namespace moravel
