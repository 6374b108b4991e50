#include "SpectrumCsv.h"

#include <cerrno>
#include <charconv>
#include <system_error>

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
    : file_(std::fopen(path.c_str(), "wb")), path_(path), blockSamples_(blockSamples), sampleRate_(sampleRate) {
    if (file_ == nullptr) throw std::system_error(errno, std::generic_category(), "Cannot create " + path);
}

SpectrumCsvWriter::~SpectrumCsvWriter() {
    if (file_ != nullptr) std::fclose(file_);
}

void SpectrumCsvWriter::flushLine() {
    line_ += '\n';
    // Errors are sticky in the FILE and reported by Finish.
    std::fwrite(line_.data(), 1, line_.size(), file_);
    line_.clear();
}

void SpectrumCsvWriter::writeHeader(const TmyFFT& engine) {
    line_ = "time_s,peak_hz,peak_value";
    for (std::int32_t i = 1; i < engine.DisplayCount; ++i) Append(line_, engine.BinToFrequency(i));
    flushLine();
    headerWritten_ = true;
}

void SpectrumCsvWriter::WriteBlock(std::int64_t blockIndex, const TmyFFT& engine) {
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

void SpectrumCsvWriter::Finish(const TmyFFT& engine) {
    if (!headerWritten_) writeHeader(engine);
    const bool failed = std::ferror(file_) != 0 || std::fflush(file_) != 0;
    const int writeError = errno;
    const bool closeFailed = std::fclose(file_) != 0;
    const int error = failed ? writeError : errno;
    file_ = nullptr;
    if (failed || closeFailed)
        throw std::system_error(error != 0 ? error : EIO, std::generic_category(), "Cannot write " + path_);
}

}  // namespace moravel
