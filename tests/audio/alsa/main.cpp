// The ALSA device tests: a private sound server is started before the first
// test touches ALSA, so that "default" is that server's null sink.
// MORAVEL_TEST_SERVER chooses it: "pulse" (PulseAudio, when unset) or
// "pipewire" (PipeWire with pipewire-pulse).
#include "PipeWireServer.h"
#include "PulseServer.h"
#include "TestServer.h"

#include <QCoreApplication>

#include <alsa/asoundlib.h>

#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>

#include <gtest/gtest.h>

namespace moravel::testing {

namespace {
SoundServer* server = nullptr;
bool pipeWire = false;

// The server MORAVEL_TEST_SERVER names; null (with a message) for a name
// it does not know.
std::unique_ptr<SoundServer> ChosenServer() {
    const char* chosen = std::getenv("MORAVEL_TEST_SERVER");
    const std::string name = chosen ? chosen : "pulse";
    if (name == "pulse") return std::make_unique<PulseServer>();
    if (name == "pipewire") return std::make_unique<PipeWireServer>();
    std::cerr << "MORAVEL_TEST_SERVER=" << name << ": not a server (pulse or pipewire)\n";
    return nullptr;
}
}  // namespace

SoundServer& Server() { return *server; }
void SetServer(SoundServer* s, bool onPipeWire) {
    server = s;
    pipeWire = onPipeWire;
}
bool OnPipeWire() { return pipeWire; }

}  // namespace moravel::testing

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
    const std::unique_ptr<moravel::testing::SoundServer> server = moravel::testing::ChosenServer();
    if (!server) return 1;
    server->ConfigureClientEnvironment();
    if (!server->Start()) return 1;
    // ALSA decides once, on the first open of "default", whether that is the
    // server: open it now, while the server runs, for the whole run.
    snd_pcm_t* pcm = nullptr;
    if (snd_pcm_open(&pcm, "default", SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK) == 0) snd_pcm_close(pcm);
    moravel::testing::SetServer(server.get(), dynamic_cast<moravel::testing::PipeWireServer*>(server.get()) != nullptr);
    return RUN_ALL_TESTS();
}
