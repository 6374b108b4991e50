#include "PulseServer.h"

#include "ServerProcesses.h"

#include <signal.h>

#include <filesystem>
#include <fstream>
#include <iostream>

namespace moravel::testing {

PulseServer::PulseServer() : folder_(MakeServerFolder("moravel-pulse")) {
    std::ofstream(folder_ + "/client.conf") << "autospawn = no\n";
}

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
    std::cerr << "PulseAudio did not start; its log:\n" << ReadText(log);
    Stop(SIGKILL);
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
    StopProcess(keepAlive_, SIGKILL);
    StopProcess(pid_, signal);
}

bool PulseServer::Pactl(const std::string& args, std::string* output) const {
    return RunPactl(folder_ + "/native", args, output);
}

}  // namespace moravel::testing
