// A chart set up like the program's plots (black, lime title, orange bars,
// an image drawn by the paint hook under the grid as the spectrogram's is)
// with data whose pixels the tests know, at a fixed size that is not a
// multiple of anything. The colours are named SVG colours, since wmf2svg
// writes every colour as the nearest named one.
#pragma once

#include "views/Chart.h"

#include <QColor>
#include <QImage>

#include <memory>

namespace moravel::test {

class ExportTestChart {
public:
    static constexpr int kWidth = 523;
    static constexpr int kHeight = 317;
    static inline const QColor kBarColour{255, 165, 0};  // orange
    static inline const QColor kHookColour{0, 0, 255};
    static inline const QString kTitle = QStringLiteral("Spectrum Plot");
    static inline const QString kBottomTitle = QStringLiteral("Frequency [Hz]");
    static inline const QString kLeftTitle = QStringLiteral("Power");

    ExportTestChart() {
        chart_->resize(kWidth, kHeight);
        chart_->setBackground(Qt::black);
        chart_->plotLayout()->insertRow(0);
        auto* title = new QCPTextElement(chart_.get(), kTitle);
        title->setTextColor(QColor(0, 255, 0));
        chart_->plotLayout()->addElement(0, 0, title);
        chart_->xAxis->setLabel(kBottomTitle);
        chart_->yAxis->setLabel(kLeftTitle);
        chart_->xAxis->setRange(0, 10);
        chart_->yAxis->setRange(0, 100);
        auto* bars = new BarSeries(chart_->xAxis, chart_->yAxis);
        bars->setPen(QPen(kBarColour));
        bars->setBrush(kBarColour);
        bars->setWidth(0.5);
        for (int i = 1; i <= kBars; ++i) bars->addData(i, 10.0 * i);
        // The hook's image covers the top fifth of the plot's left quarter,
        // where no bar reaches.
        hookImage_.fill(kHookColour);
        chart_->BeforeDrawAxes = [this](QCPPainter* painter, const QRect& plot) {
            painter->drawImage(QRect(plot.left(), plot.top(), plot.width() / 4, plot.height() / 5), hookImage_);
        };
        chart_->UpdateLayout();
    }

    moravel::Chart& Plot() { return *chart_; }
    /// A point inside the tallest bar (the one at 9, 90 of 100).
    QPoint InsideTallestBar() const {
        return {static_cast<int>(chart_->xAxis->coordToPixel(9)), static_cast<int>(chart_->yAxis->coordToPixel(40))};
    }
    /// A point inside the hook's rectangle.
    QPoint InsideHookArea() const { return chart_->PlotRect().topLeft() + QPoint(5, 5); }

    static constexpr int kBars = 9;

private:
    std::unique_ptr<moravel::Chart> chart_ = std::make_unique<moravel::Chart>();
    QImage hookImage_{8, 4, QImage::Format_RGB32};
};

}  // namespace moravel::test
