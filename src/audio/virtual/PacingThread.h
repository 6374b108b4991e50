// A worker thread that keeps a device on time against the real-time clock:
// it sleeps until the device's next deadline (or until woken because the
// deadlines changed), then lets the device do what came due.
//
// Threads: made, woken and destroyed on the component's thread; the hooks
// run on the worker with the device's mutex held. Never destroy it while
// holding that mutex: the destructor joins the worker.
#pragma once

#include "audio/virtual/VirtualClock.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

namespace moravel::vcard {

class PacingThread {
public:
    struct Hooks {
        std::function<std::optional<std::chrono::nanoseconds>()> nextDeadline;
        std::function<void(std::chrono::nanoseconds now)> tick;
    };

    PacingThread(std::mutex& mutex, const VirtualClock& clock, Hooks hooks);
    /// Stops the worker promptly (it is only ever waiting or ticking) and joins it.
    ~PacingThread();

    PacingThread(const PacingThread&) = delete;
    PacingThread& operator=(const PacingThread&) = delete;

    /// The deadlines changed; with or without the mutex held.
    void Wake() { wake_.notify_all(); }

private:
    void run();

    std::mutex& mutex_;
    const VirtualClock& clock_;
    Hooks hooks_;
    std::condition_variable wake_;
    bool quit_ = false;  // guarded by mutex_
    std::thread worker_;
};

}  // namespace moravel::vcard
