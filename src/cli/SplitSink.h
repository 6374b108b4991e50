// Hands each processed block to the output and to the transmission
// recorder, with the display spectrum the engine holds for that block (the
// loop writes a block right after the engine has finished it).
#pragma once

#include "dsp/Engine.h"
#include "cli/SampleSink.h"
#include "audio/transmission/TransmissionRecorder.h"

namespace moravel {

class SplitSink : public SampleSink {
public:
    SplitSink(SampleSink& output, TransmissionRecorder& recorder, const Engine& engine)
        : output_(output), recorder_(recorder), engine_(engine) {}

    /// Throws std::runtime_error with the recorder's message once it has
    /// stopped (full disk, removed folder).
    void Write(const std::int16_t* samples, std::int32_t count) override;

private:
    SampleSink& output_;
    TransmissionRecorder& recorder_;
    const Engine& engine_;
};

}  // namespace moravel
