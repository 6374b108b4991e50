// Loops captured blocks straight to the output for a while, the way the
// program's pipeline feeds its output, and measures how the devices kept
// pace: blocks delivered against the nominal rate, blocks lost or doubled,
// the CPU the device threads used and the time from capture to playback.
//
// Runs an event loop on the calling thread (which needs a QCoreApplication).
#pragma once

#include "audio/WaveDevice.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace moravel {

struct LoopbackSetup {
    std::int32_t outputRate = 4000;  // the capture runs 50 Hz lower
    std::int32_t bufferBytes = 1024;
    std::chrono::milliseconds duration{60000};
};

struct LoopbackReport {
    bool opened = false;
    double seconds = 0;                         // from the first captured block to the last
    std::int64_t captured = 0;                  // blocks handed to the capture handler
    std::int64_t written = 0;                   // blocks written to the output
    std::int64_t played = 0;                    // blocks the output reported finished
    double blocksPerSecond = 0;                 // captured blocks per second
    double nominalPerSecond = 0;                // capture rate / samples per block
    std::int64_t overruns = 0;                  // capture blocks the device lost
    std::int64_t underruns = 0;                 // times the output ran dry
    double workerCpuSeconds = 0;                // CPU time of all other threads meanwhile
    double medianLatencyMs = 0;                 // captured → reported played, median
    std::vector<std::int16_t> capturedSamples;  // when keepSamples
};

/// Opens input and output on `backend` for one audio range, loops for
/// setup.duration, closes both and waits (bounded) until they report closed.
LoopbackReport RunLoopback(AudioBackend& backend, const LoopbackSetup& setup, bool keepSamples);

}  // namespace moravel
