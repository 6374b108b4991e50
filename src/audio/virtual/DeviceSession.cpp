#include "audio/virtual/DeviceSession.h"

#include <QCoreApplication>

namespace moravel::vcard {

DeviceSession::DeviceSession(std::shared_ptr<CardState> card, Work work)
    : card_(std::move(card)), work_(std::move(work)) {}

DeviceSession::~DeviceSession() {
    bool open = false;
    {
        std::lock_guard lock(mutex_);
        open = open_;
    }
    if (open) End();
}

std::int32_t DeviceSession::Check(TEWDev device, const PcmFormat& format) const {
    {
        std::lock_guard lock(mutex_);
        if (open_) return kWaveError;
    }
    if (!CardState::IsCardDevice(device) || !card_->present) return kWaveBadDevice;
    const bool channels = format.channels == 1 || format.channels == 2;
    const bool bits = format.bitsPerSample == 8 || format.bitsPerSample == 16;
    const bool rate = format.samplesPerSec >= 1 && format.samplesPerSec <= 384000;
    return channels && bits && rate ? kWaveOk : kWaveBadFormat;
}

void DeviceSession::Begin(const PcmFormat& format, QObject* target, std::uint64_t session) {
    {
        std::lock_guard lock(mutex_);
        open_ = true;
        vanished_ = false;
        format_ = format;
        target_ = target;
        session_ = session;
    }
    Post(WaveNotification::Open);
    card_->devices.Add(this);
    if (card_->clock.Mode() == ClockMode::RealTime) {
        pacing_ = std::make_unique<PacingThread>(
            mutex_, card_->clock,
            PacingThread::Hooks{[this] { return deadlineLocked(); }, [this](auto now) { tickLocked(now); }});
    }
}

void DeviceSession::End() {
    pacing_.reset();
    card_->devices.Remove(this);
    std::lock_guard lock(mutex_);
    open_ = false;
}

void DeviceSession::Post(WaveNotification::Kind kind, WaveHeader* header, bool lost) const {
    if (target_) QCoreApplication::postEvent(target_, new WaveNotification(kind, session_, header, lost));
}

void DeviceSession::Wake() {
    if (pacing_) pacing_->Wake();
}

std::optional<std::chrono::nanoseconds> DeviceSession::NextDeadline() {
    std::lock_guard lock(mutex_);
    return deadlineLocked();
}

void DeviceSession::Tick(std::chrono::nanoseconds now) {
    std::lock_guard lock(mutex_);
    tickLocked(now);
}

// Reported once; the queues stay for reset() and close().
void DeviceSession::Vanish() {
    std::lock_guard lock(mutex_);
    if (!working()) return;
    vanished_ = true;
    Post(WaveNotification::Close, nullptr, true);
    Wake();
}

std::optional<std::chrono::nanoseconds> DeviceSession::deadlineLocked() const {
    if (!working()) return std::nullopt;
    return work_.nextDeadline();
}

void DeviceSession::tickLocked(std::chrono::nanoseconds now) {
    if (working()) work_.tick(now);
}

}  // namespace moravel::vcard
