// The devices a user can choose: the list made of ALSA's hints and the sound
// server's sources and sinks, the same list asked of a running server with
// two extra null sinks, nothing (and no noise) without a server, and which
// PCM a device named on the command line opens.
#include "audio/alsa/AudioDeviceList.h"
#include "TestServer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <string>

namespace moravel::testing {
namespace {

using Direction = AudioDeviceList::Direction;

bool Has(const std::vector<AudioDeviceEntry>& entries, const AudioDeviceEntry& wanted) {
    return std::find(entries.begin(), entries.end(), wanted) != entries.end();
}

TEST(AudioDeviceList, DefaultFirstThenTheCardsThenTheServersDevicesOfTheDirection) {
    const std::vector<alsa::PcmHint> hints = {{"default", "Default", ""},
                                              {"null", "Discard", ""},
                                              {"speexrate", "Rate Converter Plugin Using Speex Resampler", ""},
                                              {"pulse", "PulseAudio Sound Server", ""},
                                              {"front:CARD=PCH,DEV=0", "HDA Intel PCH\nFront", "Output"},
                                              {"dsnoop:CARD=USB,DEV=0", "USB Audio CODEC\nMic", "Input"}};
    const alsa::ServerDeviceLists server{{{"rx.monitor", "Monitor of Receiver", true}, {"mic", "", false}},
                                         {{"rx", "Receiver", false}}};
    EXPECT_EQ(AudioDeviceList::Compose(Direction::Capture, hints, server),
              (std::vector<AudioDeviceEntry>{{"", "System default"},
                                             {"dsnoop:CARD=USB,DEV=0", "USB Audio CODEC (dsnoop:CARD=USB,DEV=0)"},
                                             {"pulse:DEVICE=rx.monitor", "Monitor of Receiver"},
                                             {"pulse:DEVICE=mic", "mic"}}));
    EXPECT_EQ(AudioDeviceList::Compose(Direction::Playback, hints, server),
              (std::vector<AudioDeviceEntry>{{"", "System default"},
                                             {"front:CARD=PCH,DEV=0", "HDA Intel PCH (front:CARD=PCH,DEV=0)"},
                                             {"pulse:DEVICE=rx", "Receiver"}}));
}

TEST(AudioDeviceList, MonitorsAndAlikeDescriptionsReadApart) {
    const alsa::ServerDeviceLists server{
        {{"a.monitor", "Null Output", true}, {"b.monitor", "Null Output", true}}, {}};
    EXPECT_EQ(AudioDeviceList::Compose(Direction::Capture, {}, server),
              (std::vector<AudioDeviceEntry>{{"", "System default"},
                                             {"pulse:DEVICE=a.monitor", "Monitor of Null Output (a.monitor)"},
                                             {"pulse:DEVICE=b.monitor", "Monitor of Null Output (b.monitor)"}}));
}

TEST(AudioDeviceList, AlsaNamesStayServerNamesOpenThroughThePlugin) {
    EXPECT_EQ(AudioDeviceList::PcmFor(""), "");
    EXPECT_EQ(AudioDeviceList::PcmFor("default"), "default");
    EXPECT_EQ(AudioDeviceList::PcmFor("null"), "null");
    EXPECT_EQ(AudioDeviceList::PcmFor("hw:1,0"), "hw:1,0");
    EXPECT_EQ(AudioDeviceList::PcmFor("pulse:DEVICE=x"), "pulse:DEVICE=x");
    EXPECT_EQ(AudioDeviceList::PcmFor("alsa_output.usb-CODEC.analog-stereo"),
              "pulse:DEVICE=alsa_output.usb-CODEC.analog-stereo");
}

class ServerDeviceListTest : public WithServer {};

// Two null sinks besides the server's own: each is listed for playback, its
// monitor for capture, by the description the server was given.
TEST_F(ServerDeviceListTest, ListsTheServersSinksAndTheirMonitorsByDescription) {
    std::string first;
    std::string second;
    ASSERT_TRUE(Server().Pactl("load-module module-null-sink sink_name=mv_rx sink_properties=device.description=Receiver",
                               &first));
    ASSERT_TRUE(Server().Pactl(
        "load-module module-null-sink sink_name=mv_spk sink_properties=device.description=Speakers", &second));
    const auto playback = AudioDeviceList::Current(Direction::Playback);
    const auto capture = AudioDeviceList::Current(Direction::Capture);
    Server().Pactl("unload-module " + first);
    Server().Pactl("unload-module " + second);

    EXPECT_EQ(playback.front(), (AudioDeviceEntry{"", "System default"}));
    EXPECT_TRUE(Has(playback, {"pulse:DEVICE=mv_rx", "Receiver"}));
    EXPECT_TRUE(Has(playback, {"pulse:DEVICE=mv_spk", "Speakers"}));
    EXPECT_TRUE(Has(capture, {"pulse:DEVICE=mv_rx.monitor", "Monitor of Receiver"}));
    EXPECT_TRUE(Has(capture, {"pulse:DEVICE=mv_spk.monitor", "Monitor of Speakers"}));
    EXPECT_FALSE(Has(capture, {"pulse:DEVICE=mv_rx", "Receiver"})) << "a sink is no capture device";
}

// PipeWire would play a missing sink's stream on its default sink, so a
// server device that is not there must not be opened at all.
TEST_F(ServerDeviceListTest, AServerDeviceThatIsNotThereIsKnownBeforeOpening) {
    EXPECT_TRUE(AudioDeviceList::ServerLacks("pulse:DEVICE=mv_nosuch"));
    EXPECT_FALSE(AudioDeviceList::ServerLacks(std::string("pulse:DEVICE=") + SoundServer::kSink));
    EXPECT_FALSE(AudioDeviceList::ServerLacks(std::string("pulse:DEVICE=") + SoundServer::kSink + ".monitor"));
    EXPECT_FALSE(AudioDeviceList::ServerLacks("default"));
}

TEST_F(ServerDeviceListTest, WithoutAServerTheListIsAlsasAloneAndNothingIsPrinted) {
    Server().Stop(SIGTERM);
    ::testing::internal::CaptureStderr();
    const alsa::ServerDeviceLists lists = alsa::ListServerDevices();
    const std::string printed = ::testing::internal::GetCapturedStderr();
    EXPECT_TRUE(lists.sources.empty());
    EXPECT_TRUE(lists.sinks.empty());
    EXPECT_EQ(printed, "");
    EXPECT_FALSE(AudioDeviceList::ServerLacks("pulse:DEVICE=mv_nosuch")) << "ALSA decides without a server";
}

}  // namespace
}  // namespace moravel::testing
