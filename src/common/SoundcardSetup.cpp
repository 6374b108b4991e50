#include "common/SoundcardSetup.h"

#include "common/IniFile.h"

namespace moravel {

SoundcardSetup ReadSoundcardSetup(const IniFile& file) {
    SoundcardSetup setup;
    if (HasStoredLineAssignment(file)) setup.lines = ReadLineAssignment(file);
    std::string device = ReadMixerDevice(file);
    if (!device.empty()) setup.mixerDevice = std::move(device);
    return setup;
}

void WriteSoundcardSetup(IniFile& file, const SoundcardSetup& setup) {
    if (setup.lines) WriteLineAssignment(file, *setup.lines);
    if (setup.mixerDevice) WriteMixerDevice(file, *setup.mixerDevice);
}

}  // namespace moravel
