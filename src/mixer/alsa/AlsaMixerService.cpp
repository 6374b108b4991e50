#include "AlsaMixerService.h"

#include "AlsaCardInfo.h"
#include "AlsaMixerDevice.h"

#include <alsa/asoundlib.h>

#include <algorithm>

namespace moravel::mixer {

AlsaMixerService::AlsaMixerService() {
    std::vector<int> cards;
    for (int card = -1; snd_card_next(&card) >= 0 && card >= 0;) {
        cards.push_back(card);
        names_.push_back("hw:" + std::to_string(card));
    }
    const int defaultCard = HardwareCardOf("default");
    const bool sameAsACard = std::find(cards.begin(), cards.end(), defaultCard) != cards.end();
    if (!sameAsACard && ReadCardCaps("default")) names_.emplace_back("default");
}

std::unique_ptr<MixerDevice> AlsaMixerService::Open(int id) {
    if (id < 0 || id >= DeviceCount()) return nullptr;
    const std::string& name = names_[static_cast<std::size_t>(id)];
    const std::optional<MixerCaps> caps = ReadCardCaps(name);
    if (!caps) return nullptr;
    return AlsaMixerDevice::Open(name, *caps);
}

}  // namespace moravel::mixer
