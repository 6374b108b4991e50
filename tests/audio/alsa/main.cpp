// The ALSA device tests: a private sound server (see ChosenServer.h) is
// started before the first test touches ALSA, so that "default" is that
// server's null sink.
#include "ChosenServer.h"
#include "TestServer.h"

#include <QCoreApplication>

#include <alsa/asoundlib.h>

#include <gtest/gtest.h>

namespace moravel::testing {

namespace {
SoundServer* server = nullptr;
bool pipeWire = false;
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
    moravel::testing::ServerKind kind{};
    const std::unique_ptr<moravel::testing::SoundServer> server = moravel::testing::ChosenServer(&kind);
    if (!server) return 1;
    server->ConfigureClientEnvironment();
    if (!server->Start()) return 1;
    // ALSA decides once, on the first open of "default", whether that is the
    // server: open it now, while the server runs, for the whole run.
    snd_pcm_t* pcm = nullptr;
    if (snd_pcm_open(&pcm, "default", SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK) == 0) snd_pcm_close(pcm);
    moravel::testing::SetServer(server.get(), kind == moravel::testing::ServerKind::kPipeWire);
    return RUN_ALL_TESTS();
}
