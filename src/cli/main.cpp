// moravel-process: runs WAV files through the processing chain from the
// command line. See docs/moravel-process.md or moravel-process --help.
#include "cli/Interruption.h"
#include "cli/ProcessCommand.h"

#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include <unistd.h>

int main(int argc, char** argv) {
    moravel::InstallInterruptHandlers();
    // A reader that closes the pipe is seen as a failed write (EPIPE), so the
    // tool can end in order with its exit status instead of being killed.
    std::signal(SIGPIPE, SIG_IGN);
    const std::vector<std::string> args(argv + 1, argv + argc);
    return moravel::RunProcessCommand(args, std::cout, std::cerr, ::isatty(STDERR_FILENO) != 0);
}
