// A private PulseAudio server for the device tests: started in user mode
// (as root too) in a temporary folder of its own, with one null sink that is
// the default sink and whose monitor is the default source, so that what is
// played can be captured back. It is stopped by the process id it was
// started with; no other server is touched.
//
// ConfigureClientEnvironment() must run before the process first uses ALSA:
// the ALSA configuration decides once whether "default" goes to the server.
#pragma once

#include "SoundServer.h"

#include <sys/types.h>

#include <string>

namespace moravel::testing {

class PulseServer : public SoundServer {
public:
    PulseServer();
    ~PulseServer() override;
    PulseServer(const PulseServer&) = delete;
    PulseServer& operator=(const PulseServer&) = delete;

    void ConfigureClientEnvironment() const override;
    bool Start() override;
    void Signal(int signal) const override;
    void Stop(int signal) override;
    bool Running() const override { return pid_ > 0; }

    bool Pactl(const std::string& args, std::string* output = nullptr) const override;
    const std::string& Folder() const override { return folder_; }

private:
    bool WaitUntilReady() const;
    bool KeepSinkBusy();

    std::string folder_;
    pid_t pid_ = -1;
    pid_t keepAlive_ = -1;
};

}  // namespace moravel::testing
