// A private PulseAudio server for the device tests: started in user mode
// (as root too) in a temporary folder of its own, with one null sink that is
// the default sink and whose monitor is the default source, so that what is
// played can be captured back. It is stopped by the process id it was
// started with; no other server is touched.
//
// ConfigureClientEnvironment() must run before the process first uses ALSA:
// the ALSA configuration decides once whether "default" goes to the server.
#pragma once

#include <sys/types.h>

#include <functional>
#include <string>

namespace moravel::testing {

class PulseServer {
public:
    static constexpr const char* kSink = "moravel_test";

    PulseServer();
    ~PulseServer();
    PulseServer(const PulseServer&) = delete;
    PulseServer& operator=(const PulseServer&) = delete;

    /// Points this process's sound clients (the ALSA "pulse" plugin, pactl)
    /// at this server and forbids them to start one of their own.
    void ConfigureClientEnvironment() const;
    /// Starts the server and waits until the sink is the default; false
    /// (with the server's log on stderr) when it does not come up.
    bool Start();
    /// Sends `signal` to the server (SIGSTOP hangs it, SIGCONT resumes it).
    void Signal(int signal) const;
    /// Kills the server with `signal` and waits for it to end.
    void Stop(int signal);
    bool Running() const { return pid_ > 0; }

    /// Runs pactl with `args` against this server; true when it succeeded.
    bool Pactl(const std::string& args, std::string* output = nullptr) const;
    /// Where scratch files of the test may go; removed with the server.
    const std::string& Folder() const { return folder_; }

private:
    bool Poll(const std::function<bool()>& done) const;
    bool WaitUntilReady() const;
    bool KeepSinkBusy();

    std::string folder_;
    pid_t pid_ = -1;
    pid_t keepAlive_ = -1;
};

}  // namespace moravel::testing
