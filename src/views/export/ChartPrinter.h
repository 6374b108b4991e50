// Printing a chart on one page: the chart as on screen, stretched to fill
// the page rectangle that the print margins leave, not kept in proportion.
// GUI thread only (the chart is a widget).
#pragma once

#include <QByteArray>
#include <QRect>

class QCustomPlot;
class QPagedPaintDevice;

namespace moravel {

/// Print margins in percent: left and right of the page's width, top and
/// bottom of its height, each 0 .. 49.
struct PrintMargins {
    double left = 15;
    double top = 15;
    double right = 15;
    double bottom = 15;
};

/// The rectangle inside `page` (device pixels) that `margins` leave, each
/// margin rounded to whole pixels.
QRect PrintRectangle(const QRect& page, const PrintMargins& margins);

/// Prints the chart on one page of `device` (a printer or a PDF writer), in
/// landscape when the chart is wider than high. Throws ExportError when the
/// device cannot be painted on.
void PrintChart(QCustomPlot& chart, QPagedPaintDevice& device, const PrintMargins& margins);

/// PrintChart into a one-page PDF document in memory.
QByteArray PrintChartToPdf(QCustomPlot& chart, const PrintMargins& margins);

/// True when the system has a printer to print on.
bool PrinterInstalled();

/// PrintChart on the system's default printer.
void PrintChartOnDefaultPrinter(QCustomPlot& chart, const PrintMargins& margins);

}  // namespace moravel
