// What the device-loss window tests watch: the blocks the wave input hands
// to the window (counted by wrapping its data handler) against the blocks
// the window processed, and the status strip's soundcard text.
#pragma once

#include "audio/EnhWave.h"
#include "app/window/MainForm.h"
#include "app/window/WaveDeviceController.h"

#include <QLabel>

#include <cstdint>

namespace moravel::testing {

class DeviceLossProbe {
public:
    explicit DeviceLossProbe(MainForm& form) : form_(form), base_(form.State().BlocksProcessed) {
        EnhWaveIn& in = form.Devices().WaveIn();
        auto original = in.OnData;
        in.OnData = [this, original](QObject* sender, std::uint8_t* data, std::int32_t size) {
            ++captured_;
            original(sender, data, size);
        };
    }

    /// Blocks handed over by the input since the probe was made.
    std::int32_t Captured() const { return captured_; }
    /// Blocks the window processed since the probe was made.
    std::int32_t Processed() const { return form_.State().BlocksProcessed - base_; }
    /// The status strip's soundcard text.
    QString Status() const { return form_.findChild<QLabel*>(QStringLiteral("SoundcardState"))->text(); }
    bool Lost() const { return Status() == QStringLiteral("Soundcard lost"); }

private:
    MainForm& form_;
    std::int32_t base_;
    std::int32_t captured_ = 0;
};

}  // namespace moravel::testing
