// The wave input and output components: non-visual QObjects that capture
// and play PCM through a capture or playback service (ALSA or the virtual
// soundcard) and report to their owner through handler properties.
//
// Threads: create, call and destroy a component on one thread (the GUI
// thread in the program); every handler runs on that thread, from the
// event loop, one at a time. Services post their notifications as events;
// nothing reaches a component by a direct call from another thread.
//
// Failures are not reported: each service call only sets the open, started
// or playing flag, and callers test the flags.
#pragma once

#include "audio/EnhWaveDevice.h"
#include "audio/WaveDevice.h"
#include "audio/WaveHeader.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace moravel {

/// The capture handler: a pointer into the component's own buffer and the
/// number of bytes captured. The buffer is given back to the device only
/// after the handler returns.
using TEWDataEvent = std::function<void(QObject* sender, std::uint8_t* data, std::int32_t size)>;

enum TEWInCap { icStereo };
enum TEWOutCap { ocStereo, ocLRVolume, ocPitch, ocPlaybackRate, ocSync, ocVolume, ocSampleAccurate };

/// A set of capability elements.
template <typename Element>
struct CapabilitySet {
    std::uint32_t bits = 0;
    bool contains(Element e) const { return (bits >> e) & 1U; }
    void insert(Element e) { bits |= 1U << e; }
    bool empty() const { return bits == 0; }
    bool operator==(const CapabilitySet&) const = default;
};
using TEWInCaps = CapabilitySet<TEWInCap>;
using TEWOutCaps = CapabilitySet<TEWOutCap>;

/// Wave input: keeps a ring of MaxBuffers capture buffers at the device and
/// hands every filled one to OnData. Can also write the raw capture to a
/// WAV file by itself (FileName).
class EnhWaveIn : public EnhWaveDevice {
public:
    static constexpr std::int32_t kMaxRing = 9;

    /// `backend` must outlive the component.
    explicit EnhWaveIn(AudioBackend& backend, QObject* parent = nullptr);
    /// Closes the device and finishes an open raw-capture file.
    ~EnhWaveIn() override;

    /// [icStereo] when the device captures two channels.
    TEWInCaps capabilities() const;

    const std::string& FileName() const { return fileName_; }
    /// Takes effect only while the device is closed.
    void SetFileName(const std::string& name);

    // Stored as given; used by the next Open (as the format fields).
    std::int32_t MaxBuffers = 2;     // 1..9
    std::int32_t BufferSize = 2048;  // bytes per buffer, at least 16

    TEWDataEvent OnData;

    /// Opens and starts the device; returns the started flag. Buffers are
    /// queued when the device's open notification arrives. Throws
    /// std::range_error for MaxBuffers outside 1..9 or BufferSize below 16.
    bool Open();
    /// Stops and closes the device and frees the buffers.
    void Close();
    bool IsStarted() const { return started_; }
    /// Blocks the device lost because no buffer was queued, since the last Open.
    std::int64_t Overruns() const;

protected:
    bool event(QEvent* e) override;

private:
    void queueBuffers();
    void handleData(WaveHeader* header);
    void requeue(WaveHeader* header);
    void handleClose(std::uint64_t session, bool lost);
    void freeBuffers();
    bool ownsBuffer(const WaveHeader* header) const;
    void startFile();
    void appendToFile(const std::uint8_t* data, std::uint32_t bytes);
    void finishFile();

    std::unique_ptr<CaptureService> service_;
    bool started_ = false;
    std::int32_t bufferCount_ = 0;
    std::array<WaveHeader, kMaxRing> headers_{};
    std::array<std::vector<std::uint8_t>, kMaxRing> buffers_;
    std::string fileName_;
    std::FILE* file_ = nullptr;
    PcmWaveHeaderBytes fileHeader_{};
    std::uint32_t fileDataBytes_ = 0;
};

/// Wave output: plays each written block from a copy of its own, in write
/// order, and raises OnDone once per finished block.
class EnhWaveOut : public EnhWaveDevice {
public:
    explicit EnhWaveOut(AudioBackend& backend, QObject* parent = nullptr);
    /// Closes the device (discarding queued blocks).
    ~EnhWaveOut() override;

    TEWOutCaps capabilities() const;
    /// The device's volume, left channel (0..65535).
    std::uint16_t volume() const;
    /// Sets both channels of the device's volume to `value`.
    void setVolume(std::uint16_t value);

    TNotifyEvent OnDone;

    /// Opens the device; returns the open flag.
    bool Open();
    /// Queues a copy of `size` bytes of `data` for playback and returns the
    /// playing flag. On a device that is not open nothing is queued.
    bool Write(const void* data, std::int32_t size);
    /// Frees one queued block (unknown or null headers are left alone);
    /// returns the playing flag.
    bool ReleaseBlock(WaveHeader* header);
    /// Discards queued blocks and closes the device.
    void Close();
    bool IsPlaying() const { return playing_; }
    /// Blocks still queued.
    std::int32_t QueuedBlocks() const;
    /// Times the device ran out of blocks since the last Open.
    std::int64_t Underruns() const;
    /// Frames queued ahead of the last block when it began to play; -1
    /// when not open or the device cannot tell (PlaybackService::leadFrames).
    std::int64_t LeadFrames() const;
    /// Gaps between blocks the open device bridged with silence
    /// (PlaybackService::bridgedGaps); 0 when not open.
    std::int64_t BridgedGaps() const;

protected:
    bool event(QEvent* e) override;

private:
    std::unique_ptr<PlaybackService> service_;
    bool playing_ = false;
    WaveHeader* head_ = nullptr;  // the queue, linked through WaveHeader::user
};

}  // namespace moravel
