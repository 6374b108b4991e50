#include "NotificationRecorder.h"

#include <QCoreApplication>

#include <algorithm>
#include <thread>

namespace moravel::testing {

bool NotificationRecorder::event(QEvent* e) {
    const auto* note = WaveNotification::From(e);
    if (note == nullptr) return QObject::event(e);
    const Received r{note->kind(),
                     note->session(),
                     note->header(),
                     note->lost(),
                     note->header() ? note->header()->bytesRecorded : 0U,
                     std::chrono::steady_clock::now()};
    received.push_back(r);
    if (onReceived) onReceived(r);
    return true;
}

int NotificationRecorder::Count(WaveNotification::Kind kind) const {
    return static_cast<int>(
        std::count_if(received.begin(), received.end(), [&](const Received& r) { return r.kind == kind; }));
}

int NotificationRecorder::LostCloses() const {
    return static_cast<int>(std::count_if(received.begin(), received.end(), [](const Received& r) {
        return r.kind == WaveNotification::Close && r.lost;
    }));
}

std::vector<WaveHeader*> NotificationRecorder::Headers(WaveNotification::Kind kind) const {
    std::vector<WaveHeader*> headers;
    for (const Received& r : received)
        if (r.kind == kind) headers.push_back(r.header);
    return headers;
}

std::vector<std::uint32_t> NotificationRecorder::BytesRecorded() const {
    std::vector<std::uint32_t> bytes;
    for (const Received& r : received)
        if (r.kind == WaveNotification::Data) bytes.push_back(r.bytesRecorded);
    return bytes;
}

bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        QCoreApplication::sendPostedEvents();
        if (done()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

void PumpFor(std::chrono::milliseconds duration) {
    PumpUntil([] { return false; }, duration);
}

}  // namespace moravel::testing
