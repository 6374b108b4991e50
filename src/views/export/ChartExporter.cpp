#include "views/export/ChartExporter.h"

#include "views/export/AtomicFileWrite.h"
#include "views/export/ChartRendering.h"
#include "views/export/ExportError.h"

#include <qcustomplot.h>

#include <QBuffer>
#include <QClipboard>
#include <QFileInfo>
#include <QMimeData>

namespace moravel {

namespace {

QByteArray encodeBitmap(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, format)) {
        throw ExportError(QStringLiteral("The chart could not be encoded as %1.").arg(QLatin1String(format)));
    }
    return bytes;
}

}  // namespace

ChartExporter::ChartExporter(QCustomPlot& chart) : chart_(chart) {}

QByteArray ChartExporter::Encode(ImageFormat format) const {
    switch (format) {
        case ImageFormat::Bmp:
            return encodeBitmap(RenderChartBitmap(chart_), "BMP");
        case ImageFormat::Png:
            return encodeBitmap(RenderChartBitmap(chart_), "PNG");
        case ImageFormat::Wmf:
            return RenderChartVector(chart_, VectorFormat::Wmf);
        case ImageFormat::Emf:
            return RenderChartVector(chart_, VectorFormat::Emf);
        case ImageFormat::Svg:
            return RenderChartVector(chart_, VectorFormat::Svg);
    }
    throw ExportError(QStringLiteral("Unknown image format."));
}

// A name with another extension is refused with a message rather than
// ignored: a save that writes nothing must not look like one that worked.
void ChartExporter::SaveToFile(const QString& fileName) const {
    const std::optional<ImageFormat> format = ImageFormatOfFile(fileName);
    if (!format) {
        throw ExportError(QStringLiteral("\"%1\" was not saved: images are saved as %2 files.")
                              .arg(QFileInfo(fileName).fileName(), ImageExtensionList()));
    }
    WriteFileAtomically(fileName, Encode(*format));
}

std::unique_ptr<QMimeData> ChartExporter::ClipboardData() const {
    const QImage image = RenderChartBitmap(chart_);
    auto data = std::make_unique<QMimeData>();
    data->setImageData(image);
    data->setData(QStringLiteral("image/png"), encodeBitmap(image, "PNG"));
    data->setData(QStringLiteral("image/x-emf"), RenderChartVector(chart_, VectorFormat::Emf));
    return data;
}

void ChartExporter::CopyToClipboard(QClipboard& clipboard) const { clipboard.setMimeData(ClipboardData().release()); }

}  // namespace moravel
