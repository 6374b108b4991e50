// Shared helpers of the mixer tests: a typical simulated card behind a
// mixer component, and direct reads and writes of the card's controls, so
// that tests check what reached the card, not what the component says.
#pragma once

#include "mixer/AudioMixer.h"
#include "mixer/simulated/SimulatedMixerService.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace moravel::testing {

// Line indices of the typical card.
constexpr int kPlayback = 0;
constexpr int kRecording = 1;
constexpr int kWave = 0, kPlayMicrophone = 1, kPlayLineIn = 2;
constexpr int kRecMicrophone = 0, kRecLineIn = 1, kStereoMix = 2, kRecCdAudio = 3;

/// The first control of `type` on a line of `mixer`'s tree (connection -1:
/// the destination itself).
const mixer::MixerControl& ControlOf(const AudioMixer& mixer, int destination, int connection, std::uint32_t type);

/// Everything GetVolume reports, for one-line comparisons.
struct Reading {
    bool found = false;
    int left = -99, right = -99, mute = -99;
    bool stereo = false, volumeDisabled = false, muteDisabled = false, muteIsSelection = false;
};
Reading Read(const AudioMixer& mixer, int destination, int connection);

class TypicalCard : public ::testing::Test {
protected:
    std::shared_ptr<mixer::SimulatedMixerService> service = std::make_shared<mixer::SimulatedMixerService>();
    mixer::SimulatedCard& card = service->Card(0);
    AudioMixer mixer{service};

    /// The card's values of a control of `mixer`'s tree (uniform: 1 channel).
    std::vector<std::uint32_t> Values(const mixer::MixerControl& control, std::uint32_t channels = 2);
    /// The recording multiplexer's four selections.
    std::vector<std::uint32_t> Selection();
    /// Sets a control's values as another program would.
    void SetFromOutside(const mixer::MixerControl& control, std::vector<std::uint32_t> values);
};

}  // namespace moravel::testing
