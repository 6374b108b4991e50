#include "PipeWireServer.h"

#include "ServerProcesses.h"

#include <signal.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <vector>

namespace moravel::testing {

namespace {

constexpr std::array<const char*, 3> kPrograms = {"pipewire", "wireplumber", "pipewire-pulse"};

}  // namespace

PipeWireServer::PipeWireServer() : folder_(MakeServerFolder("moravel-pipewire")) {
    std::ofstream(folder_ + "/client.conf") << "autospawn = no\n";
}

PipeWireServer::~PipeWireServer() {
    Stop(SIGTERM);
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

void PipeWireServer::ConfigureClientEnvironment() const {
    setenv("PULSE_SERVER", ("unix:" + Socket()).c_str(), 1);
    setenv("PULSE_CLIENTCONFIG", (folder_ + "/client.conf").c_str(), 1);
    setenv("PULSE_COOKIE", (folder_ + "/cookie").c_str(), 1);
}

bool PipeWireServer::Exists(const std::string& path) const {
    struct stat info {};
    return stat((folder_ + path).c_str(), &info) == 0;
}

bool PipeWireServer::StartBus() {
    bus_ = Spawn(
        {"/usr/bin/dbus-daemon", "--session", "--nofork", "--nopidfile", "--address=unix:path=" + folder_ + "/bus"},
        {"PATH=/usr/bin:/bin", "LANG=C", "HOME=" + folder_ + "/home"}, folder_ + "/dbus-daemon.log");
    return bus_ > 0 && Poll([this] { return Exists("/bus"); });
}

bool PipeWireServer::Start() {
    if (StartBus()) {
        const std::vector<std::string> env = {
            "PATH=/usr/bin:/bin",
            "LANG=C",
            "HOME=" + folder_ + "/home",
            "XDG_RUNTIME_DIR=" + folder_ + "/runtime",
            "XDG_CONFIG_HOME=" + folder_ + "/config",
            "XDG_STATE_HOME=" + folder_ + "/state",
            "DBUS_SESSION_BUS_ADDRESS=unix:path=" + folder_ + "/bus",
        };
        // WirePlumber and pipewire-pulse give up at once when pipewire's
        // socket is not there yet, so each waits for the one before.
        bool started = true;
        for (int p = 0; p < kProcesses && started; ++p) {
            const std::string program = kPrograms[p];
            server_[p] = Spawn({"/usr/bin/" + program}, env, folder_ + "/" + program + ".log");
            started = server_[p] > 0 && (p != kPipeWire || Poll([this] { return Exists("/runtime/pipewire-0"); }));
        }
        if (started && WaitUntilReady()) return true;
    }
    std::cerr << "PipeWire did not start; its logs:\n" << Logs();
    Stop(SIGKILL);
    return false;
}

// pipewire-pulse answers before WirePlumber has taken the default sink into
// its metadata, so the defaults are set until the server reports them.
bool PipeWireServer::WaitUntilReady() {
    if (!Poll([this] { return Pactl("info"); })) return false;
    if (!Pactl(std::string("load-module module-null-sink sink_name=") + kSink)) return false;
    return Poll([this] {
        return Pactl(std::string("set-default-sink ") + kSink) &&
               Pactl(std::string("set-default-source ") + kSink + ".monitor") && SinkIsDefault();
    });
}

bool PipeWireServer::SinkIsDefault() const {
    std::string info;
    const std::string sink = std::string("Default Sink: ") + kSink + "\n";
    const std::string source = std::string("Default Source: ") + kSink + ".monitor\n";
    return Pactl("info", &info) && info.find(sink) != std::string::npos && info.find(source) != std::string::npos;
}

std::string PipeWireServer::Logs() const {
    std::string logs;
    for (const char* program : {"dbus-daemon", "pipewire", "wireplumber", "pipewire-pulse"})
        logs += std::string("--- ") + program + "\n" + ReadText(folder_ + "/" + program + ".log");
    return logs;
}

void PipeWireServer::Signal(int signal) const {
    for (const pid_t pid : server_)
        if (pid > 0) kill(pid, signal);
}

void PipeWireServer::Stop(int signal) {
    for (int p = kProcesses - 1; p >= 0; --p) StopProcess(server_[p], signal);
    StopProcess(bus_, SIGTERM);
    // A new server makes its sockets afresh.
    std::error_code ignored;
    for (const char* stale : {"/runtime/pulse", "/runtime/pipewire-0", "/runtime/pipewire-0.lock", "/bus"})
        std::filesystem::remove_all(folder_ + stale, ignored);
}

bool PipeWireServer::Pactl(const std::string& args, std::string* output) const {
    return RunPactl(Socket(), args, output);
}

}  // namespace moravel::testing
