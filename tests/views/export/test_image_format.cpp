// The format a file name asks for, the message's list and the dialog's
// filters.
#include "views/export/ImageFormat.h"

#include <gtest/gtest.h>

namespace moravel {
namespace {

TEST(ImageFormatOfFile, TheExtensionDecidesWhateverItsCase) {
    EXPECT_EQ(ImageFormatOfFile("/tmp/chart.bmp"), ImageFormat::Bmp);
    EXPECT_EQ(ImageFormatOfFile("/tmp/CHART.BMP"), ImageFormat::Bmp);
    EXPECT_EQ(ImageFormatOfFile("chart.Png"), ImageFormat::Png);
    EXPECT_EQ(ImageFormatOfFile("chart.wmf"), ImageFormat::Wmf);
    EXPECT_EQ(ImageFormatOfFile("chart.EMF"), ImageFormat::Emf);
    EXPECT_EQ(ImageFormatOfFile("chart.emf"), ImageFormat::Emf);
    EXPECT_EQ(ImageFormatOfFile("chart.sVg"), ImageFormat::Svg);
    EXPECT_EQ(ImageFormatOfFile("/tmp/a.png.bmp"), ImageFormat::Bmp);  // the last extension only
}

TEST(ImageFormatOfFile, OtherNamesHaveNoFormat) {
    EXPECT_EQ(ImageFormatOfFile("chart.jpg"), std::nullopt);
    EXPECT_EQ(ImageFormatOfFile("chart.bmp.txt"), std::nullopt);
    EXPECT_EQ(ImageFormatOfFile("chart"), std::nullopt);
    EXPECT_EQ(ImageFormatOfFile("/tmp/pictures.bmp/chart"), std::nullopt);  // a folder's extension does not count
    EXPECT_EQ(ImageFormatOfFile("chart.bmpx"), std::nullopt);
}

TEST(ImageFileFilters, OneFilterPerFormatThenAllOfThem) {
    EXPECT_EQ(ImageFileFilters(),
              (QStringList{"Bitmap (*.bmp)", "Metafile (*.wmf)", "Enhanced metafile (*.emf)", "PNG image (*.png)",
                           "SVG drawing (*.svg)", "All image files (*.bmp *.wmf *.emf *.png *.svg)"}));
    EXPECT_EQ(ImageExtensionList(), QStringLiteral(".bmp, .wmf, .emf, .png or .svg"));
}

}  // namespace
}  // namespace moravel
