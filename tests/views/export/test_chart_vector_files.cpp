// Chart files in the vector formats, chosen by extension in either case and
// read back by independent readers: wmf2svg for the placeable WMF,
// emf2svg-conv for the EMF, an XML parser for the SVG. Each holds the title,
// both axis titles, every bar and the hook's image.
#include "views/export/ChartExporter.h"
#include "ExportTestChart.h"
#include "MetafileReaders.h"
#include "TempFolder.h"

#include <QFile>

#include <gtest/gtest.h>

namespace moravel {
namespace {

using moravel::test::ExportTestChart;
using moravel::testing::TempFolder;

class ChartVectorFiles : public ::testing::Test {
protected:
    QByteArray save(const char* name) {
        const QString path = QString::fromStdString(folder.File(name));
        ChartExporter(chart.Plot()).SaveToFile(path);
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static std::vector<std::uint8_t> bytesOf(const QByteArray& data) { return {data.begin(), data.end()}; }
    static void expectChart(const test::SvgContents& svg) {
        ASSERT_TRUE(svg.wellFormed) << svg.error.toStdString();
        const std::string texts = svg.texts.join(" | ").toStdString();
        EXPECT_TRUE(svg.texts.contains(ExportTestChart::kTitle)) << texts;
        EXPECT_TRUE(svg.texts.contains(ExportTestChart::kBottomTitle)) << texts;
        EXPECT_TRUE(svg.texts.contains(ExportTestChart::kLeftTitle)) << texts;
        const auto bars = svg.shapesByFill.find(ExportTestChart::kBarColour.name());
        EXPECT_EQ(bars == svg.shapesByFill.end() ? 0 : bars->second, ExportTestChart::kBars);
        EXPECT_EQ(svg.images, 1);
    }

    TempFolder folder;
    ExportTestChart chart;
};

TEST_F(ChartVectorFiles, PlaceableWmfReadByWmf2svg) {
    for (const char* name : {"chart.wmf", "CHART.WMF"}) {
        const QByteArray wmf = save(name);
        ASSERT_GE(wmf.size(), 22);
        EXPECT_EQ(wmf.left(4), QByteArray("\xD7\xCD\xC6\x9A", 4)) << name;  // the placeable header's key
        expectChart(test::ParseSvg(test::ConvertWithReader(bytesOf(wmf), ".wmf")));
    }
}

TEST_F(ChartVectorFiles, EnhancedMetafileReadByEmf2svg) {
    for (const char* name : {"chart.emf", "Chart.Emf"}) {
        const QByteArray emf = save(name);
        ASSERT_GE(emf.size(), 44);
        EXPECT_EQ(emf.left(4), QByteArray("\x01\x00\x00\x00", 4)) << name;  // EMR_HEADER
        EXPECT_EQ(emf.mid(40, 4), QByteArray(" EMF")) << name;
        expectChart(test::ParseSvg(test::ConvertWithReader(bytesOf(emf), ".emf")));
    }
}

TEST_F(ChartVectorFiles, SvgParsesWithTheChartInside) {
    for (const char* name : {"chart.svg", "chart.SVG"}) expectChart(test::ParseSvg(save(name)));
}

}  // namespace
}  // namespace moravel
