#include "common/IniFile.h"

#include "../TempFolder.h"
#include "../../support/FileSizeLimit.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <system_error>

#include <sys/stat.h>
#include <unistd.h>

namespace moravel {
namespace {

using testing::ReadText;
using testing::TempFolder;
using testing::WriteText;

class IniFileTest : public ::testing::Test {
protected:
    // The file holding one key with the given stored text.
    IniFile WithValue(const std::string& value) {
        WriteText(path_, "[SETTINGS]\nKey=" + value + "\n");
        return IniFile(path_);
    }

    TempFolder folder_;
    std::string path_ = folder_.File("moravel.ini");
};

TEST_F(IniFileTest, ValuesReadBackAsWritten) {
    IniFile ini(path_);
    ini.WriteString("SETTINGS", "WavePlayerFilename", "/home/me/radio recordings/a=b.wav");
    ini.WriteInteger("SETTINGS", "TrackFrequencyShift", -125);
    ini.WriteBool("SETTINGS", "FilterOn", true);
    ini.WriteFloat("SETTINGS", "PaletteAlpha1", 0.123456789012345L);
    ini.WriteFloat("SETTINGS", "PaletteAlpha2", 1e20L);

    const IniFile other(path_);
    EXPECT_EQ(other.ReadString("SETTINGS", "WavePlayerFilename", ""), "/home/me/radio recordings/a=b.wav");
    EXPECT_EQ(other.ReadInteger("SETTINGS", "TrackFrequencyShift", 0), -125);
    EXPECT_TRUE(other.ReadBool("SETTINGS", "FilterOn", false));
    EXPECT_EQ(other.ReadFloat("SETTINGS", "PaletteAlpha1", 0), 0.123456789012345L);
    EXPECT_EQ(ReadText(path_),
              "[SETTINGS]\nWavePlayerFilename=/home/me/radio recordings/a=b.wav\nTrackFrequencyShift=-125\n"
              "FilterOn=1\nPaletteAlpha1=0.123456789012345\nPaletteAlpha2=1e+20\n");
}

TEST_F(IniFileTest, MissingFileOrKeyGivesDefaultsAndCreatesNothing) {
    const IniFile ini(path_);
    EXPECT_EQ(ini.ReadString("SETTINGS", "WaveRecorderFilename", "output.wav"), "output.wav");
    EXPECT_EQ(ini.ReadFloat("SETTINGS", "PaletteAlpha1", 0.25L), 0.25L);
    EXPECT_FALSE(std::filesystem::exists(path_));

    WriteText(path_, "[MIXER]\nWindowWidth=5\n");
    EXPECT_EQ(ini.ReadInteger("SETTINGS", "WindowWidth", 700), 700);
}

TEST_F(IniFileTest, IntegerAndBooleanForms) {
    const struct {
        const char* stored;
        std::int32_t expected;
    } cases[] = {
        {"42", 42},
        {"  42  ", 42},
        {"+7", 7},
        {"-7", -7},
        {"0x1", 1},
        {"0X1f", 31},
        {"0xFFFFFFFF", -1},
        {"-2147483648", INT32_MIN},
        {"2147483647", INT32_MAX},
        // Everything below falls back to the default, 99.
        {"0x", 99},
        {"0x100000000", 99},
        {"0x-1", 99},
        {"2147483648", 99},
        {"12abc", 99},
        {"1.5", 99},
        {"", 99},
        {"++1", 99},
        {"+-1", 99},
        {"abc", 99},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WithValue(c.stored).ReadInteger("SETTINGS", "Key", 99), c.expected) << '"' << c.stored << '"';
    EXPECT_TRUE(WithValue("0x1").ReadBool("SETTINGS", "Key", false));
    // An unparsable value gives the default, whichever it is.
    EXPECT_TRUE(WithValue("yes").ReadBool("SETTINGS", "Key", true));
    EXPECT_FALSE(WithValue("yes").ReadBool("SETTINGS", "Key", false));
}

TEST_F(IniFileTest, FloatForms) {
    const struct {
        const char* stored;
        long double expected;
    } cases[] = {
        {".5", 0.5L},
        {"5.", 5.0L},
        {"-.5", -0.5L},
        {"+2.5", 2.5L},
        {"1e3", 1000.0L},
        {"2.5E-1", 0.25L},
        {".", 0.0L},
        // Everything below falls back to the default, 7.
        {"-", 7.0L},
        {"abc", 7.0L},
        {"", 7.0L},
        {"1,5", 7.0L},
        {"--5", 7.0L},
        {"inf", 7.0L},
        {"nan", 7.0L},
        {"0x1p3", 7.0L},
        {"1.5x", 7.0L},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WithValue(c.stored).ReadFloat("SETTINGS", "Key", 7.0L), c.expected) << '"' << c.stored << '"';
}

TEST_F(IniFileTest, NamesCompareWithoutCaseAndWritesKeepEveryOtherLine) {
    const std::string original =
        "\xEF\xBB\xBF; written by hand\r\n"
        "[MIXER]\r\n"
        "Line = 3 \r\n"
        "\r\n"
        "[SETTINGS]\r\n"
        "# old comment with key=value inside\r\n"
        "  FilterOn = 0  \r\n"
        "UnknownKey=keep me\r\n"
        "no equals sign here\r\n"
        "\r\n"
        "\r\n"
        "[Other]\r\n"
        "FilterOn=5";
    WriteText(path_, original);
    IniFile ini(path_);
    EXPECT_EQ(ini.ReadInteger("mixer", "LINE", -1), 3);
    EXPECT_FALSE(ini.ReadBool("SETTINGS", "FilterOn", true));

    ini.WriteBool("Settings", "FILTERON", true);
    ini.WriteInteger("SETTINGS", "eq1", -5);
    ini.WriteString("NEW", "Key", "v");

    std::string expected = original;
    expected.replace(expected.find("  FilterOn = 0  "), 16, "FILTERON=1");
    const std::string lastLineOfSection = "no equals sign here\r\n";
    expected.insert(expected.find(lastLineOfSection) + lastLineOfSection.size(), "eq1=-5\r\n");
    expected += "\r\n\r\n[NEW]\r\nKey=v\r\n";
    EXPECT_EQ(ReadText(path_), expected);
    EXPECT_EQ(ini.ReadInteger("Other", "FilterOn", 0), 5);
}

TEST_F(IniFileTest, LongValuesAreCutAt2048Characters) {
    IniFile ini(path_);
    const std::string longName(3000, 'x');
    ini.WriteString("SETTINGS", "WaveRecorderFilename", longName);
    EXPECT_EQ(ini.ReadString("SETTINGS", "WaveRecorderFilename", ""), longName.substr(0, 2048));
}

TEST_F(IniFileTest, UnstorableNamesAreRefusedAndTheFileIsUntouched) {
    WriteText(path_, "[S]\nk=1\n");
    IniFile ini(path_);
    EXPECT_THROW(ini.WriteString("S", "a=b", "1"), std::invalid_argument);
    EXPECT_THROW(ini.WriteString("S]", "k", "1"), std::invalid_argument);
    EXPECT_THROW(ini.WriteString("S", "k", "two\nlines"), std::invalid_argument);
    EXPECT_EQ(ReadText(path_), "[S]\nk=1\n");
}

TEST_F(IniFileTest, WritesSeenByAnotherObjectAndKeepPermissions) {
    WriteText(path_, "[MIXER]\nA=1\n");
    ::chmod(path_.c_str(), 0640);
    IniFile window(path_);
    IniFile dialog(path_);
    dialog.WriteInteger("MIXER", "A", 2);
    window.WriteInteger("SETTINGS", "B", 3);
    EXPECT_EQ(window.ReadInteger("MIXER", "A", 0), 2);
    EXPECT_EQ(ReadText(path_), "[MIXER]\nA=2\n\n[SETTINGS]\nB=3\n");
    struct stat status {};
    ASSERT_EQ(::stat(path_.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    EXPECT_EQ(folder_.EntryCount(), 1u) << "temporary file left behind";
}

TEST_F(IniFileTest, FailedWriteThrowsAndKeepsTheOldFile) {
    const std::string original = "[S]\nk=1\n" + std::string(4000, ';') + "\n";
    WriteText(path_, original);
    IniFile ini(path_);

    // A file size limit makes the write of the new content fail part way.
    {
        const testing::FileSizeLimit limit(1000);
        EXPECT_THROW(ini.WriteInteger("S", "k", 2), std::system_error);
    }

    EXPECT_EQ(ReadText(path_), original);
    EXPECT_EQ(folder_.EntryCount(), 1u) << "temporary file left behind";
}

TEST_F(IniFileTest, UnwritableFolderThrowsAndKeepsTheOldFile) {
    ::chmod(folder_.Path().c_str(), 0755);
    const std::string locked = folder_.File("locked");
    std::filesystem::create_directory(locked);
    const std::string file = locked + "/moravel.ini";
    WriteText(file, "[S]\nk=1\n");
    ::chmod(file.c_str(), 0666);
    ::chmod(locked.c_str(), 0555);

    // Root may write anywhere, so the check runs in a child that gives up root.
    EXPECT_EXIT(
        {
            if (::geteuid() == 0 && ::setuid(65534) != 0) std::_Exit(3);
            IniFile ini(file);
            try {
                ini.WriteInteger("S", "k", 2);
                std::_Exit(1);
            } catch (const std::system_error& error) {
                const std::string message = error.what();
                if (message.find(file) == std::string::npos) std::_Exit(2);
            }
            std::_Exit(ReadText(file) == "[S]\nk=1\n" ? 0 : 4);
        },
        ::testing::ExitedWithCode(0), "");
    ::chmod(locked.c_str(), 0755);
}

TEST_F(IniFileTest, UnreadableFileReadsAsDefaultsButIsNeverReplaced) {
    std::filesystem::create_directory(path_);  // open works, read fails
    IniFile ini(path_);
    EXPECT_EQ(ini.ReadInteger("S", "k", 4), 4);
    EXPECT_THROW(ini.WriteInteger("S", "k", 2), std::system_error);
    EXPECT_TRUE(std::filesystem::is_directory(path_));
}

}  // namespace
}  // namespace moravel
