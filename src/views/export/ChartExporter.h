// One chart's image export: to a file in the format its name's extension
// asks for, and to the clipboard. What is exported is what ChartRendering
// draws: the chart as on screen, at its on-screen size. GUI thread only.
#pragma once

#include "views/export/ImageFormat.h"

#include <QByteArray>

#include <memory>

class QClipboard;
class QCustomPlot;
class QMimeData;

namespace moravel {

class ChartExporter {
public:
    /// `chart` must outlive the exporter.
    explicit ChartExporter(QCustomPlot& chart);

    /// The chart as the contents of a file of `format`.
    QByteArray Encode(ImageFormat format) const;

    /// Saves the chart to `fileName` in the format of its extension (any
    /// case). Throws ExportError, writing nothing, for an extension that is
    /// not an image format; throws ExportError when the file cannot be
    /// written, leaving an existing file of that name as it was.
    void SaveToFile(const QString& fileName) const;

    /// The chart for the clipboard: as an enhanced metafile ("image/x-emf"),
    /// as PNG ("image/png") for programs that take no metafiles, and as an
    /// image.
    std::unique_ptr<QMimeData> ClipboardData() const;
    /// Puts ClipboardData() on `clipboard`.
    void CopyToClipboard(QClipboard& clipboard) const;

private:
    QCustomPlot& chart_;
};

}  // namespace moravel
