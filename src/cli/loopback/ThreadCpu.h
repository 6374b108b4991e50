// CPU time of this process's threads, from /proc/self/task: used to measure
// what the device worker threads cost while audio streams.
#pragma once

#include <map>

namespace moravel {

/// Seconds of user + system CPU time per thread id, for every thread of the
/// process except the calling one. Linux only; empty where /proc is missing.
std::map<int, double> OtherThreadsCpuSeconds();

/// The sum over `after` of the CPU time each thread gained since `before`.
double CpuSecondsGained(const std::map<int, double>& before, const std::map<int, double>& after);

}  // namespace moravel
