#include "app/window/PipelineCore.h"

#include "dsp/Engine.h"

namespace moravel {

PipelineCore::PipelineCore(const Stopwatch::Counter& counter)
    : engine(std::make_unique<Engine>()), stopwatch(counter ? Stopwatch(counter) : Stopwatch()) {}

PipelineCore::~PipelineCore() = default;

}  // namespace moravel
