#include "mixer/alsa/AlsaMixerService.h"

#include "mixer/alsa/AlsaCardInfo.h"
#include "mixer/alsa/AlsaMixerDevice.h"
#include "mixer/alsa/AlsaPcmControl.h"

#include <alsa/asoundlib.h>

#include <algorithm>

namespace moravel::mixer {

namespace {

int CardIndex(const std::string& card) { return snd_card_get_index(card.c_str()); }

}  // namespace

AlsaMixerService::AlsaMixerService(const std::string& wavePcm) {
    std::vector<int> cards;
    for (int card = -1; snd_card_next(&card) >= 0 && card >= 0;) {
        cards.push_back(card);
        names_.push_back("hw:" + std::to_string(card));
    }
    const int defaultCard = HardwareCardOf("default");
    const bool sameAsACard = std::find(cards.begin(), cards.end(), defaultCard) != cards.end();
    if (!sameAsACard && ReadCardCaps("default")) names_.emplace_back("default");
    const std::string audio = ControlOfPcm(wavePcm, sameAsACard ? defaultCard : -1, CardIndex);
    auto found = std::find(names_.begin(), names_.end(), audio);
    if (found == names_.end() && ReadCardCaps(audio)) found = names_.insert(names_.end(), audio);
    // A control that does not open leaves the first mixer, as before there was a choice.
    if (found != names_.end())
        audioDevice_ = static_cast<int>(found - names_.begin());
    else if (!names_.empty())
        audioDevice_ = 0;
}

std::unique_ptr<MixerDevice> AlsaMixerService::Open(int id) {
    if (!InRange(id)) return nullptr;
    const std::string& name = names_[static_cast<std::size_t>(id)];
    const std::optional<MixerCaps> caps = ReadCardCaps(name);
    if (!caps) return nullptr;
    return AlsaMixerDevice::Open(name, *caps);
}

std::string AlsaMixerService::DeviceName(int id) { return InRange(id) ? names_[static_cast<std::size_t>(id)] : ""; }

std::string AlsaMixerService::DeviceDescription(int id) {
    if (!InRange(id)) return {};
    const std::string& name = names_[static_cast<std::size_t>(id)];
    const std::optional<MixerCaps> caps = ReadCardCaps(name);
    return caps ? caps->productName + " (" + name + ")" : name;
}

}  // namespace moravel::mixer
