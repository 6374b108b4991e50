// The virtual soundcard: a capture and playback backend without hardware,
// for demos and tests. Capture records a synthetic receiver signal (or a
// looped WAV file) into the queued buffers at the exact block rate; playback
// consumes written blocks at the output rate and can write what it played to
// a WAV file. The card offers one device, reachable as wvMapper and
// wvDevice0, with 1-2 channels of 8 or 16 bits at 1..384000 Hz.
//
// Clock. Block n (n = 1, 2, ...) of a capture session is due n x blockFrames
// / rate seconds after start(); a playback block finishes when its duration
// has elapsed after the previous block finished or after it was written,
// whichever is later. In real time a worker thread per open device sleeps
// until each deadline. With the stepping clock there are no threads: a test
// moves card time with Advance() on the component's thread, which produces
// every block that came due and posts its notification; the test then
// delivers the notifications (QCoreApplication::sendPostedEvents), or lets
// RunFor() do both, deadline by deadline, as an event loop would.
//
// Threads: create, call and destroy the card and its devices on the
// component's thread. Devices may outlive the card.
#pragma once

#include "audio/virtual/SampleSource.h"
#include "audio/virtual/VirtualClock.h"
#include "audio/WaveDevice.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace moravel {

namespace vcard {
struct CardState;
}

struct VirtualCardOptions {
    ClockMode clock = ClockMode::RealTime;
    /// What capture records; empty: ReceiverSignal at the session's rate.
    SourceFactory source;
    /// When set, each playback session writes what it plays to this file
    /// (mono, 16-bit, at the session's rate), replacing the previous
    /// session's file, and completes it when the device closes. A file that
    /// cannot be created fails the playback open with kWaveError.
    std::string playbackFile;
    /// Keeps every played sample for PlayedSamples(); memory grows with
    /// play time, so only for tests.
    bool keepPlayedSamples = false;
};

class VirtualCard final : public AudioBackend {
public:
    explicit VirtualCard(VirtualCardOptions options = {});
    ~VirtualCard() override;

    VirtualCard(const VirtualCard&) = delete;
    VirtualCard& operator=(const VirtualCard&) = delete;

    std::unique_ptr<CaptureService> createCapture() override;
    std::unique_ptr<PlaybackService> createPlayback() override;
    /// Present, 2 channels, for wvMapper and wvDevice0 while plugged in.
    DeviceCaps captureCaps(TEWDev device) override;
    /// As captureCaps, with volume and separate left and right volume.
    DeviceCaps playbackCaps(TEWDev device) override;
    /// A stored value (left in the low 16 bits), initially 0xFFFFFFFF; it
    /// does not scale the played samples.
    bool getVolume(TEWDev device, std::uint32_t& volume) override;
    bool setVolume(TEWDev device, std::uint32_t volume) override;
    std::vector<std::string> captureDeviceNames() override;
    std::vector<std::string> playbackDeviceNames() override;

    // ---- Clock -----------------------------------------------------------
    ClockMode Clock() const;
    /// Card time: nanoseconds since the card was made (real time) or as far
    /// as the test moved it (stepping).
    std::chrono::nanoseconds Now() const;
    /// Stepping only (std::logic_error otherwise): moves card time on by
    /// `step`, visiting every deadline on the way in time order, producing
    /// the blocks due there and posting their notifications.
    void Advance(std::chrono::nanoseconds step);
    /// Advance by the duration of `frames` frames at `rate` (rounded up to
    /// whole nanoseconds).
    void AdvanceFrames(std::int64_t frames, std::int32_t rate);
    /// Stepping only: moves to the earliest pending deadline and does what
    /// is due there. False (time unchanged) when no device has a deadline.
    bool StepToNextDeadline();
    /// Stepping only: like Advance, but delivers the posted events
    /// (QCoreApplication::sendPostedEvents) after every deadline, so that a
    /// component can re-queue its buffers in time, as with an event loop.
    void RunFor(std::chrono::nanoseconds span);

    // ---- Test hooks ------------------------------------------------------
    /// The card goes away: every open device posts Close with lost = true
    /// (once) and stops producing and consuming; its queues stay until
    /// reset or close. Opens fail with kWaveBadDevice and caps say absent
    /// until Plug().
    void Unplug();
    void Plug();
    /// Devices opened and not yet closed.
    std::size_t OpenDevices() const;
    /// What the playback devices played (mono 16-bit, channels averaged),
    /// if options.keepPlayedSamples; otherwise empty.
    std::vector<std::int16_t> PlayedSamples() const;
    void ClearPlayedSamples();

private:
    void requireStepping(const char* what) const;
    void advanceTo(std::chrono::nanoseconds target, bool deliver);

    std::shared_ptr<vcard::CardState> state_;
};

}  // namespace moravel
