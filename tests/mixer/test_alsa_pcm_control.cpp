// Which control device's mixer carries a PCM's sound.
#include "mixer/alsa/AlsaPcmControl.h"

#include <gtest/gtest.h>

namespace moravel::mixer {
namespace {

int Cards(const std::string& card) {
    if (card == "0") return 0;
    return card == "1" || card == "PCH" ? 1 : -1;
}

TEST(AlsaPcmControl, TheMixerIsTheOneTheSoundGoesThrough) {
    // A desktop: ALSA's default control is the sound server's, not a card's.
    EXPECT_EQ(ControlOfPcm("default", -1, Cards), "default");
    // A plain ALSA machine whose default is card 1.
    EXPECT_EQ(ControlOfPcm("default", 1, Cards), "hw:1");
    EXPECT_EQ(ControlOfPcm("dmix", 1, Cards), "hw:1");
    // The server's PCMs: its control, for the same sink.
    EXPECT_EQ(ControlOfPcm("pulse", 1, Cards), "pulse");
    EXPECT_EQ(ControlOfPcm("pulse:alsa_output.usb", -1, Cards), "pulse:alsa_output.usb");
    // A card's PCMs, by number or by id.
    EXPECT_EQ(ControlOfPcm("hw:1,0", -1, Cards), "hw:1");
    EXPECT_EQ(ControlOfPcm("plughw:0", 1, Cards), "hw:0");
    EXPECT_EQ(ControlOfPcm("front:CARD=PCH,DEV=0", -1, Cards), "hw:1");
    EXPECT_EQ(ControlOfPcm("hw:CARD=Gone", -1, Cards), "default");  // no such card: as "default"
}

}  // namespace
}  // namespace moravel::mixer
