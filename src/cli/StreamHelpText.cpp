#include "cli/StreamHelpText.h"

#include "audio/transmission/TransmissionLog.h"
#include "audio/transmission/TransmissionSettings.h"

#include <cstdio>

namespace moravel {
namespace {

// "0..10, default 0.2".
std::string Range(const TransmissionSettingRange& range) {
    char text[64];
    std::snprintf(text, sizeof text, "%g..%g, default %g", range.minimum, range.maximum, range.defaultValue);
    return text;
}

}  // namespace

std::string StreamHelpText() {
    namespace t = transmission;
    return "Pipes:\n"
           "  IN.wav or OUT.wav \"-\"     read the WAV from standard input, write it to\n"
           "                            standard output, block by block as it comes: each\n"
           "                            block leaves one block after its input arrived.\n"
           "                            On a pipe the header leaves the length open\n"
           "                            (sizes 0xFFFFFFFF); a redirected file gets its\n"
           "                            true sizes. A reader that quits ends the run with\n"
           "                            exit status 1 and no message\n"
           "  --raw RATE                headerless 16-bit little-endian mono at RATE Hz,\n"
           "                            in and out, e.g.\n"
           "                              rtl_fm ... | moravel-process --raw 24000 - -\n"
           "                              --clean-speech | aplay -r 24000 -f S16_LE\n"
           "\n"
           "Transmissions:\n"
           "  --split DIR               write each transmission to a file of its own in\n"
           "                            DIR (made if missing), named by its start time\n"
           "                            (2026-12-09_113328.wav, -2 for a second one in\n"
           "                            the same second), from the pre-roll before it\n"
           "                            to the end of the hang time after it, and a row\n"
           "                            in DIR/" +
           std::string(TransmissionLog::kFileName) +
           " as each file closes (start,\n"
           "                            duration_s, peak_dbfs, peak_hz, file). OUT.wav\n"
           "                            may be left out. A file's recording started its\n"
           "                            length before the file was last modified;\n"
           "                            standard input starts now\n"
           "  --threshold DBFS          level of the processed audio (RMS over 20 ms; with\n"
           "                            --filter the band's) that counts as a signal\n"
           "                            (" +
           Range(t::kThresholdDbfs) +
           ")\n"
           "  --attack SECONDS          how long the level must stay at or above the\n"
           "                            threshold to start a transmission\n"
           "                            (" +
           Range(t::kAttackSeconds) +
           ")\n"
           "  --hang SECONDS            how long it may stay below before the\n"
           "                            transmission ends (" +
           Range(t::kHangSeconds) +
           ")\n"
           "  --pre-roll SECONDS        audio kept before the start (" +
           Range(t::kPreRollSeconds) +
           ")\n"
           "\n";
}

}  // namespace moravel
