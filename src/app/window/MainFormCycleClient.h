// Where the block cycle's read-outs and results go in the main window: the
// Debug page's labels (repainted at once), the AGC meter, the debug curve,
// the wave output and the recording.
#pragma once

#include "BlockCycle.h"
#include "LiveOutput.h"

namespace moravel {

class TMainForm;

class MainFormCycleClient final : public CycleClient {
public:
    /// The form's wave output must exist.
    explicit MainFormCycleClient(TMainForm& form);

    /// Where the processed blocks go: the wave output, at its rate.
    LiveOutput& Output() { return output_; }

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
    TMainForm& form_;
    LiveOutput output_;
};

}  // namespace moravel
