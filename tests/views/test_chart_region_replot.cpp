// A region replot patches the chart's picture with what the layers draw over
// one part of it. Whatever it draws must be pixel for pixel what a full
// replot shows; when the layout, the ranges, the size or the background
// changed, or a full replot is already on its way, it must leave the work to
// a full replot instead of patching a picture that no longer fits.
#include "SpectrumLikeChart.h"
#include "views/Chart.h"

#include <QCoreApplication>
#include <QImage>

#include <gtest/gtest.h>

namespace moravel {
namespace {

class RegionReplot : public ::testing::Test {
protected:
    RegionReplot() {
        DressLikeSpectrum(chart);
        chart.yAxis2->setVisible(true);
        chart.yAxis2->setRange(0, 1);
        band = chart.addGraph(chart.xAxis, chart.yAxis2);
        band->setPen(Qt::NoPen);
        band->setBrush(QColor(0, 128, 64));
        bars = new BarSeries(chart.xAxis, chart.yAxis);
        bars->setBrush(QColor(255, 128, 64));
        bars->setWidth(4);
        chart.AfterDraw = [this](QCPPainter* painter, const QRect&) {
            QPointF top;
            if (bars->BarTop(0, top)) painter->fillRect(QRectF(top, QSizeF(6, 6)), Qt::white);
        };
        chart.resize(400, 300);
        chart.show();
        setData({2, 9, 5, 7}, 30);
        chart.replot(QCustomPlot::rpImmediateRefresh);
    }

    // Four bars at 10..40 and the band from `bandStart` to `bandStart` + 20.
    void setData(const QVector<double>& heights, double bandStart) {
        QVector<double> keys;
        for (int i = 0; i < heights.size(); ++i) keys.append(10.0 * (i + 1));
        bars->setData(keys, heights, true);
        band->setData({bandStart, bandStart + 20}, {1, 1}, true);
    }

    QImage onScreen() {
        QCoreApplication::processEvents();  // a queued full replot, if any
        return chart.grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
    QImage afterFullReplot() {
        chart.replot(QCustomPlot::rpImmediateRefresh);
        return onScreen();
    }
    // What is on screen now is what a full replot draws.
    void ExpectAsAFullReplot() {
        const QImage shown = onScreen();
        EXPECT_EQ(shown, afterFullReplot());
    }

    Chart chart;
    BarSeries* bars = nullptr;
    QCPGraph* band = nullptr;
};

TEST_F(RegionReplot, NewDataOverThePlotAreaIsWhatAFullReplotShows) {
    const QImage before = onScreen();
    setData({8, 1, 3, 6}, 60);
    chart.ReplotRegion(chart.PlotArea());
    const QImage patched = onScreen();
    EXPECT_EQ(chart.RegionReplots(), 1);
    EXPECT_NE(patched, before);
    EXPECT_EQ(patched, afterFullReplot());
}

// The whole chart as one region: text, ticks and the title drawn through the
// shifted painters come out as the replot draws them.
TEST_F(RegionReplot, TheWholeChartAsARegionIsWhatAFullReplotShows) {
    setData({1, 2, 3, 4}, 10);
    chart.ReplotRegion(chart.rect());
    EXPECT_EQ(chart.RegionReplots(), 1);
    ExpectAsAFullReplot();
}

// A strip across the first bar: inside it the new data, outside it the old
// picture, untouched.
TEST_F(RegionReplot, OnlyTheRegionChanges) {
    const QImage before = onScreen();
    setData({1, 1, 1, 1}, 30);
    const int x = static_cast<int>(chart.xAxis->coordToPixel(10));
    const QRect strip(x - 3, 0, 6, chart.height());
    chart.ReplotRegion(strip);
    const QImage patched = onScreen();
    const QImage full = afterFullReplot();
    int changed = 0;
    for (int py = 0; py < patched.height(); ++py) {
        for (int px = 0; px < patched.width(); ++px) {
            const QImage& expected = strip.contains(px, py) ? full : before;
            ASSERT_EQ(patched.pixel(px, py), expected.pixel(px, py)) << px << ", " << py;
            changed += patched.pixel(px, py) != before.pixel(px, py);
        }
    }
    EXPECT_GT(changed, 0);
    // Where the tall bar of x = 20 stood, outside the strip, it still stands.
    const QPoint tall(static_cast<int>(chart.xAxis->coordToPixel(20)), static_cast<int>(chart.yAxis->coordToPixel(5)));
    EXPECT_EQ(patched.pixel(tall), before.pixel(tall));
    EXPECT_NE(patched.pixel(tall), full.pixel(tall));
}

// Each change below moves the grid, the ticks or the margins, or repaints
// the background: the picture cannot be patched, a full replot follows.
TEST_F(RegionReplot, ALayoutChangeGoesToAFullReplot) {
    const std::vector<std::pair<const char*, std::function<void()>>> changes = {
        {"range", [this] { chart.yAxis->setRange(0, 20); }},
        {"scale", [this] { chart.yAxis->setScaleType(QCPAxis::stLogarithmic); }},
        {"title", [this] { chart.yAxis->setLabel(QStringLiteral("Log  Power")); }},
        {"background", [this] { chart.setBackground(QColor(0, 0, 80)); }},
        {"axis shown", [this] { chart.xAxis2->setVisible(true); }},
    };
    for (const auto& [name, change] : changes) {
        SCOPED_TRACE(name);
        chart.replot(QCustomPlot::rpImmediateRefresh);
        const int regions = chart.RegionReplots();
        change();
        setData({3, 3, 9, 9}, 50);
        chart.ReplotRegion(chart.PlotArea());
        EXPECT_EQ(chart.RegionReplots(), regions);
        ExpectAsAFullReplot();
        chart.xAxis2->setVisible(false);
        chart.yAxis->setScaleType(QCPAxis::stLinear);
        chart.yAxis->setRange(0, 10);
        chart.yAxis->setLabel(QStringLiteral("Power"));
        chart.setBackground(Qt::black);
    }
}

// After a full replot for a new range (other ticks, grid lines and
// margins), a region shows the new grid and ticks.
TEST_F(RegionReplot, GridAndTicksFollowEachFullReplot) {
    setData({4, 4, 4, 4}, 30);
    chart.ReplotRegion(chart.PlotArea());
    chart.yAxis->setRange(0, 7);
    chart.xAxis->setRange(5, 55);
    chart.replot(QCustomPlot::rpImmediateRefresh);
    setData({6, 1, 6, 1}, 40);
    chart.ReplotRegion(chart.PlotArea());
    EXPECT_EQ(chart.RegionReplots(), 2);
    ExpectAsAFullReplot();
}

TEST_F(RegionReplot, AResizedChartIsPatchedAfterItsReplot) {
    chart.resize(520, 260);
    QCoreApplication::processEvents();
    setData({6, 2, 6, 2}, 20);
    chart.ReplotRegion(chart.PlotArea());
    EXPECT_EQ(chart.RegionReplots(), 1);
    const QImage shown = onScreen();
    EXPECT_EQ(shown.size(), QSize(520, 260));
    EXPECT_EQ(shown, afterFullReplot());
}

// A full replot asked for earlier draws everything anyway; the region
// replot adds nothing, and an empty region draws nothing.
TEST_F(RegionReplot, NothingIsDrawnBesideAQueuedReplotOrForAnEmptyRegion) {
    chart.replot(QCustomPlot::rpQueuedReplot);
    chart.ReplotRegion(chart.PlotArea());
    EXPECT_EQ(chart.RegionReplots(), 0);
    QCoreApplication::processEvents();
    chart.ReplotRegion(QRect());
    chart.ReplotRegion(QRect(-50, -50, 10, 10));
    EXPECT_EQ(chart.RegionReplots(), 0);
}

// "Auto scale" fits the axis in beforeReplot: a region replot asks the same,
// and a fit that moves the axis turns it into a full replot.
TEST_F(RegionReplot, BeforeReplotIsAskedFirst) {
    int asked = 0;
    QObject::connect(&chart, &QCustomPlot::beforeReplot, &chart, [&] {
        ++asked;
        bars->rescaleValueAxis(false, true);
    });
    setData({2, 19, 5, 7}, 30);
    chart.ReplotRegion(chart.PlotArea());
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(chart.yAxis->range().upper, 19);
    EXPECT_EQ(chart.RegionReplots(), 0);
    const QImage shown = onScreen();  // the full replot fits again: the same range
    EXPECT_EQ(chart.yAxis->range().upper, 19);
    EXPECT_EQ(shown, afterFullReplot());
    // Fitted, the same data leaves the axis alone and the region is drawn.
    chart.ReplotRegion(chart.PlotArea());
    EXPECT_EQ(chart.RegionReplots(), 1);
}

}  // namespace
}  // namespace moravel
