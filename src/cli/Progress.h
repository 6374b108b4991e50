// What moravel-process tells the user while and after it works.
#pragma once

#include <chrono>
#include <cstdint>
#include <ostream>
#include <string>

namespace moravel {

/// A percentage on one terminal line, redrawn at most four times a second.
/// Does nothing unless enabled (stderr is a terminal and --quiet is off).
class ProgressMeter {
public:
    ProgressMeter(std::ostream& out, bool enabled) : out_(out), enabled_(enabled) {}
    /// Clears the line, so that an error message starts on a clean line.
    ~ProgressMeter() { Finish(); }
    ProgressMeter(const ProgressMeter&) = delete;
    ProgressMeter& operator=(const ProgressMeter&) = delete;

    /// `done` of `total` samples (total 0 counts as done).
    void Update(std::int64_t done, std::int64_t total);
    /// For an input of unknown length (a pipe): the audio done so far, as
    /// "mm:ss processed".
    void UpdateSeconds(double seconds);
    /// Clears the line if anything was shown.
    void Finish();

private:
    bool due();

    std::ostream& out_;
    bool enabled_;
    bool shown_ = false;
    std::chrono::steady_clock::time_point lastShown_{};
};

/// The closing line: samples, seconds of audio, seconds taken and the speed
/// as a multiple of real time, e.g. "160000 samples, 10.0 s of audio in
/// 0.12 s (83.3 x real time)".
std::string FormatSummary(std::int64_t samples, std::int32_t sampleRate, double secondsTaken);

}  // namespace moravel
