#include "ServerOnlyCard.h"

#include <vector>

namespace moravel::testing {

std::shared_ptr<mixer::SimulatedCard> MakeServerOnlyCard() {
    mixer::MixerCaps caps;
    caps.productName = "PulseAudio";
    auto card = std::make_shared<mixer::SimulatedCard>(caps);
    for (const char* name : {"Master", "Capture"}) {
        const std::uint32_t line = card->AddDestination(name, 2);
        const std::uint32_t volume =
            card->AddControl(line, mixer::kControlTypeVolume, 0, 0, std::string(name) + " Volume");
        card->SetControlValues(volume, 2, 0, {65536 / 2, 65536 / 2});
        card->AddControl(line, mixer::kControlTypeMute, mixer::kControlFlagUniform, 0, std::string(name) + " Switch");
    }
    return card;
}

}  // namespace moravel::testing
