// What the device tests need of a private sound server, whichever it is: a
// null sink that is the default sink, its monitor the default source, reached
// through ALSA's "default" and the PulseAudio protocol (pactl).
//
// All methods are called from the test's main thread.
#pragma once

#include <string>

namespace moravel::testing {

class SoundServer {
public:
    /// Name of the null sink; its monitor is "<kSink>.monitor".
    static constexpr const char* kSink = "moravel_test";

    virtual ~SoundServer() = default;

    /// Points this process's sound clients (the ALSA "pulse" plugin, pactl)
    /// at this server and forbids them to start one of their own. Must run
    /// before the process first opens ALSA's "default".
    virtual void ConfigureClientEnvironment() const = 0;
    /// Starts the server and waits until the sink is the default; false
    /// (with the server's log on stderr) when it does not come up.
    virtual bool Start() = 0;
    /// Sends `signal` to the server's processes (SIGSTOP hangs it, SIGCONT
    /// resumes it).
    virtual void Signal(int signal) const = 0;
    /// Kills the server with `signal` and waits for it to end.
    virtual void Stop(int signal) = 0;
    virtual bool Running() const = 0;

    /// Runs pactl with `args` against this server; true when it succeeded.
    virtual bool Pactl(const std::string& args, std::string* output = nullptr) const = 0;
    /// Where scratch files of the test may go; removed with the server.
    virtual const std::string& Folder() const = 0;
};

}  // namespace moravel::testing
