// A backend whose devices do only what the test tells them: it records every
// call and lets the test post the notifications a real device would, one at
// a time, so the components' rules can be checked step by step.
#pragma once

#include "audio/WaveDevice.h"

#include <QCoreApplication>

#include <cstring>
#include <deque>
#include <vector>

namespace moravel::testing {

struct ScriptedDevices {
    // Capture side.
    std::deque<WaveHeader*> queued;  // buffers at the "device", oldest first
    int addBufferCalls = 0;
    int startCalls = 0, stopCalls = 0, resetCalls = 0, closeCalls = 0;
    QObject* captureTarget = nullptr;
    std::uint64_t captureSession = 0;
    std::uint32_t periodBytes = 0;
    PcmFormat captureFormat;
    std::int32_t captureOpenResult = kWaveOk;
    // Playback side.
    std::vector<std::vector<std::uint8_t>> written;  // copies taken at write()
    std::deque<WaveHeader*> playing;
    int playbackResets = 0, playbackCloses = 0;
    QObject* playbackTarget = nullptr;
    std::uint64_t playbackSession = 0;
    std::int32_t playbackOpenResult = kWaveOk;
    std::uint32_t volume = 0;
    DeviceCaps caps;

    /// Fills the oldest queued buffer with `bytes` bytes of `value` and
    /// posts its Data notification.
    WaveHeader* Capture(std::uint32_t bytes, std::uint8_t value = 0x11) {
        WaveHeader* h = queued.front();
        queued.pop_front();
        std::memset(h->data, value, bytes);
        h->bytesRecorded = bytes;
        Post(captureTarget, WaveNotification::Data, captureSession, h);
        return h;
    }
    /// Posts Done for the oldest playing block.
    WaveHeader* Play() {
        WaveHeader* h = playing.front();
        playing.pop_front();
        Post(playbackTarget, WaveNotification::Done, playbackSession, h);
        return h;
    }
    static void Post(QObject* target, WaveNotification::Kind kind, std::uint64_t session, WaveHeader* h = nullptr,
                     bool lost = false) {
        QCoreApplication::postEvent(target, new WaveNotification(kind, session, h, lost));
    }
};

class ScriptedCapture : public CaptureService {
public:
    explicit ScriptedCapture(ScriptedDevices& d) : d_(d) {}
    std::int32_t open(TEWDev, const PcmFormat& format, std::uint32_t bufferBytes, QObject* target,
                      std::uint64_t session) override {
        if (d_.captureOpenResult != kWaveOk) return d_.captureOpenResult;
        d_.captureTarget = target;
        d_.captureSession = session;
        d_.captureFormat = format;
        d_.periodBytes = bufferBytes;
        d_.queued.clear();
        ScriptedDevices::Post(target, WaveNotification::Open, session);
        return kWaveOk;
    }
    std::int32_t start() override { return ++d_.startCalls, kWaveOk; }
    std::int32_t addBuffer(WaveHeader* h) override {
        ++d_.addBufferCalls;
        d_.queued.push_back(h);
        return kWaveOk;
    }
    std::int32_t stop() override { return ++d_.stopCalls, kWaveOk; }
    std::int32_t reset() override {
        ++d_.resetCalls;
        // The device gives every queued buffer back, empty.
        for (WaveHeader* h : d_.queued)
            ScriptedDevices::Post(d_.captureTarget, WaveNotification::Data, d_.captureSession, h);
        d_.queued.clear();
        return kWaveOk;
    }
    std::int32_t close() override {
        ++d_.closeCalls;
        ScriptedDevices::Post(d_.captureTarget, WaveNotification::Close, d_.captureSession);
        return kWaveOk;
    }
    std::int64_t xruns() const override { return 0; }

private:
    ScriptedDevices& d_;
};

class ScriptedPlayback : public PlaybackService {
public:
    explicit ScriptedPlayback(ScriptedDevices& d) : d_(d) {}
    std::int32_t open(TEWDev, const PcmFormat&, QObject* target, std::uint64_t session) override {
        if (d_.playbackOpenResult != kWaveOk) return d_.playbackOpenResult;
        d_.playbackTarget = target;
        d_.playbackSession = session;
        ScriptedDevices::Post(target, WaveNotification::Open, session);
        return kWaveOk;
    }
    std::int32_t write(WaveHeader* h) override {
        d_.written.emplace_back(h->data, h->data + h->bufferLength);
        d_.playing.push_back(h);
        return kWaveOk;
    }
    std::int32_t reset() override {
        ++d_.playbackResets;
        for (WaveHeader* h : d_.playing)
            ScriptedDevices::Post(d_.playbackTarget, WaveNotification::Done, d_.playbackSession, h);
        d_.playing.clear();
        return kWaveOk;
    }
    std::int32_t close() override {
        ++d_.playbackCloses;
        ScriptedDevices::Post(d_.playbackTarget, WaveNotification::Close, d_.playbackSession);
        return kWaveOk;
    }
    std::int64_t xruns() const override { return 0; }

private:
    ScriptedDevices& d_;
};

class ScriptedBackend : public AudioBackend {
public:
    ScriptedDevices devices;
    std::unique_ptr<CaptureService> createCapture() override { return std::make_unique<ScriptedCapture>(devices); }
    std::unique_ptr<PlaybackService> createPlayback() override { return std::make_unique<ScriptedPlayback>(devices); }
    DeviceCaps captureCaps(TEWDev) override { return devices.caps; }
    DeviceCaps playbackCaps(TEWDev) override { return devices.caps; }
    bool getVolume(TEWDev, std::uint32_t& v) override { return v = devices.volume, true; }
    bool setVolume(TEWDev, std::uint32_t v) override { return devices.volume = v, true; }
    std::vector<std::string> captureDeviceNames() override { return {"scripted"}; }
    std::vector<std::string> playbackDeviceNames() override { return {"scripted"}; }
};

/// Delivers every posted event.
inline void Deliver() { QCoreApplication::sendPostedEvents(); }

}  // namespace moravel::testing
