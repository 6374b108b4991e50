// What the capture and the playback service share once a stream is open:
// starting and ending its worker, and the counters they report. Kept free
// of ALSA headers: the services' own headers include it.
//
// Threads: component's thread.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>

namespace moravel::alsa {

class StreamCore;
class WorkerThread;

/// The running part of an open service: the state it shares with its
/// worker, and the worker.
class StreamRun {
public:
    StreamRun();
    ~StreamRun();
    StreamRun(const StreamRun&) = delete;
    StreamRun& operator=(const StreamRun&) = delete;

    /// Posts Open, then starts `loop` on the worker thread.
    void begin(std::shared_ptr<StreamCore> core, std::function<void()> loop);
    /// Tells the worker to quit, ends it within WorkerThread's bound, and
    /// posts Close; nothing is posted after. The queue must be empty.
    void end();

    /// Of the open stream, or of the last one once it ended.
    std::int64_t xruns() const;
    std::chrono::nanoseconds workerCpuTime() const;
    std::int64_t lastDelayFrames() const;
    /// Whether the open stream has noted a delay yet.
    bool delayNoted() const;
    /// Of the open stream: chunks of silence written for want of a block.
    std::int64_t bridgedGaps() const;
    std::int64_t deviceWaits() const;

private:
    std::shared_ptr<StreamCore> core_;
    std::unique_ptr<WorkerThread> worker_;
    std::int64_t xruns_ = 0, cpuNanos_ = 0, delayFrames_ = 0, deviceWaits_ = 0;  // of the last stream
};

}  // namespace moravel::alsa
