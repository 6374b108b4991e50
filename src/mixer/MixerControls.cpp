#include "mixer/MixerControls.h"

namespace moravel {

MixerControls::MixerControls(const mixer::MixerDevice& device, const mixer::MixerLine& line) {
    block_.reserve(line.controls);
    if (!device.LineControls(line.lineId, block_)) block_.clear();
}

}  // namespace moravel
