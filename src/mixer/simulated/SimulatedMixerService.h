// The simulated mixer service: one or more typical soundcards (TypicalSoundcard.h),
// used with the virtual soundcard and by tests. Every device opened on the
// same card shares its state, so two mixer components see each other's
// changes and their notifications.
//
// Threads: the owner's thread; Card() may be used from any thread.
#pragma once

#include "MixerService.h"
#include "SimulatedCard.h"
#include "TypicalSoundcard.h"

#include <memory>
#include <vector>

namespace moravel::mixer {

class SimulatedMixerService : public MixerService {
public:
    /// `devices` typical cards, each reporting `caps`.
    explicit SimulatedMixerService(int devices = 1, const MixerCaps& caps = TypicalSoundcardCaps());
    /// Given cards (tests build their own).
    explicit SimulatedMixerService(std::vector<std::shared_ptr<SimulatedCard>> cards) : cards_(std::move(cards)) {}

    int DeviceCount() override { return static_cast<int>(cards_.size()); }
    std::unique_ptr<MixerDevice> Open(int id) override;

    /// Card `id`, to change it from outside and raise notifications.
    SimulatedCard& Card(int id) { return *cards_.at(static_cast<std::size_t>(id)); }

private:
    std::vector<std::shared_ptr<SimulatedCard>> cards_;
};

}  // namespace moravel::mixer
