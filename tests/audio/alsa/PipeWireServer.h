// A private PipeWire server for the device tests, the counterpart of
// PulseServer: its own session bus (dbus-daemon; WirePlumber needs one),
// pipewire, wireplumber and pipewire-pulse in user mode (as root too), all
// in a temporary folder that is their XDG_RUNTIME_DIR, home and config.
// Clients reach it as they reach PulseAudio: through pipewire-pulse's
// socket, so ALSA's "default" goes through the same "pulse" plugin. One null
// sink is loaded with pactl and made the default sink, its monitor the
// default source. Every process is stopped by the id it was started with.
//
// ConfigureClientEnvironment() must run before the process first uses ALSA.
#pragma once

#include "SoundServer.h"

#include <sys/types.h>

#include <array>
#include <string>

namespace moravel::testing {

class PipeWireServer : public SoundServer {
public:
    PipeWireServer();
    ~PipeWireServer() override;
    PipeWireServer(const PipeWireServer&) = delete;
    PipeWireServer& operator=(const PipeWireServer&) = delete;

    void ConfigureClientEnvironment() const override;
    bool Start() override;
    /// Signals pipewire-pulse, wireplumber and pipewire (not the bus).
    void Signal(int signal) const override;
    /// Kills pipewire-pulse, wireplumber and pipewire with `signal`, then
    /// ends the bus.
    void Stop(int signal) override;
    bool Running() const override { return server_[kPulse] > 0; }

    bool Pactl(const std::string& args, std::string* output = nullptr) const override;
    const std::string& Folder() const override { return folder_; }

private:
    // In the order they start; stopped in reverse.
    enum Process { kPipeWire, kSessionManager, kPulse, kProcesses };

    std::string Socket() const { return folder_ + "/runtime/pulse/native"; }
    /// Whether `path` (below the folder) exists.
    bool Exists(const std::string& path) const;
    bool StartBus();
    bool WaitUntilReady();
    bool SinkIsDefault() const;
    std::string Logs() const;

    std::string folder_;
    pid_t bus_ = -1;
    std::array<pid_t, kProcesses> server_{-1, -1, -1};
};

}  // namespace moravel::testing
