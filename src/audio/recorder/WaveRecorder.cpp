#include "audio/recorder/WaveRecorder.h"

#include "audio/recorder/ClockText.h"
#include "common/NumberFormat.h"
#include "audio/recorder/RecordingSeal.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <utility>

#include <sys/stat.h>

namespace moravel {

namespace {

constexpr const char* kKeptAll = "The file holds everything recorded up to then.";

std::string stoppedMessage(const std::string& path, const std::string& reason, const std::string& outcome) {
    return "Recording to \"" + path + "\" stopped: " + reason + ". " + outcome;
}

}  // namespace

WaveFormatEx RecordingFormat(std::int32_t rate) {
    WaveFormatEx format = MonoPcm16Format(rate);
    format.nBlockAlign = 1;
    return format;
}

WaveRecorder::WaveRecorder(std::string path, std::int32_t outputRate, std::int64_t maxDataBytes)
    : path_(std::move(path)), rate_(outputRate), maxDataBytes_(maxDataBytes) {
    if (outputRate <= 0) throw std::invalid_argument("recording rate must be above 0 Hz");
    const WaveFormatEx format = RecordingFormat(outputRate);
    stream_ = std::make_unique<FileWaveStream>(path_, &format);
    struct stat st {};
    if (::stat(path_.c_str(), &st) == 0) {
        device_ = st.st_dev;
        inode_ = st.st_ino;
    }
    // An empty but valid file from the start, and a full disk noticed now.
    if (!guarded([this] { stream_->CommitSizes(); })) throw WaveStreamError(error_);
}

WaveRecorder::~WaveRecorder() { Stop(); }

// errno still holds the system's reason when the stream throws for a failed
// write; the stream's own message is the fallback for everything else.
template <typename Operation>
bool WaveRecorder::guarded(Operation&& operation) {
    if (!stream_) return false;
    errno = 0;
    try {
        operation();
        return true;
    } catch (const std::exception& e) {
        const int error = errno;
        fail(error != 0 ? std::strerror(error) : e.what(), true);
        return false;
    }
}

// The stream refuses all writes after a failure and its buffer is lost, so
// it is closed first and the header patched on the file itself.
void WaveRecorder::fail(const std::string& reason, bool seal) {
    stream_.reset();
    std::string outcome = seal ? kKeptAll : "The recording is lost.";
    const std::string sealError = seal ? SealRecording(path_, kDataOffset) : "";
    if (!sealError.empty()) outcome = "The file could not be completed: " + sealError + ".";
    error_ = stoppedMessage(path_, reason, outcome);
}

bool WaveRecorder::Append(const std::int16_t* samples, std::int32_t bytes) {
    if (!stream_) return false;
    if (bytes > maxDataBytes_ - dataBytes_) {
        if (Stop()) error_ = stoppedMessage(path_, "the file reached the largest size a WAV file can have", kKeptAll);
        return false;
    }
    return guarded([&] {
        stream_->Write(samples, bytes);
        dataBytes_ += bytes;
    });
}

bool WaveRecorder::Tick(bool paused) {
    if (!stream_) return false;
    if (!paused) recordedSeconds_ += kTickSeconds;
    if (!guarded([this] { stream_->CommitSizes(); })) return false;
    const std::string moved = movedAway();
    if (moved.empty()) return true;
    fail(moved, false);
    return false;
}

// Writes go on into a removed file without any error, and vanish with it
// when it is closed; only a look at the path shows it.
std::string WaveRecorder::movedAway() const {
    struct stat st {};
    if (::stat(path_.c_str(), &st) != 0) {
        if (errno != ENOENT && errno != ENOTDIR) return "";
        return std::string("the file or its folder was removed (") + std::strerror(errno) + ")";
    }
    if (st.st_dev != device_ || st.st_ino != inode_) return "another file took its place";
    return "";
}

bool WaveRecorder::Stop() {
    if (guarded([this] { stream_->Finish(); })) stream_.reset();
    return !Failed();
}

std::string WaveRecorder::TimeText() const { return FormatClock(recordedSeconds_); }

std::string WaveRecorder::SizeText(std::int32_t outputRate, double seconds, const std::string& thousands) {
    const long double kilobytes = static_cast<long double>(outputRate) * seconds / 1000 * 2;
    return FormatNumber(kilobytes, 1, 0, thousands) + " kB";
}

}  // namespace moravel
