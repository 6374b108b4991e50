// The controls of one line: one block holding all control records, read in
// one query, and a pointer list over the records (the block owns them).
//
// Threads: the owning mixer's thread.
#pragma once

#include "mixer/MixerDevice.h"
#include "mixer/PointerList.h"

#include <vector>

namespace moravel {

class TMixerControls {
public:
    /// Loads every control of `line`; the list stays empty when that fails.
    TMixerControls(const mixer::MixerDevice& device, const mixer::MixerLine& line);
    TMixerControls(const TMixerControls&) = delete;
    TMixerControls& operator=(const TMixerControls&) = delete;

    int Count() const { return list_.Count(); }
    /// Control `index` in the device's order; nothing when out of range.
    const mixer::MixerControl* Item(int index) const {
        return static_cast<const mixer::MixerControl*>(list_.Item(index));
    }

private:
    std::vector<mixer::MixerControl> block_;
    TPointerList list_;
};

}  // namespace moravel
