// Watches the soundcard while the live pipeline runs: when a wave device
// reports that the card or the sound server went away, the pipeline's
// devices are closed and reopened at a slow, fixed pace until the card is
// back, and processing resumes by itself. Between attempts nothing runs, so
// a lost card costs no CPU.
//
// States: Idle (no devices to watch), Running, Missing (the devices did not
// open when the pipeline started: a USB adapter not plugged in yet, a sound
// server that starts after the desktop; attempts are scheduled as after a
// loss), Lost (a device went away, the first attempt is scheduled) and
// Retrying (an attempt failed, the next one is scheduled).
// Running → Lost → Retrying … → Running; Idle → Missing … → Running.
//
// Plain C++: the window supplies the hooks (closing and reopening its
// devices, a single-shot timer, the status display).
//
// Threads: GUI thread only (the wave components raise their handlers there).
#pragma once

#include <cstdint>
#include <functional>

namespace moravel {

class DeviceWatch {
public:
    enum class State { Idle, Running, Missing, Lost, Retrying };

    /// Time between two attempts to reopen a lost card, in milliseconds.
    static constexpr int kRetryMs = 750;

    struct Hooks {
        /// Closes whichever of the pipeline's devices is still open.
        std::function<void()> closeDevices;
        /// Opens the pipeline's devices again; reports the result through
        /// Opened() (the window's own opening path does).
        std::function<void()> reopenDevices;
        /// Calls Retry() once, `ms` milliseconds from now.
        std::function<void(int ms)> scheduleRetry;
        /// Shows the new state (called on every change).
        std::function<void(State)> showState;
    };

    /// Every hook must be set.
    explicit DeviceWatch(Hooks hooks);

    /// The pipeline opened its devices; `opened` is true when both opened.
    /// Ends a loss when they did; a failed opening outside a loss makes the
    /// devices Missing, and they are tried again as after a loss.
    void Opened(bool opened);
    /// The pipeline stopped for good (the window closes): Idle, and a
    /// pending attempt does nothing.
    void Stopped();
    /// A device reported that it went away. Only the first report of a
    /// running pipeline counts; the other device's report is the same loss.
    void DeviceLost();
    /// The scheduled attempt: reopens the devices, and schedules the next
    /// attempt when they did not open. Does nothing outside a loss.
    void Retry();

    State state() const { return state_; }
    /// Losses and resumptions since the watch was made.
    std::int32_t Losses() const { return losses_; }
    std::int32_t Resumes() const { return resumes_; }

private:
    void enter(State next);
    void schedule();
    bool inLoss() const { return state_ == State::Missing || state_ == State::Lost || state_ == State::Retrying; }

    Hooks hooks_;
    State state_ = State::Idle;
    bool retryPending_ = false;
    std::int32_t losses_ = 0;
    std::int32_t resumes_ = 0;
};

}  // namespace moravel
