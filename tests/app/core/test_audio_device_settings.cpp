// The chosen input and output devices in the settings file: what a file
// without the section means, the command line's devices in place of the
// stored ones, storing one direction without touching the rest of the file,
// and which device's mixer the Soundcard page follows.
#include "app/core/AudioDeviceSettings.h"

#include "../TempFolder.h"

#include <gtest/gtest.h>

namespace moravel {
namespace {

using testing::ReadText;
using testing::TempFolder;
using testing::WriteText;

TEST(AudioDeviceSettings, AFileWithoutTheSectionMeansTheDefaultsAndCommandLineDevicesTakeTheirPlace) {
    TempFolder folder;
    const std::string path = folder.File("moravel.ini");
    const std::string older = "[SETTINGS]\r\nAudioRange=2\r\n; kept\r\n[MIXER]\r\nWave_Out=0\r\n";
    WriteText(path, older);
    IniFile file(path);
    EXPECT_EQ(AudioDeviceSettings::Read(file), (AudioDeviceSettings{"", ""}));
    EXPECT_EQ(AudioDeviceSettings::ReadWithOverrides(file, "hw:1,0", ""), (AudioDeviceSettings{"hw:1,0", ""}));
    EXPECT_EQ(ReadText(path), older) << "reading writes nothing";
}

TEST(AudioDeviceSettings, StoringOneDirectionKeepsTheOtherAndTheRestOfTheFile) {
    TempFolder folder;
    const std::string path = folder.File("moravel.ini");
    WriteText(path, "[SETTINGS]\nAudioRange=2\n");
    IniFile file(path);
    AudioDeviceSettings::StoreOutput(file, "pulse:DEVICE=speakers");
    AudioDeviceSettings::StoreInput(file, "hw:CARD=USB,DEV=0");
    EXPECT_EQ(ReadText(path),
              "[SETTINGS]\nAudioRange=2\n\n[AUDIO_DEVICES]\nOutput=pulse:DEVICE=speakers\nInput=hw:CARD=USB,DEV=0\n");
    EXPECT_EQ(AudioDeviceSettings::ReadWithOverrides(file, "", "default"),
              (AudioDeviceSettings{"hw:CARD=USB,DEV=0", "default"}));
    AudioDeviceSettings::StoreInput(file, "");
    EXPECT_EQ(AudioDeviceSettings::Read(file), (AudioDeviceSettings{"", "pulse:DEVICE=speakers"}))
        << "an empty value is the default device";
}

TEST(AudioDeviceSettings, TheMixerFollowsTheOutputElseTheInput) {
    EXPECT_EQ((AudioDeviceSettings{"", ""}).MixerPcm(), "default");
    EXPECT_EQ((AudioDeviceSettings{"hw:1,0", ""}).MixerPcm(), "hw:1,0");
    EXPECT_EQ((AudioDeviceSettings{"hw:1,0", "pulse:DEVICE=spk"}).MixerPcm(), "pulse:DEVICE=spk");
}

}  // namespace
}  // namespace moravel
