// The ALSA device tests: a private PulseAudio server is started before the
// first test touches ALSA, so that "default" is that server's null sink.
#include "TestServer.h"

#include <QCoreApplication>

#include <alsa/asoundlib.h>

#include <gtest/gtest.h>

namespace moravel::testing {

namespace {
PulseServer* server = nullptr;
}

PulseServer& Server() { return *server; }
void SetServer(PulseServer* s) { server = s; }

}  // namespace moravel::testing

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
    moravel::testing::PulseServer pulse;
    pulse.ConfigureClientEnvironment();
    if (!pulse.Start()) return 1;
    // ALSA decides once, on the first open of "default", whether that is the
    // server: open it now, while the server runs, for the whole run.
    snd_pcm_t* pcm = nullptr;
    if (snd_pcm_open(&pcm, "default", SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK) == 0) snd_pcm_close(pcm);
    moravel::testing::SetServer(&pulse);
    return RUN_ALL_TESTS();
}
