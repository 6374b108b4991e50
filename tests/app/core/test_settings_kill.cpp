// The settings file survives the program being killed while it writes: a
// child process writes keys one after the other through IniFile (each
// write a temporary file renamed over the old one) and is killed with
// SIGKILL at random moments; after every kill the file must be exactly the
// file before the write in flight or the file after it, never a mix, a
// truncated file or a lost key; the killed writers' temporary files are
// gone at the end. And a close in a folder that cannot be
// written keeps the old file and names it in the error.
#include "common/IniFile.h"
#include "settings/WindowSettings.h"

#include "../TempFolder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <random>
#include <string>
#include <system_error>
#include <thread>

#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace moravel {
namespace {

using testing::ReadText;
using testing::TempFolder;
using testing::WriteText;

constexpr int kKeys = 8;
constexpr int kWrites = 1000;

std::string KeyName(int key) { return "Key" + std::to_string(key); }

// The file after the first `writes` writes: write i stores i under key
// i mod kKeys; a key not yet written holds -1. The lines around the keys
// are never touched by a write and must survive every one byte for byte.
std::string FileAfter(int writes) {
    std::string text = "; a comment kept as it is\n[OTHER]\nKey0=other section\n[SETTINGS]\n";
    for (int key = 0; key < kKeys; ++key) {
        const int last = writes - 1 - ((writes - 1 - key) % kKeys + kKeys) % kKeys;
        text += KeyName(key) + "=" + std::to_string(last >= 0 && last < writes ? last : -1) + "\n";
    }
    return text + "[TAIL]\nx=1\n";
}

// Completed writes, counted across the fork in shared memory.
class SharedCounter {
public:
    SharedCounter() {
        void* memory =
            ::mmap(nullptr, sizeof(std::atomic<int>), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
        if (memory == MAP_FAILED) throw std::system_error(errno, std::generic_category(), "mmap");
        count_ = new (memory) std::atomic<int>(0);
    }
    ~SharedCounter() { ::munmap(count_, sizeof(std::atomic<int>)); }
    SharedCounter(const SharedCounter&) = delete;
    SharedCounter& operator=(const SharedCounter&) = delete;

    std::atomic<int>& Count() { return *count_; }

private:
    std::atomic<int>* count_;
};

// Puts the test's folder in memory (/dev/shm) while it lives, when there is
// one: a kill tests the rename, not the disk, and the disk's flushes would
// make a thousand writes take a minute on a busy machine.
class FolderInMemory {
public:
    FolderInMemory() {
        if (const char* old = std::getenv("TMPDIR")) old_ = old;
        if (::access("/dev/shm", W_OK) == 0) ::setenv("TMPDIR", "/dev/shm", 1);
    }
    ~FolderInMemory() {
        if (old_.empty())
            ::unsetenv("TMPDIR");
        else
            ::setenv("TMPDIR", old_.c_str(), 1);
    }
    FolderInMemory(const FolderInMemory&) = delete;
    FolderInMemory& operator=(const FolderInMemory&) = delete;

private:
    std::string old_;
};

// The child: writes from the current count on until killed (or done).
[[noreturn]] void WriteUntilKilled(const std::string& path, std::atomic<int>& done) {
    IniFile ini(path);
    for (int i = done.load(); i < kWrites; i = done.load()) {
        ini.WriteInteger("SETTINGS", KeyName(i % kKeys), i);
        done.store(i + 1);
    }
    std::_Exit(0);
}

TEST(SettingsKillTest, FileIsTheOldOrTheNewOneAfterEveryKill) {
    // The helper's own arithmetic, against values worked out by hand.
    EXPECT_NE(FileAfter(0).find("[SETTINGS]\nKey0=-1\nKey1=-1\n"), std::string::npos);
    EXPECT_NE(FileAfter(11).find("Key1=9\nKey2=10\nKey3=3\n"), std::string::npos);
    EXPECT_NE(FileAfter(kWrites).find("Key7=999\n[TAIL]"), std::string::npos);

    const FolderInMemory inMemory;
    TempFolder folder;
    const std::string path = folder.File("moravel.ini");
    WriteText(path, FileAfter(0));
    SharedCounter counter;
    std::mt19937 random(16);
    std::uniform_int_distribution<int> delayMicroseconds(0, 1000);
    int kills = 0;
    while (counter.Count().load() < kWrites) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) WriteUntilKilled(path, counter.Count());
        std::this_thread::sleep_for(std::chrono::microseconds(delayMicroseconds(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        kills += WIFSIGNALED(status) ? 1 : 0;

        // The write counted last is on disk; the one after it may be.
        const int done = counter.Count().load();
        const std::string text = ReadText(path);
        ASSERT_TRUE(text == FileAfter(done) || text == FileAfter(done + 1))
            << "after " << done << " writes the file reads:\n"
            << text;
        // And the program's own reader finds every key.
        const IniFile ini(path);
        for (int key = 0; key < kKeys; ++key)
            ASSERT_NE(ini.ReadInteger("SETTINGS", KeyName(key), -2), -2) << KeyName(key);
    }
    EXPECT_EQ(ReadText(path), FileAfter(kWrites));
    std::cout << kills << " kills during " << kWrites << " writes, " << folder.EntryCount() - 1
              << " temporary files left\n";
    EXPECT_GE(kills, 50) << "too few kills landed during the writes";
    // The temporary files of the killed writers went with the next commits.
    EXPECT_EQ(folder.EntryCount(), 1u);
}

TEST(SettingsKillTest, CloseInAnUnwritableFolderKeepsTheOldFileAndSaysSo) {
    TempFolder folder;
    ::chmod(folder.Path().c_str(), 0755);
    const std::string locked = folder.File("locked");
    std::filesystem::create_directory(locked);
    const std::string file = locked + "/moravel.ini";
    const std::string old = "[SETTINGS]\nFilterOn=1\nWindowWidth=640\n";
    WriteText(file, old);
    ::chmod(file.c_str(), 0666);
    ::chmod(locked.c_str(), 0555);

    // Root may write anywhere, so the close runs in a child that gives up root.
    EXPECT_EXIT(
        {
            if (::geteuid() == 0 && ::setuid(65534) != 0) std::_Exit(3);
            IniFile ini(file);
            WindowSettings settings;
            settings.WindowWidth = 800;
            try {
                WriteWindowSettings(ini, settings, 5, 0);
                std::_Exit(1);
            } catch (const std::system_error& error) {
                if (std::string(error.what()).find(file) == std::string::npos) std::_Exit(2);
            }
            std::_Exit(ReadText(file) == old ? 0 : 4);
        },
        ::testing::ExitedWithCode(0), "");
    ::chmod(locked.c_str(), 0755);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(locked), std::filesystem::directory_iterator()), 1)
        << "temporary file left behind";
}

}  // namespace
}  // namespace moravel
