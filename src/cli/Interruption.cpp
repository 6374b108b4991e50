#include "cli/Interruption.h"

#include <csignal>

namespace moravel {
namespace {

volatile std::sig_atomic_t interrupted = 0;

void OnInterrupt(int) { interrupted = 1; }

}  // namespace

void InstallInterruptHandlers() {
    std::signal(SIGINT, OnInterrupt);
    std::signal(SIGTERM, OnInterrupt);
    std::signal(SIGHUP, OnInterrupt);
}

bool InterruptRequested() { return interrupted != 0; }

}  // namespace moravel
