#include "ProcessCommand.h"

#include "AtomicFile.h"
#include "AudioRange.h"
#include "ChainFromOptions.h"
#include "ChainSettingsFile.h"
#include "HelpText.h"
#include "Interruption.h"
#include "MoravelVersion.h"
#include "ProcessOptions.h"
#include "ProcessingLoop.h"
#include "Progress.h"
#include "SpectrogramOutput.h"
#include "SpectrumCsv.h"
#include "WindowSettings.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <system_error>

#include <sys/stat.h>

namespace moravel {
namespace {

/// A failure to be reported as "FILE: message", exit status 1.
class FileError : public std::runtime_error {
public:
    FileError(const std::string& file, const std::string& message) : std::runtime_error(file + ": " + message) {}
};

class Interrupted : public std::exception {};

/// Runs `work`, turning the stream's and the system's errors into a
/// FileError that names `file`.
template <typename Work>
auto NamingFile(const std::string& file, Work&& work) -> decltype(work()) {
    try {
        return work();
    } catch (const WaveStreamError& error) {
        // The stream's message is fixed; the system's reason tells the user
        // whether the file is missing or not readable.
        const int reason = errno;
        const bool unopened = std::string_view(error.what()) == "Can't open file stream." && reason != 0;
        throw FileError(file, error.what() + (unopened ? " (" + std::string(std::strerror(reason)) + ")" : ""));
    } catch (const std::system_error& error) {
        throw FileError(file, error.code().message());
    }
}

bool SameFile(const std::string& a, const std::string& b) {
    struct stat first {
    }, second{};
    if (::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0)
        return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
    std::error_code ignored;
    return std::filesystem::weakly_canonical(a, ignored) == std::filesystem::weakly_canonical(b, ignored);
}

void CheckOutputNames(const ProcessOptions& o) {
    if (SameFile(o.input, o.output)) throw UsageError("OUT.wav must not be the input file (" + o.output + ")");
    if (o.spectrumCsv && (SameFile(*o.spectrumCsv, o.input) || SameFile(*o.spectrumCsv, o.output)))
        throw UsageError("--spectrum-csv: FILE must differ from IN.wav and OUT.wav (" + *o.spectrumCsv + ")");
    if (!o.spectrogram) return;
    for (const auto* other : {&o.input, &o.output})
        if (SameFile(*o.spectrogram, *other))
            throw UsageError("--spectrogram: FILE.png must differ from IN.wav and OUT.wav (" + *o.spectrogram + ")");
    if (o.spectrumCsv && SameFile(*o.spectrogram, *o.spectrumCsv))
        throw UsageError("--spectrogram: FILE.png must differ from the --spectrum-csv file (" + *o.spectrogram + ")");
}

ChainSettings BaseSettings(const ProcessOptions& o) {
    if (!o.settingsFile) return ChainSettings{};
    // The settings file reads a missing file as defaults; here that would
    // hide a mistyped name, so the file must be there and readable.
    const bool present = NamingFile(*o.settingsFile, [&] { return ReadFileIfPresent(*o.settingsFile).has_value(); });
    if (!present) throw FileError(*o.settingsFile, "no such settings file");
    return ReadChainSettings(TKustomIniFile(*o.settingsFile));
}

// The window's part of the settings file, for the spectrogram's palette and
// colour scale (BaseSettings has made sure the file is there).
std::optional<WindowSettings> StoredWindow(const ProcessOptions& o) {
    if (!o.settingsFile) return std::nullopt;
    const TKustomIniFile file(*o.settingsFile);
    WindowSettings stored = ReadWindowSettings(file);
    ReadPaletteSettings(file, stored);
    return stored;
}

std::unique_ptr<TFileWaveStream> OpenInput(const std::string& path) {
    auto input = NamingFile(path, [&] { return std::make_unique<TFileWaveStream>(path, nullptr); });
    try {
        CheckProcessable(input->Format());
    } catch (const std::runtime_error& error) {
        throw FileError(path, error.what());
    }
    return input;
}

// The optional spectrum CSV, written beside its final name until the end.
class CsvOutput {
public:
    CsvOutput(const std::optional<std::string>& path, std::int32_t blockSamples, std::int32_t sampleRate) {
        if (!path) return;
        path_ = *path;
        NamingFile(path_, [&] {
            file_.emplace(path_);
            writer_ = std::make_unique<SpectrumCsvWriter>(file_->Path(), blockSamples, sampleRate);
        });
    }
    void WriteBlock(std::int64_t index, const TmyFFT& engine) {
        if (writer_) writer_->WriteBlock(index, engine);
    }
    void Finish(const TmyFFT& engine) {
        if (writer_) NamingFile(path_, [&] { writer_->Finish(engine); });
    }
    void Commit() {
        if (file_) NamingFile(path_, [&] { file_->Commit(); });
    }

private:
    std::string path_;
    std::optional<PendingFile> file_;
    std::unique_ptr<SpectrumCsvWriter> writer_;
};

// The optional spectrogram picture, sized (and a too wide one refused)
// before processing starts.
std::unique_ptr<SpectrogramOutput> MakeSpectrogram(const ProcessOptions& o, const ChainSettings& settings,
                                                   const TWaveStream& input,
                                                   const std::function<void(const std::string&)>& warn) {
    if (!o.spectrogram) return nullptr;
    const auto rate = static_cast<std::int32_t>(input.Format().nSamplesPerSec);
    const std::int32_t blockSamples = PlayerBufferBytes(rate) / 2;
    const auto geometry = SpectrogramGeometry::For(rate, blockSamples, ResolutionFactor(settings.resolutionIndex));
    try {
        return std::make_unique<SpectrogramOutput>(geometry, InputSampleCount(input), blockSamples,
                                                   ChooseSpectrogramLook(o, StoredWindow(o), warn));
    } catch (const SpectrogramTooWide& error) {
        throw UsageError("--spectrogram: " + o.input + ": " + error.what());
    }
}

// Written once OUT.wav is in place, so a picture that cannot be written
// costs the user the picture only.
void WriteSpectrogram(const SpectrogramOutput* picture, const ProcessOptions& o) {
    if (picture == nullptr) return;
    try {
        NamingFile(*o.spectrogram, [&] { picture->Write(*o.spectrogram); });
    } catch (const FileError& error) {
        throw std::runtime_error(std::string(error.what()) + "; no picture written (" + o.output + " is complete)");
    }
}

struct RunResult {
    std::int64_t samples;
    std::int32_t sampleRate;
};

std::int64_t ProcessIntoFile(TWaveStream& input, const ProcessOptions& o, const std::string& tempPath,
                             const ChainSettings& settings, TmyFFT& engine, const LoopCallbacks& callbacks) {
    const WaveFormatEx format = OutputFormat(static_cast<std::int32_t>(input.Format().nSamplesPerSec));
    const auto output = NamingFile(o.output, [&] { return std::make_unique<TFileWaveStream>(tempPath, &format); });
    std::int64_t samples = 0;
    try {
        samples = ProcessWave(input, *output, settings, engine, callbacks);
    } catch (const StreamSideError& error) {
        throw FileError(error.side() == StreamSideError::kInput ? o.input : o.output, error.what());
    }
    NamingFile(o.output, [&] { output->Finish(); });
    return samples;
}

RunResult Process(const ProcessOptions& o, std::ostream& err, bool errIsTerminal) {
    CheckOutputNames(o);
    const ChainSettings base = BaseSettings(o);
    const auto input = OpenInput(o.input);
    const auto rate = static_cast<std::int32_t>(input->Format().nSamplesPerSec);
    const std::function<void(const std::string&)> warn = [&](const std::string& message) {
        err << "moravel-process: warning: " << message << '\n';
    };
    const ChainSettings settings = ApplyStageOptions(o, base, rate, warn);
    const auto picture = MakeSpectrogram(o, settings, *input, warn);

    PendingFile wavFile = NamingFile(o.output, [&] { return PendingFile(o.output); });
    CsvOutput csv(o.spectrumCsv, PlayerBufferBytes(rate) / 2, rate);
    const auto engine = std::make_unique<TmyFFT>();
    ProgressMeter progress(err, errIsTerminal && !o.quiet);
    LoopCallbacks callbacks;
    callbacks.block = [&](std::int64_t index, const TmyFFT& e) {
        csv.WriteBlock(index, e);
        if (picture) picture->AddBlock(e);
    };
    callbacks.progress = [&](std::int64_t done, std::int64_t total) {
        if (InterruptRequested()) throw Interrupted();
        progress.Update(done, total);
    };

    const std::int64_t samples = ProcessIntoFile(*input, o, wavFile.Path(), settings, *engine, callbacks);
    progress.Finish();
    csv.Finish(*engine);
    NamingFile(o.output, [&] { wavFile.Commit(); });
    csv.Commit();
    WriteSpectrogram(picture.get(), o);
    return {samples, rate};
}

}  // namespace

int RunProcessCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, bool errIsTerminal) {
    try {
        const ProcessOptions options = ParseProcessOptions(args);
        if (options.help) {
            out << ProcessHelpText();
            return kExitDone;
        }
        if (options.version) {
            out << "moravel-process " << kVersion << '\n';
            return kExitDone;
        }
        const auto started = std::chrono::steady_clock::now();
        const RunResult result = Process(options, err, errIsTerminal);
        const std::chrono::duration<double> taken = std::chrono::steady_clock::now() - started;
        if (!options.quiet)
            err << "moravel-process: " << FormatSummary(result.samples, result.sampleRate, taken.count()) << '\n';
        return kExitDone;
    } catch (const UsageError& error) {
        err << "moravel-process: " << error.what() << "\nTry 'moravel-process --help' for more information.\n";
        return kExitUsage;
    } catch (const Interrupted&) {
        err << "moravel-process: interrupted; nothing written\n";
        return kExitInterrupted;
    } catch (const std::exception& error) {
        err << "moravel-process: " << error.what() << '\n';
        return kExitFileError;
    }
}

}  // namespace moravel
