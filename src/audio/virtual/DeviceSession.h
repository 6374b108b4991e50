// The part of a virtual capture or playback device that both share: the
// device and format checks, the session's target and number, posting
// notifications, registration with the card, the pacing thread in real
// time, and the vanished state. The owning device supplies its work (next
// deadline, tick), which this class runs under its mutex, and keeps its own
// state under the same mutex.
//
// Declare it as the device's last member: it is then destroyed first, and
// its worker stops before the state the work touches goes away.
//
// Threads: Begin, End and the device's calls on the component's thread;
// the work on the pacing thread (real time) or the component's thread
// (stepping).
#pragma once

#include "audio/virtual/CardState.h"
#include "audio/virtual/DeviceRegistry.h"
#include "audio/virtual/PacingThread.h"
#include "audio/WaveDevice.h"

#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

namespace moravel::vcard {

/// Header flags while a device holds a buffer, and when it hands it back.
inline void MarkQueued(WaveHeader& header) { header.flags = (header.flags | kHeaderInQueue) & ~kHeaderDone; }
inline void MarkDone(WaveHeader& header) { header.flags = (header.flags & ~kHeaderInQueue) | kHeaderDone; }

class DeviceSession final : public PacedDevice {
public:
    /// The owner's work, called with Mutex() held while a session is open
    /// and the device has not vanished.
    struct Work {
        std::function<std::optional<std::chrono::nanoseconds>()> nextDeadline;
        std::function<void(std::chrono::nanoseconds now)> tick;
    };

    DeviceSession(std::shared_ptr<CardState> card, Work work);
    /// Ends an open session without posting Close.
    ~DeviceSession();

    DeviceSession(const DeviceSession&) = delete;
    DeviceSession& operator=(const DeviceSession&) = delete;

    std::mutex& Mutex() const { return mutex_; }
    CardState& Card() const { return *card_; }
    std::chrono::nanoseconds Now() const { return card_->clock.Now(); }

    /// kWaveOk, or why the card cannot open `device` for `format`:
    /// kWaveError (a session is open already), kWaveBadDevice (not the
    /// card's, or unplugged), kWaveBadFormat (channels not 1-2, bits not
    /// 8/16, rate not 1..384000). Call without Mutex() held.
    std::int32_t Check(TEWDev device, const PcmFormat& format) const;

    // With Mutex() held:
    bool IsOpen() const { return open_; }
    bool Vanished() const { return vanished_; }
    const PcmFormat& Format() const { return format_; }

    /// Opens the session: registers with the card, starts pacing in real
    /// time, posts Open. Call without Mutex() held.
    void Begin(const PcmFormat& format, QObject* target, std::uint64_t session);
    /// Closes it: stops pacing, unregisters; posts nothing. Call without
    /// Mutex() held.
    void End();
    /// Posts a notification of this session to its target.
    void Post(WaveNotification::Kind kind, WaveHeader* header = nullptr, bool lost = false) const;
    /// The owner's deadlines changed.
    void Wake();

    std::optional<std::chrono::nanoseconds> NextDeadline() override;
    void Tick(std::chrono::nanoseconds now) override;
    void Vanish() override;

private:
    bool working() const { return open_ && !vanished_; }
    std::optional<std::chrono::nanoseconds> deadlineLocked() const;
    void tickLocked(std::chrono::nanoseconds now);

    std::shared_ptr<CardState> card_;
    Work work_;
    mutable std::mutex mutex_;
    bool open_ = false;
    bool vanished_ = false;
    PcmFormat format_;
    QObject* target_ = nullptr;
    std::uint64_t session_ = 0;
    std::unique_ptr<PacingThread> pacing_;
};

}  // namespace moravel::vcard
