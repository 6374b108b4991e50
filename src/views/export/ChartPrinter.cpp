#include "views/export/ChartPrinter.h"

#include "views/export/ChartRendering.h"
#include "views/export/ExportError.h"

#include <qcustomplot.h>

#include <QBuffer>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>

#include <cmath>

namespace moravel {

QRect PrintRectangle(const QRect& page, const PrintMargins& margins) {
    const auto part = [](int length, double percent) { return static_cast<int>(std::lround(length * percent / 100)); };
    return QRect(
        QPoint(page.left() + part(page.width(), margins.left), page.top() + part(page.height(), margins.top)),
        QPoint(page.right() - part(page.width(), margins.right), page.bottom() - part(page.height(), margins.bottom)));
}

// The margins are measured on the whole sheet; the painter's origin is the
// corner of the device's printable area, so the rectangle is moved by that.
// Pens of width 0 would be hair lines on a printer: the painter widens them
// to one chart pixel, scaled like everything else.
void PrintChart(QCustomPlot& chart, QPagedPaintDevice& device, const PrintMargins& margins) {
    const QSize size = ChartSize(chart);
    device.setPageOrientation(size.width() > size.height() ? QPageLayout::Landscape : QPageLayout::Portrait);
    const QPageLayout layout = device.pageLayout();
    const int resolution = device.logicalDpiX();
    const QRect target = PrintRectangle(layout.fullRectPixels(resolution), margins)
                             .translated(-layout.paintRectPixels(resolution).topLeft());
    QCPPainter painter;
    if (!painter.begin(&device)) throw ExportError(QStringLiteral("The printer could not be started."));
    painter.setMode(QCPPainter::pmVectorized);
    painter.setMode(QCPPainter::pmNonCosmetic);
    painter.translate(target.topLeft());
    painter.scale(static_cast<double>(target.width()) / size.width(),
                  static_cast<double>(target.height()) / size.height());
    chart.toPainter(&painter, size.width(), size.height());
    if (!painter.end()) throw ExportError(QStringLiteral("The printout could not be finished."));
}

QByteArray PrintChartToPdf(QCustomPlot& chart, const PrintMargins& margins) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(QStringLiteral("Moravel chart"));
        writer.setCreator(QStringLiteral("Moravel"));
        PrintChart(chart, writer, margins);
    }
    return bytes;
}

bool PrinterInstalled() { return !QPrinterInfo::availablePrinterNames().isEmpty(); }

void PrintChartOnDefaultPrinter(QCustomPlot& chart, const PrintMargins& margins) {
    QPrinter printer(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Moravel chart"));
    PrintChart(chart, printer, margins);
}

}  // namespace moravel
