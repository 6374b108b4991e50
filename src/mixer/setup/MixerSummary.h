// What an open mixer component offers to the soundcard line assignment:
// the names of its playback and recording lines (for the dialog's lists)
// and the number of sources of each (for the configured check and the
// Soundcard page). Destination 0 is playback and 1 recording; a component
// that is closed or has fewer than two destinations offers nothing.
//
// Threads: the mixer component's thread.
#pragma once

#include "mixer/AudioMixer.h"
#include "common/SoundcardChoices.h"
#include "common/SoundcardLayout.h"

namespace moravel {

/// The line names of `mixer`'s two destinations.
MixerNames MixerNamesOf(const AudioMixer& mixer);

/// The source counts of `mixer`'s two destinations.
SoundcardLayout SoundcardLayoutOf(const AudioMixer& mixer);

}  // namespace moravel
