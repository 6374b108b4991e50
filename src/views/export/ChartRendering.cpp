#include "views/export/ChartRendering.h"

#include "views/export/ExportError.h"

#include <qcustomplot.h>

namespace moravel {

QSize ChartSize(const QCustomPlot& chart) {
    const QSize size = chart.size();
    if (size.isEmpty()) throw ExportError(QStringLiteral("The chart has no area on screen to export."));
    return size;
}

// What shows through where the chart's own background leaves gaps is the
// widget's background colour, as on screen.
QImage RenderChartBitmap(QCustomPlot& chart) {
    QImage image(ChartSize(chart), QImage::Format_RGB32);
    image.fill(chart.palette().color(chart.backgroundRole()));
    QCPPainter painter(&image);
    chart.toPainter(&painter, image.width(), image.height());
    return image;
}

// The chart paints through its own painter class, begun on the recording
// device. Vectorised mode keeps the painter from pixel-grid fixes meant for
// screens.
QByteArray RenderChartVector(QCustomPlot& chart, VectorFormat format) {
    const QSize size = ChartSize(chart);
    const std::vector<std::uint8_t> bytes = RenderVectorOnDevice(format, size, [&](QPaintDevice& device) {
        QCPPainter painter(&device);
        painter.setMode(QCPPainter::pmVectorized);
        chart.toPainter(&painter, size.width(), size.height());
    });
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

}  // namespace moravel
