// The SVG writer: XML escaping, the document's size, rotated text, clip
// groups that open and close in pairs, and the embedded PNG images.
#include "views/core/SvgWriter.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <string>

#include "views/core/PngEncoder.h"

namespace moravel::vec {
namespace {

std::string Svg(const VectorDrawing& d) {
    const std::vector<std::uint8_t> bytes = WriteSvg(d);
    return {bytes.begin(), bytes.end()};
}

int Count(const std::string& haystack, const std::string& needle) {
    int n = 0;
    for (std::size_t at = haystack.find(needle); at != std::string::npos; at = haystack.find(needle, at + 1)) ++n;
    return n;
}

TEST(SvgWriter, EscapesTheReservedCharactersAndDropsControlCharacters) {
    EXPECT_EQ(EscapeXml("a<b & \"c\" 'd'>\x01\tz"), "a&lt;b &amp; &quot;c&quot; &apos;d&apos;&gt;\tz");
    EXPECT_EQ(EscapeXml("\xC2\xB5V"), "\xC2\xB5V");  // UTF-8 passes through
}

TEST(SvgWriter, DocumentHasItsPixelSizeAndTextWithFontColourAndRotation) {
    Text label;
    label.origin = {12, 200.5};
    label.text = u"<Level & \u00B5V>";
    label.font = {"DejaVu Sans", 11.5, 700, true};
    label.color = {0x12, 0xAB, 0xEF};
    label.rotation = 90;
    const std::string svg = Svg({320, 240, {label}});
    EXPECT_NE(svg.find("width=\"320\" height=\"240\" viewBox=\"0 0 320 240\""), std::string::npos);
    EXPECT_NE(svg.find("<text x=\"12\" y=\"200.5\" font-family=\"DejaVu Sans\" font-size=\"11.5\" font-weight=\"700\" "
                       "font-style=\"italic\" fill=\"#12abef\" transform=\"rotate(-90 12 200.5)\""),
              std::string::npos)
        << svg;
    EXPECT_NE(svg.find(">&lt;Level &amp; \xC2\xB5V&gt;</text>"), std::string::npos) << svg;
}

TEST(SvgWriter, ShapesCarryStrokeAndFillAndClipGroupsArePaired) {
    const Pen dashed{{0, 0, 0}, 2, PenStyle::Dash};
    const std::string svg =
        Svg({100,
             100,
             {Clip{true, {1, 2, 30, 40}}, Polyline{{{0, 0}, {10, 5.25}}, dashed}, Clip{true, {0, 0, 50, 50}},
              Rectangle{{1, 1, 5, 5}, {{}, 0, PenStyle::None}, {{255, 0, 0}, true}}, Clip{false, {}},
              Polygon{{{0, 0}, {1, 0}, {1, 1}}, dashed, {}}}});
    EXPECT_NE(svg.find("<polyline points=\"0,0 10,5.25\" fill=\"none\" stroke=\"#000000\" stroke-width=\"2\" "
                       "stroke-dasharray=\"8,4\"/>"),
              std::string::npos)
        << svg;
    EXPECT_NE(svg.find("<rect x=\"1\" y=\"1\" width=\"5\" height=\"5\" fill=\"#ff0000\" stroke=\"none\"/>"),
              std::string::npos);
    EXPECT_EQ(Count(svg, "<clipPath "), 2);
    EXPECT_EQ(Count(svg, "<g clip-path="), 2);
    EXPECT_EQ(Count(svg, "</g>"), 2);
    EXPECT_LT(svg.rfind("</g>"), svg.find("<polygon"));  // the last shape is outside any clip
}

TEST(SvgWriter, ImagesAreEmbeddedAsPngOfTheirSourceRectangle) {
    Image image;
    image.width = 4;
    image.height = 4;
    image.pixels.assign(16, 0xFF00FF00);
    image.source = {0, 0, 2, 1};
    image.target = {10, 10, 80, 40};
    const std::string svg = Svg({100, 100, {image}});
    // "iVBORw0KGgo" is the PNG signature in base64.
    EXPECT_NE(svg.find("<image x=\"10\" y=\"10\" width=\"80\" height=\"40\" preserveAspectRatio=\"none\" "
                       "xlink:href=\"data:image/png;base64,iVBORw0KGgo"),
              std::string::npos)
        << svg;
}

TEST(PngEncoder, OnePixelFileHasItsHeaderRgbaScanlineAndEndChunk) {
    const std::vector<std::uint8_t> png = EncodePng(1, 1, {0x80112233});
    const std::vector<std::uint8_t> head = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n',  //
                                            0,    0,   0,   13,  'I',  'H',  'D',  'R',  0, 0, 0,
                                            1,    0,   0,   0,   1,    8,    6,    0,    0, 0};
    ASSERT_GT(png.size(), head.size() + 12 + 12);
    EXPECT_EQ(std::vector<std::uint8_t>(png.begin(), png.begin() + head.size()), head);
    // The IEND chunk with its well-known CRC closes the file.
    EXPECT_EQ(std::vector<std::uint8_t>(png.end() - 12, png.end()),
              (std::vector<std::uint8_t>{0, 0, 0, 0, 'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82}));
    // The IDAT chunk inflates to one filter byte and red, green, blue, alpha.
    const std::size_t idat = head.size() + 4;  // past the IHDR CRC
    const std::size_t length = png[idat] << 24 | png[idat + 1] << 16 | png[idat + 2] << 8 | png[idat + 3];
    std::vector<std::uint8_t> raw(16);
    uLongf rawSize = raw.size();
    ASSERT_EQ(uncompress(raw.data(), &rawSize, png.data() + idat + 8, length), Z_OK);
    raw.resize(rawSize);
    EXPECT_EQ(raw, (std::vector<std::uint8_t>{0, 0x11, 0x22, 0x33, 0x80}));
    EXPECT_TRUE(EncodePng(0, 5, {}).empty());
}

}  // namespace
}  // namespace moravel::vec
