// The spectrum of each output block as CSV, for plotting or analysis
// elsewhere. Numbers use '.' as decimal point and 9 significant digits
// (enough for a float to read back exactly), whatever the locale.
#pragma once

#include "dsp/Engine.h"
#include "cli/OutputFile.h"

#include <cstdint>
#include <string>

namespace moravel {

class SpectrumCsvWriter {
public:
    /// `path` is created or replaced. `blockSamples` and `sampleRate` give
    /// the time of each row. Throws std::system_error if it cannot be opened.
    SpectrumCsvWriter(const std::string& path, std::int32_t blockSamples, std::int32_t sampleRate);

    /// One row: the block's start time in seconds, PeakFrequency, PeakValue,
    /// DisplaySpectrum[1..K−1]. Writes the header row first:
    /// "time_s,peak_hz,peak_value," then BinToFrequency(1..K−1).
    void WriteBlock(std::int64_t blockIndex, const Engine& engine);

    /// Writes the header if no row was written (an empty input), flushes and
    /// closes. Throws std::system_error when anything could not be written.
    void Finish(const Engine& engine);

private:
    void writeHeader(const Engine& engine);
    void flushLine();

    OutputFile file_;
    std::string line_;
    std::int32_t blockSamples_;
    std::int32_t sampleRate_;
    bool headerWritten_ = false;
};

}  // namespace moravel
