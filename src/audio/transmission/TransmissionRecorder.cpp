#include "audio/transmission/TransmissionRecorder.h"

#include "audio/transmission/TransmissionFileName.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <stdexcept>

namespace moravel {
namespace {

constexpr double kSilenceDbfs = -120;

std::int64_t SamplesOf(double seconds, std::int32_t rate) { return std::llround(seconds * rate); }

double Dbfs(double meanSquare) {
    if (meanSquare <= 0) return kSilenceDbfs;
    return std::max(kSilenceDbfs, 10 * std::log10(meanSquare / (32768.0 * 32768.0)));
}

}  // namespace

TransmissionRecorder::TransmissionRecorder(std::string folder, std::int32_t rate, const TransmissionSettings& settings,
                                           std::chrono::system_clock::time_point origin)
    : folder_(std::move(folder)),
      rate_(rate),
      settings_(settings),
      origin_(origin),
      gate_(SamplesOf(settings.attackSeconds, rate), SamplesOf(settings.hangSeconds, rate)),
      // The pre-roll reaches back from the onset, which lies the attack
      // time (and a window) before the moment the gate opens.
      history_(std::max<std::int64_t>(1, SamplesOf(settings.preRollSeconds + settings.attackSeconds, rate) +
                                             2 * SamplesOf(kWindowSeconds, rate) + 1)),
      log_(folder_),
      levelDbfs_(kSilenceDbfs),
      peakDbfs_(kSilenceDbfs),
      windowSamples_(std::max<std::int64_t>(1, SamplesOf(kWindowSeconds, rate))) {
    if (rate <= 0) throw std::invalid_argument("transmission recorder rate must be above 0 Hz");
}

TransmissionRecorder::~TransmissionRecorder() { Finish(); }

std::string TransmissionRecorder::CurrentFile() const { return file_ ? file_->Path() : std::string(); }

bool TransmissionRecorder::Feed(const std::int16_t* samples, std::int32_t count, const BlockSpectrum& spectrum) {
    if (state_ == State::kFailed || state_ == State::kFinished) return false;
    for (std::int32_t i = 0; i < count; ++i) {
        history_.Push(samples + i, 1);
        windowSquares_ += double(samples[i]) * samples[i];
        if (++windowFill_ < windowSamples_) continue;
        levelDbfs_ = Dbfs(windowSquares_ / double(windowFill_));
        const std::int64_t end = history_.End();
        windowSquares_ = 0;
        windowFill_ = 0;
        step(levelDbfs_, end - windowSamples_, end);
        if (state_ == State::kFailed) return false;
    }
    if (state_ == State::kRecording) spectrum_.Add(spectrum);
    return true;
}

void TransmissionRecorder::step(double levelDbfs, std::int64_t start, std::int64_t end) {
    const bool above = levelDbfs >= settings_.thresholdDbfs;
    const bool wasOpen = gate_.Open();
    if (!wasOpen && !gate_.Pending()) peakDbfs_ = kSilenceDbfs;
    // The peak covers the run that opened the gate and everything after.
    if (above || wasOpen) peakDbfs_ = std::max(peakDbfs_, levelDbfs);
    const SignalGate::Event event = gate_.Step(above, start, end);
    if (event == SignalGate::Event::kOpened) {
        open(gate_.Onset());
        return;
    }
    if (wasOpen) {
        history_.CopySince(start, scratch_);
        append(scratch_.data(), static_cast<std::int32_t>(scratch_.size()));
    }
    if (event == SignalGate::Event::kClosed && state_ == State::kRecording) close(end);
}

std::chrono::system_clock::time_point TransmissionRecorder::timeOf(std::int64_t sample) const {
    const std::chrono::duration<double> offset(static_cast<double>(sample) / rate_);
    return origin_ + std::chrono::duration_cast<std::chrono::system_clock::duration>(offset);
}

namespace {

std::time_t WholeSeconds(std::chrono::system_clock::time_point time) {
    return std::chrono::system_clock::to_time_t(std::chrono::floor<std::chrono::seconds>(time));
}

}  // namespace

// The file starts with the pre-roll before the onset and everything since.
void TransmissionRecorder::open(std::int64_t onset) {
    onset_ = onset;
    const std::string path = FreeTransmissionPath(folder_, WholeSeconds(timeOf(onset)));
    errno = 0;
    try {
        file_ = std::make_unique<WaveRecorder>(path, rate_);
    } catch (const std::exception& error) {
        const int reason = errno;
        fail("Recording to \"" + path + "\" could not start: " + error.what() +
             (reason != 0 ? std::string(" (") + std::strerror(reason) + ")" : std::string()));
        return;
    }
    state_ = State::kRecording;
    spectrum_.Clear();
    samplesSinceTick_ = 0;
    history_.CopySince(onset - SamplesOf(settings_.preRollSeconds, rate_), scratch_);
    append(scratch_.data(), static_cast<std::int32_t>(scratch_.size()));
}

void TransmissionRecorder::append(const std::int16_t* samples, std::int32_t count) {
    if (!file_->Append(samples, count * 2)) {
        fail(file_->Error());
        return;
    }
    samplesSinceTick_ += count;
    if (samplesSinceTick_ < SamplesOf(WaveRecorder::kTickSeconds, rate_)) return;
    samplesSinceTick_ = 0;
    if (!file_->Tick(false)) fail(file_->Error());
}

void TransmissionRecorder::close(std::int64_t end) {
    const bool stopped = file_->Stop();
    TransmissionRow row;
    row.start = TransmissionClock(WholeSeconds(timeOf(onset_)));
    row.durationSeconds = static_cast<double>(end - onset_) / rate_;
    row.peakDbfs = peakDbfs_;
    row.peakHz = spectrum_.PeakHz();
    row.file = std::filesystem::path(file_->Path()).filename().string();
    const std::string stopError = file_->Error();
    file_.reset();
    state_ = State::kWaiting;
    ++filesClosed_;
    const std::string logError = log_.Append(row);
    if (!stopped) fail(stopError);
    else if (!logError.empty()) fail("The log \"" + log_.Path() + "\" could not be written: " + logError + ".");
}

// `message` may be the file's own Error(): it is copied before the file goes.
void TransmissionRecorder::fail(const std::string& message) {
    error_ = message;
    file_.reset();
    state_ = State::kFailed;
}

bool TransmissionRecorder::Finish() {
    if (state_ == State::kRecording) {
        history_.CopySince(history_.End() - windowFill_, scratch_);
        append(scratch_.data(), static_cast<std::int32_t>(scratch_.size()));
    }
    if (state_ == State::kRecording) close(history_.End());
    if (state_ != State::kFailed) state_ = State::kFinished;
    return error_.empty();
}

}  // namespace moravel
