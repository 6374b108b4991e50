// Ctrl-C and termination requests, turned into a flag that the processing
// loop polls, so that an interrupted run still removes its temporary files.
#pragma once

namespace moravel {

/// Installs handlers for SIGINT, SIGTERM and SIGHUP that set the flag.
void InstallInterruptHandlers();

/// True once one of those signals arrived.
bool InterruptRequested();

}  // namespace moravel
