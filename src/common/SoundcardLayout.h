// What the soundcard's mixer offers to the line assignment, and the rules
// that depend on it: which mixer line a stored connection index names, and
// whether an assignment counts as configured.
//
// A destination without source lines (a sound server's control, which has
// little more than a playback "Master" and a recording "Capture") offers its
// own control as its only line: stored index 0 then names the destination
// itself. Wherever a destination has source lines, an index names that
// source, exactly as stored.
//
// Plain C++, no Qt; any thread (plain values).
#pragma once

#include "common/LineAssignment.h"

#include <optional>

namespace moravel {

/// The mixer as far as the line assignment cares.
struct SoundcardLayout {
    /// A mixer is open with a playback (0) and a recording (1) destination.
    /// False: nothing can be assigned, and the counts below mean nothing.
    bool usable = false;
    /// Number of source lines of the playback destination (0 or more).
    int playbackSources = 0;
    /// Number of source lines of the recording destination (0 or more).
    int recordingSources = 0;

    /// The count of destination 0 or 1.
    int SourcesOf(int destination) const { return destination == 0 ? playbackSources : recordingSources; }
};

/// Whether a destination with `sources` source lines offers its own control
/// as its line (it has no sources at all).
inline bool OwnLineStandsIn(int sources) { return sources == 0; }

/// Whether the list of `key` offers the destination's own control when that
/// stands in: the wave-out list (the playback control carries the program's
/// output) and the microphone and line input lists (the recording control
/// carries what is recorded). The direct-monitoring outputs and the wave
/// input, which "Auto set audio" turns off, never offer it: turning the
/// whole output or input off would silence the program.
bool OwnLineOffered(LineKey key);

/// The mixer connection that `stored`, a value of `key`, names: the index
/// itself, or -1 (the destination itself) for index 0 on a destination whose
/// own control stands in. Nothing when the line is not available.
std::optional<int> MixerConnectionOf(LineKey key, std::int32_t stored, const SoundcardLayout& layout);

/// Whether sampling may start with `lines`:
/// - a mixer that is not usable offers nothing to assign, so nothing is
///   asked of the assignment (the program then runs without mixer control);
/// - Wave_Out must be available, and one of Microphone_In and Line_In;
/// - one of Microphone_Out and Line_Out must be available unless the
///   playback destination has no source line besides the wave-out line
///   (no sources at all, or only the one Wave_Out names).
bool IsSoundcardConfigured(const LineAssignment& lines, const SoundcardLayout& layout);

}  // namespace moravel
