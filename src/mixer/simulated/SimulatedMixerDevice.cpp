#include "mixer/simulated/SimulatedMixerDevice.h"

namespace moravel::mixer {

void SimulatedMixerDevice::SetChangeHandler(MixerChangeHandler handler) {
    if (subscription_ != 0) card_->Unsubscribe(subscription_);
    subscription_ = handler ? card_->Subscribe(std::move(handler)) : 0;
}

}  // namespace moravel::mixer
