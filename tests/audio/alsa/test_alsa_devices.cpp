// Which ALSA PCM each device choice opens, what the devices offer, and the
// playback volume through the simple mixer, checked against the server.
#include "audio/alsa/AlsaBackend.h"
#include "audio/alsa/AlsaDeviceList.h"
#include "audio/alsa/AlsaVolumeScale.h"
#include "NotificationRecorder.h"
#include "TestServer.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace moravel::testing {
namespace {

using namespace alsa;

std::vector<std::string> Names(const std::vector<PcmHint>& hints) {
    std::vector<std::string> names;
    for (const PcmHint& h : hints) names.push_back(h.name);
    return names;
}

TEST(AlsaDeviceList, NumbersTheListedPcmsOfADirectionInOrderWithoutDefaultAndNull) {
    const std::vector<PcmHint> hints = {
        {"null", "Discard all samples", ""},
        {"default", "Default device", ""},
        {"pulse", "Sound server", ""},
        {"front:CARD=PCH,DEV=0", "Front speakers", "Output"},
        {"dsnoop:CARD=PCH,DEV=0", "Mic", "Input"},
        {"sysdefault:CARD=PCH", "Default card", ""},
    };
    EXPECT_EQ(Names(NumberedDevices(hints, SND_PCM_STREAM_PLAYBACK)),
              (std::vector<std::string>{"pulse", "front:CARD=PCH,DEV=0", "sysdefault:CARD=PCH"}));
    EXPECT_EQ(Names(NumberedDevices(hints, SND_PCM_STREAM_CAPTURE)),
              (std::vector<std::string>{"pulse", "dsnoop:CARD=PCH,DEV=0", "sysdefault:CARD=PCH"}));
}

TEST(AlsaDeviceList, DisplaysTheFirstDescriptionLineWithTheName) {
    EXPECT_EQ(DisplayName({"front:CARD=PCH,DEV=0", "HDA Intel PCH\nFront output", "Output"}),
              "HDA Intel PCH (front:CARD=PCH,DEV=0)");
    EXPECT_EQ(DisplayName({"mine", "", ""}), "mine");
}

TEST(AlsaDeviceList, FindsTheMixerOfACardOrOfAPlugin) {
    EXPECT_EQ(MixerNameFor("default"), "default");
    EXPECT_EQ(MixerNameFor("pulse"), "pulse");
    EXPECT_EQ(MixerNameFor("hw:1,0"), "hw:1");
    EXPECT_EQ(MixerNameFor("plughw:2"), "hw:2");
    EXPECT_EQ(MixerNameFor("front:CARD=PCH,DEV=0"), "hw:PCH");
    EXPECT_EQ(MixerNameFor("sysdefault:CARD=Intel"), "hw:Intel");
}

TEST(AlsaVolumeScale, MapsTheWholeSixteenBitRangeOntoTheElementRange) {
    for (const auto& [min, max] : {std::pair{0L, 65536L}, std::pair{0L, 31L}, std::pair{-100L, 100L}}) {
        EXPECT_EQ(ToElementValue(0, min, max), min);
        EXPECT_EQ(ToElementValue(65535, min, max), max);
        EXPECT_EQ(FromElementValue(min, min, max), 0);
        EXPECT_EQ(FromElementValue(max, min, max), 65535);
        EXPECT_EQ(FromElementValue(max + 5, min, max), 65535) << "out of range values clamp";
        EXPECT_EQ(FromElementValue(min - 5, min, max), 0);
        for (long v = min; v <= max; v += (max - min) / 31 + 1)
            EXPECT_EQ(ToElementValue(FromElementValue(v, min, max), min, max), v) << "element value " << v;
    }
    for (std::uint32_t v = 0; v <= 65535; v += 257)  // an element finer than 16 bits keeps every volume
        EXPECT_EQ(FromElementValue(ToElementValue(static_cast<std::uint16_t>(v), 0, 65536), 0, 65536), v);
    EXPECT_EQ(ToElementValue(32768, 5, 5), 5) << "an element without range";
}

class Devices : public WithServer {};

TEST_F(Devices, TheServerIsListedAndNumberedAfterTheMapper) {
    const std::vector<std::string> listed = Names(NumberedDevices(ListPcmHints(), SND_PCM_STREAM_CAPTURE));
    EXPECT_NE(std::find(listed.begin(), listed.end(), "pulse"), listed.end());
    EXPECT_EQ(std::find(listed.begin(), listed.end(), "null"), listed.end());
    AlsaBackend backend;
    const std::vector<std::string> names = backend.captureDeviceNames();
    ASSERT_EQ(names.size(), listed.size() + 1);
    EXPECT_NE(names[0].find("(default)"), std::string::npos) << names[0];
    EXPECT_EQ(backend.playbackDeviceNames().size(),
              1 + NumberedDevices(ListPcmHints(), SND_PCM_STREAM_PLAYBACK).size());
}

TEST_F(Devices, ANumberPastTheListIsABadDevice) {
    AlsaBackend backend(AlsaOptions{.mapperPcm = "default", .devicePcms = {"pulse"}});
    NotificationRecorder notes;
    auto capture = backend.newCapture();
    EXPECT_EQ(capture->open(wvDevice1, PcmFormat{1, 3950, 16}, 1024, &notes, 1), kWaveBadDevice);
    EXPECT_EQ(backend.newPlayback()->open(wvDevice9, PcmFormat{1, 4000, 16}, &notes, 1), kWaveBadDevice);
    EXPECT_FALSE(backend.captureCaps(wvDevice1).present);
    EXPECT_FALSE(backend.playbackCaps(static_cast<TEWDev>(-7)).present);
    EXPECT_EQ(capture->open(wvDevice0, PcmFormat{1, 3950, 16}, 1024, &notes, 1), kWaveOk);
    EXPECT_EQ(capture->close(), kWaveOk);
    EXPECT_EQ(backend.captureDeviceNames().size(), 2u);
}

TEST_F(Devices, TheServerOffersStereoAndASeparateVolumePerSide) {
    AlsaBackend backend;
    const DeviceCaps capture = backend.captureCaps(wvMapper);
    EXPECT_TRUE(capture.present);
    EXPECT_EQ(capture.channels, 2);
    EXPECT_FALSE(capture.volume);
    const DeviceCaps playback = backend.playbackCaps(wvMapper);
    EXPECT_TRUE(playback.present);
    EXPECT_EQ(playback.channels, 2);
    EXPECT_TRUE(playback.volume);
    EXPECT_TRUE(playback.lrVolume);
}

// The server's own sink volume, left and right, in its units (100 % = 65536).
std::pair<long, long> SinkVolume() {
    std::string text;
    EXPECT_TRUE(Server().Pactl(std::string("get-sink-volume ") + SoundServer::kSink, &text));
    long left = -1, right = -1;
    std::sscanf(text.c_str(), " Volume: front-left: %ld / %*s / %*s dB, front-right: %ld", &left, &right);
    return {left, right};
}

TEST_F(Devices, VolumeGoesToTheServersSinkWithLeftInTheLowHalf) {
    AlsaBackend backend;
    ASSERT_TRUE(backend.setVolume(wvMapper, Packed(0x8000, 0x4000)));
    const auto [left, right] = SinkVolume();
    EXPECT_NEAR(left, 32768, 2);
    EXPECT_NEAR(right, 16384, 2);
    std::uint32_t volume = 0;
    ASSERT_TRUE(backend.getVolume(wvMapper, volume));
    EXPECT_NEAR(LeftOf(volume), 0x8000, 1);
    EXPECT_NEAR(RightOf(volume), 0x4000, 1);

    ASSERT_TRUE(Server().Pactl(std::string("set-sink-volume ") + SoundServer::kSink + " 65536 0"));
    ASSERT_TRUE(backend.getVolume(wvMapper, volume));
    EXPECT_EQ(volume, Packed(65535, 0)) << "read from the server, not remembered";
}

TEST_F(Devices, ADeviceWithoutMixerHasNoVolume) {
    AlsaBackend backend(AlsaOptions{.mapperPcm = "null"});
    std::uint32_t volume = 0;
    EXPECT_FALSE(backend.getVolume(wvMapper, volume));
    EXPECT_FALSE(backend.setVolume(wvMapper, 0));
    const DeviceCaps caps = backend.playbackCaps(wvMapper);
    EXPECT_TRUE(caps.present);
    EXPECT_FALSE(caps.volume);
}

TEST(AlsaOptionsFile, AConfigurationThatCannotBeReadIsRefusedAtOnce) {
    EXPECT_THROW(AlsaBackend(AlsaOptions{.mapperPcm = "default", .configFile = "/nonexistent/moravel.conf"}), std::runtime_error);
}

}  // namespace
}  // namespace moravel::testing
