// moravel-process as a function: arguments in, exit status out.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace moravel {

constexpr int kExitDone = 0;
constexpr int kExitFileError = 1;
constexpr int kExitUsage = 2;
constexpr int kExitInterrupted = 130;

/// Runs the batch processor. `args` are the arguments after the program
/// name; --help goes to `out`, messages, warnings, progress and the summary
/// to `err`. `errIsTerminal` allows the progress display. Returns the exit
/// status (kExit...). Outputs are written under temporary names and moved
/// into place only when everything succeeded.
int RunProcessCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, bool errIsTerminal);

}  // namespace moravel
