// Temporary files left beside a file by a writer that died before its
// rename: the next commit on the same file removes them, and only them. A
// leftover is a file named ".NAME.DIGITS.tmp" that no live writer locks.
#include "common/AtomicFile.h"

#include "../TempFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <set>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

namespace moravel {
namespace {

namespace fs = std::filesystem;
using testing::ReadText;
using testing::TempFolder;
using testing::WriteText;

std::set<std::string> Entries(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
    return names;
}

TEST(StaleTemporaries, ACommitRemovesTheLeftoversOfItsOwnFileOnly) {
    TempFolder folder;
    const std::string target = folder.File("moravel.ini");
    WriteText(target, "old");
    // Leftovers of moravel.ini: one to nine digits.
    WriteText(folder.File(".moravel.ini.123456789.tmp"), "half a file");
    WriteText(folder.File(".moravel.ini.7.tmp"), "");
    // Not ours: another file's, ten digits, not digits, no digits, other
    // endings, not hidden, and a folder.
    const std::set<std::string> others = {".other.ini.5.tmp",  ".moravel.ini.1234567890.tmp", ".moravel.ini.12a4.tmp",
                                          ".moravel.ini..tmp", ".moravel.ini.5.tmp.bak",      ".moravel.ini.5.temp",
                                          "moravel.ini.5.tmp"};
    for (const std::string& name : others) WriteText(folder.File(name), "keep");
    fs::create_directory(folder.File(".moravel.ini.8.tmp"));

    ReplaceFile(target, "new");

    std::set<std::string> expected = others;
    expected.insert("moravel.ini");
    expected.insert(".moravel.ini.8.tmp");
    EXPECT_EQ(Entries(folder.Path()), expected);
    EXPECT_EQ(ReadText(target), "new");
    EXPECT_EQ(ReadText(folder.File(".other.ini.5.tmp")), "keep");
}

TEST(StaleTemporaries, ALiveWritersFileIsKeptAndStillCommits) {
    TempFolder folder;
    const std::string target = folder.File("moravel.ini");
    WriteText(target, "old");
    PendingFile live(target);
    WriteText(live.Path(), "from the live writer");

    ReplaceFile(target, "from the other writer");
    EXPECT_EQ(RemoveStaleTemporaries(target), 0u);
    ASSERT_TRUE(fs::exists(live.Path()));

    live.Commit();
    EXPECT_EQ(ReadText(target), "from the live writer");
    EXPECT_EQ(folder.EntryCount(), 1u);
}

// The leftover of a process killed between writing and renaming: kept while
// the process lives (it may still commit), removed once it is dead.
TEST(StaleTemporaries, AKilledWritersFileIsRemovedOnlyAfterItDied) {
    TempFolder folder;
    const std::string target = folder.File("moravel.ini");
    WriteText(target, "old");
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        PendingFile pending(target);
        WriteText(pending.Path(), "never committed");
        const char done = 1;
        if (::write(ready[1], &done, 1) != 1) ::_exit(1);
        ::pause();
        ::_exit(0);
    }
    char done = 0;
    ASSERT_EQ(::read(ready[0], &done, 1), 1);
    ::close(ready[0]);
    ::close(ready[1]);
    EXPECT_EQ(folder.EntryCount(), 2u);
    EXPECT_EQ(RemoveStaleTemporaries(target), 0u) << "the writer still lives";

    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_EQ(RemoveStaleTemporaries(target), 1u);
    EXPECT_EQ(Entries(folder.Path()), std::set<std::string>{"moravel.ini"});
    EXPECT_EQ(ReadText(target), "old");
}

// Through a symbolic link the file, and so its leftovers, are in the folder
// the link points to.
TEST(StaleTemporaries, ALinkedFilesLeftoversAreBesideTheRealFile) {
    TempFolder folder;
    fs::create_directory(folder.File("real"));
    const std::string real = folder.File("real/moravel.ini");
    WriteText(real, "old");
    WriteText(folder.File("real/.moravel.ini.42.tmp"), "");
    WriteText(folder.File(".link.ini.42.tmp"), "");
    fs::create_symlink(real, folder.File("link.ini"));

    ReplaceFile(folder.File("link.ini"), "new");

    EXPECT_EQ(ReadText(real), "new");
    EXPECT_EQ(Entries(folder.File("real")), std::set<std::string>{"moravel.ini"});
    EXPECT_TRUE(fs::exists(folder.File(".link.ini.42.tmp")));
}

}  // namespace
}  // namespace moravel
