// A real chart painted through RenderVector into WMF, EMF and SVG, each read
// back independently: the WMF and EMF by wmf2svg and emf2svg-conv, the SVG
// by an XML parser. The chart is the program's own Chart with a title, two
// axis labels (the value axis label rotated), a known number of BarSeries
// bars in a colour nothing else uses, and an image drawn by its
// BeforeDrawAxes hook as the spectrogram's is.
#include "views/metafile/VectorExport.h"

#include <qcustomplot.h>
#include <QFile>

#include <gtest/gtest.h>

#include "MetafileReaders.h"
#include "views/Chart.h"

namespace moravel {
namespace {

constexpr int kBars = 7;
// A named colour (forest green): wmf2svg writes colours as the nearest named one.
const QColor kBarColor(0x22, 0x8b, 0x22);
const QString kTitle = "Spectrum of the test signal";
const QString kXLabel = "Frequency (Hz)";
const QString kYLabel = "Level (dB)";

class VectorExportOfAChart : public ::testing::Test {
protected:
    void SetUp() override {
        plot_.resize(640, 400);
        plot_.plotLayout()->insertRow(0);
        plot_.plotLayout()->addElement(0, 0, new QCPTextElement(&plot_, kTitle, QFont("Sans", 12, QFont::Bold)));
        plot_.xAxis->setLabel(kXLabel);
        plot_.yAxis->setLabel(kYLabel);
        plot_.xAxis->setRange(0, kBars + 1);
        plot_.yAxis->setRange(0, 10);

        auto* bars = new BarSeries(plot_.xAxis, plot_.yAxis);
        bars->setPen(Qt::NoPen);
        bars->setBrush(kBarColor);
        for (int i = 1; i <= kBars; ++i) bars->addData(i, i);

        image_ = QImage(16, 8, QImage::Format_RGB32);
        for (int y = 0; y < image_.height(); ++y)
            for (int x = 0; x < image_.width(); ++x) image_.setPixel(x, y, qRgb(16 * x, 32 * y, 200));
        plot_.BeforeDrawAxes = [this](QCPPainter* painter, const QRect& plotRect) {
            painter->drawImage(QRect(plotRect.topLeft(), QSize(plotRect.width() / 3, plotRect.height() / 3)), image_);
        };
        plot_.replot();
    }

    std::vector<std::uint8_t> Render(VectorFormat format) {
        return RenderVectorOnDevice(format, plot_.size(), [&](QPaintDevice& device) {
            QCPPainter painter(&device);
            plot_.toPainter(&painter, plot_.width(), plot_.height());
        });
    }

    // The file in `format` as its independent reader (wmf2svg, emf2svg-conv)
    // converts it to SVG holds the chart.
    void ExpectReadBackChart(VectorFormat format, const char* extension) {
        const QByteArray svg = test::ConvertWithReader(Render(format), extension);
        ASSERT_FALSE(svg.isEmpty());
        ExpectChart(test::ParseSvg(svg));
    }

    // The titles, the labels, every bar and the one image.
    static void ExpectChart(const test::SvgContents& svg) {
        ASSERT_TRUE(svg.wellFormed) << svg.error.toStdString();
        EXPECT_TRUE(svg.texts.contains(kTitle)) << svg.texts.join(" | ").toStdString();
        EXPECT_TRUE(svg.texts.contains(kXLabel)) << svg.texts.join(" | ").toStdString();
        EXPECT_TRUE(svg.texts.contains(kYLabel)) << svg.texts.join(" | ").toStdString();
        const auto bars = svg.shapesByFill.find(kBarColor.name());
        QStringList fills;
        for (const auto& [fill, count] : svg.shapesByFill) fills << fill + " x" + QString::number(count);
        EXPECT_EQ(bars == svg.shapesByFill.end() ? 0 : bars->second, kBars) << fills.join(", ").toStdString();
        EXPECT_EQ(svg.images, 1);
    }

    Chart plot_;
    QImage image_;
};

TEST_F(VectorExportOfAChart, WmfReadByWmf2svgHoldsTitlesLabelsBarsAndTheImage) {
    ExpectReadBackChart(VectorFormat::Wmf, ".wmf");
}

TEST_F(VectorExportOfAChart, EmfReadByEmf2svgHoldsTitlesLabelsBarsAndTheImage) {
    ExpectReadBackChart(VectorFormat::Emf, ".emf");
}

TEST_F(VectorExportOfAChart, SvgParsesAsXmlAndHoldsTitlesLabelsBarsAndTheImage) {
    const std::vector<std::uint8_t> bytes = Render(VectorFormat::Svg);
    ExpectChart(
        test::ParseSvg(QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()))));
}

}  // namespace
}  // namespace moravel
