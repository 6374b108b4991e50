// The player: supplies the processing chain's input blocks from a WAV file,
// keeps the position track bar's position, wraps or finishes at the end and
// gives the time read-outs and the device settings for the file's rate.
//
// Threads: GUI thread only (the window calls everything from its GUI thread:
// the block cycle, the status timer, the track bar and the buttons).
#pragma once

#include "audio/PlayerBlock.h"
#include "audio/waveio.h"

#include <cstdint>
#include <memory>
#include <string>

namespace moravel {

/// How the devices and the engine run while a file of rate R plays.
struct PlayerDeviceSettings {
    std::int32_t inputRate;         // R − 50 Hz: the wave input and the engine's Configure rate
    std::int32_t outputRate;        // R Hz: the wave output
    std::int32_t inputBufferBytes;  // the wave input's and the engine's block size (PlayerBufferBytes(R))
    std::int32_t displayMaximum;    // R div 2 Hz: the spectrum scroll's and the filter centre's maximum
};

/// Read from the controls for each block.
struct PlayerControls {
    bool paused = false;  // the player's Pause is down
    bool loop = false;    // Loop is checked
};

class WavePlayer {
public:
    /// Shown (caption "Warning") when Play is pressed for a file that does not exist.
    static constexpr const char* kMissingFileMessage = "The audio file does not exist and therefore cannot be played.";

    /// False when `path` names nothing or a folder: the case for
    /// kMissingFileMessage, checked before anything else.
    static bool FileExists(const std::string& path);

    /// Opens `path` for playing at frame 0. Throws WaveStreamError with the
    /// stream's message (a missing file gives "Can't open file stream.", a
    /// non-WAV file "Not a wave file!", …) or UnplayableFormatError naming
    /// the format of a file the player cannot play; no player exists then.
    explicit WavePlayer(const std::string& path);

    /// The file's format and its rate R in Hz (51 … 2^31 − 1).
    const WaveFormatEx& Format() const { return stream_->Format(); }
    std::int32_t Rate() const { return static_cast<std::int32_t>(Format().nSamplesPerSec); }
    PlayerDeviceSettings DeviceSettings() const;

    /// Frames in the file (up to 2^32 for a recording of 4 GiB, whose
    /// frames are bytes): the end of the position track bar (TrackBarScale).
    std::int64_t FrameCount() const { return stream_->FrameCount(); }
    /// The track bar's position: frames from the start, 0 … FrameCount().
    std::int64_t Position() const { return position_; }

    /// One input block: `dest` holds `bytes` bytes (even, 0 … 8192) of
    /// zeroed 16-bit samples. Paused: nothing is read, the block stays
    /// silent and the position stands. Otherwise fills it from the file
    /// (what the file cannot fill stays silent) and moves the position on;
    /// on reaching FrameCount() it wraps to frame 0 with `loop`, else sets
    /// Finished(). Returns the samples taken from the file. Throws the
    /// stream's WaveStreamError when the file cannot be read.
    std::int32_t ReadBlock(std::int16_t* dest, std::int32_t bytes, const PlayerControls& controls);

    /// The track bar was moved to `frame` (clamped to 0 … FrameCount()):
    /// playing goes on from there.
    void Seek(std::int64_t frame);

    /// The end was reached without Loop; the status tick releases Play.
    bool Finished() const { return finished_; }
    /// Returns Finished() and clears it.
    bool TakeFinished();

    /// Play time of `frame` at the input rate, as "hh:mm:ss" ("Time").
    std::string TimeText(std::int64_t frame) const;
    /// Play time of the whole file ("Total").
    std::string TotalText() const { return TimeText(FrameCount()); }

private:
    std::unique_ptr<FileWaveStream> stream_;
    PlayerBlockReader reader_;
    std::int64_t position_ = 0;
    bool finished_ = false;
};

}  // namespace moravel
