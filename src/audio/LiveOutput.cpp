#include "audio/LiveOutput.h"

#include "audio/EnhWave.h"

#include <cmath>

namespace moravel {

void LiveOutput::Configure(std::int32_t blockRate) {
    blockRate_ = blockRate;
    const std::int32_t outputRate = output_.samples;
    if (blockRate == outputRate) {
        bridge_.reset();
        return;
    }
    const auto floor = static_cast<std::int64_t>(std::lround(kFloorLeadSeconds * outputRate));
    bridge_ = std::make_unique<RateBridge>(RateBridge::Setup{blockRate, outputRate, floor});
    bridgedGaps_ = 0;
}

// A gap the output bridged since the last block raises the bridge's floor.
// The count starts again from 0 when the device is opened again.
void LiveOutput::noteGaps() {
    const std::int64_t gaps = output_.BridgedGaps();
    if (gaps > bridgedGaps_) bridge_->RaiseFloor();
    bridgedGaps_ = gaps;
}

bool LiveOutput::RunsShort() const {
    if (bridge_) return false;
    const std::int64_t lead = output_.LeadFrames();
    return lead >= 0 && static_cast<double>(lead) < kPlayerLowWaterSeconds * output_.samples;
}

std::int32_t LiveOutput::BlockRate() const { return blockRate_ > 0 ? blockRate_ : output_.samples; }

bool LiveOutput::Write(const std::int16_t* samples, std::int32_t count) {
    if (!bridge_) return output_.Write(samples, count * 2);
    noteGaps();
    const auto& bridged = bridge_->Process(samples, static_cast<std::size_t>(count), output_.LeadFrames());
    return output_.Write(bridged.data(), static_cast<std::int32_t>(bridged.size() * 2));
}

}  // namespace moravel
