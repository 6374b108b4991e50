// Change notifications of AudioMixer: posted by the device, emitted on the
// owner's thread from its event loop.
#include "MixerTestSupport.h"

#include <QCoreApplication>
#include <QThread>

#include <thread>

namespace moravel::testing {
namespace {

struct Change {
    AudioMixer* sender = nullptr;
    AudioMixer::MixerHandle handle = 0;
    quint32 id = 0;
    QThread* thread = nullptr;
};

class Notifications : public TypicalCard {
protected:
    void SetUp() override {
        QObject::connect(&mixer, &AudioMixer::OnControlChange,
                         [this](AudioMixer* s, AudioMixer::MixerHandle h, quint32 id) {
                             controls.push_back({s, h, id, QThread::currentThread()});
                         });
        QObject::connect(&mixer, &AudioMixer::OnLineChange,
                         [this](AudioMixer* s, AudioMixer::MixerHandle h, quint32 id) {
                             lines.push_back({s, h, id, QThread::currentThread()});
                         });
    }
    std::vector<Change> controls, lines;
};

TEST_F(Notifications, ChangeMadeOutsideArrivesFromTheEventLoop) {
    const mixer::MixerControl& master = ControlOf(mixer, kPlayback, -1, mixer::kControlTypeVolume);
    SetFromOutside(master, {100, 100});
    EXPECT_TRUE(controls.empty());  // not from inside the change
    QCoreApplication::processEvents();
    ASSERT_EQ(controls.size(), 1U);
    EXPECT_EQ(controls[0].sender, &mixer);
    EXPECT_EQ(controls[0].id, master.controlId);
    EXPECT_NE(controls[0].handle, 0U);
}

TEST_F(Notifications, ChangeMadeOnAnotherThreadArrivesOnTheOwnersThread) {
    const mixer::MixerControl& mute = ControlOf(mixer, kPlayback, kWave, mixer::kControlTypeMute);
    std::thread other([&] { card.SetControlValues(mute.controlId, 1, 0, {1}); });
    other.join();
    QCoreApplication::processEvents();
    ASSERT_EQ(controls.size(), 1U);
    EXPECT_EQ(controls[0].id, mute.controlId);
    EXPECT_EQ(controls[0].thread, QThread::currentThread());
}

TEST_F(Notifications, LineChangeArrivesAsOnLineChange) {
    const std::uint32_t lineId = mixer.Destinations()->Item(kRecording)->Line().lineId;
    card.RaiseLineChange(lineId);
    QCoreApplication::processEvents();
    ASSERT_EQ(lines.size(), 1U);
    EXPECT_EQ(lines[0].id, lineId);
    EXPECT_TRUE(controls.empty());
}

TEST_F(Notifications, OtherComponentOnTheSameCardSeesTheChange) {
    AudioMixer dialogMixer(service);
    EXPECT_TRUE(dialogMixer.SetVolume(kRecording, kStereoMix, -1, -1, 1));
    QCoreApplication::processEvents();
    ASSERT_EQ(controls.size(), 1U);
    EXPECT_EQ(controls[0].id, ControlOf(mixer, kRecording, -1, mixer::kControlTypeMux).controlId);
    EXPECT_EQ(Read(mixer, kRecording, kStereoMix).mute, 1);
}

TEST_F(Notifications, ReopenedComponentHearsOnlyItsNewDevice) {
    const mixer::MixerControl master = ControlOf(mixer, kPlayback, -1, mixer::kControlTypeVolume);
    SetFromOutside(master, {1, 1});
    QCoreApplication::processEvents();
    const AudioMixer::MixerHandle first = controls.at(0).handle;
    mixer.SetMixerId(0);
    SetFromOutside(master, {2, 2});
    QCoreApplication::processEvents();
    ASSERT_EQ(controls.size(), 2U);  // one device open, one notification
    EXPECT_NE(controls[1].handle, first);
}

TEST(AudioMixerNotifications, DestroyedComponentGetsNothingAfterwards) {
    auto service = std::make_shared<mixer::SimulatedMixerService>();
    std::uint32_t masterId = 0;
    {
        AudioMixer mixer(service);
        masterId = ControlOf(mixer, kPlayback, -1, mixer::kControlTypeVolume).controlId;
        service->Card(0).SetControlValues(masterId, 2, 0, {5, 5});  // posted, never delivered
    }
    service->Card(0).SetControlValues(masterId, 2, 0, {6, 6});
    QCoreApplication::processEvents();  // nothing left to reach a destroyed component
    SUCCEED();
}

}  // namespace
}  // namespace moravel::testing
