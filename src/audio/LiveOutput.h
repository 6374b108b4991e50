// The live pipeline's way to the wave output: each processed block is
// carried from the rate it was captured at to the output's rate by a
// RateBridge that also holds the output's lead at its target, so that a
// tone keeps its pitch and the output neither runs dry nor fills up. Blocks
// that are already at the output's rate (the player's file, played at its
// own rate) go to the output as they are.
//
// Threads: the wave output's thread (the GUI thread in the program).
#pragma once

#include "audio/rate/RateBridge.h"

#include <cstdint>
#include <memory>

namespace moravel {

class EnhWaveOut;

class LiveOutput {
public:
    /// The floor the lead ahead of each block is held above, in seconds
    /// (the bridge adds a margin for the lead's jitter): 5 ms above the
    /// 15 ms below which the ALSA output bridges a gap with silence. Every
    /// millisecond of lead is a millisecond of delay.
    static constexpr double kFloorLeadSeconds = 0.020;

    /// `output` must outlive this.
    explicit LiveOutput(EnhWaveOut& output) : output_(output) {}

    /// From now on the blocks written are at `blockRate` Hz and go to the
    /// output at its own rate (`EnhWaveOut::samples`, set before this).
    void Configure(std::int32_t blockRate);

    /// Queues `count` samples for the output, resampled where the rates
    /// differ. Returns the output's playing flag.
    bool Write(const std::int16_t* samples, std::int32_t count);

    /// The lead below which blocks written at the output's rate (the
    /// player's) run short: twice the floor, so that the extra block comes
    /// well before the output bridges a gap with silence.
    static constexpr double kPlayerLowWaterSeconds = 2 * kFloorLeadSeconds;

    /// True when blocks go to the output as they are (the player's, already
    /// at its rate) and its lead ahead of the last one is below
    /// kPlayerLowWaterSeconds: the output will run dry before the capture
    /// clocks the next block. False while the lead is unknown.
    bool RunsShort() const;

    /// The bridge's trim of the ratio (1 when there is no bridge).
    double Trim() const { return bridge_ ? bridge_->Trim() : 1.0; }
    /// The rate of the blocks written (the true rate of the processed audio);
    /// the output's own rate until Configure has been called, so that a
    /// recording started before the devices ever ran still names a rate.
    std::int32_t BlockRate() const;

private:
    void noteGaps();

    EnhWaveOut& output_;
    std::int32_t blockRate_ = 0;
    std::unique_ptr<RateBridge> bridge_;
    std::int64_t bridgedGaps_ = 0;  // the output's count when the last block was written
};

}  // namespace moravel
