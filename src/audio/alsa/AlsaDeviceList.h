// The ALSA PCM behind each device choice. wvMapper is one configured name
// ("default" unless the backend was told otherwise); wvDevice0..wvDevice9
// are the PCMs ALSA lists (its name hints), in ALSA's order, that work in
// the direction asked for. "default" is left out of that list (wvMapper
// already is that device) and so is "null", which discards playback and
// captures silence: neither is a device a user picks by number.
//
// Threads: component's thread.
#pragma once

#include <alsa/asoundlib.h>

#include <optional>
#include <string>
#include <vector>

namespace moravel::alsa {

/// One PCM name hint as ALSA gives it.
struct PcmHint {
    std::string name;
    std::string description;  // may span several lines
    std::string ioid;         // "Input", "Output", or empty for both
};

/// The PCM hints of every card and of the configuration, in ALSA's order.
std::vector<PcmHint> ListPcmHints();

/// The hints that are numbered devices for `stream`: their direction fits,
/// and they are neither "default" nor "null".
std::vector<PcmHint> NumberedDevices(const std::vector<PcmHint>& hints, snd_pcm_stream_t stream);

/// A name for display: the first line of the description and the PCM name.
std::string DisplayName(const PcmHint& hint);

/// The control device that holds the mixer of a PCM: the card a "hw",
/// "plughw" or "...:CARD=x" name refers to, else the PCM's own name (plugins
/// such as "default" or "pulse" define a control of the same name).
std::string MixerNameFor(const std::string& pcmName);

}  // namespace moravel::alsa
