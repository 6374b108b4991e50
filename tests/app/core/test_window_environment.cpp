#include "app/core/CommandLine.h"
#include "app/core/SettingsLocation.h"

#include "../TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace moravel {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;
using testing::WriteText;

class SettingsLocationTest : public ::testing::Test {
protected:
    TempFolder folder_;
    const std::string xdg_ = folder_.File("xdg");
    const std::string home_ = folder_.File("home");
};

TEST_F(SettingsLocationTest, OverrideWins) {
    EXPECT_EQ(SettingsFilePath(folder_.File("missing/moravel"), "/elsewhere/my.ini", xdg_.c_str(), home_.c_str()),
              "/elsewhere/my.ini");
    EXPECT_FALSE(fs::exists(xdg_));
}

TEST_F(SettingsLocationTest, BesideTheExecutableWhenItsFolderIsWritable) {
    EXPECT_EQ(SettingsFilePath(folder_.File("moravel"), "", xdg_.c_str(), home_.c_str()), folder_.File("moravel.ini"));
    EXPECT_EQ(SettingsFilePath(folder_.File("Moravel.exe"), "", xdg_.c_str(), home_.c_str()),
              folder_.File("Moravel.ini"));
    fs::create_directory(folder_.File("bin.d"));
    EXPECT_EQ(SettingsFilePath(folder_.File("bin.d/moravel"), "", nullptr, nullptr), folder_.File("bin.d/moravel.ini"));
    EXPECT_FALSE(fs::exists(xdg_));
}

TEST_F(SettingsLocationTest, ConfigFolderWhenTheExecutablesFolderIsUnusable) {
    const std::string executable = folder_.File("no-such-folder/moravel");
    EXPECT_EQ(SettingsFilePath(executable, "", xdg_.c_str(), home_.c_str()), xdg_ + "/moravel/moravel.ini");
    EXPECT_TRUE(fs::is_directory(xdg_ + "/moravel"));

    const std::string homeFile = home_ + "/.config/moravel/moravel.ini";
    EXPECT_EQ(SettingsFilePath(executable, "", nullptr, home_.c_str()), homeFile);
    EXPECT_EQ(SettingsFilePath(executable, "", "", home_.c_str()), homeFile);
    EXPECT_EQ(SettingsFilePath(executable, "", "relative/xdg", home_.c_str()), homeFile);
    EXPECT_TRUE(fs::is_directory(home_ + "/.config/moravel"));
    EXPECT_FALSE(fs::exists("relative"));

    // Nowhere better to go: beside the executable all the same.
    EXPECT_EQ(SettingsFilePath(executable, "", nullptr, ""), folder_.File("no-such-folder/moravel.ini"));

    // A folder that cannot be created is left to the write at close.
    WriteText(folder_.File("file"), "");
    EXPECT_EQ(SettingsFilePath(executable, "", folder_.File("file").c_str(), nullptr),
              folder_.File("file/moravel/moravel.ini"));
}

TEST_F(SettingsLocationTest, ReadOnlyFolderUsesAnExistingFileOnly) {
    const std::string bin = folder_.File("bin");
    fs::create_directories(bin);
    fs::create_directories(xdg_);
    WriteText(bin + "/kept.ini", "");
    ::chmod(folder_.Path().c_str(), 0755);
    ::chmod(xdg_.c_str(), 0755);
    ::chmod(bin.c_str(), 0555);

    // Root may write anywhere, so the check runs in a child that gives up root.
    EXPECT_EXIT(
        {
            if (::geteuid() == 0 && ::setuid(65534) != 0) std::_Exit(3);
            if (SettingsFilePath(bin + "/kept", "", xdg_.c_str(), nullptr) != bin + "/kept.ini") std::_Exit(1);
            // The config folder cannot be created here either; the path is still given.
            if (SettingsFilePath(bin + "/moravel", "", xdg_.c_str(), nullptr) != xdg_ + "/moravel/moravel.ini")
                std::_Exit(2);
            std::_Exit(0);
        },
        ::testing::ExitedWithCode(0), "");
    ::chmod(bin.c_str(), 0755);
}

// An installed program may sit in a folder it can write to (root and
// /usr/bin, a user and ~/.local/bin); it starts no file there.
TEST_F(SettingsLocationTest, InstalledBinFolderUsesTheConfigFolderUnlessAFileIsThere) {
    const std::string bin = folder_.File("prefix/bin");
    fs::create_directories(bin);
    EXPECT_EQ(SettingsFilePath(bin + "/moravel", "", xdg_.c_str(), home_.c_str()), xdg_ + "/moravel/moravel.ini");
    EXPECT_EQ(SettingsFilePath(bin + "/moravel", "", nullptr, home_.c_str()), home_ + "/.config/moravel/moravel.ini");
    EXPECT_FALSE(fs::exists(bin + "/moravel.ini"));

    WriteText(bin + "/moravel.ini", "");
    EXPECT_EQ(SettingsFilePath(bin + "/moravel", "", xdg_.c_str(), home_.c_str()), bin + "/moravel.ini");
}

TEST_F(SettingsLocationTest, FirstStartNoteOnlyWhileThereIsNoFile) {
    const std::string file = folder_.File("moravel.ini");
    EXPECT_EQ(FirstStartNote(file), "moravel: first start; the settings will be kept in " + file + "\n");
    WriteText(file, "");
    EXPECT_EQ(FirstStartNote(file), "");
}

TEST(CommandLine, Options) {
    const CommandLineOptions none = ParseCommandLine({});
    EXPECT_EQ(none.settingsFile, "");
    EXPECT_EQ(none.audio, "alsa");
    EXPECT_FALSE(none.help);
    EXPECT_FALSE(none.version);

    const CommandLineOptions separate = ParseCommandLine({"--settings", "/tmp/a b.ini", "--audio", "virtual", "-h"});
    EXPECT_EQ(separate.settingsFile, "/tmp/a b.ini");
    EXPECT_EQ(separate.audio, "virtual");
    EXPECT_TRUE(separate.help);

    const CommandLineOptions joined =
        ParseCommandLine({"--settings=x=y.ini", "--audio=virtual:in.wav", "--version", "--help"});
    EXPECT_EQ(joined.settingsFile, "x=y.ini");
    EXPECT_EQ(joined.audio, "virtual:in.wav");
    EXPECT_TRUE(joined.version);
    EXPECT_TRUE(joined.help);

    EXPECT_EQ(ParseCommandLine({"--audio", "nonsense", "--audio=alsa"}).audio, "alsa") << "last one wins";
}

TEST(CommandLine, DevicesForThisRun) {
    const CommandLineOptions none = ParseCommandLine({});
    EXPECT_EQ(none.input, "");
    EXPECT_EQ(none.output, "");
    const CommandLineOptions both = ParseCommandLine({"--input", "hw:CARD=USB,DEV=0", "--output=speakers.sink"});
    EXPECT_EQ(both.input, "hw:CARD=USB,DEV=0");
    EXPECT_EQ(both.output, "speakers.sink");
    EXPECT_THROW(ParseCommandLine({"--output"}), std::invalid_argument);
}

TEST(CommandLine, StartOptionsForAnUnattendedRun) {
    const CommandLineOptions none = ParseCommandLine({});
    EXPECT_EQ(none.record + none.recordOnSignal + none.play, "");
    EXPECT_FALSE(none.loop || none.minimize);
    const CommandLineOptions all = ParseCommandLine(
        {"--record", "a.wav", "--record-on-signal=rx", "--play", "in.wav", "--loop", "--minimize"});
    EXPECT_EQ(all.record, "a.wav");
    EXPECT_EQ(all.recordOnSignal, "rx");
    EXPECT_EQ(all.play, "in.wav");
    EXPECT_TRUE(all.loop && all.minimize);
}

// The files are checked before the window opens: the folder for the
// transmissions is made, everything else must exist.
TEST(CommandLine, StartFilesThatCannotBeUsedAreNamed) {
    TempFolder folder;
    const std::string file = folder.File("in.wav");
    WriteText(file, "RIFF");
    CommandLineOptions options;
    options.play = file;
    options.record = folder.File("out.wav");
    options.recordOnSignal = folder.File("made/rx");
    EXPECT_EQ(CheckStartFiles(options), "");
    EXPECT_TRUE(std::filesystem::is_directory(options.recordOnSignal));

    CommandLineOptions missing;
    missing.play = folder.File("none.wav");
    EXPECT_EQ(CheckStartFiles(missing), "cannot play '" + missing.play + "': the file does not exist or cannot be read");
    missing.play = folder.Path().string();
    EXPECT_NE(CheckStartFiles(missing), "") << "a folder is no file to play";

    CommandLineOptions nowhere;
    nowhere.record = folder.File("none/out.wav");
    EXPECT_EQ(CheckStartFiles(nowhere), "cannot record to '" + nowhere.record + "': no folder " + folder.File("none"));

    CommandLineOptions onAFile;
    onAFile.recordOnSignal = file + "/rx";
    EXPECT_NE(CheckStartFiles(onAFile).find("could not be made"), std::string::npos) << CheckStartFiles(onAFile);
}

TEST(CommandLine, ErrorsNameTheProblem) {
    const struct {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {{"--x"}, "unknown option '--x'"},
        {{"-v"}, "unknown option '-v'"},
        {{"--x=1"}, "unknown option '--x'"},
        {{"--settings"}, "option '--settings' needs a value"},
        {{"--settings="}, "option '--settings' needs a value"},
        {{"--audio", ""}, "option '--audio' needs a value"},
        {{"--help=yes"}, "option '--help' takes no value"},
        {{"file.ini"}, "unexpected argument 'file.ini'"},
        {{"-"}, "unexpected argument '-'"},
        {{"--record-on-signal"}, "option '--record-on-signal' needs a value"},
        {{"--minimize=1"}, "option '--minimize' takes no value"},
        {{"--loop"}, "option '--loop' needs '--play FILE'"},
    };
    for (const auto& c : cases) {
        try {
            ParseCommandLine(c.args);
            ADD_FAILURE() << "no error for " << c.args.front();
        } catch (const std::invalid_argument& error) {
            EXPECT_STREQ(error.what(), c.message);
        }
    }
}

TEST(CommandLine, UsageListsEveryOption) {
    const std::string usage = UsageText();
    for (const char* option : {"--audio alsa|virtual|virtual:FILE.wav", "--input DEVICE", "--output DEVICE",
                               "--settings FILE", "--help", "--version", "--record FILE",
                               "--record-on-signal DIR", "--play FILE", "--loop", "--minimize"})
        EXPECT_NE(usage.find(option), std::string::npos) << option;
}

}  // namespace
}  // namespace moravel
