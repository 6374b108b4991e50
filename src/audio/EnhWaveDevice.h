// What the wave input and output components share: the format and device
// fields, the session of the current opening, the open and close handlers,
// the rule that a session's close is reported once, and the way a handler
// runs (an exception it raises goes to OnHandlerError).
//
// Threads: as the components (EnhWave.h): created, called and destroyed on
// one thread, which runs every handler.
#pragma once

#include "audio/WaveDevice.h"

#include <QObject>

#include <cstdint>
#include <exception>
#include <functional>

namespace moravel {

/// A plain notification handler: the component that raises it.
using TNotifyEvent = std::function<void(QObject* sender)>;
/// Receives an exception a handler raised, after the component finished its
/// own work for that notification (the application shows it).
using THandlerErrorEvent = std::function<void(QObject* sender, std::exception_ptr error)>;

class EnhWaveDevice : public QObject {
public:
    // Stored as given; used by the next Open.
    std::int32_t channels = 1;
    std::int32_t samples = 8000;  // samples per second
    std::int32_t SampleBits = 8;
    TEWDev device = wvMapper;

    /// The session of the open device, 0 while none is open.
    std::uint64_t DeviceID() const { return open_ ? session_ : 0; }
    bool IsOpen() const { return open_; }

    TNotifyEvent OnOpen;
    TNotifyEvent OnClose;
    /// Raised when the open device went away by itself (card unplugged,
    /// sound server gone), after the component closed it and before OnClose.
    TNotifyEvent OnLost;
    THandlerErrorEvent OnHandlerError;

protected:
    /// `backend` must outlive the component.
    EnhWaveDevice(AudioBackend& backend, QObject* parent);

    /// Gives the next opening a session number of its own.
    void startSession();
    /// The format the fields describe.
    PcmFormat format() const;
    /// Runs `handler`; an exception it raises goes to OnHandlerError (or the log).
    void raise(const std::function<void()>& handler);
    /// Raises `handler` (OnOpen, OnClose, ...) when it is set.
    void notify(const TNotifyEvent& handler);
    /// True for the first close heard of `session`, false once that session
    /// or a later one was reported closed.
    bool firstCloseOf(std::uint64_t session);

    AudioBackend& backend_;
    bool open_ = false;
    std::uint64_t session_ = 0;

private:
    std::uint64_t closedSession_ = 0;
};

}  // namespace moravel
