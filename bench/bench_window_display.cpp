// The display refresh of the real window at 1280 x 800 on the offscreen
// platform, at the 16 KHz range with both displays on: each iteration runs
// one block through the window, one DisplayData (bars and spectrogram
// column) and one full repaint of both charts. The window's own read-outs
// "Plot time" (DisplayData) and "CopyRect time" (the spectrogram copy) are
// collected and reported as median and worst, in milliseconds.
#include "BenchWindow.h"
#include "app/window/WindowPanels.h"
#include "app/window/PlotPanes.h"
#include "views/Chart.h"

#include <QLabel>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

namespace {

double milliseconds(const QLabel* label) { return QLocale::c().toDouble(label->text().trimmed().remove(',')) * 1000; }

void report(benchmark::State& state, const char* name, std::vector<double> values) {
    if (values.empty()) return;
    std::sort(values.begin(), values.end());
    state.counters[std::string(name) + "_median_ms"] = values[values.size() / 2];
    state.counters[std::string(name) + "_worst_ms"] = values.back();
}

void BM_WindowDisplay16k(benchmark::State& state) {
    moravel::bench::EnsureApplication();
    moravel::bench::BenchWindow window("moravel-bench.ini",
                                       "AudioRange=3\nWindowWidth=1280\nWindowHeight=800\nSplitterTop=300\n");
    moravel::MainForm& form = window.Form();
    auto* plotTime = form.findChild<QLabel*>("Label38");
    auto* copyTime = form.findChild<QLabel*>("Label53");
    std::vector<double> plots;
    std::vector<double> copies;
    for (auto _ : state) {
        window.Card().RunFor(std::chrono::milliseconds(133));
        form.Devices().DisplayTick();
        form.Panels().Spectrum().chart->replot(QCustomPlot::rpImmediateRefresh);
        form.Panels().Spectrogram().chart->replot(QCustomPlot::rpImmediateRefresh);
        plots.push_back(milliseconds(plotTime));
        copies.push_back(milliseconds(copyTime));
    }
    report(state, "plot", plots);
    report(state, "copy", copies);
}
BENCHMARK(BM_WindowDisplay16k)->Unit(benchmark::kMillisecond)->Iterations(200);

}  // namespace
