#include "cli/AnalysisAhead.h"

#include "dsp/BlockChain.h"

namespace moravel {

AnalysisAhead::AnalysisAhead(std::unique_ptr<Engine> front, FrontStep step)
    : front_(std::move(front)), step_(std::move(step)), slots_(kSlots), thread_([this] { run(); }) {}

AnalysisAhead::~AnalysisAhead() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

std::int32_t AnalysisAhead::Next(Engine& back) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return produced_ > consumed_; });
    // The slot is the caller's until consumed_ moves past it: the thread only
    // fills slots below consumed_ + kSlots.
    Slot& slot = slots_[static_cast<std::size_t>(consumed_ % kSlots)];
    lock.unlock();
    if (slot.error) std::rethrow_exception(slot.error);
    AdoptAnalysis(back, slot.spectrum.data());
    const std::int32_t samplesRead = slot.samplesRead;
    lock.lock();
    ++consumed_;
    lock.unlock();
    changed_.notify_all();
    return samplesRead;
}

void AnalysisAhead::run() {
    for (std::int64_t block = 0; waitForFreeSlot(); ++block) {
        Slot& slot = slots_[static_cast<std::size_t>(block % kSlots)];
        const bool failed = !fill(slot);
        {
            const std::lock_guard lock(mutex_);
            ++produced_;
        }
        changed_.notify_all();
        if (failed) return;  // nothing is read after a failure
    }
}

bool AnalysisAhead::fill(Slot& slot) {
    try {
        slot.samplesRead = step_(*front_);
        const float* spectrum = front_->Spectrum;
        slot.spectrum.assign(spectrum, spectrum + 2 * std::int64_t{front_->BlockSamples} + 1);
        slot.error = nullptr;
        return true;
    } catch (...) {
        slot.error = std::current_exception();
        return false;
    }
}

bool AnalysisAhead::waitForFreeSlot() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return stopping_ || produced_ - consumed_ < kSlots; });
    return !stopping_;
}

}  // namespace moravel
