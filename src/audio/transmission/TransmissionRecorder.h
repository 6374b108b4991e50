// Record on signal: watches the processed audio and writes each
// transmission to a file of its own in a folder, named by its start time,
// with a line in the folder's transmissions.csv as each file closes.
//
// The level is the RMS of the processed audio in windows of kWindowSeconds,
// in dBFS; with the filter on, the processed audio holds the filter's band
// only, so the level is that band's. SignalGate decides where a
// transmission starts (the first window of the run above the threshold that
// lasted the attack time) and ends (the hang time after the last window
// above). The file holds the pre-roll before the start, the transmission
// and the hang time; the log gives the start, the duration from the start
// to the end, the peak window level and the spectrum's peak frequency.
//
// The files are WaveRecorder's: valid from the first moment, their header
// brought up to date every WaveRecorder::kTickSeconds of audio. A failure
// (full disk, removed folder) stops the mode with the recorder's message;
// every file closed before, and the one being written up to the failure,
// stays complete.
//
// Times: sample n of the audio fed is at origin + n / rate. Plain C++,
// one thread (the caller's) at a time.
#pragma once

#include "audio/transmission/PeakFrequencyTally.h"
#include "audio/transmission/SampleHistory.h"
#include "audio/transmission/SignalGate.h"
#include "audio/transmission/TransmissionLog.h"
#include "audio/transmission/TransmissionSettings.h"
#include "audio/recorder/WaveRecorder.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace moravel {

class TransmissionRecorder {
public:
    static constexpr double kWindowSeconds = 0.02;

    enum class State { kWaiting, kRecording, kFailed, kFinished };

    /// Watches audio of `rate` Hz (> 0) for transmissions to be written to
    /// the existing folder `folder`.
    TransmissionRecorder(std::string folder, std::int32_t rate, const TransmissionSettings& settings,
                         std::chrono::system_clock::time_point origin);
    /// Finish() if it was not called.
    ~TransmissionRecorder();

    TransmissionRecorder(const TransmissionRecorder&) = delete;
    TransmissionRecorder& operator=(const TransmissionRecorder&) = delete;

    /// The next `count` samples of processed audio and the display spectrum
    /// that goes with them (EngineDisplaySpectrum of the engine that made
    /// them). Returns false once the mode has stopped (see Error()) or
    /// finished.
    bool Feed(const std::int16_t* samples, std::int32_t count, const BlockSpectrum& spectrum);

    /// Ends the mode: a transmission in progress ends with the audio fed so
    /// far and is logged. Returns false when that or anything before failed.
    bool Finish();

    State CurrentState() const { return state_; }
    /// The file being written (while kRecording), else "".
    std::string CurrentFile() const;
    /// Transmission files closed so far.
    int FilesClosed() const { return filesClosed_; }
    /// The last window's level in dBFS, to show against the threshold.
    double LevelDbfs() const { return levelDbfs_; }
    /// Why the mode stopped (names the file and the reason); "" otherwise.
    const std::string& Error() const { return error_; }

private:
    void step(double levelDbfs, std::int64_t start, std::int64_t end);
    void open(std::int64_t onset);
    void append(const std::int16_t* samples, std::int32_t count);
    void close(std::int64_t end);
    void fail(const std::string& message);
    std::chrono::system_clock::time_point timeOf(std::int64_t sample) const;

    std::string folder_;
    std::int32_t rate_;
    TransmissionSettings settings_;
    std::chrono::system_clock::time_point origin_;
    SignalGate gate_;
    SampleHistory history_;
    TransmissionLog log_;
    PeakFrequencyTally spectrum_;
    std::unique_ptr<WaveRecorder> file_;
    State state_ = State::kWaiting;
    std::string error_;
    int filesClosed_ = 0;
    std::int64_t onset_ = 0;  // of the transmission being recorded
    double levelDbfs_;
    double peakDbfs_;
    std::int64_t windowSamples_;
    double windowSquares_ = 0;
    std::int32_t windowFill_ = 0;
    std::int64_t samplesSinceTick_ = 0;
    std::vector<std::int16_t> scratch_;
};

}  // namespace moravel
