// The PulseAudio server the device tests share (started by main before the
// first test), and a fixture that brings it back after a test stopped it.
#pragma once

#include "PulseServer.h"

#include <gtest/gtest.h>

namespace moravel::testing {

/// The running test server.
PulseServer& Server();
void SetServer(PulseServer* server);

class WithServer : public ::testing::Test {
protected:
    void TearDown() override {
        if (!Server().Running()) {
            ASSERT_TRUE(Server().Start());
        }
    }
};

}  // namespace moravel::testing
