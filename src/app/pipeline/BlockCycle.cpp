#include "app/pipeline/BlockCycle.h"

#include <cstring>
#include <stdexcept>

namespace moravel {

namespace {

// Stopwatch slots of the Debug page's read-outs.
constexpr int kBufferCycleSlot = 1;
constexpr int kProcessSlot = 2;
constexpr int kAvailableSlot = 5;

std::int32_t checkedAdd(std::int32_t a, std::int32_t b) {
    std::int32_t r = 0;
    if (__builtin_add_overflow(a, b, &r)) throw std::overflow_error("Integer overflow");
    return r;
}

std::int32_t checkedSub(std::int32_t a, std::int32_t b) {
    std::int32_t r = 0;
    if (__builtin_sub_overflow(a, b, &r)) throw std::overflow_error("Integer overflow");
    return r;
}

}  // namespace

bool BlockCycle::WaveInData(std::uint8_t* data, std::int32_t bytes, const CycleControls& controls,
                            CycleClient& client) {
    if (!state_.SamplingEnabled) return false;
    if (!acceptBlock(client)) return false;
    if (state_.LayoutChanged) {
        state_.LayoutChanged = false;
        state_.LayoutPending = true;
    }
    processBlock(data, bytes, controls, client);
    if (controls.playerActive && client.OutputRunsShort()) processBlock(data, bytes, controls, client);
    return true;
}

void BlockCycle::processBlock(std::uint8_t* data, std::int32_t bytes, const CycleControls& controls,
                              CycleClient& client) {
    state_.BlocksProcessed = checkedAdd(state_.BlocksProcessed, 1);
    stopwatch_.Start(kProcessSlot);
    client.ShowBufferCycle(stopwatch_.Elapsed(kBufferCycleSlot));
    client.ShowBuffersBehind(checkedSub(state_.BlocksProcessed, state_.BlocksPlayed));
    stopwatch_.Start(kBufferCycleSlot);
    loadInput(data, bytes, controls.playerActive, client);
    runStages(controls, client);
    finishBlock(data, bytes, controls, client);
    state_.DisplayDataPending = true;
    client.ShowProcessTime(stopwatch_.Elapsed(kProcessSlot));
    stopwatch_.Start(kAvailableSlot);
}

void BlockCycle::WaveOutDone() { state_.BlocksPlayed = checkedAdd(state_.BlocksPlayed, 1); }

// A block that arrives less than 1 ms after the previous cycle ended was
// already waiting when that cycle finished: the input is behind, and
// processing it too would only make the output queue grow. It is dropped
// (not processed, played nor recorded) and flagged.
bool BlockCycle::acceptBlock(CycleClient& client) {
    const long double available = stopwatch_.Elapsed(kAvailableSlot);
    client.ShowAvailable(available);
    if (available >= kMinimumGap) return true;
    state_.BufferError = true;
    stopwatch_.Start(kAvailableSlot);
    return false;
}

// While the player runs, the captured audio only clocks the cycle: the
// block comes from the file (silence while its Pause is down).
void BlockCycle::loadInput(const std::uint8_t* data, std::int32_t bytes, bool fromPlayer, CycleClient& client) {
    LoadBlock(engine_, fromPlayer ? nullptr : data, bytes);
    if (fromPlayer) client.ReadPlayerBlock(engine_.InputBlock, bytes);
}

void BlockCycle::runStages(const CycleControls& controls, CycleClient& client) {
    RunStages(engine_, controls.stages);
    if (controls.stages.dynamics.agcOn) client.ShowAgcMeter(AgcMeterPosition(engine_.AgcGain));
    if (controls.debugPlot == DebugPlot::Spectral) client.PlotSpectral(engine_.Spectrum, engine_.FrameSamples + 1);
}

void BlockCycle::finishBlock(std::uint8_t* data, std::int32_t bytes, const CycleControls& controls,
                             CycleClient& client) {
    state_.OutputPeak = FinishBlock(engine_);
    if (controls.debugPlot == DebugPlot::Signal) client.PlotSignal(engine_.OutputBlock, engine_.BlockSamples);
    std::memcpy(data, engine_.OutputBlock, static_cast<std::size_t>(bytes));
    client.WriteOutput(data, bytes);
    if (controls.recording) client.WriteRecording(engine_.OutputBlock, bytes);
}

}  // namespace moravel
