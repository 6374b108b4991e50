// A SampleSink over a WAV stream opened for writing.
#pragma once

#include "cli/SampleSink.h"
#include "audio/waveio.h"

namespace moravel {

class WaveStreamSink : public SampleSink {
public:
    explicit WaveStreamSink(WaveStream& stream) : stream_(stream) {}
    /// Throws WaveStreamError "Error writing to file." when not every
    /// sample was taken.
    void Write(const std::int16_t* samples, std::int32_t count) override {
        if (stream_.Write(samples, count) != count) throw WaveStreamError("Error writing to file.");
    }

private:
    WaveStream& stream_;
};

}  // namespace moravel
