#include "audio/EnhWaveDevice.h"

#include <QDebug>

namespace moravel {

TEnhWaveDevice::TEnhWaveDevice(AudioBackend& backend, QObject* parent) : QObject(parent), backend_(backend) {}

// Sessions are numbered across all components, so that a notification can
// never be taken for one of a later opening of the same component.
void TEnhWaveDevice::startSession() {
    static std::uint64_t counter = 0;
    session_ = ++counter;
}

PcmFormat TEnhWaveDevice::format() const {
    PcmFormat pcm;
    pcm.channels = channels;
    pcm.samplesPerSec = samples;
    pcm.bitsPerSample = SampleBits;
    return pcm;
}

void TEnhWaveDevice::raise(const std::function<void()>& handler) {
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

void TEnhWaveDevice::notify(const TNotifyEvent& handler) {
    raise([&] {
        if (handler) handler(this);
    });
}

// A device that went away reports its close by itself, and closing it then
// reports once more.
bool TEnhWaveDevice::firstCloseOf(std::uint64_t session) {
    if (session <= closedSession_) return false;
    closedSession_ = session;
    return true;
}

}  // namespace moravel
