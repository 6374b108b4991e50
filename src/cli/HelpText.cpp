#include "HelpText.h"

#include "FilterPresets.h"

namespace moravel {
namespace {

constexpr const char* kUsage = R"(Usage: moravel-process IN.wav OUT.wav [options]

Runs a WAV file through Moravel's processing chain, the way the player does,
and writes the processed audio to OUT.wav: 16-bit mono PCM at the input's
sample rate, with exactly as many samples as the input. Stereo input is
processed from its left channel; 8-bit and 16-bit PCM are accepted.

Without --settings every stage is off. Each stage option switches its stage
on. Values outside a control's range are moved to the nearest end of the
range, with a warning.

Stages (in the order the chain runs them):
  --agc LEVEL:DECAY         automatic gain control. LEVEL 2000..30000 is the
                            peak the gain aims at; DECAY 2..300 is how slowly
                            the gain follows (in windows of 401 samples)
  --noise-blanker LEVEL     spectral noise blanker, LEVEL 1..20 (higher
                            smooths stronger parts of the spectrum too)
  --compressor THRESHOLD:GAIN
                            THRESHOLD -50..50, GAIN -10..10
                            (the program's "Defaults" button: 0:-5)
  --expander THRESHOLD:GAIN THRESHOLD -50..50, GAIN -10..10 (defaults 0:0)
  --filter TYPE:CENTER[:WIDTH]
                            spectral filter. TYPE lowpass, bandpass, highpass
                            or stopband; CENTER 10..30000 Hz, at most half the
                            sample rate; WIDTH 20..3000 Hz for bandpass and
                            stopband (default 500, or the --settings value)
  --preset NAME             a filter preset; quote the name:
)";

constexpr const char* kRest = R"(  --shift POSITION[:RANGE]  frequency shift. POSITION -125..125; RANGE 0..3
                            gives the shift at POSITION 125: 0 = 1000 Hz,
                            1 = 3000 Hz, 2 = 10 kHz, 3 = 20 kHz (default 0)
  --equalizer P1,P2,P3,P4,P5,P6,P7
                            seven bands of equal width from 0 Hz to half the
                            sample rate; each -5 (double) .. 0 (unchanged) ..
                            5 (muted)

Spectrum:
  --spectrum-csv FILE       write the spectrum of every output block to FILE:
                            a header "time_s,peak_hz,peak_value," and the
                            frequency of each point, then one row per block
  --resolution low|medium|high
                            spectrum points per block (default medium)
  --decay 0..20             spectrum decay, 0 = off (default 0)

Other:
  --settings FILE           take every stage from the [SETTINGS] section of a
                            Moravel settings file (moravel.ini); stage options
                            on the command line override it
  --quiet                   no progress display and no summary
  --help                    show this text

Exit status: 0 done, 1 a file could not be read or written, 2 wrong usage.
OUT.wav is written under a temporary name and only replaces OUT.wav when all
went well; a failed run leaves an existing OUT.wav as it was.
)";

}  // namespace

std::string ProcessHelpText() {
    std::string text = kUsage;
    for (const auto& preset : kFilterPresets)
        text += "                              \"" + std::string(preset.name) + "\"\n";
    return text + kRest;
}

}  // namespace moravel
