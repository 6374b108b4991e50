// The steps the capture and the playback service share to open and to close
// their stream: the PCM opened and checked, the state shared with the worker
// made on it, the worker started; and, at close, the worker ended once no
// buffer is left queued.
//
// Threads: component's thread.
#pragma once

#include "audio/alsa/AlsaDevices.h"
#include "audio/alsa/AlsaPcm.h"
#include "audio/alsa/AlsaStreamRun.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <type_traits>

namespace moravel::alsa {

/// Opens `device` for `stream` and checks that it takes `format` at its
/// exact rate. Returns kWaveOk (pcm open, not yet set up), kWaveBadDevice
/// or kWaveBadFormat.
std::int32_t OpenStream(const Devices& devices, TEWDev device, snd_pcm_stream_t stream, const PcmFormat& format,
                        PcmHandle& pcm);

/// What a service's open() asks for.
struct StreamRequest {
    TEWDev device;
    snd_pcm_stream_t direction;
    PcmFormat format;
    QObject* target;        // where the notifications go
    std::uint64_t session;  // the component's, carried by every notification
};

/// How a service sets up its device once the state is made, before the
/// worker starts: returns a wave result.
template <class State>
using StreamSetUp = std::function<std::int32_t(State& state)>;

/// Opens the stream of a service whose state is `state`: kWaveError while
/// one is open; else the PCM is opened and checked (OpenStream), a State
/// made on it, and `setUp` (when given) sets the device up. On success the
/// state is kept in `state` and `work` starts on it in `run`, which posts
/// Open first. A failure leaves nothing open and posts nothing.
template <class State>
std::int32_t OpenService(std::shared_ptr<State>& state, StreamRun& run, const Devices& devices,
                         const StreamRequest& request, void (*work)(const std::shared_ptr<State>&),
                         const std::type_identity_t<StreamSetUp<State>>& setUp = {}) {
    if (state) return kWaveError;
    PcmHandle pcm;
    if (const std::int32_t result = OpenStream(devices, request.device, request.direction, request.format, pcm);
        result != kWaveOk)
        return result;
    auto opened =
        std::make_shared<State>(std::move(pcm), devices.config(), request.format, request.target, request.session);
    if (setUp) {
        if (const std::int32_t result = setUp(*opened); result != kWaveOk) return result;
    }
    state = std::move(opened);
    run.begin(state, [state = state, work] { work(state); });
    return kWaveOk;
}

/// Closes the stream of a service whose state is `state`: kWaveNotOpen
/// while none is open; kWaveStillPlaying, and nothing done, while the
/// state's queue holds anything; else the worker ends (`run` posts Close)
/// and the state goes.
template <class State>
std::int32_t CloseService(std::shared_ptr<State>& state, StreamRun& run) {
    if (!state) return kWaveNotOpen;
    if (std::lock_guard lock(state->mutex); !state->queue.empty()) return kWaveStillPlaying;
    run.end();
    state.reset();
    return kWaveOk;
}

}  // namespace moravel::alsa
