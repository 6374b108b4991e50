// moravel-process: runs WAV files through the processing chain from the
// command line. See docs/moravel-process.md or moravel-process --help.
#include "Interruption.h"
#include "ProcessCommand.h"

#include <iostream>
#include <string>
#include <vector>

#include <unistd.h>

int main(int argc, char** argv) {
    moravel::InstallInterruptHandlers();
    const std::vector<std::string> args(argv + 1, argv + argc);
    return moravel::RunProcessCommand(args, std::cout, std::cerr, ::isatty(STDERR_FILENO) != 0);
}
