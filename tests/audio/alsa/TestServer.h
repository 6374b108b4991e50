// The sound server the device tests share (started by main before the first
// test; PulseAudio, or PipeWire when MORAVEL_TEST_SERVER is "pipewire"), and
// a fixture that brings it back after a test stopped it.
#pragma once

#include "SoundServer.h"

#include <gtest/gtest.h>

namespace moravel::testing {

/// The running test server. Main thread only.
SoundServer& Server();
void SetServer(SoundServer* server, bool pipeWire);
/// True when the tests run on PipeWire (for the tests that skip there).
bool OnPipeWire();

class WithServer : public ::testing::Test {
protected:
    void TearDown() override {
        if (!Server().Running()) {
            ASSERT_TRUE(Server().Start());
        }
    }
};

}  // namespace moravel::testing
