// What the block cycle processes with, shared by the classes that run and
// show it (the devices' cycle, the displays, the processing pages, the
// files): the engine, the stopwatch that times the cycle and the plots, and
// the pipeline's state. Made before them and freed after them.
//
// Threads: GUI thread only.
#pragma once

#include "app/core/Stopwatch.h"
#include "app/pipeline/BlockCycle.h"

#include <memory>

namespace moravel {

class Engine;

struct PipelineCore {
    /// `counter` empty: the stopwatch runs on the steady clock.
    explicit PipelineCore(const Stopwatch::Counter& counter);
    ~PipelineCore();

    PipelineCore(const PipelineCore&) = delete;
    PipelineCore& operator=(const PipelineCore&) = delete;

    std::unique_ptr<Engine> engine;
    Stopwatch stopwatch;
    PipelineState state;
};

}  // namespace moravel
