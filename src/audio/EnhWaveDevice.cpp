#include "audio/EnhWaveDevice.h"

#include <QDebug>

namespace moravel {

EnhWaveDevice::EnhWaveDevice(AudioBackend& backend, QObject* parent) : QObject(parent), backend_(backend) {}

// Sessions are numbered across all components, so that a notification can
// never be taken for one of a later opening of the same component.
void EnhWaveDevice::startSession() {
    static std::uint64_t counter = 0;
    session_ = ++counter;
}

PcmFormat EnhWaveDevice::format() const {
    PcmFormat pcm;
    pcm.channels = channels;
    pcm.samplesPerSec = samples;
    pcm.bitsPerSample = SampleBits;
    return pcm;
}

void EnhWaveDevice::raise(const std::function<void()>& handler) {
    try {
        handler();
    } catch (...) {
        if (OnHandlerError) {
            OnHandlerError(this, std::current_exception());
        } else {
            qWarning("Unhandled exception in a wave device handler");
        }
    }
}

void EnhWaveDevice::notify(const TNotifyEvent& handler) {
    raise([&] {
        if (handler) handler(this);
    });
}

// A device that went away reports its close by itself, and closing it then
// reports once more.
bool EnhWaveDevice::firstCloseOf(std::uint64_t session) {
    if (session <= closedSession_) return false;
    closedSession_ = session;
    return true;
}

}  // namespace moravel
