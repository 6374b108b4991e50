// The controls of one line: one block holding all control records, read in
// one query.
//
// Threads: the owning mixer's thread.
#pragma once

#include "mixer/ListItem.h"
#include "mixer/MixerDevice.h"

#include <vector>

namespace moravel {

class MixerControls {
public:
    /// Loads every control of `line`; the list stays empty when that fails.
    MixerControls(const mixer::MixerDevice& device, const mixer::MixerLine& line);
    MixerControls(const MixerControls&) = delete;
    MixerControls& operator=(const MixerControls&) = delete;

    int Count() const { return static_cast<int>(block_.size()); }
    /// Control `index` in the device's order; nothing when out of range.
    const mixer::MixerControl* Item(int index) const { return ListItem(block_, index); }

private:
    std::vector<mixer::MixerControl> block_;
};

}  // namespace moravel
