#include "cli/loopback/LoopbackRun.h"

#include "audio/EnhWave.h"
#include "cli/loopback/ThreadCpu.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <deque>

namespace moravel {

namespace {

using Clock = std::chrono::steady_clock;

double median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2), values.end());
    return values[values.size() / 2];
}

// Lets the event loop run until `done` holds or `limit` has passed.
void pumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < limit.count()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
}

}  // namespace

LoopbackReport RunLoopback(AudioBackend& backend, const LoopbackSetup& setup, bool keepSamples) {
    LoopbackReport report;
    const std::int32_t inputRate = setup.outputRate - 50;
    const std::int32_t blockSamples = setup.bufferBytes / 2;
    report.nominalPerSecond = static_cast<double>(inputRate) / blockSamples;

    EnhWaveIn in(backend);
    in.SampleBits = 16;
    in.MaxBuffers = 3;
    in.BufferSize = setup.bufferBytes;
    in.samples = inputRate;
    EnhWaveOut out(backend);
    out.SampleBits = 16;
    out.samples = setup.outputRate;

    std::deque<Clock::time_point> inFlight;  // capture times of blocks not yet played
    std::vector<double> latencies;
    Clock::time_point first{}, last{};
    in.OnData = [&](QObject*, std::uint8_t* data, std::int32_t size) {
        last = Clock::now();
        if (report.captured++ == 0) first = last;
        if (keepSamples) {
            const auto* samples = reinterpret_cast<const std::int16_t*>(data);
            report.capturedSamples.insert(report.capturedSamples.end(), samples, samples + size / 2);
        }
        if (out.Write(data, size)) {
            ++report.written;
            inFlight.push_back(last);
        }
    };
    out.OnDone = [&](QObject*) {
        ++report.played;
        if (inFlight.empty()) return;
        latencies.push_back(std::chrono::duration<double, std::milli>(Clock::now() - inFlight.front()).count());
        inFlight.pop_front();
    };

    const auto cpuBefore = OtherThreadsCpuSeconds();
    report.opened = in.Open() && out.Open();
    if (report.opened) {
        QEventLoop loop;
        QTimer::singleShot(setup.duration, &loop, &QEventLoop::quit);
        loop.exec();
    }
    report.workerCpuSeconds = CpuSecondsGained(cpuBefore, OtherThreadsCpuSeconds());
    // Stop capturing first, so that the counts cover exactly the blocks
    // captured; then let the output finish what is queued and close it.
    in.Close();
    report.overruns = in.Overruns();
    pumpUntil([&] { return out.QueuedBlocks() == 0; }, std::chrono::milliseconds(2000));
    report.underruns = out.Underruns();
    out.Close();
    pumpUntil([&] { return !in.IsOpen() && !out.IsOpen(); }, std::chrono::milliseconds(2000));
    QCoreApplication::sendPostedEvents();

    report.seconds = std::chrono::duration<double>(last - first).count();
    if (report.captured > 1 && report.seconds > 0) report.blocksPerSecond = (report.captured - 1) / report.seconds;
    report.medianLatencyMs = median(latencies);
    return report;
}

}  // namespace moravel
