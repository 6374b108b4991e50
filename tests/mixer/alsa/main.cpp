// The ALSA mixer service against a private sound server: started before the
// first test touches ALSA, so that "default" is that server's control.
#include "MixerServer.h"

#include <QCoreApplication>

#include <alsa/asoundlib.h>

#include <gtest/gtest.h>

namespace moravel::testing {

namespace {
PulseServer* server = nullptr;
}

PulseServer& MixerServer() { return *server; }

}  // namespace moravel::testing

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
    moravel::testing::PulseServer pulse;
    pulse.ConfigureClientEnvironment();
    if (!pulse.Start()) return 1;
    moravel::testing::server = &pulse;
    return RUN_ALL_TESTS();
}
