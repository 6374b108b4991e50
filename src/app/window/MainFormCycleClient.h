// The block cycle's side in the main window: the control positions each
// block is processed with, and where its read-outs and results go: the
// Debug page's labels (repainted at once), the AGC meter, the debug curve,
// the player's file, the wave output, the recording and the
// record-on-signal mode.
#pragma once

#include "app/pipeline/BlockCycle.h"
#include "audio/LiveOutput.h"

namespace moravel {

class MainForm;

class MainFormCycleClient final : public CycleClient {
public:
    /// The form's pages and wave-file controllers, and `output`, must
    /// outlive the client.
    MainFormCycleClient(MainForm& form, LiveOutput& output);

    /// The control positions a block arriving now is processed with.
    CycleControls Controls() const;

    void ShowAvailable(long double seconds) override;
    void ShowBufferCycle(long double seconds) override;
    void ShowBuffersBehind(std::int32_t blocks) override;
    void ShowProcessTime(long double seconds) override;
    void ReadPlayerBlock(std::int16_t* block, std::int32_t bytes) override;
    void ShowAgcMeter(std::int32_t position) override;
    void PlotSpectral(const float* spectrum, std::int32_t count) override;
    void PlotSignal(const std::int16_t* samples, std::int32_t count) override;
    void WriteOutput(const std::uint8_t* data, std::int32_t bytes) override;
    void WriteRecording(const std::int16_t* samples, std::int32_t bytes) override;
    bool OutputRunsShort() override { return output_.RunsShort(); }

private:
    MainForm& form_;
    LiveOutput& output_;
};

}  // namespace moravel
