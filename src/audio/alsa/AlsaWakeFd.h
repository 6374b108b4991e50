// A descriptor a worker polls beside its device's, so that the service can
// cut a wait on the device short (stop, reset, close) instead of the worker
// waking every few milliseconds to look. An eventfd: posting sets it
// readable until the worker takes the post.
//
// Threads: post() from any thread; take() and fd() from the worker.
#pragma once

namespace moravel::alsa {

class WakeFd {
public:
    WakeFd();
    ~WakeFd();
    WakeFd(const WakeFd&) = delete;
    WakeFd& operator=(const WakeFd&) = delete;

    /// The descriptor to poll for POLLIN; -1 when the system gave none (the
    /// waits are then cut short only by their own bound).
    int fd() const { return fd_; }
    /// Makes fd() readable. Never blocks.
    void post();
    /// Clears what post() set; returns whether anything was posted. Never blocks.
    bool take();

private:
    int fd_;
};

}  // namespace moravel::alsa
