#include "cli/loopback/ThreadCpu.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <sys/syscall.h>
#include <unistd.h>

namespace moravel {

namespace {

// Fields 14 and 15 of /proc/.../stat: user and system time in clock ticks.
// The command name (field 2) may hold spaces, so parsing starts after ')'.
double cpuSecondsOf(const std::filesystem::path& statFile) {
    std::ifstream in(statFile);
    std::string line;
    if (!std::getline(in, line)) return 0;
    const auto close = line.rfind(')');
    if (close == std::string::npos) return 0;
    std::istringstream fields(line.substr(close + 2));
    std::string field;
    double ticks = 0;
    for (int index = 3; fields >> field; ++index) {
        if (index == 14 || index == 15) ticks += std::stod(field);
        if (index == 15) break;
    }
    return ticks / static_cast<double>(sysconf(_SC_CLK_TCK));
}

}  // namespace

std::map<int, double> OtherThreadsCpuSeconds() {
    std::map<int, double> threads;
    const int self = static_cast<int>(syscall(SYS_gettid));
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/task", error)) {
        const int tid = std::stoi(entry.path().filename().string());
        if (tid != self) threads[tid] = cpuSecondsOf(entry.path() / "stat");
    }
    return threads;
}

double CpuSecondsGained(const std::map<int, double>& before, const std::map<int, double>& after) {
    double gained = 0;
    for (const auto& [tid, seconds] : after) {
        const auto old = before.find(tid);
        gained += seconds - (old == before.end() ? 0.0 : old->second);
    }
    return gained;
}

}  // namespace moravel
