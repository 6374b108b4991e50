#include "cli/ChainFromOptions.h"

#include "common/ControlTable.h"
#include "cli/OptionClamp.h"

#include <algorithm>
#include <string>

namespace moravel {
namespace {

void ApplyDynamics(const ProcessOptions& o, ChainSettings& s, const OptionClamp& clamp) {
    if (o.agc) {
        s.dynamics.agcOn = true;
        s.dynamics.agcLevel = clamp(o.agc->level, controls::kTrackAgcLevel, "--agc LEVEL");
        s.dynamics.agcDecay = clamp(o.agc->decay, controls::kTrackAgcDecay, "--agc DECAY");
    }
    if (o.noiseBlanker) {
        s.dynamics.noiseBlankerOn = true;
        s.dynamics.noiseBlankerLevel =
            clamp(*o.noiseBlanker, controls::kTrackNoiseblanker1Level, "--noise-blanker LEVEL");
    }
    if (o.compressor) {
        s.dynamics.compressorOn = true;
        s.dynamics.compressorThreshold =
            clamp(o.compressor->threshold, controls::kTrackCompressorThreshold, "--compressor THRESHOLD");
        s.dynamics.compressorGain = clamp(o.compressor->gain, controls::kTrackCompressorGain, "--compressor GAIN");
    }
    if (o.expander) {
        s.dynamics.expanderOn = true;
        s.dynamics.expanderThreshold =
            clamp(o.expander->threshold, controls::kTrackExpanderThreshold, "--expander THRESHOLD");
        s.dynamics.expanderGain = clamp(o.expander->gain, controls::kTrackExpanderGain, "--expander GAIN");
    }
}

void ApplyFilter(const FilterOption& filter, ChainSettings& s, std::int32_t sampleRate, const OptionClamp& clamp) {
    s.filterOn = true;
    s.filterType = filter.type;
    // The centre track bar runs from its minimum to half the sample rate.
    const controls::TrackControl& center = controls::kTrackFilterCenter;
    const std::int32_t top = std::max(center.minimum, std::min(center.maximum, sampleRate / 2));
    s.filterCenter = clamp(filter.center, center.minimum, top, filter.source + " CENTER (Hz, at this sample rate)");
    if (filter.width) s.filterWidth = clamp(*filter.width, controls::kTrackFilterBW, filter.source + " WIDTH");
}

void ApplyShift(const ShiftOption& shift, ChainSettings& s, const OptionClamp& clamp) {
    s.shiftOn = true;
    s.shiftPosition = clamp(shift.position, controls::kTbFreqShift, "--shift POSITION");
    if (shift.range) s.shiftRange = clamp(*shift.range, 0, controls::kComboFreqShiftRange.Count() - 1, "--shift RANGE");
}

void ApplyEqualizer(const std::array<std::int64_t, kEqualizerBands>& positions, ChainSettings& s,
                    const OptionClamp& clamp) {
    s.equalizerOn = true;
    for (std::size_t band = 0; band < positions.size(); ++band) {
        s.equalizer[band] =
            clamp(positions[band], controls::kEqualizerBandControls[band], "--equalizer P" + std::to_string(band + 1));
    }
}

void ApplyCleanup(const ProcessOptions& o, CleanupSettings& c, std::int32_t sampleRate, const OptionClamp& clamp) {
    if (o.cleanSpeech) c = CleanSpeech(c);
    if (o.impulseBlanker) {
        c.impulseBlankerOn = true;
        c.impulseThreshold = clamp(*o.impulseBlanker, controls::kTrackImpulseBlanker, "--impulse-blanker LEVEL");
    }
    if (o.noiseReduction) {
        c.noiseReductionOn = true;
        c.noiseReductionDb = clamp(*o.noiseReduction, controls::kTrackNoiseReduction, "--noise-reduction DB");
    }
    if (o.noiseProfile) c.noiseReductionOn = true;  // a print is only of use to the noise reduction
    if (o.autoNotch) c.autoNotchOn = true;
    if (o.notches.empty()) return;
    c.notchCount = static_cast<std::int32_t>(std::min<std::size_t>(o.notches.size(), c.notchHz.size()));
    const std::int32_t top = std::max(1, sampleRate / 2);
    for (std::int32_t i = 0; i < c.notchCount; ++i)
        c.notchHz[static_cast<std::size_t>(i)] =
            clamp(o.notches[static_cast<std::size_t>(i)], 1, top, "--notch HZ (at this sample rate)");
}

}  // namespace

ChainSettings ApplyStageOptions(const ProcessOptions& options, ChainSettings base, std::int32_t sampleRate,
                                const std::function<void(const std::string&)>& warn) {
    const OptionClamp clamp(warn);
    ApplyDynamics(options, base, clamp);
    ApplyCleanup(options, base.cleanup, sampleRate, clamp);
    if (options.filter) ApplyFilter(*options.filter, base, sampleRate, clamp);
    if (options.shift) ApplyShift(*options.shift, base, clamp);
    if (options.equalizer) ApplyEqualizer(*options.equalizer, base, clamp);
    if (options.resolution) base.resolutionIndex = *options.resolution;
    if (options.decay) base.decay = clamp(*options.decay, controls::kTrackSpectrumDecay, "--decay");
    return base;
}

}  // namespace moravel
