// The rule for "not available" that the configured check and the Soundcard
// page's controls share.
#include "common/LineAssignment.h"

#include "../TempFolder.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace moravel {
namespace {

TEST(LineAssignment, EveryNegativeValueIsNotAvailable) {
    EXPECT_TRUE(LineAvailable(0));  // the first connection is a real line
    EXPECT_TRUE(LineAvailable(7));
    EXPECT_FALSE(LineAvailable(kNoLine));
    EXPECT_FALSE(LineAvailable(-2));
    EXPECT_FALSE(LineAvailable(INT32_MIN));
}

TEST(LineAssignment, KeysKnowTheirDestination) {
    EXPECT_EQ(DestinationOf(LineKey::Microphone_Out), 0);
    EXPECT_EQ(DestinationOf(LineKey::Line_Out), 0);
    EXPECT_EQ(DestinationOf(LineKey::Wave_Out), 0);
    EXPECT_EQ(DestinationOf(LineKey::Microphone_In), 1);
    EXPECT_EQ(DestinationOf(LineKey::Line_In), 1);
    EXPECT_EQ(DestinationOf(LineKey::Wave_In), 1);

    LineAssignment lines;
    SetLine(lines, LineKey::Line_In, 3);
    SetLine(lines, LineKey::Wave_Out, 0);
    EXPECT_EQ(lines.Line_In, 3);
    EXPECT_EQ(lines.Wave_Out, 0);
    EXPECT_EQ(lines.Microphone_In, kNoLine);
    EXPECT_EQ(LineOf(lines, LineKey::Line_In), 3);
}

// A first run (no key stored) is told apart from a stored assignment, even
// one that holds only "not available".
TEST(LineAssignment, StoredAssignmentIsToldFromAFirstRun) {
    testing::TempFolder folder;
    const std::string path = folder.File("moravel.ini");
    IniFile ini(path);
    EXPECT_FALSE(HasStoredLineAssignment(ini));  // no file
    testing::WriteText(path, "[SETTINGS]\nWave_Out=2\n[MIXER]\nWave_Out=abc\n");
    EXPECT_FALSE(HasStoredLineAssignment(ini));  // wrong section, unparsable value
    testing::WriteText(path, "[MIXER]\nWave_In=-1\n");
    EXPECT_TRUE(HasStoredLineAssignment(ini));

    WriteLineAssignment(ini, LineAssignment{1, -1, 0, 0, 1, -1});
    EXPECT_EQ(testing::ReadText(path),
              "[MIXER]\nWave_In=-1\nMicrophone_Out=1\nLine_Out=-1\nWave_Out=0\nMicrophone_In=0\nLine_In=1\n");
    const LineAssignment back = ReadLineAssignment(ini);
    EXPECT_EQ(back.Microphone_Out, 1);
    EXPECT_EQ(back.Line_In, 1);
    EXPECT_EQ(back.Wave_In, -1);
}

}  // namespace
}  // namespace moravel
