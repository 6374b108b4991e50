// moravel-loopback: opens wave input and output at each audio range on the
// chosen devices and loops captured blocks to the output, as the live
// program does, reporting pace, losses, CPU and latency per range.
#include "audio/AudioChoice.h"
#include "audio/alsa/AudioDeviceList.h"
#include "common/AudioRange.h"
#include "cli/loopback/LoopbackRun.h"
#include "MoravelVersion.h"
#include "audio/virtual/ReceiverSignal.h"
#include "audio/virtual/VirtualCard.h"
#include "audio/virtual/WavLoopSource.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstring>
#include <optional>
#include <stdexcept>
#include <string>

namespace moravel {
namespace {

constexpr const char* kUsage =
    "Usage: moravel-loopback [--audio alsa|virtual|virtual:FILE.wav] [--range all|0|1|2|3]\n"
    "                        [--input DEVICE] [--output DEVICE] [--seconds N] [--help] [--version]\n"
    "\n"
    "Opens the wave input and output at each audio range (0 = 2 KHz, 1 = 4 KHz,\n"
    "2 = 8 KHz, 3 = 16 KHz; default all) and plays every captured block straight\n"
    "back, for N seconds per range (default 60). Reports blocks captured per\n"
    "second against the nominal rate, blocks lost or doubled, output underruns,\n"
    "the CPU time of the device threads and the time from capture to playback.\n"
    "On the virtual soundcard every captured and played sample is also checked\n"
    "against the source. Exit status 0 when no block was lost or doubled.\n"
    "\n"
    "With --audio alsa, --input and --output choose the devices as moravel's do:\n"
    "an ALSA PCM (hw:1,0, default) or a sound server's source or sink name.\n";

struct Options {
    AudioChoice audio;
    std::string input;  // PCM names; empty: the default device
    std::string output;
    std::optional<int> range;
    int seconds = 60;
};

Options parse(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help") {
            std::fputs(kUsage, stdout);
            std::exit(0);
        }
        if (arg == "--version") {
            std::printf("moravel-loopback %s\n", kVersion);
            std::exit(0);
        }
        if (i + 1 >= argc) throw std::invalid_argument(arg + " needs a value (see --help)");
        const std::string value = argv[++i];
        if (arg == "--audio") {
            o.audio = ParseAudioChoice(value);
        } else if (arg == "--input") {
            o.input = AudioDeviceList::PcmFor(value);
        } else if (arg == "--output") {
            o.output = AudioDeviceList::PcmFor(value);
        } else if (arg == "--range") {
            if (value != "all") o.range = std::stoi(value);
            if (o.range && (*o.range < 0 || *o.range > 3)) throw std::invalid_argument("--range is all or 0..3");
        } else if (arg == "--seconds") {
            o.seconds = std::stoi(value);
            if (o.seconds < 1) throw std::invalid_argument("--seconds must be at least 1");
        } else {
            throw std::invalid_argument("unknown option " + arg + " (see --help)");
        }
    }
    return o;
}

SourceFactory sourceFor(const AudioChoice& choice) {
    if (!choice.loopFile.empty()) return WavLoopSource::Factory(choice.loopFile);
    return [](std::int32_t rate) { return std::make_unique<ReceiverSignal>(rate); };
}

// Blocks whose samples differ from what the source produced at that place:
// a lost block shifts everything after it, a doubled one too.
std::int64_t mismatchedBlocks(const std::vector<std::int16_t>& got, const SourceFactory& factory, std::int32_t rate,
                              std::int32_t blockSamples) {
    const auto source = factory(rate);
    std::vector<std::int16_t> expected(got.size());
    source->Fill(expected.data(), expected.size());
    std::int64_t bad = 0;
    for (std::size_t start = 0; start < got.size(); start += static_cast<std::size_t>(blockSamples)) {
        const std::size_t end = std::min(got.size(), start + static_cast<std::size_t>(blockSamples));
        if (!std::equal(got.begin() + static_cast<std::ptrdiff_t>(start),
                        got.begin() + static_cast<std::ptrdiff_t>(end),
                        expected.begin() + static_cast<std::ptrdiff_t>(start)))
            ++bad;
    }
    return bad;
}

bool runRange(AudioBackend& backend, VirtualCard* card, const Options& o, const AudioRange& range) {
    LoopbackSetup setup{range.outputRate, range.bufferBytes, std::chrono::seconds(o.seconds)};
    if (card) card->ClearPlayedSamples();
    const LoopbackReport r = RunLoopback(backend, setup, card != nullptr);
    std::printf("%-6s ", std::string(range.item).c_str());
    if (!r.opened) {
        std::printf("the devices did not open\n");
        return false;
    }
    bool ok = r.overruns == 0 && r.written == r.captured && r.played >= r.written;
    std::printf(
        "%lld blocks in %.1f s = %.4f/s (nominal %.4f/s, ratio %.5f); written %lld, played %lld; "
        "overruns %lld, underruns %lld; device threads %.2f s CPU (%.2f %% of one core); "
        "capture to played median %.0f ms",
        static_cast<long long>(r.captured), r.seconds, r.blocksPerSecond, r.nominalPerSecond,
        r.nominalPerSecond > 0 ? r.blocksPerSecond / r.nominalPerSecond : 0.0, static_cast<long long>(r.written),
        static_cast<long long>(r.played), static_cast<long long>(r.overruns), static_cast<long long>(r.underruns),
        r.workerCpuSeconds, 100.0 * r.workerCpuSeconds / std::max(1.0, r.seconds), r.medianLatencyMs);
    if (card) {
        const auto lost =
            mismatchedBlocks(r.capturedSamples, sourceFor(o.audio), range.outputRate - 50, range.bufferBytes / 2);
        const auto played = card->PlayedSamples();
        const bool samePlayed = played.size() <= r.capturedSamples.size() &&
                                std::equal(played.begin(), played.end(), r.capturedSamples.begin());
        std::printf("; content: %lld blocks differ from the source, played audio %s", static_cast<long long>(lost),
                    samePlayed ? "matches the captured" : "DIFFERS from the captured");
        ok = ok && lost == 0 && samePlayed;
    }
    std::printf("%s\n", ok ? "" : "  FAILED");
    std::fflush(stdout);
    return ok;
}

int run(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    Options o;
    try {
        o = parse(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "moravel-loopback: %s\n", e.what());
        return 2;
    }
    std::unique_ptr<AudioBackend> backend;
    VirtualCard* card = nullptr;
    try {
        if (o.audio.kind == AudioChoice::Kind::Virtual) {
            VirtualCardOptions options;
            options.source = sourceFor(o.audio);
            options.keepPlayedSamples = true;
            auto virtualCard = std::make_unique<VirtualCard>(std::move(options));
            card = virtualCard.get();
            backend = std::move(virtualCard);
        } else {
            backend = CreateAudioBackend(o.audio);
            backend->ChooseDevices(o.input, o.output);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "moravel-loopback: %s\n", e.what());
        return 1;
    }
    bool ok = true;
    for (int index = 0; index < 4; ++index) {
        if (o.range && *o.range != index) continue;
        ok = runRange(*backend, card, o, kAudioRanges[static_cast<std::size_t>(index)]) && ok;
    }
    return ok ? 0 : 1;
}

}  // namespace
}  // namespace moravel

int main(int argc, char** argv) { return moravel::run(argc, argv); }
