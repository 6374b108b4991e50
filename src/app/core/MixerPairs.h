// The Soundcard page's seven control pairs (an enable check box and a
// volume track bar each) and their arithmetic: which mixer line a pair
// controls, the order in which the page reads them, the scale between
// track-bar positions (0..100) and mixer volumes (0..65535), the mute value
// a check box stands for, and the steps of "Auto set audio".
//
// Plain C++, no Qt; any thread (plain values).
#pragma once

#include "common/LineAssignment.h"
#include "common/SoundcardLayout.h"

#include <array>
#include <optional>

namespace moravel {

/// The pairs, named after their lines.
enum class MixerPair { Master, WaveOut, MicrophoneIn, LineIn, WaveIn, MicrophoneOut, LineOut };

inline constexpr std::array<MixerPair, 7> kMixerPairs = {
    MixerPair::Master, MixerPair::WaveOut,       MixerPair::MicrophoneIn, MixerPair::LineIn,
    MixerPair::WaveIn, MixerPair::MicrophoneOut, MixerPair::LineOut};

/// The order in which the page refreshes the pairs from the mixer
/// (ReadMixer): master, wave out, wave in, microphone out, microphone in,
/// line out, line in.
inline constexpr std::array<MixerPair, 7> kReadMixerOrder = {
    MixerPair::Master,       MixerPair::WaveOut, MixerPair::WaveIn, MixerPair::MicrophoneOut,
    MixerPair::MicrophoneIn, MixerPair::LineOut, MixerPair::LineIn};

/// A line of the mixer: destination 0 or 1, connection -1 for the
/// destination itself.
struct MixerLineRef {
    int destination = 0;
    int connection = -1;
    bool operator==(const MixerLineRef&) const = default;
};

/// The key that assigns a pair's line; nothing for the master (always the
/// playback destination itself).
std::optional<LineKey> KeyOfPair(MixerPair pair);

/// Whether a pair's controls are enabled: the mixer is usable and the pair
/// is the master or its key holds a line.
bool PairEnabled(MixerPair pair, const LineAssignment& lines, const SoundcardLayout& layout);

/// The mixer line a pair controls; nothing when the pair is not enabled.
std::optional<MixerLineRef> LineOfPair(MixerPair pair, const LineAssignment& lines, const SoundcardLayout& layout);

/// The pair of a line given as destination `destination` and stored
/// connection `connection` (-1: the destination itself): (0, -1) is the
/// master; otherwise the first pair in the order wave out, wave in, line in,
/// microphone in, microphone out, line out whose key holds `connection` on
/// that destination. Nothing when no pair matches.
std::optional<MixerPair> PairOfStoredLine(int destination, int connection, const LineAssignment& lines);

/// The mixer volume of track-bar position `position` (0..100): position x
/// 655.35 rounded to nearest, ties to even, so 100 is 65535 and 50 is 32768.
/// Computed exactly in integers.
int VolumeOfPosition(int position);

/// The track-bar position of mixer volume `volume` (0..65535): volume /
/// 655.35 rounded to nearest, ties to even (32768 is 50). A line without a
/// volume reports -1, shown as 0.
int PositionOfVolume(int volume);

/// The mute value to write for a check box: 1 - checked for a real mute,
/// checked for a line whose on/off state is its selection in the recording
/// selector (`muteIsSelection`). `currentMute` is what the mixer read (1
/// selected, 0 not, -1 unknown): turning off a source that is not selected
/// writes nothing (-1), because a multiplexer clears every other source on
/// each write, and "off" for one source must not deselect the one in use.
int MuteToWrite(bool checked, bool muteIsSelection, int currentMute);

/// Whether a check box shows the line as on, given what the mixer read:
/// unmuted, or selected when `muteIsSelection`. An unknown mute (-1) shows
/// off.
bool CheckedOfMute(int mute, bool muteIsSelection);

/// One step of "Auto set audio": the pair, its check box and its position.
struct AutoSetStep {
    MixerPair pair;
    bool checked;
    int position;
};

/// The steps in their order: master on 50; line in on 70; microphone in on
/// 70; wave in off 80; wave out on 50; microphone out off 40; line out off
/// 40. A step whose pair is not enabled is skipped.
inline constexpr std::array<AutoSetStep, 7> kAutoSetSteps = {{
    {MixerPair::Master, true, 50},
    {MixerPair::LineIn, true, 70},
    {MixerPair::MicrophoneIn, true, 70},
    {MixerPair::WaveIn, false, 80},
    {MixerPair::WaveOut, true, 50},
    {MixerPair::MicrophoneOut, false, 40},
    {MixerPair::LineOut, false, 40},
}};

}  // namespace moravel
