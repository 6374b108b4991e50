// The chart on screen: its one opaque paint buffer must show exactly what the
// chart draws when rendered straight onto a picture (the export's path), with
// nothing left over from an earlier replot, the peak-marker hook still on top
// of the bars, and a background that is not one solid colour still working.
#include "SpectrumLikeChart.h"
#include "views/Chart.h"

#include <QImage>

#include <gtest/gtest.h>

namespace moravel {
namespace {

class ChartPaint : public ::testing::Test {
protected:
    ChartPaint() {
        DressLikeSpectrum(chart);
        bars = new BarSeries(chart.xAxis, chart.yAxis);
        bars->setBrush(QColor(255, 128, 64));
        bars->setWidth(4);
        chart.resize(400, 300);
        chart.show();
    }

    void setBars(const QVector<double>& heights) {
        QVector<double> keys;
        for (int i = 0; i < heights.size(); ++i) keys.append(10.0 * (i + 1));
        bars->setData(keys, heights, true);
    }

    // The widget as painted (buffers) and the chart drawn straight onto a
    // picture of the same size.
    QImage onScreen() {
        chart.replot(QCustomPlot::rpImmediateRefresh);
        return chart.grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
    QImage drawnDirectly() { return chart.toPixmap(400, 300).toImage().convertToFormat(QImage::Format_RGB32); }

    Chart chart;
    BarSeries* bars = nullptr;
};

TEST_F(ChartPaint, ScreenShowsWhatTheChartDraws) {
    setBars({2, 9, 5, 7});
    const QImage screen = onScreen();
    EXPECT_EQ(screen, drawnDirectly());
    // The background outside the plot is the chart's black, not a blend.
    EXPECT_EQ(screen.pixel(1, 1), qRgb(0, 0, 0));
}

TEST_F(ChartPaint, ALowerSpectrumLeavesNothingOfTheEarlierOne) {
    setBars({9, 9, 9, 9});
    onScreen();
    setBars({1, 1, 1, 1});
    const QImage screen = onScreen();
    EXPECT_EQ(screen, drawnDirectly());
    // Half-way up the plot, where the tall bar of x = 20 stood, is black now.
    const int x = static_cast<int>(chart.xAxis->coordToPixel(20));
    const int y = static_cast<int>(chart.yAxis->coordToPixel(5));
    EXPECT_EQ(screen.pixel(x, y), qRgb(0, 0, 0));
}

TEST_F(ChartPaint, TheAfterDrawHookPaintsOverTheBars) {
    setBars({8, 8, 8, 8});
    chart.AfterDraw = [](QCPPainter* painter, const QRect& plot) {
        painter->fillRect(QRect(plot.center(), QSize(6, 6)), Qt::white);
    };
    const QImage screen = onScreen();
    const QPoint centre = chart.PlotRect().center();
    EXPECT_EQ(screen.pixel(centre + QPoint(2, 2)), qRgb(255, 255, 255));
    EXPECT_EQ(screen, drawnDirectly());
}

// A patterned background cannot fill an opaque buffer; the chart falls back
// to a transparent one over the pattern.
TEST_F(ChartPaint, APatternedBackgroundShowsThroughTheEmptyParts) {
    chart.setBackground(QBrush(Qt::blue, Qt::Dense4Pattern));
    setBars({3});
    const QImage screen = onScreen();
    bool blue = false;
    for (int x = 0; x < 4 && !blue; ++x)
        blue = screen.pixel(x, 0) == qRgb(0, 0, 255) || screen.pixel(x, 1) == qRgb(0, 0, 255);
    EXPECT_TRUE(blue);
}

}  // namespace
}  // namespace moravel
