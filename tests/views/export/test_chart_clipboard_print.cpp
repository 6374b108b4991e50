// The chart on the clipboard and on a printed page.
#include "views/export/ChartExporter.h"
#include "views/export/ChartPrinter.h"
#include "ExportTestChart.h"
#include "MetafileReaders.h"
#include "TempFolder.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QPrinter>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace moravel {
namespace {

using moravel::test::ExportTestChart;
using moravel::testing::ReadText;
using moravel::testing::TempFolder;

// Page objects of a PDF ("/Type /Page", not the "/Type /Pages" tree).
int pageCount(const QByteArray& pdf) {
    return static_cast<int>(
        QString::fromLatin1(pdf).count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?![a-z])"))));
}

// The first page's media box: width and height in points.
QSizeF mediaBox(const QByteArray& pdf) {
    const auto match = QRegularExpression(QStringLiteral("/MediaBox\\s*\\[\\s*0\\s+0\\s+([\\d.]+)\\s+([\\d.]+)"))
                           .match(QString::fromLatin1(pdf));
    return match.hasMatch() ? QSizeF(match.captured(1).toDouble(), match.captured(2).toDouble()) : QSizeF();
}

TEST(ChartClipboard, HoldsTheEnhancedMetafileThePngAndTheImage) {
    ExportTestChart chart;
    QClipboard& clipboard = *QGuiApplication::clipboard();
    clipboard.clear();
    ChartExporter(chart.Plot()).CopyToClipboard(clipboard);
    const QMimeData* data = clipboard.mimeData();
    ASSERT_NE(data, nullptr);
    ASSERT_TRUE(data->hasFormat(QStringLiteral("image/png")));
    const QImage png = QImage::fromData(data->data(QStringLiteral("image/png")), "PNG");
    EXPECT_EQ(png.size(), QSize(ExportTestChart::kWidth, ExportTestChart::kHeight));
    EXPECT_EQ(png.pixelColor(chart.InsideTallestBar()), ExportTestChart::kBarColour);
    ASSERT_TRUE(data->hasFormat(QStringLiteral("image/x-emf")));
    const QByteArray emf = data->data(QStringLiteral("image/x-emf"));
    const test::SvgContents read =
        test::ParseSvg(test::ConvertWithReader(std::vector<std::uint8_t>(emf.begin(), emf.end()), ".emf"));
    EXPECT_TRUE(read.texts.contains(ExportTestChart::kTitle)) << read.texts.join(" | ").toStdString();
    ASSERT_TRUE(data->hasImage());
    EXPECT_EQ(qvariant_cast<QImage>(data->imageData()).convertToFormat(QImage::Format_RGB32),
              png.convertToFormat(QImage::Format_RGB32));
}

TEST(PrintRectangle, MarginsArePercentOfThePageRoundedToPixels) {
    EXPECT_EQ(PrintRectangle(QRect(0, 0, 1000, 800), PrintMargins{}), QRect(150, 120, 700, 560));
    // left 10 % of 2000, top 5 % of 1000, right 20 %, bottom 0, from (100, 50)
    EXPECT_EQ(PrintRectangle(QRect(100, 50, 2000, 1000), PrintMargins{10, 5, 20, 0}), QRect(300, 100, 1400, 950));
    // 15 % of 333 is 49.95: 50 pixels, leaving 233
    EXPECT_EQ(PrintRectangle(QRect(0, 0, 333, 100), PrintMargins{}).width(), 233);
}

TEST(ChartPrint, APdfHasOneLandscapePageForAWideChart) {
    ExportTestChart chart;
    const QByteArray pdf = PrintChartToPdf(chart.Plot(), PrintMargins{});
    ASSERT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_EQ(pageCount(pdf), 1);
    const QSizeF page = mediaBox(pdf);
    EXPECT_GT(page.width(), page.height());
}

TEST(ChartPrint, APrinterWritingPdfGetsOnePage) {
    ExportTestChart chart;
    chart.Plot().resize(200, 400);  // higher than wide: portrait
    TempFolder folder;
    const QString name = QString::fromStdString(folder.File("print.pdf"));
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(name);
        PrintChart(chart.Plot(), printer, PrintMargins{});
    }
    const QByteArray pdf = QByteArray::fromStdString(ReadText(folder.File("print.pdf")));
    EXPECT_EQ(pageCount(pdf), 1);
    const QSizeF page = mediaBox(pdf);
    EXPECT_LT(page.width(), page.height());
}

}  // namespace
}  // namespace moravel
