#include "PulseServer.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <thread>
#include <vector>

namespace moravel::testing {

namespace {

std::string MakeFolder() {
    std::string pattern = "/tmp/moravel-pulse-XXXXXX";
    if (!mkdtemp(pattern.data())) return {};
    for (const char* sub : {"/runtime", "/home", "/config", "/state"}) mkdir((pattern + sub).c_str(), 0700);
    return pattern;
}

std::vector<char*> Pointers(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    for (std::string& s : strings) pointers.push_back(s.data());
    pointers.push_back(nullptr);
    return pointers;
}

// Forks and runs `argv` with exactly `env`; the child dies with this process.
pid_t Spawn(std::vector<std::string> argv, std::vector<std::string> env) {
    std::vector<char*> args = Pointers(argv);
    std::vector<char*> vars = Pointers(env);
    const pid_t pid = fork();
    if (pid != 0) return pid;
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    const int null = open("/dev/null", O_RDWR);
    dup2(null, STDOUT_FILENO);
    dup2(null, STDERR_FILENO);
    execve(args[0], args.data(), vars.data());
    _exit(127);
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

PulseServer::PulseServer() : folder_(MakeFolder()) { std::ofstream(folder_ + "/client.conf") << "autospawn = no\n"; }

PulseServer::~PulseServer() {
    if (Running()) Stop(SIGTERM);
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

void PulseServer::ConfigureClientEnvironment() const {
    setenv("PULSE_SERVER", ("unix:" + folder_ + "/native").c_str(), 1);
    setenv("PULSE_CLIENTCONFIG", (folder_ + "/client.conf").c_str(), 1);
    setenv("PULSE_COOKIE", (folder_ + "/cookie").c_str(), 1);
}

bool PulseServer::Start() {
    const std::string log = folder_ + "/pulse.log";
    pid_ = Spawn({"/usr/bin/pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
                  "--system=no", "--log-target=file:" + log,
                  "--load=module-native-protocol-unix auth-anonymous=1 socket=" + folder_ + "/native",
                  std::string("--load=module-null-sink sink_name=") + kSink},
                 {"PATH=/usr/bin:/bin", "LANG=C", "HOME=" + folder_ + "/home",
                  "XDG_RUNTIME_DIR=" + folder_ + "/runtime", "XDG_CONFIG_HOME=" + folder_ + "/config",
                  "PULSE_RUNTIME_PATH=" + folder_ + "/runtime", "PULSE_STATE_PATH=" + folder_ + "/state"});
    if (pid_ > 0 && WaitUntilReady() && KeepSinkBusy()) return true;
    std::ifstream in(log);
    std::cerr << "PulseAudio did not start; its log:\n" << std::string(std::istreambuf_iterator<char>(in), {});
    if (pid_ > 0) Stop(SIGKILL);
    return false;
}

bool PulseServer::Poll(const std::function<bool()>& done) const {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        if (done()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

bool PulseServer::WaitUntilReady() const {
    return Poll([this] {
        return Pactl(std::string("set-default-sink ") + kSink) &&
               Pactl(std::string("set-default-source ") + kSink + ".monitor");
    });
}

// The null sink renders in blocks as long as the shortest latency its
// clients ask for, and until its first client came, that is two seconds.
// A capture of the monitor asking for 10 ms keeps the blocks short (what is
// captured then arrives evenly), and suspending and resuming the sink once
// restarts its clock, so that the first stream does not wait two seconds.
bool PulseServer::KeepSinkBusy() {
    keepAlive_ = Spawn({"/usr/bin/parec", "--server=unix:" + folder_ + "/native", "--latency-msec=10", "--raw",
                        std::string("--device=") + kSink + ".monitor"},
                       {"PATH=/usr/bin:/bin", "LANG=C", "HOME=" + folder_ + "/home"});
    const bool capturing = keepAlive_ > 0 && Poll([this] {
                               std::string outputs;
                               return Pactl("list short source-outputs", &outputs) && !outputs.empty();
                           });
    return capturing && Pactl(std::string("suspend-sink ") + kSink + " 1") &&
           Pactl(std::string("suspend-sink ") + kSink + " 0");
}

void PulseServer::Signal(int signal) const {
    if (pid_ > 0) kill(pid_, signal);
}

void PulseServer::Stop(int signal) {
    if (keepAlive_ > 0) {
        kill(keepAlive_, SIGKILL);
        waitpid(keepAlive_, nullptr, 0);
        keepAlive_ = -1;
    }
    if (pid_ <= 0) return;
    kill(pid_, signal);
    kill(pid_, SIGCONT);  // a hung (stopped) server must run to see a SIGTERM
    if (!WaitForExit(pid_, std::chrono::seconds(3))) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    pid_ = -1;
}

bool PulseServer::Pactl(const std::string& args, std::string* output) const {
    const std::string command = "pactl --server=unix:" + folder_ + "/native " + args + " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return false;
    std::string text;
    char chunk[256];
    while (const std::size_t n = std::fread(chunk, 1, sizeof chunk, pipe)) text.append(chunk, n);
    const int status = pclose(pipe);
    if (output) *output = text;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace moravel::testing
