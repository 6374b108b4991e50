// Process plumbing shared by the private sound servers of the tests: a
// scratch folder, children started with an exact environment and stopped by
// their process id (never by name), and pactl against one socket.
//
// Called from the test's main thread.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace moravel::testing {

/// Makes /tmp/<prefix>-XXXXXX with runtime, home, config and state folders
/// (mode 0700); empty when it cannot.
std::string MakeServerFolder(const std::string& prefix);

/// Forks and runs `argv` (argv[0] an absolute path) with exactly `env`;
/// stdout and stderr go to `logFile` (appended; /dev/null when empty). The
/// child dies with this process. Returns its pid, or -1.
pid_t Spawn(std::vector<std::string> argv, std::vector<std::string> env, const std::string& logFile = {});

/// Sends `signal` to `pid` (and SIGCONT, so that a stopped process sees
/// it), waits up to `bound` for it to end, then kills it. Sets pid to -1.
void StopProcess(pid_t& pid, int signal, std::chrono::milliseconds bound = std::chrono::seconds(3));

/// Calls `done` every 20 ms until it is true (true) or 10 s passed (false).
bool Poll(const std::function<bool()>& done);

/// Runs `pactl --server=unix:<socket> <args>`; its stdout goes to `output`.
/// True when pactl succeeded.
bool RunPactl(const std::string& socket, const std::string& args, std::string* output = nullptr);

/// The whole of a text file (empty when it cannot be read).
std::string ReadText(const std::string& path);

}  // namespace moravel::testing
