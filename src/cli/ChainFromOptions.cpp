#include "ChainFromOptions.h"

#include <algorithm>
#include <string>

namespace moravel {
namespace {

// Clamps values like the controls do and says so.
class Clamper {
public:
    explicit Clamper(const std::function<void(const std::string&)>& warn) : warn_(warn) {}

    std::int32_t operator()(std::int64_t value, std::int32_t minimum, std::int32_t maximum,
                            const std::string& what) const {
        const auto clamped = static_cast<std::int32_t>(std::clamp<std::int64_t>(value, minimum, maximum));
        if (clamped != value && warn_) {
            warn_(what + " " + std::to_string(value) + " is outside " + std::to_string(minimum) + ".." +
                  std::to_string(maximum) + "; using " + std::to_string(clamped));
        }
        return clamped;
    }

private:
    const std::function<void(const std::string&)>& warn_;
};

void ApplyDynamics(const ProcessOptions& o, ChainSettings& s, const Clamper& clamp) {
    if (o.agc) {
        s.dynamics.agcOn = true;
        s.dynamics.agcLevel = clamp(o.agc->level, 2000, 30000, "--agc LEVEL");
        s.dynamics.agcDecay = clamp(o.agc->decay, 2, 300, "--agc DECAY");
    }
    if (o.noiseBlanker) {
        s.dynamics.noiseBlankerOn = true;
        s.dynamics.noiseBlankerLevel = clamp(*o.noiseBlanker, 1, 20, "--noise-blanker LEVEL");
    }
    if (o.compressor) {
        s.dynamics.compressorOn = true;
        s.dynamics.compressorThreshold = clamp(o.compressor->threshold, -50, 50, "--compressor THRESHOLD");
        s.dynamics.compressorGain = clamp(o.compressor->gain, -10, 10, "--compressor GAIN");
    }
    if (o.expander) {
        s.dynamics.expanderOn = true;
        s.dynamics.expanderThreshold = clamp(o.expander->threshold, -50, 50, "--expander THRESHOLD");
        s.dynamics.expanderGain = clamp(o.expander->gain, -10, 10, "--expander GAIN");
    }
}

void ApplyFilter(const FilterOption& filter, ChainSettings& s, std::int32_t sampleRate, const Clamper& clamp) {
    s.filterOn = true;
    s.filterType = filter.type;
    // The centre track bar runs from 10 Hz to half the sample rate.
    const std::int32_t top = std::max(10, std::min(30000, sampleRate / 2));
    s.filterCenter = clamp(filter.center, 10, top, filter.source + " CENTER (Hz, at this sample rate)");
    if (filter.width) s.filterWidth = clamp(*filter.width, 20, 3000, filter.source + " WIDTH");
}

void ApplyShift(const ShiftOption& shift, ChainSettings& s, const Clamper& clamp) {
    s.shiftOn = true;
    s.shiftPosition = clamp(shift.position, -125, 125, "--shift POSITION");
    if (shift.range) s.shiftRange = clamp(*shift.range, 0, 3, "--shift RANGE");
}

void ApplyEqualizer(const std::array<std::int64_t, kEqualizerBands>& positions, ChainSettings& s,
                    const Clamper& clamp) {
    s.equalizerOn = true;
    for (std::size_t band = 0; band < positions.size(); ++band) {
        s.equalizer[band] =
            clamp(positions[band], -kEqualizerMaximum, kEqualizerMaximum, "--equalizer P" + std::to_string(band + 1));
    }
}

}  // namespace

ChainSettings ApplyStageOptions(const ProcessOptions& options, ChainSettings base, std::int32_t sampleRate,
                                const std::function<void(const std::string&)>& warn) {
    const Clamper clamp(warn);
    ApplyDynamics(options, base, clamp);
    if (options.filter) ApplyFilter(*options.filter, base, sampleRate, clamp);
    if (options.shift) ApplyShift(*options.shift, base, clamp);
    if (options.equalizer) ApplyEqualizer(*options.equalizer, base, clamp);
    if (options.resolution) base.resolutionIndex = *options.resolution;
    if (options.decay) base.decay = clamp(*options.decay, 0, 20, "--decay");
    return base;
}

}  // namespace moravel
