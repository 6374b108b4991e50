// Where the processing loop puts each processed block: a WAV file, a pipe,
// or nowhere (when only the transmissions of a recording are wanted).
#pragma once

#include <cstdint>

namespace moravel {

class SampleSink {
public:
    virtual ~SampleSink() = default;
    /// Takes `count` 16-bit samples. Throws on failure (the loop turns a
    /// WaveStreamError into a StreamSideError naming the output).
    virtual void Write(const std::int16_t* samples, std::int32_t count) = 0;
};

}  // namespace moravel
