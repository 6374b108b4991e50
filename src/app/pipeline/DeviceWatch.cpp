#include "app/pipeline/DeviceWatch.h"

#include <utility>

namespace moravel {

DeviceWatch::DeviceWatch(Hooks hooks) : hooks_(std::move(hooks)) {}

void DeviceWatch::enter(State next) {
    if (next == state_) return;
    state_ = next;
    hooks_.showState(next);
}

void DeviceWatch::Opened(bool opened) {
    if (opened) {
        if (inLoss()) ++resumes_;
        enter(State::Running);
    } else if (!inLoss()) {
        enter(State::Missing);
        hooks_.closeDevices();  // one may have opened without the other
        schedule();
    }
}

void DeviceWatch::Stopped() { enter(State::Idle); }

void DeviceWatch::DeviceLost() {
    if (state_ != State::Running) return;
    ++losses_;
    enter(State::Lost);
    // The other device may still run (its own report may never come when it
    // is idle); a half-open pipeline would play or capture nothing useful.
    hooks_.closeDevices();
    schedule();
}

// One attempt pending at most: a loss that follows a quick return must not
// start a second chain of attempts beside the first.
void DeviceWatch::schedule() {
    if (retryPending_) return;
    retryPending_ = true;
    hooks_.scheduleRetry(kRetryMs);
}

void DeviceWatch::Retry() {
    retryPending_ = false;
    if (!inLoss()) return;
    if (state_ != State::Missing) enter(State::Retrying);
    hooks_.reopenDevices();
    if (state_ != State::Retrying && state_ != State::Missing) return;  // back (Running) or stopped meanwhile
    // One device may have opened without the other.
    hooks_.closeDevices();
    schedule();
}

}  // namespace moravel
