// The simulated mixer service: one or more typical soundcards (TypicalSoundcard.h),
// used with the virtual soundcard and by tests. Every device opened on the
// same card shares its state, so two mixer components see each other's
// changes and their notifications. Device i is named "simulated:i" and
// described by its card's name; the sound goes through device 0 unless the
// service is told another (a test standing in for a desktop whose sound
// server is not the first mixer).
//
// Threads: the owner's thread; Card() may be used from any thread.
#pragma once

#include "mixer/MixerService.h"
#include "mixer/simulated/SimulatedCard.h"
#include "mixer/simulated/TypicalSoundcard.h"

#include <memory>
#include <vector>

namespace moravel::mixer {

class SimulatedMixerService : public MixerService {
public:
    /// `devices` typical cards, each reporting `caps`.
    explicit SimulatedMixerService(int devices = 1, const MixerCaps& caps = TypicalSoundcardCaps());
    /// Given cards (tests build their own), the sound going through card
    /// `audioDevice`.
    explicit SimulatedMixerService(std::vector<std::shared_ptr<SimulatedCard>> cards, int audioDevice = 0)
        : cards_(std::move(cards)), audioDevice_(audioDevice) {}

    int DeviceCount() override { return static_cast<int>(cards_.size()); }
    std::unique_ptr<MixerDevice> Open(int id) override;
    std::string DeviceName(int id) override;
    std::string DeviceDescription(int id) override;
    int AudioDevice() override { return cards_.empty() ? -1 : audioDevice_; }

    /// Card `id`, to change it from outside and raise notifications.
    SimulatedCard& Card(int id) { return *cards_.at(static_cast<std::size_t>(id)); }

private:
    bool InRange(int id) const { return id >= 0 && id < static_cast<int>(cards_.size()); }

    std::vector<std::shared_ptr<SimulatedCard>> cards_;
    int audioDevice_ = 0;
};

}  // namespace moravel::mixer
