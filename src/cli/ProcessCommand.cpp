#include "cli/ProcessCommand.h"

#include "common/AtomicFile.h"
#include "common/AudioRange.h"
#include "cli/ChainFromOptions.h"
#include "settings/ChainSettingsFile.h"
#include "cli/HelpText.h"
#include "cli/Interruption.h"
#include "MoravelVersion.h"
#include "cli/NoisePrintReader.h"
#include "cli/NullSink.h"
#include "cli/PipeWaveInput.h"
#include "cli/PipeWaveOutput.h"
#include "cli/ProcessOptions.h"
#include "cli/ProcessingLoop.h"
#include "cli/Progress.h"
#include "cli/ReaderGone.h"
#include "cli/SplitSink.h"
#include "cli/SquelchOptions.h"
#include "cli/SpectrogramOutput.h"
#include "cli/SpectrumCsv.h"
#include "cli/WaveStreamSink.h"
#include "settings/WindowSettings.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <system_error>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace moravel {
namespace {

/// A failure to be reported as "FILE: message", exit status 1.
class FileError : public std::runtime_error {
public:
    FileError(const std::string& file, const std::string& message) : std::runtime_error(file + ": " + message) {}
};

class Interrupted : public std::exception {};

// "-" stands for standard input (as IN) and standard output (as OUT).
constexpr const char* kStdio = "-";
std::string Shown(const std::string& name, const char* stdioName) { return name == kStdio ? stdioName : name; }
std::string InputName(const ProcessOptions& o) { return Shown(o.input, "standard input"); }
std::string OutputName(const ProcessOptions& o) { return Shown(o.output, "standard output"); }

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
    if (a.empty() || b.empty() || a == kStdio || b == kStdio) return false;
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
    return ReadChainSettings(IniFile(*o.settingsFile));
}

// The window's part of the settings file, for the spectrogram's palette and
// colour scale (BaseSettings has made sure the file is there).
std::optional<WindowSettings> StoredWindow(const ProcessOptions& o) {
    if (!o.settingsFile) return std::nullopt;
    const IniFile file(*o.settingsFile);
    WindowSettings stored = ReadWindowSettings(file);
    ReadPaletteSettings(file, stored);
    return stored;
}

std::unique_ptr<FileWaveStream> OpenInput(const std::string& path) {
    auto input = NamingFile(path, [&] { return std::make_unique<FileWaveStream>(path, nullptr); });
    try {
        CheckProcessable(input->Format());
    } catch (const std::runtime_error& error) {
        throw FileError(path, error.what());
    }
    return input;
}

// Standard input and raw samples are read as they come (PipeWaveInput); a
// WAV file is opened as a file. `pipe` is set for the former.
std::unique_ptr<WaveStream> OpenSource(const ProcessOptions& o, PipeWaveInput*& pipe) {
    if (!o.rawRate && o.input != kStdio) return OpenInput(o.input);
    if (o.noiseProfile)
        throw UsageError("--noise-profile needs a WAV file as input: the noise print is read from it first");
    if (o.rawRate && (*o.rawRate < 1 || *o.rawRate > kMaxSampleRate))
        throw UsageError("--raw: RATE must be 1.." + std::to_string(kMaxSampleRate) + " Hz");
    std::unique_ptr<PipeWaveInput> input = NamingFile(InputName(o), [&] {
        if (!o.rawRate) return PipeWaveInput::ReadWave(STDIN_FILENO);
        const int fd = o.input == kStdio ? STDIN_FILENO : ::open(o.input.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) throw std::system_error(errno, std::generic_category());
        return PipeWaveInput::Raw(fd, static_cast<std::int32_t>(*o.rawRate), fd != STDIN_FILENO);
    });
    try {
        CheckProcessable(input->Format());
    } catch (const std::runtime_error& error) {
        throw FileError(InputName(o), error.what());
    }
    pipe = input.get();
    return input;
}

// Where the processed audio goes: OUT.wav under a temporary name until
// Commit (raw samples with --raw), standard output as each block is done,
// or nowhere (--split without OUT.wav).
class ProcessedOutput {
public:
    ProcessedOutput(const ProcessOptions& o, std::int32_t rate) : name_(OutputName(o)) {
        const bool raw = o.rawRate.has_value();
        if (o.output.empty()) {
            sink_ = &nowhere_;
        } else if (o.output == kStdio) {
            sink_ = &pipe_.emplace(STDOUT_FILENO, rate, raw);
        } else {
            NamingFile(name_, [&] { openFile(o.output, rate, raw); });
        }
    }
    ~ProcessedOutput() {
        if (fd_ >= 0) ::close(fd_);
    }
    ProcessedOutput(const ProcessedOutput&) = delete;
    ProcessedOutput& operator=(const ProcessedOutput&) = delete;

    SampleSink& Sink() { return *sink_; }
    const std::string& Name() const { return name_; }

    void Finish() {
        NamingFile(name_, [&] {
            if (wave_) wave_->Finish();
            if (pipe_) pipe_->Finish();
            if (fd_ >= 0 && ::close(std::exchange(fd_, -1)) != 0) throw std::system_error(errno, std::generic_category());
        });
    }
    void Commit() {
        if (file_) NamingFile(name_, [&] { file_->Commit(); });
    }

private:
    void openFile(const std::string& path, std::int32_t rate, bool raw) {
        file_.emplace(path);
        if (raw) {
            fd_ = ::open(file_->Path().c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
            if (fd_ < 0) throw std::system_error(errno, std::generic_category());
            sink_ = &pipe_.emplace(fd_, rate, true);
            return;
        }
        const WaveFormatEx format = OutputFormat(rate);
        wave_ = std::make_unique<FileWaveStream>(file_->Path(), &format);
        sink_ = &waveSink_.emplace(*wave_);
    }

    std::string name_;
    std::optional<PendingFile> file_;
    int fd_ = -1;
    std::unique_ptr<FileWaveStream> wave_;
    std::optional<WaveStreamSink> waveSink_;
    std::optional<PipeWaveOutput> pipe_;
    NullSink nowhere_;
    SampleSink* sink_ = nullptr;
};

// The transmission recorder of --split, writing into DIR (made if missing).
std::unique_ptr<TransmissionRecorder> MakeSplitter(const ProcessOptions& o, const WaveStream& input, bool live) {
    if (!o.splitFolder) return nullptr;
    const TransmissionSettings squelch = SquelchSettings(o);
    NamingFile(*o.splitFolder, [&] { std::filesystem::create_directories(*o.splitFolder); });
    const auto rate = static_cast<std::int32_t>(input.Format().nSamplesPerSec);
    const double seconds = static_cast<double>(InputSampleCount(input)) / rate;
    return std::make_unique<TransmissionRecorder>(*o.splitFolder, rate, squelch,
                                                  RecordingStart(o.input, live, seconds));
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
    void WriteBlock(std::int64_t index, const Engine& engine) {
        if (writer_) writer_->WriteBlock(index, engine);
    }
    void Finish(const Engine& engine) {
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

// The optional spectrogram picture, sized before processing starts.
std::unique_ptr<SpectrogramOutput> MakeSpectrogram(const ProcessOptions& o, const ChainSettings& settings,
                                                   const WaveStream& input,
                                                   const std::function<void(const std::string&)>& warn) {
    if (!o.spectrogram) return nullptr;
    if (input.FrameCount() == 0 && dynamic_cast<const PipeWaveInput*>(&input) != nullptr)
        throw UsageError("--spectrogram needs a WAV file as input: its length sizes the picture");
    const auto rate = static_cast<std::int32_t>(input.Format().nSamplesPerSec);
    const std::int32_t blockSamples = PlayerBufferBytes(rate) / 2;
    const auto geometry = SpectrogramGeometry::For(rate, blockSamples, ResolutionFactor(settings.resolutionIndex));
    return std::make_unique<SpectrogramOutput>(geometry, InputSampleCount(input), blockSamples,
                                               ChooseSpectrogramLook(o, StoredWindow(o), warn));
}

// Written once OUT.wav is in place, so a picture that cannot be written
// costs the user the picture only.
void WriteSpectrogram(const SpectrogramOutput* picture, const ProcessOptions& o) {
    if (picture == nullptr) return;
    try {
        NamingFile(*o.spectrogram, [&] { picture->Write(*o.spectrogram); });
    } catch (const FileError& error) {
        const std::string kept = o.output.empty() ? "the transmissions in " + *o.splitFolder + " are complete"
                                                  : OutputName(o) + " is complete";
        throw std::runtime_error(std::string(error.what()) + "; no picture written (" + kept + ")");
    }
}

struct RunResult {
    std::int64_t samples;
    std::int32_t sampleRate;
};

std::int64_t RunLoop(WaveStream& input, SampleSink& output, const ProcessOptions& o, const ChainSettings& settings,
                     Engine& engine, const LoopCallbacks& callbacks) {
    try {
        return ProcessWave(input, output, settings, engine, callbacks);
    } catch (const StreamSideError& error) {
        throw FileError(error.side() == StreamSideError::kInput ? InputName(o) : OutputName(o), error.what());
    }
}

// Bytes at the end of a pipe that make no whole sample mean a cut or
// misread stream; the samples before them were processed.
void CheckWholeFrames(const PipeWaveInput* pipe, const ProcessOptions& o) {
    if (pipe == nullptr || pipe->StrayBytes() == 0) return;
    throw FileError(InputName(o), "the input ended inside a sample frame (" + std::to_string(pipe->StrayBytes()) +
                                      " byte(s) left over)");
}

RunResult Process(const ProcessOptions& o, std::ostream& err, bool errIsTerminal) {
    CheckOutputNames(o);
    const ChainSettings base = BaseSettings(o);
    PipeWaveInput* pipe = nullptr;
    const auto input = OpenSource(o, pipe);
    const auto rate = static_cast<std::int32_t>(input->Format().nSamplesPerSec);
    const std::function<void(const std::string&)> warn = [&](const std::string& message) {
        err << "moravel-process: warning: " << message << '\n';
    };
    ChainSettings settings = ApplyStageOptions(o, base, rate, warn);
    if (o.noiseProfile) {
        const auto printInput = OpenInput(o.input);  // a second reader: the file is processed from its start
        settings.noisePrint =
            NamingFile(o.input, [&] { return ReadNoisePrint(*printInput, settings, *o.noiseProfile); });
    }
    const auto picture = MakeSpectrogram(o, settings, *input, warn);

    const auto splitter = MakeSplitter(o, *input, o.input == kStdio);  // its usage errors before any output
    ProcessedOutput output(o, rate);
    CsvOutput csv(o.spectrumCsv, PlayerBufferBytes(rate) / 2, rate);
    const auto engine = std::make_unique<Engine>();
    std::optional<SplitSink> split;
    if (splitter) split.emplace(output.Sink(), *splitter, *engine);
    SampleSink& sink = split ? static_cast<SampleSink&>(*split) : output.Sink();
    ProgressMeter progress(err, errIsTerminal && !o.quiet);
    LoopCallbacks callbacks;
    callbacks.block = [&](std::int64_t index, const Engine& e) {
        csv.WriteBlock(index, e);
        if (picture) picture->AddBlock(e);
    };
    callbacks.progress = [&](std::int64_t done, std::int64_t total) {
        if (InterruptRequested()) throw Interrupted();
        if (pipe != nullptr) progress.UpdateSeconds(static_cast<double>(done) / rate);
        else progress.Update(done, total);
    };

    const std::int64_t samples = RunLoop(*input, sink, o, settings, *engine, callbacks);
    progress.Finish();
    CheckWholeFrames(pipe, o);
    if (splitter && !splitter->Finish()) throw std::runtime_error(splitter->Error());
    csv.Finish(*engine);
    output.Finish();
    output.Commit();
    csv.Commit();
    WriteSpectrogram(picture.get(), o);
    return {samples, rate};
}

// What an interrupted run leaves: transmissions split off so far stay, and
// what went to standard output is gone.
std::string InterruptedText(const std::vector<std::string>& args) {
    const ProcessOptions o = ParseProcessOptions(args);
    if (o.splitFolder) return "interrupted; the transmissions so far are in " + *o.splitFolder;
    if (o.output == kStdio) return "interrupted";
    return "interrupted; nothing written";
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
        err << "moravel-process: " << InterruptedText(args) << '\n';
        return kExitInterrupted;
    } catch (const ReaderGone&) {
        return kExitFileError;  // the reader quit: nothing to report
    } catch (const std::exception& error) {
        err << "moravel-process: " << error.what() << '\n';
        return kExitFileError;
    }
}

}  // namespace moravel
