// CPU time of this process, for checks that nothing spins.
#pragma once

#include <sys/resource.h>

#include <chrono>

namespace moravel::testing {

/// User and system time this process (all its threads) has used.
inline std::chrono::microseconds ProcessCpuTime() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto micros = [](const timeval& t) {
        return std::chrono::seconds(t.tv_sec) + std::chrono::microseconds(t.tv_usec);
    };
    return micros(usage.ru_utime) + micros(usage.ru_stime);
}

}  // namespace moravel::testing
