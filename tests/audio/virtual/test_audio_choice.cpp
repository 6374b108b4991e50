// The --audio option: the accepted forms, the error for anything else, and
// the backend each one makes.
#include "audio/AudioChoice.h"
#include "WavTestSupport.h"
#include "audio/virtual/VirtualCard.h"

#include "../../app/TempFolder.h"

#include <gtest/gtest.h>

namespace moravel {
namespace {

using namespace testing;
using Kind = AudioChoice::Kind;

TEST(AudioChoice, ParsesTheAcceptedForms) {
    EXPECT_EQ(ParseAudioChoice("alsa"), (AudioChoice{Kind::Alsa, ""}));
    EXPECT_EQ(ParseAudioChoice("virtual"), (AudioChoice{Kind::Virtual, ""}));
    EXPECT_EQ(ParseAudioChoice("virtual:band.wav"), (AudioChoice{Kind::Virtual, "band.wav"}));
    EXPECT_EQ(ParseAudioChoice("virtual:/tmp/a:b.wav"), (AudioChoice{Kind::Virtual, "/tmp/a:b.wav"}));
    EXPECT_EQ(AudioChoice{}, (AudioChoice{Kind::Alsa, ""}));  // the default
}

TEST(AudioChoice, RejectsAnythingElseNamingTheValue) {
    for (const std::string value : {"", "ALSA", "Virtual", "virtual:", "pulse", "alsa:hw0", " virtual"}) {
        try {
            ParseAudioChoice(value);
            ADD_FAILURE() << "accepted \"" << value << "\"";
        } catch (const std::invalid_argument& e) {
            EXPECT_EQ(std::string(e.what()),
                      "Invalid --audio value \"" + value + "\": expected alsa, virtual or virtual:FILE.wav");
        }
    }
}

TEST(AudioChoice, CreatesAVirtualCardOnTheRealTimeClock) {
    const auto backend = CreateAudioBackend(ParseAudioChoice("virtual"));
    const auto* card = dynamic_cast<VirtualCard*>(backend.get());
    ASSERT_NE(card, nullptr);
    EXPECT_EQ(card->Clock(), ClockMode::RealTime);
}

TEST(AudioChoice, ChecksTheLoopFileWhenCreatingTheCard) {
    TempFolder dir;
    const std::string missing = dir.File("missing.wav");
    try {
        CreateAudioBackend({Kind::Virtual, missing});
        ADD_FAILURE() << "a missing loop file was accepted";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find(missing), std::string::npos) << e.what();
    }
    const std::string good = dir.File("good.wav");
    WriteFile(good, PcmWave(1, 16, Samples16({1, 2, 3})));
    EXPECT_NE(dynamic_cast<VirtualCard*>(CreateAudioBackend({Kind::Virtual, good}).get()), nullptr);
}

TEST(AudioChoice, CreatesTheAlsaBackendByDefault) {
    const auto backend = CreateAudioBackend(AudioChoice{});
    ASSERT_NE(backend, nullptr);
    EXPECT_EQ(dynamic_cast<VirtualCard*>(backend.get()), nullptr);
}

}  // namespace
}  // namespace moravel
