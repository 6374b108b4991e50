#include "MixerTestSupport.h"

#include <stdexcept>

namespace moravel::testing {

const mixer::MixerControl& ControlOf(const AudioMixer& mixer, int destination, int connection, std::uint32_t type) {
    const MixerDestination* d = mixer.Destinations()->Item(destination);
    const MixerControls& controls = connection == -1 ? d->Controls() : d->Connections().Item(connection)->Controls();
    for (int i = 0; i < controls.Count(); ++i)
        if (controls.Item(i)->type == type) return *controls.Item(i);
    throw std::runtime_error("no such control");
}

Reading Read(const AudioMixer& mixer, int destination, int connection) {
    Reading r;
    r.found = mixer.GetVolume(destination, connection, r.left, r.right, r.mute, r.stereo, r.volumeDisabled,
                              r.muteDisabled, r.muteIsSelection);
    return r;
}

std::vector<std::uint32_t> TypicalCard::Values(const mixer::MixerControl& control, std::uint32_t channels) {
    std::vector<std::uint32_t> values;
    const std::uint32_t items = (control.flags & mixer::kControlFlagMultiple) ? control.items : 0;
    EXPECT_TRUE(card.ControlValues(control.controlId, channels, items, values));
    return values;
}

std::vector<std::uint32_t> TypicalCard::Selection() {
    return Values(ControlOf(mixer, kRecording, -1, mixer::kControlTypeMux), 1);
}

void TypicalCard::SetFromOutside(const mixer::MixerControl& control, std::vector<std::uint32_t> values) {
    const std::uint32_t items = (control.flags & mixer::kControlFlagMultiple) ? control.items : 0;
    const auto channels = static_cast<std::uint32_t>(items ? values.size() / items : values.size());
    ASSERT_TRUE(card.SetControlValues(control.controlId, channels, items, values));
}

}  // namespace moravel::testing
