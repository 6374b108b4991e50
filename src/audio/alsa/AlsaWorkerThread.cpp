#include "audio/alsa/AlsaWorkerThread.h"

#include <pthread.h>
#include <sched.h>
#include <time.h>

#include <algorithm>

namespace moravel::alsa {

namespace {

// Above every normal thread, and below the sound server's own real-time
// threads (PulseAudio asks for 5, PipeWire and JACK for more): a worker
// must never keep the server from delivering what it waits for.
constexpr int kRealtimePriority = 3;

}  // namespace

bool TryRealtimeScheduling() {
    sched_param param{};
    param.sched_priority =
        std::clamp(kRealtimePriority, sched_get_priority_min(SCHED_FIFO), sched_get_priority_max(SCHED_FIFO));
    return pthread_setschedparam(pthread_self(), SCHED_FIFO, &param) == 0;
}

std::int64_t ThreadCpuNanos() {
    timespec ts{};
    if (clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts) != 0) return 0;
    return static_cast<std::int64_t>(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

WorkerThread::WorkerThread(std::function<void()> body) : completion_(std::make_shared<Completion>()) {
    thread_ = std::thread([completion = completion_, body = std::move(body)] {
        TryRealtimeScheduling();
        body();
        std::lock_guard lock(completion->mutex);
        completion->done = true;
        completion->changed.notify_all();
    });
}

WorkerThread::~WorkerThread() { finish(); }

bool WorkerThread::finish(std::chrono::milliseconds bound) {
    if (!thread_.joinable()) return true;
    bool done = false;
    {
        std::unique_lock lock(completion_->mutex);
        done = completion_->changed.wait_for(lock, bound, [this] { return completion_->done; });
    }
    if (done)
        thread_.join();
    else
        thread_.detach();
    return done;
}

}  // namespace moravel::alsa
