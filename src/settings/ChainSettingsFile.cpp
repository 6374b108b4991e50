#include "settings/ChainSettingsFile.h"

#include "common/ControlTable.h"
#include "settings/WindowSettings.h"

namespace moravel {
namespace {

void TakeFilter(const WindowSettings& s, ChainSettings& chain) {
    chain.filterType = controls::kComboFilterType.Select(s.SpectrumFilterType);
    chain.filterOn = s.FilterOn;
    chain.filterCenter = controls::kTrackFilterCenter.Clamp(s.FilterCenterFreq);
    chain.filterWidth = controls::kTrackFilterBW.Clamp(s.FilterBandwidth);
}

void TakeDynamics(const WindowSettings& s, DynamicsSettings& dynamics) {
    dynamics.noiseBlankerOn = s.NoiseBlanker1On;
    dynamics.noiseBlankerLevel = controls::kTrackNoiseblanker1Level.Clamp(s.NoiseBlanker1Level);
    dynamics.agcOn = s.AGC_enabled;
    dynamics.agcDecay = controls::kTrackAgcDecay.Clamp(s.TrackAgcDecay);
    dynamics.agcLevel = controls::kTrackAgcLevel.Clamp(s.TrackAgcLevel);
    dynamics.compressorOn = s.CompressorOn;
    dynamics.expanderOn = s.ExpanderOn;
}

void TakeDisplay(const WindowSettings& s, ChainSettings& chain) {
    chain.decay = s.SpectrumDecayOn ? controls::kTrackSpectrumDecay.Clamp(s.SpectrumDecayValue) : 0;
    chain.resolutionIndex = controls::kComboSpectrumResolution.Select(s.SpectrumResolution);
}

void TakeShift(const WindowSettings& s, ChainSettings& chain) {
    chain.shiftPosition = controls::kTbFreqShift.Clamp(s.TrackFrequencyShift);
    chain.shiftOn = s.FrequencyShiftOn;
    chain.shiftRange = controls::kComboFreqShiftRange.Select(s.FrequencyShiftRange);
}

void TakeEqualizer(const WindowSettings& s, ChainSettings& chain) {
    for (std::size_t band = 0; band < chain.equalizer.size(); ++band)
        chain.equalizer[band] = controls::kEqualizerBandControls[band].Clamp(s.eq[band]);
    chain.equalizerOn = s.EqualizerOn;
}

}  // namespace

ChainSettings ChainFromWindowSettings(const WindowSettings& settings) {
    ChainSettings chain;
    TakeFilter(settings, chain);
    TakeDynamics(settings, chain.dynamics);
    TakeDisplay(settings, chain);
    TakeShift(settings, chain);
    TakeEqualizer(settings, chain);
    return chain;
}

ChainSettings ReadChainSettings(const IniFile& file) {
    return ChainFromWindowSettings(ReadWindowSettings(file));
}

}  // namespace moravel
