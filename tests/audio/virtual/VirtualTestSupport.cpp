#include "VirtualTestSupport.h"

#include "audio/virtual/VirtualCard.h"

#include <QCoreApplication>

#include <cmath>
#include <numbers>

namespace moravel::testing {

double ToneAmplitude(const std::vector<std::int16_t>& samples, double hz, std::int32_t rate) {
    const double w = 2.0 * std::numbers::pi * hz / rate;
    const double coefficient = 2.0 * std::cos(w);
    double s1 = 0.0;
    double s2 = 0.0;
    for (std::int16_t x : samples) {
        const double s0 = x + coefficient * s1 - s2;
        s2 = s1;
        s1 = s0;
    }
    const double power = s1 * s1 + s2 * s2 - coefficient * s1 * s2;
    return 2.0 * std::sqrt(std::max(power, 0.0)) / static_cast<double>(samples.size());
}

std::pair<std::size_t, std::size_t> CountsAround(VirtualCard& card, NotificationLog& log,
                                                 std::chrono::nanoseconds due, WaveNotification::Kind kind) {
    card.Advance(due - card.Now() - std::chrono::nanoseconds(1));
    log.Deliver();
    const std::size_t before = log.Count(kind);
    card.Advance(std::chrono::nanoseconds(1));
    log.Deliver();
    return {before, log.Count(kind)};
}

std::unique_ptr<CaptureService> RequeuingCapture(VirtualCard& card, NotificationLog& log, BufferRing& ring) {
    auto capture = card.createCapture();
    if (capture->open(wvMapper, Format(8450), 2048, &log, 1) != kWaveOk) return nullptr;
    log.requeue = capture.get();
    for (WaveHeader& header : ring.headers) capture->addBuffer(&header);
    return capture;
}

PcmFormat Format(std::int32_t rate, std::int32_t bits, std::int32_t channels) {
    PcmFormat format;
    format.channels = channels;
    format.samplesPerSec = rate;
    format.bitsPerSample = bits;
    return format;
}

void NotificationLog::Deliver() { QCoreApplication::sendPostedEvents(this, WaveNotification::Type()); }

std::vector<NotificationLog::Entry> NotificationLog::Of(WaveNotification::Kind kind) const {
    std::vector<Entry> found;
    for (const Entry& entry : entries)
        if (entry.kind == kind) found.push_back(entry);
    return found;
}

std::vector<WaveHeader*> NotificationLog::Headers(WaveNotification::Kind kind) const {
    std::vector<WaveHeader*> found;
    for (const Entry& entry : Of(kind)) found.push_back(entry.header);
    return found;
}

bool NotificationLog::event(QEvent* e) {
    const auto* note = WaveNotification::From(e);
    if (note == nullptr) return QObject::event(e);
    const std::uint32_t bytes =
        note->kind() == WaveNotification::Data && note->header() ? note->header()->bytesRecorded : 0;
    entries.push_back({note->kind(), note->session(), note->header(), note->lost(), bytes});
    if (requeue && note->kind() == WaveNotification::Data) requeue->addBuffer(note->header());
    return true;
}

BufferRing::BufferRing(std::size_t count, std::uint32_t bytes) : data(count), headers(count) {
    for (std::size_t i = 0; i < count; ++i) {
        data[i].assign(bytes, 0xAA);
        headers[i].data = data[i].data();
        headers[i].bufferLength = bytes;
        headers[i].flags = kHeaderPrepared;
    }
}

}  // namespace moravel::testing
