// Measures the ALSA services on a private sound server (PulseAudio, or
// PipeWire with MORAVEL_TEST_SERVER=pipewire), for the
// figures in docs/audio-devices.md: blocks delivered per second against
// nominal, CPU time of the two worker threads, and the delay from a
// captured block to the start of its playback. The capture is played back
// as it comes (as the program does with each processed block). Run by hand:
//
//   alsa_measure [seconds (60)] [audio range 0..3 (0: 4000/3950 Hz, 1024 bytes)]
#include "audio/alsa/AlsaBackend.h"
#include "ChosenServer.h"
#include "LoopbackRig.h"
#include "NotificationRecorder.h"
#include "ToneAnalysis.h"

#include <QCoreApplication>

#include <alsa/asoundlib.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

using namespace moravel;
using namespace moravel::testing;
using Clock = std::chrono::steady_clock;

namespace {

struct Range {
    std::int32_t outputRate, captureRate;
    std::uint32_t blockBytes;
};
constexpr std::array<Range, 4> kRanges{
    {{4000, 3950, 1024}, {8500, 8450, 2048}, {16000, 15950, 4096}, {31000, 30950, 8192}}};

// Capture played back as it comes: three capture buffers, playback blocks
// written at each Data from a pool of headers given back at Done.
class Echo {
public:
    Echo(AlsaBackend& backend, const Range& range)
        : range_(range), capture_(backend.newCapture()), playback_(backend.newPlayback()) {
        captureNotes_.onReceived = [this](const Received& r) { onCaptured(r); };
        playbackNotes_.onReceived = [this](const Received& r) {
            if (r.kind == WaveNotification::Done) free_.push_back(r.header);
        };
        for (WaveHeader& h : pool_) free_.push_back(&h);
    }

    bool open() {
        if (playback_->open(wvMapper, PcmFormat{1, range_.outputRate, 16}, &playbackNotes_, 1) != kWaveOk ||
            capture_->open(wvMapper, PcmFormat{1, range_.captureRate, 16}, range_.blockBytes, &captureNotes_, 1) !=
                kWaveOk)
            return false;
        for (std::size_t i = 0; i < ring_.size(); ++i) {
            buffers_[i].assign(range_.blockBytes, 0);
            ring_[i].data = buffers_[i].data();
            ring_[i].bufferLength = range_.blockBytes;
            capture_->addBuffer(&ring_[i]);
        }
        return capture_->start() == kWaveOk;
    }

    void close() {
        capture_->reset();
        capture_->close();
        playback_->reset();
        playback_->close();
    }

    /// Starts counting afresh.
    void mark() {
        times_.clear();
        captureDelay_ = playbackDelay_ = 0;
        captureCpu_ = capture_->workerCpuTime();
        playbackCpu_ = playback_->workerCpuTime();
        captureXruns_ = capture_->xruns();
        playbackXruns_ = playback_->xruns();
        captureWaits_ = capture_->deviceWaits();
        playbackWaits_ = playback_->deviceWaits();
    }

    void report(double seconds) const {
        const double nominal = range_.captureRate / (range_.blockBytes / 2.0);
        const double counted =
            (times_.size() - 1.0) / std::chrono::duration<double>(times_.back() - times_.front()).count();
        const double fitted = EventsPerSecond(times_);
        auto percent = [&](std::chrono::nanoseconds cpu) { return 100.0 * cpu.count() / 1e9 / seconds; };
        std::printf("range %d/%d Hz, %u bytes, %.0f s\n", range_.outputRate, range_.captureRate, range_.blockBytes,
                    seconds);
        std::printf("blocks per second: nominal %.4f, first to last %.4f (%+.3f %%), fitted %.4f (%+.3f %%)\n", nominal,
                    counted, 100 * (counted / nominal - 1), fitted, 100 * (fitted / nominal - 1));
        std::printf("worker CPU: capture %.3f %%, playback %.3f %% of one core\n",
                    percent(capture_->workerCpuTime() - captureCpu_),
                    percent(playback_->workerCpuTime() - playbackCpu_));
        std::printf("xruns: capture %lld, playback %lld\n", static_cast<long long>(capture_->xruns() - captureXruns_),
                    static_cast<long long>(playback_->xruns() - playbackXruns_));
        const double blocks = std::max<double>(1, static_cast<double>(times_.size()));
        std::printf("waits on the device per block: capture %.2f, playback %.2f\n",
                    static_cast<double>(capture_->deviceWaits() - captureWaits_) / blocks,
                    static_cast<double>(playback_->deviceWaits() - playbackWaits_) / blocks);
        std::printf(
            "device delay, on average: capture %.1f ms after a block ended, playback %.1f ms before a "
            "block starts (block length %.1f ms)\n",
            1000 * captureDelay_ / blocks, 1000 * playbackDelay_ / blocks,
            1000.0 * (range_.blockBytes / 2.0) / range_.captureRate);
    }

private:
    void onCaptured(const Received& r) {
        if (r.kind != WaveNotification::Data || r.bytesRecorded == 0) return;
        times_.push_back(r.at);
        // The block ended this long before it was read, and waits behind
        // what the playback device holds when its first frame is written.
        captureDelay_ += static_cast<double>(capture_->lastDelayFrames()) / range_.captureRate;
        playbackDelay_ += static_cast<double>(playback_->lastDelayFrames()) / range_.outputRate;
        if (!free_.empty()) {
            WaveHeader* out = free_.back();
            free_.pop_back();
            out->data = r.header->data;
            out->bufferLength = r.bytesRecorded;
            playback_->write(out);
        }
        capture_->addBuffer(r.header);
    }

    Range range_;
    std::unique_ptr<AlsaCapture> capture_;
    std::unique_ptr<AlsaPlayback> playback_;
    NotificationRecorder captureNotes_, playbackNotes_;
    std::array<WaveHeader, 3> ring_{};
    std::array<std::vector<std::uint8_t>, 3> buffers_;
    std::array<WaveHeader, 8> pool_{};
    std::vector<WaveHeader*> free_;
    std::vector<Clock::time_point> times_;
    double captureDelay_ = 0, playbackDelay_ = 0;  // seconds, summed over the blocks
    std::chrono::nanoseconds captureCpu_{}, playbackCpu_{};
    std::int64_t captureXruns_ = 0, playbackXruns_ = 0;
    std::int64_t captureWaits_ = 0, playbackWaits_ = 0;
};

// Round trip through the server: a tone starts playing as capture starts;
// the sample where it arrives in the capture, over the capture rate, is
// the playback latency plus the capture latency. Milliseconds, or -1.
double RoundTripMs(AlsaBackend& backend, const Range& range) {
    LoopbackRig rig(backend, AudioRange{range.outputRate, range.captureRate, range.blockBytes}, range.outputRate / 10.0,
                    0.5);
    if (rig.Open() != kWaveOk) return -1;
    std::size_t onset = 0;
    const bool heard = PumpUntil(
        [&] {
            onset = 0;
            for (const LoopbackRig::Block& block : rig.Captured())
                for (const std::int16_t sample : block.samples) {
                    if (sample > 8000 || sample < -8000) return true;
                    ++onset;
                }
            return false;
        },
        std::chrono::seconds(3));
    rig.Close();
    return heard ? 1000.0 * static_cast<double>(onset) / range.captureRate : -1;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const double seconds = argc > 1 ? std::atof(argv[1]) : 60;
    const Range range = kRanges[argc > 2 ? static_cast<std::size_t>(std::atoi(argv[2])) % kRanges.size() : 0];

    const std::unique_ptr<SoundServer> server = ChosenServer();
    if (!server) return 1;
    server->ConfigureClientEnvironment();
    if (!server->Start()) return 1;
    snd_pcm_t* pcm = nullptr;  // "default" becomes the server on its first open
    if (snd_pcm_open(&pcm, "default", SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK) == 0) snd_pcm_close(pcm);

    AlsaBackend backend;
    Echo echo(backend, range);
    if (!echo.open()) {
        std::fprintf(stderr, "the devices do not open\n");
        return 1;
    }
    PumpFor(std::chrono::seconds(2));  // past the start
    echo.mark();
    const auto start = Clock::now();
    PumpFor(std::chrono::milliseconds(static_cast<long long>(seconds * 1000)));
    echo.report(std::chrono::duration<double>(Clock::now() - start).count());
    echo.close();
    std::printf("round trip (play, then capture from the sink's monitor):");
    for (int i = 0; i < 5; ++i) std::printf(" %.0f ms", RoundTripMs(backend, range));
    std::printf("\n");
    return 0;
}
