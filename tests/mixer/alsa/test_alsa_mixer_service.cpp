// The ALSA mixer service on the sound server's control ("default", the
// server's sink and source as Master and Capture), through AudioMixer.
#include "mixer/alsa/AlsaMixerService.h"
#include "mixer/AudioMixer.h"
#include "ProcessCpuTime.h"
#include "MixerServer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

#include <vector>

namespace moravel::testing {
namespace {

class AlsaMixerOnServer : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(service->Names().empty());
        ASSERT_EQ(service->Names().back(), "default");
        mixer = std::make_unique<AudioMixer>(service);
        mixer->SetMixerId(mixer->DeviceCount() - 1);
        ASSERT_EQ(mixer->MixerId(), mixer->DeviceCount() - 1);
    }

    // Runs the event loop, sleeping while there is nothing to do, for `ms`.
    static void RunEventLoop(int ms) {
        QEventLoop loop;
        QTimer::singleShot(ms, &loop, &QEventLoop::quit);
        loop.exec();
    }
    // Runs the event loop until `done` or five seconds passed.
    static bool WaitFor(const std::function<bool()>& done) {
        QElapsedTimer timer;
        timer.start();
        while (!done() && timer.elapsed() < 5000) RunEventLoop(20);
        return done();
    }

    struct Line {
        int left = -9, right = -9, mute = -9;
        bool stereo = false, volumeDisabled = false, muteDisabled = false, selection = false;
    };
    Line Read(int destination) {
        Line l;
        EXPECT_TRUE(mixer->GetVolume(destination, -1, l.left, l.right, l.mute, l.stereo, l.volumeDisabled,
                                     l.muteDisabled, l.selection));
        return l;
    }

    std::shared_ptr<mixer::AlsaMixerService> service = std::make_shared<mixer::AlsaMixerService>();
    std::unique_ptr<AudioMixer> mixer;
};

TEST_F(AlsaMixerOnServer, NamesTheServerNotTheDevicesDescription) {
    EXPECT_EQ(mixer->ProductName(), "PulseAudio");
    EXPECT_EQ(mixer->NumberOfLine(), 2);
    ASSERT_EQ(mixer->Destinations()->Count(), 2);
    EXPECT_EQ(mixer->Destinations()->Item(0)->Line().name, "Master");
    EXPECT_EQ(mixer->Destinations()->Item(1)->Line().name, "Capture");
}

// The sound goes through ALSA's "default", the server: its control is the
// audio device, and a PCM of one of its sinks gets that sink's control.
TEST_F(AlsaMixerOnServer, TheAudioDeviceIsTheServersControl) {
    EXPECT_EQ(service->DeviceName(service->AudioDevice()), "default");
    EXPECT_EQ(service->DeviceDescription(service->AudioDevice()), "PulseAudio (default)");
    mixer::AlsaMixerService sink(std::string("pulse:") + PulseServer::kSink);
    EXPECT_EQ(sink.DeviceName(sink.AudioDevice()), std::string("pulse:") + PulseServer::kSink);
}

TEST_F(AlsaMixerOnServer, VolumeAndMuteRoundTrip) {
    ASSERT_TRUE(mixer->SetVolume(0, -1, 30000, 20000, 1));
    Line l = Read(0);
    EXPECT_EQ(l.left, 30000);
    EXPECT_EQ(l.right, 20000);
    EXPECT_TRUE(l.stereo);
    EXPECT_EQ(l.mute, 1);
    ASSERT_TRUE(mixer->SetVolume(0, -1, 65535, -1, 0));
    l = Read(0);
    EXPECT_EQ(l.left, 65535);
    EXPECT_EQ(l.right, 65535);
    EXPECT_EQ(l.mute, 0);
    std::string sink;
    ASSERT_TRUE(MixerServer().Pactl("get-sink-volume @DEFAULT_SINK@", &sink));
    EXPECT_NE(sink.find("65536 / 100%"), std::string::npos) << sink;
}

TEST_F(AlsaMixerOnServer, RecordingVolumeRoundTrip) {
    ASSERT_TRUE(mixer->SetVolume(1, -1, 12345, -1, 0));
    const Line l = Read(1);
    EXPECT_EQ(l.left, 12345);
    EXPECT_EQ(l.mute, 0);
}

TEST_F(AlsaMixerOnServer, ChangeMadeByAnotherProgramArrivesAsControlChange) {
    std::vector<quint32> changed;
    QObject::connect(mixer.get(), &AudioMixer::OnControlChange,
                     [&](AudioMixer*, AudioMixer::MixerHandle, quint32 id) { changed.push_back(id); });
    ASSERT_TRUE(MixerServer().Pactl("set-sink-volume @DEFAULT_SINK@ 50%"));
    ASSERT_TRUE(WaitFor([&] { return !changed.empty(); }));
    const MixerControls& master = mixer->Destinations()->Item(0)->Controls();
    bool isMasterControl = false;
    for (int i = 0; i < master.Count(); ++i) isMasterControl |= master.Item(i)->controlId == changed.front();
    EXPECT_TRUE(isMasterControl);
    EXPECT_EQ(Read(0).left, 32768);  // 32768 of 65536 on the server
}

TEST_F(AlsaMixerOnServer, WatchingForChangesDoesNotSpin) {
    int changes = 0;
    QObject::connect(mixer.get(), &AudioMixer::OnControlChange, [&] { ++changes; });
    ASSERT_TRUE(MixerServer().Pactl("set-sink-mute @DEFAULT_SINK@ toggle"));
    ASSERT_TRUE(WaitFor([&] { return changes > 0; }));
    const auto before = ProcessCpuTime();
    RunEventLoop(500);
    EXPECT_LT(ProcessCpuTime() - before, std::chrono::milliseconds(100));
}

}  // namespace
}  // namespace moravel::testing
