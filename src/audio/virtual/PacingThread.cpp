#include "audio/virtual/PacingThread.h"

namespace moravel::vcard {

PacingThread::PacingThread(std::mutex& mutex, const VirtualClock& clock, Hooks hooks)
    : mutex_(mutex), clock_(clock), hooks_(std::move(hooks)), worker_([this] { run(); }) {}

PacingThread::~PacingThread() {
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
    }
    wake_.notify_all();
    worker_.join();
}

void PacingThread::run() {
    std::unique_lock lock(mutex_);
    while (!quit_) {
        const auto deadline = hooks_.nextDeadline();
        if (deadline) {
            wake_.wait_until(lock, clock_.WallTime(*deadline));
        } else {
            wake_.wait(lock);
        }
        if (!quit_) hooks_.tick(clock_.Now());
    }
}

}  // namespace moravel::vcard
