// One processing cycle of the live pipeline: what happens to a captured
// block from the moment the wave input hands it over until it is queued for
// playback and recording. The main window owns one BlockCycle and calls it
// from the wave input's data handler; everything the cycle shows or hands on
// goes through a CycleClient, so tests drive it without a window.
//
// Threads: GUI thread only (the wave components raise their handlers there).
#pragma once

#include "dsp/BlockChain.h"
#include "dsp/Engine.h"
#include "app/core/Stopwatch.h"

#include <cstdint>

namespace moravel {

/// The pipeline flags and counters the window, the timers and the displays
/// share. All start false / 0 when the window is created.
struct PipelineState {
    bool SamplingEnabled = false;     // set when sampling starts; no cycle runs without it
    bool BufferError = false;         // a block was dropped (cleared by the status timer)
    bool LayoutChanged = false;       // a reconfiguration asks the displays to relayout
    bool LayoutPending = false;       // LayoutChanged seen by a processed block; DisplayData consumes it
    bool DisplayDataPending = false;  // a processed block waits for DisplayData
    std::int32_t BlocksProcessed = 0;
    std::int32_t BlocksPlayed = 0;
    std::int32_t OutputPeak = 0;  // largest (signed) sample of the last processed block, at least 0
};

/// Which debug curve the cycle hands out (the Debug page's two buttons).
enum class DebugPlot { None, Spectral, Signal };

/// What the cycle reads from the controls at the moment a block arrives, so
/// that a control change takes effect from the next block on.
struct CycleControls {
    StageSwitches stages;
    bool playerActive = false;  // Play or the player's Pause is down: input comes from the file
    bool recording = false;     // Record is down and the recorder's Pause is up
    DebugPlot debugPlot = DebugPlot::None;
};

/// Where a cycle's read-outs and results go. Times are seconds.
class CycleClient {
public:
    virtual ~CycleClient() = default;
    /// "Available": time since the previous cycle ended (also for a dropped block).
    virtual void ShowAvailable(long double seconds) = 0;
    /// "Buffer Cycle": time since the previous processed block was loaded.
    virtual void ShowBufferCycle(long double seconds) = 0;
    /// "Buffers behind :": blocks processed but not yet reported played.
    virtual void ShowBuffersBehind(std::int32_t blocks) = 0;
    /// "Process time": the cycle's own duration.
    virtual void ShowProcessTime(long double seconds) = 0;
    /// Fills `block` (zeroed, `bytes` bytes) from the player's file.
    virtual void ReadPlayerBlock(std::int16_t* block, std::int32_t bytes) = 0;
    /// The AGC meter's position (only while the AGC is on).
    virtual void ShowAgcMeter(std::int32_t position) = 0;
    /// Debug curves: Spectrum[0..count−1] or the output samples.
    virtual void PlotSpectral(const float* spectrum, std::int32_t count) = 0;
    virtual void PlotSignal(const std::int16_t* samples, std::int32_t count) = 0;
    /// Queues the processed block for playback (the output copies it).
    virtual void WriteOutput(const std::uint8_t* data, std::int32_t bytes) = 0;
    /// Appends the processed block to the recording.
    virtual void WriteRecording(const std::int16_t* samples, std::int32_t bytes) = 0;
    /// While the player runs: true when the output will run dry before the
    /// next captured block comes. The file plays at the output's rate and
    /// the capture, 50 Hz slower, clocks its blocks, so the output gains a
    /// block on the file about every 40 s; the cycle then processes one
    /// more block of the file at once.
    virtual bool OutputRunsShort() { return false; }
};

class BlockCycle {
public:
    /// Time below which a block counts as late: it arrived while the
    /// previous cycle had only just ended, i.e. it was already queued.
    static constexpr long double kMinimumGap = 0.001L;

    /// All three must outlive the cycle.
    BlockCycle(Engine& engine, Stopwatch& stopwatch, PipelineState& state)
        : engine_(engine), stopwatch_(stopwatch), state_(state) {}

    /// The wave input's data handler: runs one cycle on `data` (`bytes`
    /// bytes, even, at most 2·Engine::kMaxBlockSamples) and writes the
    /// processed samples back into `data`; while the player runs, a second
    /// block of the file follows when the output runs short. Returns true
    /// when the block was processed, false when sampling is off or the block
    /// was dropped as late. Counter overflow throws std::overflow_error; the
    /// rest of the cycle is then skipped.
    bool WaveInData(std::uint8_t* data, std::int32_t bytes, const CycleControls& controls, CycleClient& client);

    /// The wave output's done handler: one more block played.
    void WaveOutDone();

private:
    bool acceptBlock(CycleClient& client);
    void processBlock(std::uint8_t* data, std::int32_t bytes, const CycleControls& controls, CycleClient& client);
    void loadInput(const std::uint8_t* data, std::int32_t bytes, bool fromPlayer, CycleClient& client);
    void runStages(const CycleControls& controls, CycleClient& client);
    void finishBlock(std::uint8_t* data, std::int32_t bytes, const CycleControls& controls, CycleClient& client);

    Engine& engine_;
    Stopwatch& stopwatch_;
    PipelineState& state_;
};

}  // namespace moravel
