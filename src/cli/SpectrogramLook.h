// How moravel-process colours its spectrogram picture: the palette and the
// offset and gain, from the command line over a settings file over the
// program's first-run values. Any thread.
#pragma once

#include "views/core/ColorGradient.h"
#include "cli/ProcessOptions.h"
#include "cli/SpectrogramPicture.h"
#include "settings/WindowSettings.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace moravel {

struct SpectrogramLook {
    std::unique_ptr<SpectrogramPalette> palette;  // 4001 entries, built for the gain bar's maximum
    SpectrogramScale scale;
};

/// The palette: --palette's preset if given, else the palette `stored` in a
/// settings file, else (no file, or a file without a palette) "Soft Green",
/// as the program starts. The offset and gain: the options if given (clamped
/// to the Spectrogram page's track bars, `warn` gets a message per clamped
/// value), else the stored keys (clamped silently, as the bars take them
/// up), else the keys' defaults.
SpectrogramLook ChooseSpectrogramLook(const ProcessOptions& options, const std::optional<WindowSettings>& stored,
                                      const std::function<void(const std::string&)>& warn);

}  // namespace moravel
