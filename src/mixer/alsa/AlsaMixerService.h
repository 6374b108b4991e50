// The ALSA mixer service: the mixer devices are the cards' control devices
// ("hw:0", "hw:1", ... in card order) followed by "default" when that is not
// one of those cards (a sound server's control, for example), listed once
// when the service is created.
//
// Threads: the thread that owns the mixer components, with a Qt event loop
// (the devices watch their descriptors there).
#pragma once

#include "MixerService.h"

#include <memory>
#include <string>
#include <vector>

namespace moravel::mixer {

class AlsaMixerService : public MixerService {
public:
    AlsaMixerService();

    int DeviceCount() override { return static_cast<int>(names_.size()); }
    std::unique_ptr<MixerDevice> Open(int id) override;
    /// The control device names, in device order.
    const std::vector<std::string>& Names() const { return names_; }

private:
    std::vector<std::string> names_;
};

}  // namespace moravel::mixer
