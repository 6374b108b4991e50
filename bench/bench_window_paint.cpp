// The pieces of the window's painting, each against what it replaced, on the
// offscreen platform:
//  - one spectrum replot and its paint to the window at 1200 x 400 (400
//    bars, grid, axes, title): the window's chart (one opaque buffer, the
//    overlay in it) against the plain chart it is built on (a transparent
//    buffer blended over a background fill, the overlay in a second one);
//  - the window's 100 ms refresh at the 16 KHz range with both displays on
//    and with both off (no plot is replotted then), one block each.
#include "BenchWindow.h"
#include "TChart.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <string>

namespace {

template <typename Chart>
void fillSpectrum(Chart& chart) {
    chart.setBackground(Qt::black);
    chart.plotLayout()->insertRow(0);
    chart.plotLayout()->addElement(0, 0, new QCPTextElement(&chart, QStringLiteral("Spectrum Plot")));
    chart.xAxis->setLabel(QStringLiteral("Frequency [Hz]"));
    chart.yAxis->setLabel(QStringLiteral("Power"));
    chart.xAxis->setRange(0, 8000);
    chart.yAxis->setRange(0, 300);
    auto* bars = new QCPBars(chart.xAxis, chart.yAxis);
    bars->setBrush(QColor(255, 128, 64));
    bars->setWidth(16);
    QVector<double> keys;
    QVector<double> values;
    for (int i = 1; i <= 400; ++i) {
        keys.append(20.0 * i);
        values.append(150 + 140 * std::sin(i * 0.05));
    }
    bars->setData(keys, values, true);
    chart.resize(1200, 400);
    chart.show();
    QCoreApplication::processEvents();
}

template <typename Chart>
void BM_SpectrumReplotAndPaint(benchmark::State& state) {
    moravel::bench::EnsureApplication();
    Chart chart;
    fillSpectrum(chart);
    for (auto _ : state) chart.replot(QCustomPlot::rpImmediateRefresh);
}
BENCHMARK(BM_SpectrumReplotAndPaint<QCustomPlot>)
    ->Name("SpectrumReplotAndPaint/plain_chart")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SpectrumReplotAndPaint<moravel::TChart>)
    ->Name("SpectrumReplotAndPaint/window_chart")
    ->Unit(benchmark::kMicrosecond);

// One block through the window and one refresh, with the paints that follow.
void BM_WindowRefresh16k(benchmark::State& state) {
    moravel::bench::EnsureApplication();
    const bool displays = state.range(0) != 0;
    const std::string on = displays ? "1" : "0";
    moravel::bench::BenchWindow window("moravel-bench-paint.ini",
                                       "AudioRange=3\nWindowWidth=1200\nWindowHeight=820\nSplitterTop=300\n"
                                       "Spectrogram=" + on + "\nSpectrumOn=" + on + "\n");
    moravel::TMainForm& form = window.Form();
    for (auto _ : state) {
        window.Card().RunFor(std::chrono::milliseconds(133));
        form.Timer1Timer();
        QCoreApplication::processEvents();  // the queued replots and the paint
    }
}
BENCHMARK(BM_WindowRefresh16k)->ArgName("displays")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(100);

}  // namespace
