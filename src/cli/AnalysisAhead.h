// The front half of the batch tool's chain on a thread of its own: for the
// next blocks it reads the input and runs the AGC, the analysis transform and
// the noise blanker (RunAnalysisStages) on an engine of its own, while the
// calling thread runs the other stages and finishes, writes and reports the
// block before. The two halves share no engine state: what carries from
// block to block on the front (AGC gain, analysis history) stays on the
// front engine, what carries on the back (overlap frame, display decay, peak
// tracking) stays on the caller's, and each block's spectrum is handed over
// through a small ring of slots, in order. So the blocks come out as if one
// engine had run both halves.
//
// A failure while reading or analysing a block travels in that block's slot
// and is thrown by Next when the caller reaches it, after every earlier block
// was finished, written and reported, as in the one-thread loop; the thread
// reads nothing after it.
#pragma once

#include "dsp/Engine.h"

#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace moravel {

class AnalysisAhead {
public:
    /// The front half of one block on the front engine: loads, reads and
    /// analyses it, leaving its Spectrum[0..FrameSamples]; returns the
    /// samples read. Runs on the front thread only. May throw.
    using FrontStep = std::function<std::int32_t(Engine& front)>;

    /// Blocks analysed ahead of the caller at most.
    static constexpr int kSlots = 3;

    /// Starts the thread at once: `front` (configured as the caller's engine)
    /// runs `step` for block 0, 1, 2, ... until the ring is full. Call from
    /// the thread that will call Next.
    AnalysisAhead(std::unique_ptr<Engine> front, FrontStep step);
    /// Stops the thread (waiting for the block it is on) and joins it.
    ~AnalysisAhead();
    AnalysisAhead(const AnalysisAhead&) = delete;
    AnalysisAhead& operator=(const AnalysisAhead&) = delete;

    /// Waits for the next block and hands it to `back` (AdoptAnalysis), or
    /// rethrows the failure met on it. Returns the samples read for it.
    /// Call from the constructing thread only.
    std::int32_t Next(Engine& back);

private:
    struct Slot {
        std::int32_t samplesRead = 0;
        std::exception_ptr error;
        std::vector<float> spectrum;
    };

    void run();
    bool fill(Slot& slot);
    /// Waits until the thread may fill another slot; false once stopping.
    bool waitForFreeSlot();

    std::unique_ptr<Engine> front_;
    FrontStep step_;
    std::vector<Slot> slots_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::int64_t produced_ = 0;  // slots filled; guarded by mutex_
    std::int64_t consumed_ = 0;  // slots handed over; guarded by mutex_
    bool stopping_ = false;      // guarded by mutex_
    std::thread thread_;         // last: starts after everything above exists
};

}  // namespace moravel
