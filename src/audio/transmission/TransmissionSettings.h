// What makes a transmission: the level above which the audio counts as a
// signal, how long it must stay there to start one (attack), how long it
// may stay below before the transmission ends (hang), and how much audio
// before the signal rose is kept (pre-roll). The ranges and defaults here
// are the only ones: the batch tool's options and the window's controls
// take them from this header.
#pragma once

namespace moravel {

struct TransmissionSettingRange {
    double minimum;
    double maximum;
    double defaultValue;
};

namespace transmission {
/// dBFS: the RMS level of a full-scale sine is -3 dBFS.
inline constexpr TransmissionSettingRange kThresholdDbfs{-90, 0, -35};
inline constexpr TransmissionSettingRange kAttackSeconds{0, 10, 0.2};
inline constexpr TransmissionSettingRange kHangSeconds{0, 60, 2};
inline constexpr TransmissionSettingRange kPreRollSeconds{0, 10, 1};
}  // namespace transmission

struct TransmissionSettings {
    double thresholdDbfs = transmission::kThresholdDbfs.defaultValue;
    double attackSeconds = transmission::kAttackSeconds.defaultValue;
    double hangSeconds = transmission::kHangSeconds.defaultValue;
    double preRollSeconds = transmission::kPreRollSeconds.defaultValue;

    bool operator==(const TransmissionSettings&) const = default;
};

}  // namespace moravel
