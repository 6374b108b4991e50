// The input and output devices the user chose, in the settings file's
// AUDIO_DEVICES section: Input= and Output= hold the ALSA PCM each opens
// ("hw:CARD=USB,DEV=0", "pulse:DEVICE=NAME" for a sound server's source or
// sink); a missing key or an empty value is the system's default device.
// The section is written only when the user chooses a device, so a file of
// a user who never did stays as it was, byte for byte.
//
// A device named on the command line (--input, --output) is used for that
// run instead of the stored one and is not stored.
//
// Plain C++, no Qt; GUI thread (the settings file is not thread-safe).
#pragma once

#include "common/IniFile.h"

#include <string>

namespace moravel {

class AudioDeviceSettings {
public:
    static constexpr char kSection[] = "AUDIO_DEVICES";
    static constexpr char kInputKey[] = "Input";
    static constexpr char kOutputKey[] = "Output";

    /// PCM names; empty: the system's default device.
    std::string input;
    std::string output;

    /// The stored choice; defaults for a file without the section.
    static AudioDeviceSettings Read(const IniFile& file);
    /// The stored choice with each device given on the command line (non-empty
    /// `inputOverride`, `outputOverride`) in its place.
    static AudioDeviceSettings ReadWithOverrides(const IniFile& file, const std::string& inputOverride,
                                                 const std::string& outputOverride);
    /// Stores one direction's choice (the user chose it); throws what
    /// IniFile's writes throw.
    static void StoreInput(IniFile& file, const std::string& pcm);
    static void StoreOutput(IniFile& file, const std::string& pcm);

    /// The PCM whose mixer the Soundcard page shows: the output's when one
    /// is chosen (what the user hears), else the input's, else "default".
    std::string MixerPcm() const;

    bool operator==(const AudioDeviceSettings&) const = default;
};

}  // namespace moravel
