// Helpers for the virtual card's tests: a tone detector, a notification
// recorder standing in for a wave component, and formats.
#pragma once

#include "audio/WaveDevice.h"

#include <QObject>

#include <chrono>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace moravel {
class VirtualCard;
}

namespace moravel::testing {

/// Amplitude of the `hz` component of `samples` at `rate` (Goertzel, no
/// window): a pure sine of amplitude A over whole cycles gives A.
double ToneAmplitude(const std::vector<std::int16_t>& samples, double hz, std::int32_t rate);

PcmFormat Format(std::int32_t rate, std::int32_t bits = 16, std::int32_t channels = 1);

/// Records every WaveNotification posted to it, in delivery order. With
/// `requeue` set to a capture service, gives each Data buffer straight back,
/// as the input component does after its handler.
class NotificationLog : public QObject {
public:
    struct Entry {
        WaveNotification::Kind kind;
        std::uint64_t session;
        WaveHeader* header;
        bool lost;
        std::uint32_t bytes;  // bytesRecorded of a Data header when delivered
    };

    CaptureService* requeue = nullptr;
    std::vector<Entry> entries;

    /// Delivers the notifications posted so far.
    void Deliver();
    std::vector<Entry> Of(WaveNotification::Kind kind) const;
    std::size_t Count(WaveNotification::Kind kind) const { return Of(kind).size(); }
    std::vector<WaveHeader*> Headers(WaveNotification::Kind kind) const;

protected:
    bool event(QEvent* e) override;
};

/// Moves `card`'s stepping clock to one nanosecond before `due` and then to
/// `due`, delivering `log` at each: how many `kind` notifications it holds
/// at the two moments (a deadline met exactly, not a nanosecond early).
std::pair<std::size_t, std::size_t> CountsAround(VirtualCard& card, NotificationLog& log,
                                                 std::chrono::nanoseconds due, WaveNotification::Kind kind);

/// `count` buffers of `bytes` bytes each, with their headers.
struct BufferRing {
    BufferRing(std::size_t count, std::uint32_t bytes);
    std::vector<std::vector<std::uint8_t>> data;
    std::vector<WaveHeader> headers;
    WaveHeader* operator[](std::size_t i) { return &headers[i]; }
};

/// A capture of `card` opened at 8450 Hz in blocks of 2048 bytes, session 1,
/// with every buffer of `ring` queued and each given back as `log` delivers
/// it; not started. Null when it does not open.
std::unique_ptr<CaptureService> RequeuingCapture(VirtualCard& card, NotificationLog& log, BufferRing& ring);

}  // namespace moravel::testing
