// A fixture for the device tests that drive streams: the ALSA backend on
// the test server, a capture and a playback device of it, and a recorder of
// their notifications.
#pragma once

#include "audio/alsa/AlsaBackend.h"
#include "NotificationRecorder.h"
#include "TestServer.h"

#include <memory>

namespace moravel::testing {

class WithStreams : public WithServer {
protected:
    AlsaBackend backend;
    NotificationRecorder notes;
    std::unique_ptr<AlsaCapture> capture = backend.newCapture();
    std::unique_ptr<AlsaPlayback> playback = backend.newPlayback();
};

}  // namespace moravel::testing
