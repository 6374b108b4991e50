// Reads and writes the value set of one model control (AlsaMixerLayout.h)
// on the simple-mixer elements behind it: volumes scaled to 0..65535
// (ElementVolume.h), switches as mutes (1 = off), selectors as one 0/1
// value per item. An enumerated selector cannot select nothing: a write
// without any selected item leaves it as it is.
//
// Threads: the thread that uses the mixer.
#pragma once

#include "mixer/alsa/AlsaMixerLayout.h"

#include <alsa/asoundlib.h>

#include <cstdint>
#include <vector>

namespace moravel::mixer {

/// `elements` is indexed like the layout's element list; a removed element
/// is null, and a control on it fails.
bool ReadControl(const AlsaControlBinding& control, const std::vector<snd_mixer_elem_t*>& elements,
                 std::uint32_t channels, std::vector<std::uint32_t>& values);
bool WriteControl(const AlsaControlBinding& control, const std::vector<snd_mixer_elem_t*>& elements,
                  std::uint32_t channels, const std::vector<std::uint32_t>& values);

}  // namespace moravel::mixer
