// Device selection, capabilities and the structure snapshot of AudioMixer
// on simulated cards.
#include "MixerTestSupport.h"

#include <string>

namespace moravel::testing {
namespace {

using mixer::MixerCaps;
using mixer::SimulatedMixerService;

std::vector<std::string> Names(const MixerConnections& connections) {
    std::vector<std::string> names;
    for (int j = 0; j < connections.Count(); ++j) names.push_back(connections.Item(j)->Line().name);
    return names;
}

// A service whose devices exist but never open.
class UnopenableService : public mixer::MixerService {
public:
    int DeviceCount() override { return 1; }
    std::unique_ptr<mixer::MixerDevice> Open(int) override { return nullptr; }
    std::string DeviceName(int) override { return "unopenable"; }
    std::string DeviceDescription(int) override { return "Unopenable"; }
    int AudioDevice() override { return 0; }
};

TEST_F(TypicalCard, OpensDeviceZeroAndReadsTheCardsOwnInformation) {
    EXPECT_EQ(mixer.MixerId(), 0);
    EXPECT_EQ(mixer.DeviceCount(), 1);
    EXPECT_EQ(mixer.ProductName(), "Moravel Virtual Soundcard");
    EXPECT_EQ(mixer.Manufacturer(), "Moravel");
    EXPECT_EQ(mixer.NumberOfLine(), 2);
    EXPECT_EQ(mixer.ProductId(), 1);
    EXPECT_EQ(mixer.DriverVersion(), 0x0100U);
}

TEST_F(TypicalCard, ListsTheSourcesOfEachDestinationInCardOrder) {
    ASSERT_EQ(mixer.Destinations()->Count(), 2);
    // A line the card does not have is nothing, on either side of the list.
    EXPECT_EQ(mixer.Destinations()->Item(2), nullptr);
    EXPECT_EQ(mixer.Destinations()->Item(-1), nullptr);
    EXPECT_EQ(mixer.Destinations()->Item(kPlayback)->Connections().Item(-1), nullptr);
    const MixerControls& controls = mixer.Destinations()->Item(kPlayback)->Controls();
    EXPECT_EQ(controls.Item(controls.Count()), nullptr);
    EXPECT_EQ(Names(mixer.Destinations()->Item(kPlayback)->Connections()),
              (std::vector<std::string>{"Wave", "Microphone", "Line In", "CD Audio"}));
    EXPECT_EQ(Names(mixer.Destinations()->Item(kRecording)->Connections()),
              (std::vector<std::string>{"Microphone", "Line In", "Stereo Mix", "CD Audio"}));
    EXPECT_EQ(mixer.Destinations()->Item(kPlayback)->Connections().Item(4), nullptr);
}

TEST(AudioMixerSelection, OutOfRangeIdKeepsTheOpenDevice) {
    auto service = std::make_shared<SimulatedMixerService>(2);
    AudioMixer mixer(service);
    mixer.SetMixerId(1);
    const MixerDestinations* tree = mixer.Destinations();
    mixer.SetMixerId(5);
    mixer.SetMixerId(2);
    mixer.SetMixerId(-1);
    EXPECT_EQ(mixer.MixerId(), 1);
    EXPECT_EQ(mixer.Destinations(), tree);
}

TEST(AudioMixerSelection, EveryInRangeAssignmentTakesAFreshSnapshot) {
    auto service = std::make_shared<SimulatedMixerService>(1);
    AudioMixer mixer(service);
    service->Card(0).AddSource(kPlayback, "Aux", 2);
    EXPECT_EQ(mixer.Destinations()->Item(kPlayback)->Connections().Count(), 4);  // a snapshot
    mixer.SetMixerId(0);
    EXPECT_EQ(mixer.Destinations()->Item(kPlayback)->Connections().Count(), 5);
}

TEST(AudioMixerSelection, ADeviceThatDoesNotOpenLeavesTheComponentClosed) {
    AudioMixer mixer(std::make_shared<UnopenableService>());
    EXPECT_EQ(mixer.MixerId(), -1);
    EXPECT_EQ(mixer.Destinations(), nullptr);
    Reading r;
    EXPECT_FALSE(
        mixer.GetVolume(0, -1, r.left, r.right, r.mute, r.stereo, r.volumeDisabled, r.muteDisabled, r.muteIsSelection));
    EXPECT_EQ(r.left, -99);  // outputs untouched
    EXPECT_EQ(r.mute, -99);
    EXPECT_FALSE(mixer.SetVolume(0, -1, 100, -1, 0));
}

TEST(AudioMixerSelection, NoServiceMeansNoDevices) {
    AudioMixer mixer(nullptr);
    EXPECT_EQ(mixer.DeviceCount(), 0);
    EXPECT_EQ(mixer.MixerId(), -1);
}

TEST(AudioMixerManufacturer, NamedByTheCardElseByItsIdentifier) {
    MixerCaps caps;
    caps.manufacturerId = 7;
    EXPECT_EQ(ManufacturerText(caps), "7 = Unknown");
    caps.manufacturerId = 1;
    EXPECT_EQ(ManufacturerText(caps), "Microsoft");
    caps.manufacturerName = "Acme";
    EXPECT_EQ(ManufacturerText(caps), "Acme");
}

TEST(AudioMixerManufacturer, ComesFromTheOpenedCard) {
    MixerCaps caps = mixer::TypicalSoundcardCaps();
    caps.manufacturerName.clear();
    caps.manufacturerId = 7;
    AudioMixer mixer(std::make_shared<SimulatedMixerService>(1, caps));
    EXPECT_EQ(mixer.Manufacturer(), "7 = Unknown");
}

}  // namespace
}  // namespace moravel::testing
