// The platform side of the wave components: the device choice, the PCM
// format, the buffer header shared with a capture or playback service, the
// notifications a service posts to its component, and the service
// interfaces with their two implementations (ALSA, the virtual soundcard).
//
// Threads: a component and its services are created, called and destroyed on
// the component's thread (the GUI thread in the program). A service may run
// worker threads of its own; they touch only the service's own memory and
// reach the component solely by QCoreApplication::postEvent, so every
// notification is handled on the component's thread.
#pragma once

#include "audio/ThreadHandOff.h"

#include <QEvent>
#include <QObject>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace moravel {

/// The device choice shared by wave input and output: the system's default
/// device, or one of the first ten devices the system lists.
enum TEWDev : std::int32_t {
    wvMapper,
    wvDevice0,
    wvDevice1,
    wvDevice2,
    wvDevice3,
    wvDevice4,
    wvDevice5,
    wvDevice6,
    wvDevice7,
    wvDevice8,
    wvDevice9
};

/// The system identifier of a device choice: −1 for wvMapper, 0..9 for the others.
constexpr std::int32_t DeviceIndex(TEWDev device) { return static_cast<std::int32_t>(device) - 1; }

/// Linear PCM, interleaved, little-endian; 8-bit samples are unsigned.
struct PcmFormat {
    std::int32_t channels = 1;
    std::int32_t samplesPerSec = 8000;
    std::int32_t bitsPerSample = 16;
    /// (channels × bits) shr 3, in 16-bit arithmetic as the format record holds it.
    std::int32_t blockAlign() const { return static_cast<std::uint16_t>(channels * bitsPerSample) >> 3; }
};

/// One buffer handed to a service: the system's waveform header.
struct WaveHeader {
    std::uint8_t* data = nullptr;     // the buffer's bytes, owned by the component
    std::uint32_t bufferLength = 0;   // bytes
    std::uint32_t bytesRecorded = 0;  // capture: bytes the service filled in
    std::uintptr_t user = 0;          // output: the next block of the component's queue
    std::uint32_t flags = 0;          // kHeaderPrepared | kHeaderInQueue | kHeaderDone
    std::uint32_t loops = 0;
    WaveHeader* next = nullptr;
    std::uintptr_t reserved = 0;
};
constexpr std::uint32_t kHeaderDone = 0x1;
constexpr std::uint32_t kHeaderPrepared = 0x2;
constexpr std::uint32_t kHeaderInQueue = 0x10;

/// What a service tells its component, as a posted event.
class WaveNotification : public QEvent {
public:
    enum Kind { Open, Data, Done, Close };
    /// The event type, registered once.
    static QEvent::Type Type();

    /// `session` is the value the component passed to open(): a component
    /// ignores notifications of an earlier session. `header` is the buffer a
    /// Data or Done notification concerns, as a token: the service no longer
    /// touches it. `lost` marks a Close the service sends by itself because
    /// the device or the sound server went away.
    WaveNotification(Kind kind, std::uint64_t session, WaveHeader* header = nullptr, bool lost = false)
        : QEvent(Type()), kind_(kind), session_(session), header_(header), lost_(lost) {
        HandOffSent(this);
    }

    /// The notification `e` is, or nullptr for any other event. Receivers
    /// take events through this before touching them (ThreadHandOff.h).
    /// The receiver's thread.
    static const WaveNotification* From(const QEvent* e) {
        HandOffTaken(e);
        return e->type() == Type() ? static_cast<const WaveNotification*>(e) : nullptr;
    }

    Kind kind() const { return kind_; }
    std::uint64_t session() const { return session_; }
    WaveHeader* header() const { return header_; }
    bool lost() const { return lost_; }

private:
    Kind kind_;
    std::uint64_t session_;
    WaveHeader* header_;
    bool lost_;
};

/// Result codes of service calls: 0 is success.
enum WaveResult : std::int32_t {
    kWaveOk = 0,
    kWaveError = 1,          // unspecified failure
    kWaveBadDevice = 2,      // no such device (or the server is not running)
    kWaveBadFormat = 32,     // the device refuses the format or rate
    kWaveStillPlaying = 33,  // closing with buffers still queued
    kWaveNotOpen = 5,
};

/// A capture device, opened for one session.
class CaptureService {
public:
    virtual ~CaptureService() = default;
    /// Opens `device` for `format`, with device periods of `bufferBytes`
    /// bytes. On success posts Open to `target`. Returns a WaveResult.
    virtual std::int32_t open(TEWDev device, const PcmFormat& format, std::uint32_t bufferBytes, QObject* target,
                              std::uint64_t session) = 0;
    /// Starts capturing into the queued buffers.
    virtual std::int32_t start() = 0;
    /// Queues a buffer. The service fills header->data (up to bufferLength)
    /// under its own lock, sets bytesRecorded, and posts Data(header); it
    /// does not touch the header after that. Buffers return in queue order.
    virtual std::int32_t addBuffer(WaveHeader* header) = 0;
    /// Stops capturing; queued buffers stay queued.
    virtual std::int32_t stop() = 0;
    /// Stops and returns every queued buffer (posting Data with what it
    /// holds, possibly 0 bytes). When it returns, no buffer is touched any more.
    virtual std::int32_t reset() = 0;
    /// Releases the device, within a bounded time even if the device hangs,
    /// and posts Close (also after a lost Close). With buffers still queued
    /// it returns kWaveStillPlaying and does nothing: reset() first.
    virtual std::int32_t close() = 0;
    /// Capture blocks lost since the device was opened: blocks that found no
    /// buffer queued, and the device's own overruns.
    virtual std::int64_t xruns() const = 0;
};

/// A playback device, opened for one session.
class PlaybackService {
public:
    virtual ~PlaybackService() = default;
    /// Opens `device` for `format`; posts Open to `target` on success.
    virtual std::int32_t open(TEWDev device, const PcmFormat& format, QObject* target, std::uint64_t session) = 0;
    /// Queues header->data[0..bufferLength) for playback (the service copies
    /// it at once) and posts Done(header) when the block has been played
    /// (ALSA: handed to the device's buffer; the virtual card: its duration
    /// has elapsed). Blocks play in write order.
    virtual std::int32_t write(WaveHeader* header) = 0;
    /// Discards every queued block (posting Done for each) and stops.
    virtual std::int32_t reset() = 0;
    /// Releases the device within a bounded time and posts Close; with
    /// blocks still queued returns kWaveStillPlaying (reset() first).
    virtual std::int32_t close() = 0;
    /// Underruns since the device was opened.
    virtual std::int64_t xruns() const = 0;
    /// Frames that were queued ahead of the last block when it began to
    /// play into the device (what that block waited to be heard); negative
    /// when the device cannot tell, or before the first block.
    virtual std::int64_t leadFrames() const { return -1; }
    /// Times the device was about to run dry between two blocks and played
    /// silence to bridge the gap (a block came late); 0 where it never does.
    virtual std::int64_t bridgedGaps() const { return 0; }
};

/// Channel count and volume support of a device.
struct DeviceCaps {
    bool present = false;
    std::int32_t channels = 0;
    bool volume = false;    // the device's volume can be set
    bool lrVolume = false;  // left and right separately
};

/// A family of devices: creates services and answers device queries.
class AudioBackend {
public:
    virtual ~AudioBackend() = default;
    virtual std::unique_ptr<CaptureService> createCapture() = 0;
    virtual std::unique_ptr<PlaybackService> createPlayback() = 0;
    virtual DeviceCaps captureCaps(TEWDev device) = 0;
    virtual DeviceCaps playbackCaps(TEWDev device) = 0;
    /// Playback volume of `device`: left in the low 16 bits, right in the
    /// high 16 bits. Returns false when the device has no volume control.
    virtual bool getVolume(TEWDev device, std::uint32_t& volume) = 0;
    virtual bool setVolume(TEWDev device, std::uint32_t volume) = 0;
    /// Chooses the devices wvMapper opens from now on: `input` for capture,
    /// `output` for playback, each a name of the family's own (ALSA: a PCM
    /// name), empty for the system's default. Families with one device
    /// ignore it.
    virtual void ChooseDevices(const std::string& input, const std::string& output) {
        static_cast<void>(input);
        static_cast<void>(output);
    }
    /// Forgets what the family learnt of the system's devices, so that the
    /// next opening sees devices and sound servers that came since (call
    /// only while none of its devices is open).
    virtual void Rescan() {}
    /// Names of the devices, wvMapper first, for display.
    virtual std::vector<std::string> captureDeviceNames() = 0;
    virtual std::vector<std::string> playbackDeviceNames() = 0;
};

}  // namespace moravel
