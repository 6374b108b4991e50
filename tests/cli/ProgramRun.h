// moravel-process run as a program: starting it with its error output in
// a file, waiting for its exit status, and making input files with sox. The
// fixture gives each test its own temporary folder.
#pragma once

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace moravel::testing {

constexpr const char* kSox = "/usr/bin/sox";

// Starts `argv` with stderr into `errFile` and returns its process id.
// `shellPrefix` runs it through /bin/sh after the given commands (e.g. a file
// size limit).
inline pid_t StartProgram(const std::vector<std::string>& argv, const std::string& errFile,
                          const std::string& shellPrefix) {
    std::vector<std::string> command = argv;
    if (!shellPrefix.empty()) {
        command = {"/bin/sh", "-c", shellPrefix + "; exec \"$0\" \"$@\""};
        command.insert(command.end(), argv.begin(), argv.end());
    }
    const pid_t child = ::fork();
    if (child == 0) {
        const int err = ::open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(err, STDERR_FILENO);
        ::dup2(null, STDOUT_FILENO);
        std::vector<char*> args;
        for (auto& a : command) args.push_back(a.data());
        args.push_back(nullptr);
        ::execv(args[0], args.data());
        std::_Exit(127);
    }
    return child;
}

// The exit status of a started program, -1 when it did not exit normally.
inline int WaitForExit(pid_t child) {
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Output of a sox command (without the program name).
inline std::string Sox(const std::string& arguments) {
    const std::string command = std::string(kSox) + " " + arguments + " 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    std::string output;
    char buffer[256];
    while (pipe != nullptr && std::fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
    if (pipe != nullptr) ::pclose(pipe);
    return output;
}

class MoravelProcess : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(std::filesystem::exists(kSox)) << kSox << " is needed for these tests: apt-get install sox";
    }

    std::string File(const std::string& name) const { return folder_.File(name); }

    // A file made by sox's synth: `format` like "-b 16 -c 1", `sound` like "sine 1000".
    std::string Synth(const std::string& name, const std::string& format, int rate, double seconds,
                      const std::string& sound) {
        const std::string path = File(name);
        Sox("-n -r " + std::to_string(rate) + " " + format + " " + path + " synth " + std::to_string(seconds) + " " +
            sound + " vol 0.5");
        EXPECT_TRUE(std::filesystem::exists(path)) << "sox did not make " << path;
        return path;
    }

    pid_t Start(std::vector<std::string> args, const std::string& shellPrefix = "") {
        args.insert(args.begin(), MORAVEL_PROCESS_EXE);
        return StartProgram(args, File("stderr.txt"), shellPrefix);
    }
    int Process(const std::vector<std::string>& args, const std::string& shellPrefix = "") {
        return WaitForExit(Start(args, shellPrefix));
    }
    std::string Stderr() const { return ReadText(File("stderr.txt")); }

    std::vector<std::string> FolderEntries() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder_.Path()))
            if (entry.path().filename() != "stderr.txt") names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    TempFolder folder_;
};

}  // namespace moravel::testing
