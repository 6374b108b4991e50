#include "ChosenServer.h"

#include "PipeWireServer.h"
#include "PulseServer.h"

#include <cstdlib>
#include <iostream>
#include <string>

namespace moravel::testing {

std::unique_ptr<SoundServer> ChosenServer(ServerKind* kind) {
    const char* chosen = std::getenv("MORAVEL_TEST_SERVER");
    const std::string name = chosen ? chosen : "pulse";
    ServerKind found = ServerKind::kPulse;
    std::unique_ptr<SoundServer> server;
    if (name == "pulse") {
        server = std::make_unique<PulseServer>();
    } else if (name == "pipewire") {
        found = ServerKind::kPipeWire;
        server = std::make_unique<PipeWireServer>();
    } else {
        std::cerr << "MORAVEL_TEST_SERVER=" << name << ": not a server (pulse or pipewire)\n";
    }
    if (kind) *kind = found;
    return server;
}

}  // namespace moravel::testing
