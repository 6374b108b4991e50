#include "ChainSettingsFile.h"

#include "FilterPresets.h"

#include <algorithm>
#include <string>

namespace moravel {
namespace {

constexpr std::int32_t kNoSelection = -1;

// Reads the SETTINGS keys the way the controls take them up.
class SettingsReader {
public:
    explicit SettingsReader(const TKustomIniFile& file) : file_(file) {}

    bool Switch(const char* key, bool defaultValue) const {
        return file_.ReadBool(kSettingsSection, key, defaultValue);
    }

    /// A track bar clamps its position to its range.
    std::int32_t TrackBar(const char* key, std::int32_t defaultValue, std::int32_t minimum,
                          std::int32_t maximum) const {
        return std::clamp(file_.ReadInteger(kSettingsSection, key, defaultValue), minimum, maximum);
    }

    /// A combo shows no item for an index outside its list.
    std::int32_t Combo(const char* key, std::int32_t defaultValue, std::int32_t itemCount) const {
        const std::int32_t index = file_.ReadInteger(kSettingsSection, key, defaultValue);
        return index >= 0 && index < itemCount ? index : kNoSelection;
    }

private:
    const TKustomIniFile& file_;
};

void ReadFilter(const SettingsReader& read, ChainSettings& settings) {
    settings.filterType = read.Combo("SpectrumFilterType", kBandPass, 4);
    settings.filterOn = read.Switch("FilterOn", false);
    settings.filterCenter = read.TrackBar("FilterCenterFreq", 1000, 10, 30000);
    settings.filterWidth = read.TrackBar("FilterBandwidth", 500, 20, 3000);
}

void ReadDynamics(const SettingsReader& read, ChainSettings& settings) {
    settings.dynamics.noiseBlankerOn = read.Switch("NoiseBlanker1On", false);
    settings.dynamics.noiseBlankerLevel = read.TrackBar("NoiseBlanker1Level", 10, 1, 20);
    settings.dynamics.agcOn = read.Switch("AGC_enabled", true);
    settings.dynamics.agcDecay = read.TrackBar("TrackAgcDecay", 40, 2, 300);
    settings.dynamics.agcLevel = read.TrackBar("TrackAgcLevel", 10000, 2000, 30000);
    settings.dynamics.compressorOn = read.Switch("CompressorOn", false);
    settings.dynamics.expanderOn = read.Switch("ExpanderOn", false);
}

void ReadDisplay(const SettingsReader& read, ChainSettings& settings) {
    const std::int32_t decay = read.TrackBar("SpectrumDecayValue", 10, 0, 20);
    settings.decay = read.Switch("SpectrumDecayOn", true) ? decay : 0;
    settings.resolutionIndex = read.Combo("SpectrumResolution", 1, 3);
}

void ReadShift(const SettingsReader& read, ChainSettings& settings) {
    settings.shiftPosition = read.TrackBar("TrackFrequencyShift", 0, -125, 125);
    settings.shiftOn = read.Switch("FrequencyShiftOn", false);
    settings.shiftRange = read.Combo("FrequencyShiftRange", 0, 4);
}

void ReadEqualizer(const SettingsReader& read, ChainSettings& settings) {
    for (std::size_t band = 0; band < settings.equalizer.size(); ++band) {
        const std::string key = "eq" + std::to_string(band + 1);
        settings.equalizer[band] = read.TrackBar(key.c_str(), 0, -kEqualizerMaximum, kEqualizerMaximum);
    }
    settings.equalizerOn = read.Switch("EqualizerOn", false);
}

}  // namespace

ChainSettings ReadChainSettings(const TKustomIniFile& file) {
    const SettingsReader read(file);
    ChainSettings settings;
    ReadFilter(read, settings);
    ReadDynamics(read, settings);
    ReadDisplay(read, settings);
    ReadShift(read, settings);
    ReadEqualizer(read, settings);
    return settings;
}

}  // namespace moravel
