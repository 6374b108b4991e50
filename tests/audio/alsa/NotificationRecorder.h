// Stands in for a wave component in the device tests: records every
// notification a service posts to it, with the time it was handled, and
// lets a test react to each (re-queue a capture buffer, write the next
// block) the way a component would.
#pragma once

#include "audio/WaveDevice.h"

#include <QObject>

#include <chrono>
#include <cstdint>
#include <functional>
#include <vector>

namespace moravel::testing {

struct Received {
    WaveNotification::Kind kind;
    std::uint64_t session;
    WaveHeader* header;
    bool lost;
    std::uint32_t bytesRecorded;  // the header's, when the notification was handled
    std::chrono::steady_clock::time_point at;
};

class NotificationRecorder : public QObject {
public:
    std::vector<Received> received;
    /// Called for each notification after it was recorded.
    std::function<void(const Received&)> onReceived;

    int Count(WaveNotification::Kind kind) const;
    int LostCloses() const;
    /// The headers of the `kind` notifications, in arrival order.
    std::vector<WaveHeader*> Headers(WaveNotification::Kind kind) const;
    /// The bytes recorded of each Data notification, in arrival order.
    std::vector<std::uint32_t> BytesRecorded() const;

protected:
    bool event(QEvent* e) override;
};

/// Handles posted events until `done()` holds or `timeout` passed; returns
/// whether `done()` held.
bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout);
/// Handles posted events for `duration`.
void PumpFor(std::chrono::milliseconds duration);

}  // namespace moravel::testing
