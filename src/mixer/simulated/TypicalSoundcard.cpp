#include "mixer/simulated/TypicalSoundcard.h"

#include <vector>

namespace moravel::mixer {

namespace {

constexpr std::uint32_t kMono = 1;
constexpr std::uint32_t kStereo = 2;

constexpr std::uint32_t kHalfVolume = 32768;

// A volume control at half scale on both channels.
void AddVolume(SimulatedCard& card, std::uint32_t line, std::uint32_t channels, const std::string& name) {
    const std::uint32_t control = card.AddControl(line, kControlTypeVolume, 0, 0, name);
    card.SetControlValues(control, channels, 0, std::vector<std::uint32_t>(channels, kHalfVolume));
}

// A playback source: its own volume and mute.
void AddPlaybackSource(SimulatedCard& card, const std::string& name, std::uint32_t channels) {
    const std::uint32_t line = card.AddSource(0, name, channels);
    AddVolume(card, line, channels, name + " Volume");
    card.AddControl(line, kControlTypeMute, kControlFlagUniform, 0, name + " Mute");
}

// The recording side: sources with a volume only, chosen by a multiplexer.
void AddRecording(SimulatedCard& card) {
    const std::uint32_t destination = card.AddDestination("Recording Control", kStereo);
    AddVolume(card, destination, kStereo, "Recording Volume");
    const std::vector<std::pair<std::string, std::uint32_t>> sources = {
        {"Microphone", kMono}, {"Line In", kStereo}, {"Stereo Mix", kStereo}, {"CD Audio", kStereo}};
    std::vector<MixerListText> texts;
    for (const auto& [name, channels] : sources) {
        const std::uint32_t line = card.AddSource(1, name, channels);
        AddVolume(card, line, channels, name + " Volume");
        texts.push_back(MixerListText{line, 0, name});
    }
    const auto items = static_cast<std::uint32_t>(texts.size());
    const std::uint32_t mux = card.AddControl(destination, kControlTypeMux, kControlFlagUniform | kControlFlagMultiple,
                                              items, "Recording Source");
    card.SetListTexts(mux, texts);
    std::vector<std::uint32_t> selection(items, 0);
    selection[0] = 1;
    card.SetControlValues(mux, 1, items, selection);
}

}  // namespace

MixerCaps TypicalSoundcardCaps() {
    MixerCaps caps;
    caps.manufacturerName = "Moravel";
    caps.productId = 1;
    caps.driverVersion = 0x0100;
    caps.productName = kTypicalSoundcardName;
    return caps;
}

std::shared_ptr<SimulatedCard> MakeTypicalSoundcard(const MixerCaps& caps) {
    auto card = std::make_shared<SimulatedCard>(caps);
    const std::uint32_t master = card->AddDestination("Volume Control", kStereo);
    AddVolume(*card, master, kStereo, "Master Volume");
    card->AddControl(master, kControlTypeMute, kControlFlagUniform, 0, "Master Mute");
    AddPlaybackSource(*card, "Wave", kStereo);
    AddPlaybackSource(*card, "Microphone", kMono);
    AddPlaybackSource(*card, "Line In", kStereo);
    AddPlaybackSource(*card, "CD Audio", kStereo);
    AddRecording(*card);
    return card;
}

}  // namespace moravel::mixer
