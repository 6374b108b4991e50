// What the soundcard dialog offers in its six lists, and which lines it
// pre-selects for a first-time user.
//
// Each list holds the line names of its key's destination (the ..._Out keys:
// playback, the ..._In keys: recording), in connection order, so a list
// index is the connection index the key stores. A destination without
// source lines offers its own control instead, in the lists that may name
// it (SoundcardLayout.h). Every list but the wave-out list ends with
// "[Not available]": the program's output must go to a real line.
//
// Plain C++, no Qt; any thread (plain values).
#pragma once

#include "common/LineAssignment.h"

#include <string>
#include <vector>

namespace moravel {

/// The entry that stands for "this line does not exist on the card".
inline constexpr char kNotAvailableText[] = "[Not available]";

/// The names of one destination's lines.
struct DestinationNames {
    /// The destination's own line (its control), e.g. "Master" or "Capture".
    std::string own;
    /// Its source lines, in connection order.
    std::vector<std::string> sources;
};

/// The lines a mixer offers: `usable` false (no mixer, or fewer than two
/// destinations) leaves every list empty.
struct MixerNames {
    bool usable = false;
    DestinationNames playback;
    DestinationNames recording;
};

/// The items of the list of `key`, "[Not available]" included.
std::vector<std::string> ChoiceItems(const MixerNames& names, LineKey key);

/// The lines to select when nothing is stored yet, as list indexes (kNoLine:
/// no selection). By name, without regard to case, word by word: microphone
/// lists take "Microphone" or "Mic", line lists "Line", wave lists "Wave" or
/// "PCM"; a name that is just the word wins over one that begins with it,
/// which wins over one that holds it ("Mic" before "Mic Boost" before
/// "Front Mic"); among equals the first line wins. Where a destination's own
/// control stands in, the wave-out list and the microphone input list take
/// it (the line input is left to the user: one input line suffices).
LineAssignment PreselectedLines(const MixerNames& names);

}  // namespace moravel
