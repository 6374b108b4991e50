// The recorder: writes the processed blocks to a WAV file, counts the
// recording time in status-timer ticks and keeps the file valid all along.
//
// The header's sizes are brought up to date on every tick, after the samples
// they count have been put on the disk: a killed program loses at most the
// last tick's samples, a system crash or a power failure at most the last
// two ticks' (the header reaches the disk with the next tick's samples), and
// the file opens at its true length. Any write error stops the recording:
// the file keeps everything that reached the disk, and Error() says which
// file failed and why. After that every call is a no-op that returns false.
//
// Threads: GUI thread only (the window calls everything from its GUI thread:
// the block cycle, the status timer and the buttons).
#pragma once

#include "audio/waveio.h"

#include <sys/types.h>
#include <cstdint>
#include <memory>
#include <string>

namespace moravel {

/// The recording format: PCM, 1 channel, `rate` Hz, 2·rate bytes per second,
/// block alignment 1 (a frame is one byte, so counts are byte counts), 16 bits
/// per sample, no extra bytes. `rate` in Hz, 1 … 2^31 − 1.
WaveFormatEx RecordingFormat(std::int32_t rate);

class WaveRecorder {
public:
    /// One status-timer step, in seconds.
    static constexpr double kTickSeconds = 0.5;
    /// The recording's first data byte: RIFF header 12, "fmt " chunk 8 + 18,
    /// "data" header 8.
    static constexpr std::int64_t kDataOffset = 46;
    /// The most data a WAV file can describe (its RIFF size, data + 38, is a
    /// 32-bit number), rounded down to whole samples.
    static constexpr std::int64_t kMaxDataBytes = 0xFFFFFFFFLL - 38 - 1;

    /// Starts a recording at `path` (an existing file is replaced) at the
    /// output rate `outputRate` Hz (> 0) and writes a valid empty file.
    /// Throws WaveStreamError with the stream's message ("Can't open file
    /// stream." for a missing or unwritable folder) or a message naming the
    /// file when even the empty file cannot be written; no recorder exists
    /// then. `maxDataBytes` (even, ≤ kMaxDataBytes) exists for tests.
    WaveRecorder(std::string path, std::int32_t outputRate, std::int64_t maxDataBytes = kMaxDataBytes);
    /// Stop() if it was not called; its result is lost, so call Stop().
    ~WaveRecorder();

    WaveRecorder(const WaveRecorder&) = delete;
    WaveRecorder& operator=(const WaveRecorder&) = delete;

    /// Appends one processed block: `bytes` bytes (0 … 2^31 − 1, even) of
    /// 16-bit samples. The caller skips it while the recorder's Pause is
    /// down. Returns false when the recording has stopped, now or earlier
    /// (see Error()); a block that would pass kMaxDataBytes stops the
    /// recording without being written.
    bool Append(const std::int16_t* samples, std::int32_t bytes);

    /// The 500 ms status tick: counts kTickSeconds unless `paused`, then
    /// puts the samples on the disk and commits the header's sizes
    /// (WaveStream::CommitSizes), and checks that the file is
    /// still where it was created (a removed file or folder would take the
    /// rest of the recording with it). Returns false when the recording
    /// has stopped, now or earlier (see Error()).
    bool Tick(bool paused);

    /// Ends the recording: final sizes, flush, close. Returns false when that
    /// or an earlier write failed (see Error()). Later calls return the same.
    bool Stop();

    /// True from the start until Stop() or a failure.
    bool Recording() const { return stream_ != nullptr; }
    /// True once the recording stopped by itself; Error() tells why.
    bool Failed() const { return !error_.empty(); }
    /// The message for the user: names the file and the reason. "" when
    /// nothing failed.
    const std::string& Error() const { return error_; }

    /// Seconds counted so far (multiples of kTickSeconds).
    double RecordedSeconds() const { return recordedSeconds_; }
    /// The "Time" read-out: RecordedSeconds() as "hh:mm:ss".
    std::string TimeText() const;
    /// Data bytes written so far (what the header holds after Stop()).
    std::int64_t DataBytes() const { return dataBytes_; }

    const std::string& Path() const { return path_; }
    /// The recording's rate in Hz (the output rate at the start).
    std::int32_t Rate() const { return rate_; }

    /// The "Size" read-out, "%1.0n kB" of outputRate × seconds / 1000 × 2:
    /// computed from the time and the wave output's current rate (Hz), not
    /// from the bytes written. `thousands` is the user's thousands
    /// separator. 8500 Hz for 10 s gives "170 kB".
    static std::string SizeText(std::int32_t outputRate, double seconds, const std::string& thousands = ",");

private:
    template <typename Operation>
    bool guarded(Operation&& operation);
    std::string movedAway() const;
    void fail(const std::string& reason, bool seal);

    std::string path_;
    std::int32_t rate_;
    std::int64_t maxDataBytes_;
    std::unique_ptr<FileWaveStream> stream_;
    std::int64_t dataBytes_ = 0;
    double recordedSeconds_ = 0;
    std::string error_;
    // Identity of the file created, to notice it being removed or replaced.
    dev_t device_ = 0;
    ino_t inode_ = 0;
};

}  // namespace moravel
