// libFuzzer target: arbitrary bytes as the settings file, then every typed
// read the window makes at start (its own keys, the palette, the chain's
// positions taken up from them). None of it may throw: a damaged file must
// never stop the program from starting. The reads must also keep the
// promises the window relies on (kept byte-sized keys within 0..255, names
// cut at the longest value). Anything else (an exception, a crash, a
// sanitizer report, a trap) is a bug.
//
// Every read opens the file afresh, so one input costs some seventy file
// reads and parses: the target reads each key once (ChainFromWindowSettings
// instead of ReadChainSettings, which would read them all again).
#include "settings/ChainSettingsFile.h"
#include "FuzzFile.h"
#include "common/IniFile.h"
#include "settings/WindowSettings.h"

#include <cstddef>
#include <cstdint>

namespace {

void check(bool invariant) {
    if (!invariant) __builtin_trap();
}

bool isByte(std::int32_t value) { return value >= 0 && value <= 255; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    static const moravel::fuzz::FuzzFile file(".ini");
    file.Write(bytes, size);
    const moravel::IniFile ini(file.Path());

    moravel::WindowSettings settings = moravel::ReadWindowSettings(ini);
    moravel::ReadPaletteSettings(ini, settings);
    (void)moravel::PaletteIsStored(settings);
    (void)moravel::ChainFromWindowSettings(settings);

    check(isByte(settings.SpectrumZoom) && isByte(settings.PlotSmoothing) && isByte(settings.PlotSpeed) &&
          isByte(settings.PlotFunction));
    check(settings.WaveRecorderFilename.size() <= moravel::IniFile::kMaxValueLength);
    check(settings.WavePlayerFilename.size() <= moravel::IniFile::kMaxValueLength);
    return 0;
}
