#include "app/core/CpuUsage.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <fstream>
#include <stdexcept>

namespace moravel {

namespace {

bool isCpuLine(const std::string& line) {
    return line.size() > 3 && line.compare(0, 3, "cpu") == 0 && std::isdigit(static_cast<unsigned char>(line[3]));
}

// The whole numbers after a line's first word, up to the first field that
// is not one.
std::vector<std::uint64_t> countsAfterName(const std::string& line) {
    std::vector<std::uint64_t> values;
    const char* end = line.data() + line.size();
    const auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    const char* at = std::find_if(line.data(), end, blank);
    for (;;) {
        at = std::find_if_not(at, end, blank);
        std::uint64_t v = 0;
        const auto [next, error] = std::from_chars(at, end, v);
        if (error != std::errc{}) return values;
        values.push_back(v);
        at = next;
    }
}

}  // namespace

CpuUsage::CpuUsage(std::string statFile) : statFile_(std::move(statFile)) {}

// Lines "cpuN user nice system idle iowait irq softirq steal ...", in jiffies.
// The processors' lines come first in the file, so reading stops at the
// first other line: the next one ("intr") alone holds a count for every
// interrupt number, thousands of fields read twice a second for nothing.
std::vector<CpuUsage::Counters> CpuUsage::readCounters() const {
    std::ifstream in(statFile_);
    std::vector<Counters> cpus;
    std::string line;
    while (std::getline(in, line) && line.compare(0, 3, "cpu") == 0) {
        if (!isCpuLine(line)) continue;  // "cpu ": the sum over all processors
        const std::vector<std::uint64_t> values = countsAfterName(line);
        if (values.size() < 4) throw std::runtime_error("Unable to locate the \"% of CPU usage\" performance counter");
        Counters c;
        c.idle = values[3] + (values.size() > 4 ? values[4] : 0);
        // Guest time is already counted in user time.
        for (std::size_t i = 0; i < values.size() && i < 8; ++i) c.total += values[i];
        cpus.push_back(c);
    }
    if (cpus.empty()) throw std::runtime_error("Unable to locate the \"Processor\" performance object");
    return cpus;
}

void CpuUsage::CollectCpuSample() {
    std::vector<Counters> sample = readCounters();
    if (processorCount_ < 0) {
        processorCount_ = static_cast<int>(sample.size());
        current_.assign(static_cast<std::size_t>(processorCount_), Counters{});
    }
    // Processors that come or go later keep the first sample's numbering.
    sample.resize(static_cast<std::size_t>(processorCount_));
    previous_ = current_;
    current_ = sample;
}

long double CpuUsage::GetCpuUsage(int index) {
    if (processorCount_ < 0) CollectCpuSample();
    if (index < 0 || index >= processorCount_) throw std::runtime_error("CPU index out of bounds");
    const Counters& now = current_[static_cast<std::size_t>(index)];
    const Counters& before = previous_.empty() ? Counters{} : previous_[static_cast<std::size_t>(index)];
    if (now.total <= before.total) return 0;
    const long double idle = static_cast<long double>(now.idle - std::min(now.idle, before.idle));
    const long double usage = 1 - idle / static_cast<long double>(now.total - before.total);
    return std::fmax(0.0L, std::fmin(1.0L, usage));
}

std::int32_t CpuMeterPosition(long double usage, std::int32_t shown) {
    const long double percent = std::rint(usage * 100);
    return static_cast<std::int32_t>(std::rint((percent + shown) * 0.5L));
}

}  // namespace moravel
