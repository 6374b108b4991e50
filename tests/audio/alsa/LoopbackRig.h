// Plays a tone through an ALSA playback service and captures it back
// through an ALSA capture service (the sink's monitor), acting as both
// components: three capture buffers re-queued as soon as each is handled,
// three playback blocks in flight, a new one written at each Done.
#pragma once

#include "audio/alsa/AlsaBackend.h"
#include "NotificationRecorder.h"
#include "ToneAnalysis.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <memory>
#include <vector>

namespace moravel::testing {

struct AudioRange {
    std::int32_t outputRate;
    std::int32_t captureRate;
    std::uint32_t blockBytes;  // 16-bit mono: half as many samples
};

class LoopbackRig {
public:
    LoopbackRig(AlsaBackend& backend, const AudioRange& range, double toneHz, double amplitude);
    ~LoopbackRig();

    /// Opens both devices (wvMapper) and starts them; returns the first
    /// failing result, or kWaveOk.
    std::int32_t Open();
    /// Closes both (reset, then close), as the components do.
    void Close();

    AlsaCapture& Capture() { return *capture_; }
    AlsaPlayback& Playback() { return *playback_; }
    NotificationRecorder& CaptureNotes() { return captureNotes_; }
    NotificationRecorder& PlaybackNotes() { return playbackNotes_; }

    /// Every captured block: when it was handled and its samples.
    struct Block {
        std::chrono::steady_clock::time_point at;
        std::vector<std::int16_t> samples;
    };
    const std::vector<Block>& Captured() const { return captured_; }
    int BlocksPlayed() const { return played_; }

private:
    static constexpr int kRing = 3;
    void OnCaptured(const Received& r);
    void OnPlayed(const Received& r);
    void WriteNext(WaveHeader& header);

    AudioRange range_;
    std::unique_ptr<AlsaCapture> capture_;
    std::unique_ptr<AlsaPlayback> playback_;
    NotificationRecorder captureNotes_, playbackNotes_;
    std::array<WaveHeader, kRing> captureHeaders_{};
    std::array<std::vector<std::uint8_t>, kRing> captureBuffers_;
    std::array<WaveHeader, kRing> playHeaders_{};
    std::vector<std::uint8_t> playBytes_;
    ToneSource tone_;
    std::vector<Block> captured_;
    int played_ = 0;
    bool open_ = false;
};

}  // namespace moravel::testing
