// Which private sound server a test program runs on: MORAVEL_TEST_SERVER
// is "pulse" (PulseAudio, also when unset) or "pipewire" (PipeWire with
// pipewire-pulse). Main thread only.
#pragma once

#include "SoundServer.h"

#include <memory>

namespace moravel::testing {

enum class ServerKind { kPulse, kPipeWire };

/// The server MORAVEL_TEST_SERVER names; null, with a message on stderr,
/// for a name it does not know.
std::unique_ptr<SoundServer> ChosenServer(ServerKind* kind = nullptr);

}  // namespace moravel::testing
