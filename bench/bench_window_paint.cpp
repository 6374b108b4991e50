// The pieces of the window's painting, each against what it replaced, on the
// offscreen platform:
//  - one spectrum replot and its paint to the window at 1200 x 400 (400
//    bars, grid, axes, title): the window's chart (one opaque buffer, the
//    overlay in it) against the plain chart it is built on (a transparent
//    buffer blended over a background fill, the overlay in a second one);
//  - the window's 100 ms refresh at the 16 KHz range with both displays on
//    and with both off (no plot is replotted then), one block each;
//  - one spectrum refresh (new bars) and one spectrogram column, each shown
//    through the event loop, by a full replot against a region replot of
//    the plot area or of the column's strip.
#include "BenchWindow.h"
#include "views/SpectrogramImage.h"
#include "views/Chart.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <array>
#include <chrono>
#include <cmath>
#include <string>
#include <vector>

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
BENCHMARK(BM_SpectrumReplotAndPaint<moravel::Chart>)
    ->Name("SpectrumReplotAndPaint/window_chart")
    ->Unit(benchmark::kMicrosecond);

enum class Refresh { kFull, kRegion };

// Draws what changed the chosen way and lets the event loop paint it.
void refresh(moravel::Chart& chart, Refresh how, const QRect& region) {
    if (how == Refresh::kFull) {
        chart.replot(QCustomPlot::rpQueuedRefresh);
    } else {
        chart.ReplotRegion(region);
    }
    QCoreApplication::processEvents();
}

// New bars at every refresh, alternating between two spectra of the same
// height (peak hold: the scale stands).
void BM_SpectrumRefresh(benchmark::State& state) {
    moravel::bench::EnsureApplication();
    moravel::Chart chart;
    fillSpectrum(chart);
    chart.replot(QCustomPlot::rpImmediateRefresh);
    auto* bars = static_cast<QCPBars*>(chart.plottable(0));
    QVector<double> keys;
    std::array<QVector<double>, 2> spectra;
    for (int i = 1; i <= 400; ++i) {
        keys.append(20.0 * i);
        spectra[0].append(150 + 140 * std::sin(i * 0.05));
        spectra[1].append(150 + 140 * std::cos(i * 0.07));
    }
    const auto how = static_cast<Refresh>(state.range(0));
    std::size_t n = 0;
    for (auto _ : state) {
        bars->setData(keys, spectra[n++ % 2], true);
        refresh(chart, how, chart.PlotArea());
    }
    state.counters["region_replots"] = chart.RegionReplots();
}
BENCHMARK(BM_SpectrumRefresh)
    ->ArgName("region")
    ->Arg(static_cast<int>(Refresh::kFull))
    ->Arg(static_cast<int>(Refresh::kRegion))
    ->Unit(benchmark::kMicrosecond);

// One new column of a 1200 x 300 spectrogram chart (the window's image
// hook, time and frequency axes), the plot filling from the left.
void BM_SpectrogramColumn(benchmark::State& state) {
    moravel::bench::EnsureApplication();
    moravel::Chart chart;
    chart.setBackground(Qt::black);
    chart.xAxis->setLabel(QStringLiteral("Time [s]"));
    chart.yAxis->setLabel(QStringLiteral("Frequency [Hz]"));
    chart.resize(1200, 300);
    chart.show();
    QCoreApplication::processEvents();
    moravel::SpectrogramImage image;
    std::int64_t newest = 0;
    chart.BeforeDrawAxes = [&](QCPPainter* painter, const QRect& plot) {
        image.Paint(*painter, plot, 0, plot.width(), moravel::SpectrogramImage::kRows - plot.height(), plot.height(),
                    newest);
    };
    chart.UpdateLayout();
    const int width = chart.PlotRect().width();
    chart.xAxis->setRange(0, width);
    chart.yAxis->setRange(0, 8000);
    chart.replot(QCustomPlot::rpImmediateRefresh);
    std::vector<float> values(1025);
    moravel::Palette16 palette{};
    for (std::size_t i = 0; i < palette.size(); ++i) palette[i] = static_cast<std::uint16_t>(i * 16);
    const auto how = static_cast<Refresh>(state.range(0));
    for (auto _ : state) {
        newest = newest % width + 1;
        for (std::size_t i = 0; i < values.size(); ++i) values[i] = static_cast<float>((i * 7 + newest * 13) % 4000);
        image.WriteColumn(newest, values.data(), static_cast<int>(values.size()), palette, 0, 50, 100);
        const QRect plot = chart.PlotRect();
        refresh(chart, how, QRect(plot.left() + static_cast<int>(newest), plot.top() - 1, 1, plot.height() + 2));
    }
    state.counters["region_replots"] = chart.RegionReplots();
}
BENCHMARK(BM_SpectrogramColumn)
    ->ArgName("strip")
    ->Arg(static_cast<int>(Refresh::kFull))
    ->Arg(static_cast<int>(Refresh::kRegion))
    ->Unit(benchmark::kMicrosecond);

// One block through the window and one refresh, with the paints that follow.
void BM_WindowRefresh16k(benchmark::State& state) {
    moravel::bench::EnsureApplication();
    const bool displays = state.range(0) != 0;
    const std::string on = displays ? "1" : "0";
    moravel::bench::BenchWindow window("moravel-bench-paint.ini",
                                       "AudioRange=3\nWindowWidth=1200\nWindowHeight=820\nSplitterTop=300\n"
                                       "Spectrogram=" +
                                           on + "\nSpectrumOn=" + on + "\n");
    moravel::MainForm& form = window.Form();
    for (auto _ : state) {
        window.Card().RunFor(std::chrono::milliseconds(133));
        form.Devices().DisplayTick();
        QCoreApplication::processEvents();  // the queued replots and the paint
    }
}
BENCHMARK(BM_WindowRefresh16k)->ArgName("displays")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(100);

}  // namespace
