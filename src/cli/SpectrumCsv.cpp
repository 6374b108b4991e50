#include "cli/SpectrumCsv.h"

#include <charconv>

namespace moravel {
namespace {

void Append(std::string& line, double value) {
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 9).ptr;
    line += ',';
    line.append(buffer, end);
}

void Append(std::string& line, std::int32_t value) {
    line += ',';
    line += std::to_string(value);
}

}  // namespace

SpectrumCsvWriter::SpectrumCsvWriter(const std::string& path, std::int32_t blockSamples, std::int32_t sampleRate)
    : file_(path), blockSamples_(blockSamples), sampleRate_(sampleRate) {}

void SpectrumCsvWriter::flushLine() {
    line_ += '\n';
    file_.Write(line_.data(), line_.size());  // errors are reported by Finish
    line_.clear();
}

void SpectrumCsvWriter::writeHeader(const Engine& engine) {
    line_ = "time_s,peak_hz,peak_value";
    for (std::int32_t i = 1; i < engine.DisplayCount; ++i) Append(line_, engine.BinToFrequency(i));
    flushLine();
    headerWritten_ = true;
}

void SpectrumCsvWriter::WriteBlock(std::int64_t blockIndex, const Engine& engine) {
    if (!headerWritten_) writeHeader(engine);
    char time[32];
    const double seconds = static_cast<double>(blockIndex) * blockSamples_ / sampleRate_;
    line_.assign(time, std::to_chars(time, time + sizeof time, seconds, std::chars_format::general, 9).ptr);
    Append(line_, static_cast<double>(engine.PeakFrequency));
    Append(line_, engine.PeakValue);
    for (std::int32_t i = 1; i < engine.DisplayCount; ++i)
        Append(line_, static_cast<double>(engine.DisplaySpectrum[i]));
    flushLine();
}

void SpectrumCsvWriter::Finish(const Engine& engine) {
    if (!headerWritten_) writeHeader(engine);
    file_.Close();
}

}  // namespace moravel
