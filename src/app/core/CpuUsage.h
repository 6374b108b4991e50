// CPU usage per processor, from the kernel's per-CPU time counters
// (/proc/stat): the share of the time between two samples that a processor
// was not idle (idle and I/O wait count as idle). Used by the CPU meter every
// 500 ms. Failures throw std::runtime_error with a fixed message.
//
// Not thread-safe: the GUI thread samples.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace moravel {

class CpuUsage {
public:
    /// `statFile`: the kernel's statistics file (tests pass their own).
    explicit CpuUsage(std::string statFile = "/proc/stat");

    /// Takes a new sample. Throws "Unable to locate the \"Processor\"
    /// performance object" when the file has no per-CPU lines, and "Unable
    /// to locate the \"% of CPU usage\" performance counter" when a line
    /// lacks the idle counter.
    void CollectCpuSample();
    /// Usage of processor `index` (0-based) between the last two samples,
    /// 0..1; takes a sample first if none was taken. Throws "CPU index out
    /// of bounds" for an index the system does not have.
    long double GetCpuUsage(int index);
    /// Processors seen in the first sample; −1 before it.
    int ProcessorCount() const { return processorCount_; }

private:
    struct Counters {
        std::uint64_t idle = 0;
        std::uint64_t total = 0;
    };
    std::vector<Counters> readCounters() const;

    std::string statFile_;
    int processorCount_ = -1;
    std::vector<Counters> current_;
    std::vector<Counters> previous_;
};

/// The CPU meter's next position: the mean of the new percentage and the
/// shown one, Round((Round(usage × 100) + shown) × 0.5), ties to even.
std::int32_t CpuMeterPosition(long double usage, std::int32_t shown);

}  // namespace moravel
