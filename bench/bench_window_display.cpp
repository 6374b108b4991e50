// The display refresh of the real window at 1280 x 800 on the offscreen
// platform, at the 16 KHz range with both displays on: each iteration runs
// one block through the window, one DisplayData (bars and spectrogram
// column) and one full repaint of both charts. The window's own read-outs
// "Plot time" (DisplayData) and "CopyRect time" (the spectrogram copy) are
// collected and reported as median and worst, in milliseconds.
#include "MainForm.h"
#include "PlotPanes.h"
#include "TChart.h"
#include "virtual/VirtualCard.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
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
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // QApplication keeps references to these for its whole life.
    static int argc = 1;
    static char name[] = "moravel_bench";
    static char* argv[] = {name};
    // One application for every benchmark of the binary.
    static QApplication* app = QApplication::instance() ? nullptr : new QApplication(argc, argv);
    (void)app;
    const std::string settings = (std::filesystem::temp_directory_path() / "moravel-bench.ini").string();
    std::ofstream(settings) << "[MIXER]\nMicrophone_Out=0\nLine_Out=1\nWave_Out=2\nMicrophone_In=0\nLine_In=1\n"
                               "Wave_In=2\n[SETTINGS]\nAudioRange=3\nWindowWidth=1280\nWindowHeight=800\n"
                               "SplitterTop=300\n";
    moravel::VirtualCardOptions cardOptions;
    cardOptions.clock = moravel::ClockMode::Stepping;
    moravel::VirtualCard card(cardOptions);
    moravel::MainFormOptions options;
    options.backend = &card;
    options.settingsFile = settings;
    options.showMessage = [](const QString&, const QString&) {};
    moravel::TMainForm form(options);
    form.show();
    QCoreApplication::processEvents();
    form.FormActivate();
    auto* plotTime = form.findChild<QLabel*>("Label38");
    auto* copyTime = form.findChild<QLabel*>("Label53");
    std::vector<double> plots;
    std::vector<double> copies;
    for (auto _ : state) {
        card.RunFor(std::chrono::milliseconds(133));
        form.Timer1Timer();
        form.spectrumPane->Chart1->replot(QCustomPlot::rpImmediateRefresh);
        form.spectrogramPane->Chart2->replot(QCustomPlot::rpImmediateRefresh);
        plots.push_back(milliseconds(plotTime));
        copies.push_back(milliseconds(copyTime));
    }
    report(state, "plot", plots);
    report(state, "copy", copies);
    form.close();
    std::filesystem::remove(settings);
}
BENCHMARK(BM_WindowDisplay16k)->Unit(benchmark::kMillisecond)->Iterations(200);

}  // namespace
