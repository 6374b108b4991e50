#include "ServerProcesses.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <thread>

namespace moravel::testing {

namespace {

std::vector<char*> Pointers(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    for (std::string& s : strings) pointers.push_back(s.data());
    pointers.push_back(nullptr);
    return pointers;
}

bool WaitForExit(pid_t pid, std::chrono::milliseconds bound) {
    const auto deadline = std::chrono::steady_clock::now() + bound;
    int status = 0;
    while (std::chrono::steady_clock::now() < deadline) {
        const pid_t ended = waitpid(pid, &status, WNOHANG);
        if (ended == pid || ended < 0) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

}  // namespace

std::string MakeServerFolder(const std::string& prefix) {
    std::string pattern = "/tmp/" + prefix + "-XXXXXX";
    if (!mkdtemp(pattern.data())) return {};
    for (const char* sub : {"/runtime", "/home", "/config", "/state"}) mkdir((pattern + sub).c_str(), 0700);
    return pattern;
}

pid_t Spawn(std::vector<std::string> argv, std::vector<std::string> env, const std::string& logFile) {
    std::vector<char*> args = Pointers(argv);
    std::vector<char*> vars = Pointers(env);
    // Opened before the fork: the child only duplicates descriptors.
    const int null = open("/dev/null", O_RDWR | O_CLOEXEC);
    const int log = logFile.empty() ? -1 : open(logFile.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    const int out = log >= 0 ? log : null;
    const pid_t pid = fork();
    if (pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        dup2(null, STDIN_FILENO);
        dup2(out, STDOUT_FILENO);
        dup2(out, STDERR_FILENO);
        execve(args[0], args.data(), vars.data());
        _exit(127);
    }
    if (log >= 0) close(log);
    if (null >= 0) close(null);
    return pid;
}

void StopProcess(pid_t& pid, int signal, std::chrono::milliseconds bound) {
    if (pid <= 0) return;
    kill(pid, signal);
    kill(pid, SIGCONT);  // a hung (stopped) process must run to see a SIGTERM
    if (!WaitForExit(pid, bound)) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    pid = -1;
}

bool Poll(const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        if (done()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

bool RunPactl(const std::string& socket, const std::string& args, std::string* output) {
    const std::string command = "pactl --server=unix:" + socket + " " + args + " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return false;
    std::string text;
    char chunk[256];
    while (const std::size_t n = std::fread(chunk, 1, sizeof chunk, pipe)) text.append(chunk, n);
    const int status = pclose(pipe);
    if (output) *output = text;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::string ReadText(const std::string& path) {
    std::ifstream in(path);
    return {std::istreambuf_iterator<char>(in), {}};
}

}  // namespace moravel::testing
