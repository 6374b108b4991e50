// The thread that runs a service's worker loop. It asks for real-time
// scheduling (SCHED_FIFO) and silently keeps normal scheduling when the
// system refuses. Stopping it is bounded: a worker stuck in a device call
// is let go (detached) instead of blocking the caller; the loop must then
// keep alive, by shared ownership, everything it still uses.
//
// Threads: created and finished on the component's thread.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace moravel::alsa {

class WorkerThread {
public:
    /// Starts `body` on a new thread.
    explicit WorkerThread(std::function<void()> body);
    /// Finishes the thread with the default bound.
    ~WorkerThread();
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    static constexpr std::chrono::milliseconds kDefaultBound{500};

    /// Waits at most `bound` for the body to return; joins the thread when
    /// it did and detaches it otherwise. Returns whether it returned in time.
    /// Only the first call waits.
    bool finish(std::chrono::milliseconds bound = kDefaultBound);

private:
    struct Completion {
        std::mutex mutex;
        std::condition_variable changed;
        bool done = false;
    };
    std::shared_ptr<Completion> completion_;
    std::thread thread_;
};

/// Asks for SCHED_FIFO for the calling thread; returns whether it was granted.
bool TryRealtimeScheduling();

/// CPU time the calling thread has used, in nanoseconds.
std::int64_t ThreadCpuNanos();

}  // namespace moravel::alsa
