#include "cli/SpectrogramLook.h"

#include "common/ControlTable.h"
#include "cli/OptionClamp.h"

namespace moravel {
namespace {

FunkyGradient ChooseGradient(const ProcessOptions& options, const std::optional<WindowSettings>& stored) {
    FunkyGradient gradient;
    if (!options.palette && stored && PaletteIsStored(*stored)) {
        GradientValues values;
        for (std::size_t k = 0; k < values.colors.size(); ++k)
            values.colors[k] = static_cast<TColor>(stored->PaletteColor[k]);
        for (std::size_t k = 0; k < values.alphas.size(); ++k)
            values.alphas[k] = static_cast<double>(stored->PaletteAlpha[k]);
        gradient.SetGradient(values);
    } else {
        ApplyPreset(gradient, options.palette.value_or(kSoftGreenPreset));
    }
    return gradient;
}

std::int32_t ChooseTrack(const std::optional<std::int64_t>& option, std::int32_t storedOrDefault,
                         const controls::TrackControl& bar, const std::string& what, const OptionClamp& clamp) {
    if (option) return clamp(*option, bar, what);
    const std::function<void(const std::string&)> silent;
    return OptionClamp(silent)(storedOrDefault, bar, what);
}

}  // namespace

SpectrogramLook ChooseSpectrogramLook(const ProcessOptions& options, const std::optional<WindowSettings>& stored,
                                      const std::function<void(const std::string&)>& warn) {
    const OptionClamp clamp(warn);
    const WindowSettings keys = stored.value_or(WindowSettings{});
    const controls::TrackControl& gainBar = controls::kTrackSpectrogramGain;
    SpectrogramLook look;
    look.scale.offset = ChooseTrack(options.spectrogramOffset, keys.TrackSpectrogramOffset,
                                    controls::kTrackSpectrogramOffset, "--spectrogram-offset", clamp);
    look.scale.gainPosition =
        ChooseTrack(options.spectrogramGain, keys.TrackSpectrogramGain, gainBar, "--spectrogram-gain", clamp);
    look.scale.gainMaximum = gainBar.maximum;
    look.palette = std::make_unique<SpectrogramPalette>();
    ChooseGradient(options, stored).BuildPalette(look.palette->data(), gainBar.maximum);
    return look;
}

}  // namespace moravel
