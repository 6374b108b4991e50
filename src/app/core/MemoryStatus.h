// The system's physical memory figures shown in the about box, from the
// kernel's /proc/meminfo.
//
// Any thread (no shared state).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace moravel {

struct MemoryStatus {
    std::uint64_t totalKb = 0;
    /// Memory available to new programs without swapping: MemAvailable, or
    /// MemFree + Buffers + Cached on kernels without it; at most totalKb.
    std::uint64_t availableKb = 0;
    /// Share of the memory in use, Round((total - available) x 100 / total)
    /// as a whole percent 0..100, ties to even.
    std::uint32_t loadPercent = 0;
};

/// Reads `path` (the kernel's file; tests pass their own). Throws
/// std::runtime_error naming the file when it cannot be read or lacks a
/// needed figure.
MemoryStatus ReadMemoryStatus(const std::string& path = "/proc/meminfo");

/// The figures of a meminfo text (lines "Name:  value kB"). Throws
/// std::runtime_error when a needed figure is missing, is not a whole number,
/// or MemTotal is 0.
MemoryStatus ParseMemoryStatus(std::string_view meminfo);

/// `kb` in decimal with `thousandsSeparator` between groups of three digits,
/// then " KB": FormatKilobytes(1234567, ',') is "1,234,567 KB". A '\0'
/// separator groups nothing.
std::string FormatKilobytes(std::uint64_t kb, char thousandsSeparator);
/// The same with a separator of any length (a locale's separator may be a
/// multi-byte UTF-8 character such as a narrow no-break space).
std::string FormatKilobytes(std::uint64_t kb, std::string_view thousandsSeparator);

}  // namespace moravel
