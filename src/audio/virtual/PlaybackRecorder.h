// Writes what a virtual playback device played to a WAV file: mono, 16-bit
// PCM at the device's rate, block alignment 2. The file is complete once
// Finish() ran (or the recorder was destroyed).
//
// Plain C++; used under the playback device's lock.
#pragma once

#include "audio/waveio.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace moravel::vcard {

class PlaybackRecorder {
public:
    /// Creates or replaces `fileName`; throws WaveStreamError when it cannot.
    PlaybackRecorder(const std::string& fileName, std::int32_t rate);

    /// Appends samples; throws WaveStreamError on a write error.
    void Append(const std::int16_t* samples, std::size_t count);
    /// Completes the chunk sizes; later calls do nothing.
    void Finish();

private:
    std::unique_ptr<FileWaveStream> stream_;
    std::vector<std::uint8_t> bytes_;
};

}  // namespace moravel::vcard
