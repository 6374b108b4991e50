#include "app/core/MemoryStatus.h"

#include "common/AtomicFile.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <optional>
#include <stdexcept>

namespace moravel {
namespace {

using Figures = std::map<std::string, std::string, std::less<>>;

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// "Name: value [unit]" lines, name to the text after the colon.
Figures SplitLines(std::string_view text) {
    Figures figures;
    while (!text.empty()) {
        const auto end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        const auto colon = line.find(':');
        if (colon != std::string_view::npos) figures.emplace(Trim(line.substr(0, colon)), Trim(line.substr(colon + 1)));
    }
    return figures;
}

// The figure in kilobytes; nullopt when the line is missing. Throws when
// the line is there but is not "<digits>" or "<digits> kB".
std::optional<std::uint64_t> FindKilobytes(const Figures& figures, std::string_view name) {
    const auto it = figures.find(name);
    if (it == figures.end()) return std::nullopt;
    std::string_view text = it->second;
    if (text.size() > 2 && text.substr(text.size() - 2) == "kB") text = Trim(text.substr(0, text.size() - 2));
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        throw std::runtime_error("Unreadable memory figure " + std::string(name) + ": \"" + it->second + "\"");
    return value;
}

std::uint64_t NeedKilobytes(const Figures& figures, std::string_view name) {
    const auto value = FindKilobytes(figures, name);
    if (!value) throw std::runtime_error("Memory figure " + std::string(name) + " missing");
    return *value;
}

std::uint64_t AvailableKilobytes(const Figures& figures) {
    if (const auto available = FindKilobytes(figures, "MemAvailable")) return *available;
    // Kernels before 3.14 have no estimate: free memory plus the caches.
    return NeedKilobytes(figures, "MemFree") + NeedKilobytes(figures, "Buffers") + NeedKilobytes(figures, "Cached");
}

// Round(used x 100 / total), ties to even, in exact integer arithmetic.
std::uint32_t LoadPercent(std::uint64_t used, std::uint64_t total) {
    __extension__ typedef unsigned __int128 Wide;  // used x 100 may not fit 64 bits
    const Wide scaled = static_cast<Wide>(used) * 100;
    std::uint64_t quotient = static_cast<std::uint64_t>(scaled / total);
    const Wide twiceRemainder = (scaled % total) * 2;
    if (twiceRemainder > total || (twiceRemainder == total && quotient % 2 == 1)) ++quotient;
    return static_cast<std::uint32_t>(quotient);
}

}  // namespace

MemoryStatus ParseMemoryStatus(std::string_view meminfo) {
    const Figures figures = SplitLines(meminfo);
    MemoryStatus status;
    status.totalKb = NeedKilobytes(figures, "MemTotal");
    if (status.totalKb == 0) throw std::runtime_error("Memory figure MemTotal is 0");
    status.availableKb = std::min(AvailableKilobytes(figures), status.totalKb);
    status.loadPercent = LoadPercent(status.totalKb - status.availableKb, status.totalKb);
    return status;
}

MemoryStatus ReadMemoryStatus(const std::string& path) {
    const auto text = ReadFileIfPresent(path);  // its std::system_error names the file
    if (!text) throw std::runtime_error("Cannot read " + path + ": no such file");
    try {
        return ParseMemoryStatus(*text);
    } catch (const std::runtime_error& error) {
        throw std::runtime_error("Bad memory status in " + path + ": " + error.what());
    }
}

std::string FormatKilobytes(std::uint64_t kb, std::string_view thousandsSeparator) {
    const std::string digits = std::to_string(kb);
    std::string text;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) text += thousandsSeparator;
        text += digits[i];
    }
    return text + " KB";
}

std::string FormatKilobytes(std::uint64_t kb, char thousandsSeparator) {
    return FormatKilobytes(kb,
                           thousandsSeparator == '\0' ? std::string_view() : std::string_view(&thousandsSeparator, 1));
}

}  // namespace moravel
