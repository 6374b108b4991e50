#include "mixer/setup/MixerSummary.h"

namespace moravel {

namespace {

// The playback and recording destinations, or nothing.
bool TwoDestinations(const AudioMixer& mixer) {
    return mixer.Destinations() != nullptr && mixer.Destinations()->Count() >= 2;
}

DestinationNames NamesOf(const MixerDestination& destination) {
    DestinationNames names;
    names.own = destination.Line().name;
    const MixerConnections& connections = destination.Connections();
    for (int j = 0; j < connections.Count(); ++j) names.sources.push_back(connections.Item(j)->Line().name);
    return names;
}

}  // namespace

MixerNames MixerNamesOf(const AudioMixer& mixer) {
    MixerNames names;
    if (!TwoDestinations(mixer)) return names;
    names.usable = true;
    names.playback = NamesOf(*mixer.Destinations()->Item(0));
    names.recording = NamesOf(*mixer.Destinations()->Item(1));
    return names;
}

SoundcardLayout SoundcardLayoutOf(const AudioMixer& mixer) {
    SoundcardLayout layout;
    if (!TwoDestinations(mixer)) return layout;
    layout.usable = true;
    layout.playbackSources = mixer.Destinations()->Item(0)->Connections().Count();
    layout.recordingSources = mixer.Destinations()->Item(1)->Connections().Count();
    return layout;
}

}  // namespace moravel
