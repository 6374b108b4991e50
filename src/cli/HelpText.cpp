#include "cli/HelpText.h"

#include "common/AudioRange.h"
#include "dsp/ChainSettings.h"
#include "dsp/CleanupSettings.h"
#include "views/core/ColorGradient.h"
#include "common/ControlTable.h"
#include "common/FilterPresets.h"
#include "cli/RangeText.h"
#include "cli/SpectrogramLayout.h"
#include "cli/StreamHelpText.h"

#include <cctype>

namespace moravel {
namespace {

namespace c = controls;

std::string Number(std::int64_t value) { return std::to_string(value); }

std::string Lowercase(std::string_view text) {
    std::string lower(text);
    for (char& ch : lower) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return lower;
}

// The impulse blanker runs before the AGC, the noise reduction and the
// notches right after the analysis; they are listed together, first.
std::string CleanupStages() {
    const CleanupSettings speech = CleanSpeech({});
    return "  --impulse-blanker LEVEL   bridges clicks and static crashes standing LEVEL\n"
           "                            quarters above the signal's peak level, " +
           RangeText(c::kTrackImpulseBlanker) +
           "\n                            (runs before the AGC)\n"
           "  --noise-reduction DB      speech-preserving noise reduction that follows the\n"
           "                            band noise; DB " +
           RangeText(c::kTrackNoiseReduction) +
           " is the most it lowers the noise\n"
           "  --noise-profile START:END take the noise print from these seconds of IN.wav\n"
           "                            (band noise only, e.g. 0:1.5); switches the noise\n"
           "                            reduction on\n"
           "  --auto-notch              removes steady whistles and carriers, several at\n"
           "                            once, following slow drift (a CW signal too)\n"
           "  --notch HZ[,HZ...]        removes up to " +
           Number(c::kMaxManualNotches) +
           " fixed frequencies\n"
           "  --clean-speech            the three above for speech: impulse blanker " +
           Number(speech.impulseThreshold) + ",\n                            noise reduction " +
           Number(speech.noiseReductionDb) +
           " dB and the automatic notch; the\n"
           "                            options above change its settings\n";
}

// The ranges are the controls' own (ControlTable.h), so the help cannot
// drift from what the options are clamped to.
std::string Usage() {
    return "Usage: moravel-process IN.wav OUT.wav [options]\n"
           "       moravel-process IN.wav --split DIR [OUT.wav] [options]\n"
           "\n"
           "Runs a WAV file through Moravel's processing chain block by block, as the\n"
           "player does, and writes the processed audio to OUT.wav: 16-bit mono PCM at\n"
           "the input's sample rate, with exactly as many samples as the input. Stereo\n"
           "input is processed from its left channel; 8-bit and 16-bit PCM are accepted.\n"
           "The chain is set up for the file's own sample rate R, so the filter's\n"
           "frequencies (and those of --spectrum-csv) are the file's. The player sets\n"
           "the chain up for R - " +
           Number(kCaptureRateOffset) +
           " Hz, the rate of its input device, so its filter sits\n"
           "higher by a factor R / (R - " +
           Number(kCaptureRateOffset) +
           "), about 0.6 % at 8000 Hz, and its output\n"
           "differs slightly from this tool's.\n"
           "\n"
           "Without --settings every stage is off. Each stage option switches its stage\n"
           "on. Values outside a control's range are moved to the nearest end of the\n"
           "range, with a warning.\n"
           "\n"
           "Stages (in the order the chain runs them):\n" +
           CleanupStages() + "  --agc LEVEL:DECAY         automatic gain control. LEVEL " +
           RangeText(c::kTrackAgcLevel) +
           " is the\n"
           "                            peak the gain aims at; DECAY " +
           RangeText(c::kTrackAgcDecay) +
           " is how slowly\n"
           "                            the gain follows (in windows of 401 samples)\n"
           "  --noise-blanker LEVEL     spectral noise blanker, LEVEL " +
           RangeText(c::kTrackNoiseblanker1Level) +
           " (higher\n"
           "                            smooths stronger parts of the spectrum too)\n"
           "  --compressor THRESHOLD:GAIN\n"
           "                            THRESHOLD " +
           RangeText(c::kTrackCompressorThreshold) + ", GAIN " + RangeText(c::kTrackCompressorGain) +
           "\n"
           "                            (the program's \"Defaults\" button: " +
           Number(c::kTrackCompressorThreshold.resetValue) + ":" + Number(c::kTrackCompressorGain.resetValue) +
           ")\n"
           "  --expander THRESHOLD:GAIN THRESHOLD " +
           RangeText(c::kTrackExpanderThreshold) + ", GAIN " + RangeText(c::kTrackExpanderGain) + " (defaults " +
           Number(c::kTrackExpanderThreshold.resetValue) + ":" + Number(c::kTrackExpanderGain.resetValue) +
           ")\n"
           "  --filter TYPE:CENTER[:WIDTH]\n"
           "                            spectral filter. TYPE lowpass, bandpass, highpass\n"
           "                            or stopband; CENTER " +
           RangeText(c::kTrackFilterCenter) +
           " Hz, at most half the\n"
           "                            sample rate; WIDTH " +
           RangeText(c::kTrackFilterBW) +
           " Hz for bandpass and\n"
           "                            stopband (default " +
           Number(ChainSettings{}.filterWidth) +
           ", or the --settings value)\n"
           "  --preset NAME             a filter preset; quote the name:\n";
}

// "0 = 1000 Hz, 1 = 3000 Hz, ..." over the shift range list.
std::string ShiftRanges() {
    std::string text;
    for (std::size_t i = 0; i < c::kShiftRangeItems.size(); ++i) {
        if (i > 0) text += i == 1 ? ",\n                            " : ", ";
        text += Number(static_cast<std::int64_t>(i)) + " = " + std::string(c::kShiftRangeItems[i]);
    }
    return text;
}

// "\"Soft Blue\", \"Hard Blue\", ..." over the palette presets, two a line.
std::string PaletteNames() {
    std::string text;
    for (std::size_t i = 0; i < kPalettePresets.size(); ++i) {
        if (i > 0) text += i % 2 == 0 ? ",\n                            " : ", ";
        text += "\"" + std::string(kPalettePresets[i].name) + "\"";
    }
    return text;
}

std::string Rest() {
    const c::TrackControl& band = c::kEqualizerBandControls[0];
    return "  --shift POSITION[:RANGE]  frequency shift. POSITION " + RangeText(c::kTbFreqShift) + "; RANGE " +
           IndexRangeText(c::kComboFreqShiftRange) +
           "\n"
           "                            gives the shift at POSITION " +
           Number(c::kTbFreqShift.maximum) + ": " + ShiftRanges() + " (default " + Number(ChainSettings{}.shiftRange) +
           ")\n"
           "  --equalizer P1,P2,P3,P4,P5,P6,P7\n"
           "                            seven bands of equal width from 0 Hz to half the\n"
           "                            sample rate; each " +
           Number(band.minimum) + " (double) .. 0 (unchanged) ..\n                            " + Number(band.maximum) +
           " (muted)\n"
           "\n"
           "Spectrum:\n"
           "  --spectrum-csv FILE       write the spectrum of every output block to FILE:\n"
           "                            a header \"time_s,peak_hz,peak_value,\" and the\n"
           "                            frequency of each point, then one row per block\n"
           "  --resolution low|medium|high\n"
           "                            spectrum points per block (default " +
           Lowercase(c::kResolutionItems[static_cast<std::size_t>(ChainSettings{}.resolutionIndex)]) +
           ")\n"
           "  --decay " +
           RangeText(c::kTrackSpectrumDecay) + "             spectrum decay, 0 = off (default " +
           Number(ChainSettings{}.decay) +
           ")\n"
           "\n"
           "Spectrogram picture:\n"
           "  --spectrogram FILE.png    draw the spectrogram of OUT.wav as the program's\n"
           "                            Spectrogram page colours it: one column per block,\n"
           "                            one row per spectrum point (--resolution), time\n"
           "                            (nn:ss) and frequency (Hz) axes. No picture is\n"
           "                            wider than " +
           Number(kMaxPictureWidth) +
           " pixels (at 8000 Hz one column holds\n                            " +
           Number(PlayerBufferBytes(8000) / 2) + " samples, so about " +
           Number(kMaxPictureWidth * (PlayerBufferBytes(8000) / 2) / 8000 / 60) +
           " minutes fit); a longer\n"
           "                            recording is drawn in parts FILE-1.png,\n"
           "                            FILE-2.png, ... whose time labels go on\n"
           "                            from part to part\n"
           "  --spectrogram-offset " +
           RangeText(c::kTrackSpectrogramOffset) + "  added to each value before colouring (default " +
           Number(c::kTrackSpectrogramOffset.keyDefault) +
           ")\n"
           "  --spectrogram-gain " +
           RangeText(c::kTrackSpectrogramGain) + "    sensitivity, higher is brighter (default " +
           Number(c::kTrackSpectrogramGain.keyDefault) +
           ")\n"
           "  --palette NAME            colour palette: " +
           PaletteNames() +
           "\n"
           "                            (default \"" +
           kPalettePresets[kSoftGreenPreset].name +
           "\", or the palette stored in\n"
           "                            --settings)\n"
           "\n" +
           StreamHelpText() +
           "Other:\n"
           "  --settings FILE           take every stage from the [SETTINGS] section of a\n"
           "                            Moravel settings file (moravel.ini), and the\n"
           "                            spectrogram's palette, offset and gain; options\n"
           "                            on the command line override it\n"
           "  --quiet                   no progress display and no summary\n"
           "  --help                    show this text\n"
           "  --version                 show the version\n"
           "\n"
           "Exit status: 0 done, 1 a file could not be read or written, 2 wrong usage.\n"
           "OUT.wav is written under a temporary name and only replaces OUT.wav when all\n"
           "went well; a failed run leaves an existing OUT.wav as it was.\n";
}

}  // namespace

std::string ProcessHelpText() {
    std::string text = Usage();
    for (const auto& preset : kFilterPresets)
        text += "                              \"" + std::string(preset.name) + "\"\n";
    return text + Rest();
}

}  // namespace moravel
