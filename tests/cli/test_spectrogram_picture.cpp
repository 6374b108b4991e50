// The spectrogram picture's parts without the program: the font, the axes'
// layout, the colour indices, the palette and scale choice, and the PNG
// file read back with Qt's own PNG reader.
#include "cli/BitmapFont.h"
#include "cli/PngWriter.h"
#include "cli/SpectrogramLayout.h"
#include "cli/SpectrogramLook.h"
#include "cli/SpectrogramOutput.h"
#include "cli/SpectrogramPicture.h"
#include "cli/SpectrogramPng.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <QImage>

#include <memory>
#include <set>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

namespace moravel {
namespace {

using testing::TempFolder;

// 8000 Hz, blocks of 1024 samples, "Medium" (5 spectrum lines a point):
// (1024 / 2) / 5 = 102 rows of 5 × 8000 / 1024 = 39.0625 Hz, 7.8125 columns
// a second.
const SpectrogramGeometry k8kMedium = SpectrogramGeometry::For(8000, 1024, 5);

QImage ReadPng(const std::string& path) {
    QImage image(QString::fromStdString(path), "PNG");
    return image.convertToFormat(QImage::Format_RGB32);
}

TEST(BitmapFont, WidthsAndTheLitPixelsOfADigit) {
    EXPECT_EQ(TextWidth(""), 0);
    EXPECT_EQ(TextWidth("0"), 5);
    EXPECT_EQ(TextWidth("00:00"), 4 * 6 + 5);

    std::set<std::pair<int, int>> lit;
    DrawText("?1", 10, 20, [&](int x, int y) { lit.insert({x, y}); });
    // '?' has no glyph and stays blank; '1' starts one advance further:
    // ..#.. / .##.. / four rows ..#.. / .###.
    const std::set<std::pair<int, int>> one = {{18, 20}, {17, 21}, {18, 21}, {18, 22}, {18, 23},
                                               {18, 24}, {18, 25}, {17, 26}, {18, 26}, {19, 26}};
    EXPECT_EQ(lit, one);
    EXPECT_FALSE(HasGlyph('?'));
    for (const char c : std::string("0123456789:Hzk")) EXPECT_TRUE(HasGlyph(c)) << c;
}

TEST(SpectrogramLayout, AxesAtEightKilohertzMedium) {
    EXPECT_EQ(k8kMedium.rows, 102);
    EXPECT_DOUBLE_EQ(k8kMedium.hzPerRow, 39.0625);
    EXPECT_DOUBLE_EQ(k8kMedium.columnsPerSecond, 7.8125);
    const SpectrogramLayout l = LayOutSpectrogram(157, 102, 7.8125, 39.0625);
    // Left: "4000" (23 px) + 2 + gap 2 + tick 4 + the axis line.
    EXPECT_EQ(l.left, 32);
    EXPECT_EQ(l.top, 15);
    EXPECT_EQ(l.right, 15);  // half of "00:10" past the last column
    EXPECT_EQ(l.bottom, 16);
    EXPECT_EQ(l.Width(), 32 + 157 + 15);
    EXPECT_EQ(l.Height(), 15 + 102 + 16);
    // 1000 Hz steps (500 Hz would put labels 12.8 rows apart): bins
    // round(f / 39.0625) = 0, 26, 51, 77, 102 at y = 15 + 102 − bin.
    const std::vector<AxisTick> hz = {{117, "0"}, {91, "1000"}, {66, "2000"}, {40, "3000"}, {15, "4000"}};
    EXPECT_EQ(l.frequencyTicks, hz);
    // 10 s steps (5 s would be 39 px, labels need 45): x = 32 + round(t × 7.8125).
    const std::vector<AxisTick> time = {{32, "00:00"}, {110, "00:10"}, {188, "00:20"}};
    EXPECT_EQ(l.timeTicks, time);
}

TEST(SpectrogramLayout, TimeLabelsAreMinutesAndSecondsOfTheHourAsOnTheProgramsAxis) {
    const SpectrogramLayout hour = LayOutSpectrogram(28125, 102, 7.8125, 39.0625);
    ASSERT_EQ(hour.timeTicks.size(), 361u);
    EXPECT_EQ(hour.timeTicks[359], (AxisTick{32 + 28047, "59:50"}));  // 3590 s × 7.8125 = 28046.875
    EXPECT_EQ(hour.timeTicks[360], (AxisTick{32 + 28125, "00:00"}));
    // 48 kHz: blocks of 4096, 11.71875 columns a second: 5 s steps.
    const SpectrogramLayout fast = LayOutSpectrogram(100, 409, 11.71875, 58.59375);
    EXPECT_EQ(fast.timeTicks[1], (AxisTick{fast.left + 59, "00:05"}));
    // "High" at 8 kHz: 7.8125 Hz rows, 200 Hz steps (100 Hz would be 12.8 rows).
    const SpectrogramLayout high = LayOutSpectrogram(10, 512, 7.8125, 7.8125);
    EXPECT_EQ(high.frequencyTicks[1], (AxisTick{high.top + 512 - 26, "200"}));  // 25.6 rows
}

TEST(SpectrogramLayout, WidthLimitLeavesRoomForTheMargins) {
    EXPECT_EQ(MaxSpectrogramColumns(102, 39.0625), 65535 - 32 - 15);
    // 65488 columns of 1024 samples fit one picture; one sample more starts
    // a second part.
    EXPECT_EQ(SpectrogramOutput(k8kMedium, 65488LL * 1024, 1024, ChooseSpectrogramLook({}, {}, {})).Picture().Rows(), 102);
    EXPECT_EQ(SpectrogramOutput::PartPath("/x/long.png", 2), "/x/long-2.png");
}

// Parts of a long picture: each as wide as allowed, the last with the rest,
// and the time labels going on from part to part (7.8125 columns a second,
// ticks every 10 s).
TEST(SpectrogramLayout, LongRecordingIsDrawnInPartsWithContinuousTime) {
    const auto engine = std::make_unique<Engine>();
    engine->DisplayCount = 103;
    SpectrogramOutput output(k8kMedium, 250LL * 1024, 1024, ChooseSpectrogramLook({}, {}, {}), 100);
    for (int block = 0; block < 250; ++block) output.AddBlock(*engine);
    ASSERT_EQ(output.Parts(), 3u);
    EXPECT_EQ(output.Picture(0).Columns(), 100);
    EXPECT_EQ(output.Picture(2).Columns(), 50);
    // Part 2 starts at column 100, 12.8 s: its first tick is 20 s, at its column 56.
    const SpectrogramLayout second = output.Layout(1);
    ASSERT_FALSE(second.timeTicks.empty());
    EXPECT_EQ(second.timeTicks[0], (AxisTick{second.left + 56, "00:20"}));
}

// A palette whose entry i is the colour i, so the colour shows the index.
SpectrogramPalette CountingPalette() {
    SpectrogramPalette palette{};
    for (std::size_t i = 0; i < palette.size(); ++i) palette[i] = static_cast<TColor>(i);
    return palette;
}

TEST(SpectrogramPicture, ColumnsHoldTheColourIndexOfEachBin) {
    // Gain 1 (range 4000) maps values one to one; offset lifts them.
    SpectrogramPicture oneToOne(4, 10, 2, CountingPalette(), {0, 1, 4000});
    const float values[] = {999, 1000.4f, 4000, 5000, -3, 77};  // [0] and [5] are not drawn
    oneToOne.AddColumn(values, 6);
    EXPECT_EQ(oneToOne.Index(0, 1), 1000);
    EXPECT_EQ(oneToOne.Index(0, 2), 4000);
    EXPECT_EQ(oneToOne.Index(0, 3), 4000);
    EXPECT_EQ(oneToOne.Index(0, 4), 0);
    EXPECT_EQ(oneToOne.Colour(0, 1), 1000u);

    // The program's first-run gain 2000: range 2001, round(1000 / 2001 × 4000) = 1999.
    SpectrogramPicture firstRun(1, 10, 1, CountingPalette(), {0, 2000, 4000});
    const float thousand[] = {0, 1000};
    firstRun.AddColumn(thousand, 2);
    EXPECT_EQ(firstRun.Index(0, 1), 1999);
    SpectrogramPicture lifted(1, 10, 1, CountingPalette(), {1000, 1, 4000});
    const float silence[] = {0, 0};
    lifted.AddColumn(silence, 2);
    EXPECT_EQ(lifted.Index(0, 1), 1000);
}

TEST(SpectrogramPicture, RefusesTooManyColumnsAndTooShortSpectra) {
    SpectrogramPicture picture(3, 2, 2, CountingPalette(), {});
    const float values[4] = {};
    picture.AddColumn(values, 4);
    EXPECT_THROW(picture.AddColumn(values, 3), std::invalid_argument);  // bins 1..3 need 4 values
    picture.AddColumn(values, 4);
    EXPECT_THROW(picture.AddColumn(values, 4), PictureTooWide);
    EXPECT_EQ(picture.Columns(), 2);
}

TEST(SpectrogramLook, FirstRunValuesPresetsAndAStoredPalette) {
    std::vector<std::string> warnings;
    const auto warn = [&](const std::string& m) { warnings.push_back(m); };

    const SpectrogramLook plain = ChooseSpectrogramLook({}, {}, warn);
    EXPECT_EQ(plain.scale.offset, 0);
    EXPECT_EQ(plain.scale.gainPosition, 2000);
    EXPECT_EQ(plain.scale.gainMaximum, 4000);
    // "Soft Green": black at 0, green at 0.2, orange (0x0080FF) at 1.
    EXPECT_EQ((*plain.palette)[0], 0x000000u);
    EXPECT_EQ((*plain.palette)[800], 0x00FF00u);
    EXPECT_EQ((*plain.palette)[4000], 0x0080FFu);

    WindowSettings stored;
    stored.PaletteColor = {0x00FF00, 0x123456, 0x654321, 0xFF0000};
    stored.PaletteAlpha = {0.3L, 0.7L};
    stored.TrackSpectrogramOffset = -5;  // the bars take these up clamped,
    stored.TrackSpectrogramGain = 9000;  // without a word
    const SpectrogramLook fromFile = ChooseSpectrogramLook({}, stored, warn);
    EXPECT_EQ((*fromFile.palette)[0], 0x00FF00u);
    EXPECT_EQ((*fromFile.palette)[1200], 0x123456u);
    EXPECT_EQ((*fromFile.palette)[2800], 0x654321u);
    EXPECT_EQ((*fromFile.palette)[4000], 0xFF0000u);
    EXPECT_EQ(fromFile.scale.offset, 0);
    EXPECT_EQ(fromFile.scale.gainPosition, 4000);
    EXPECT_TRUE(warnings.empty());

    ProcessOptions options;
    options.palette = 1;  // "Hard Blue" wins over the file's palette
    options.spectrogramGain = 0;
    options.spectrogramOffset = 250;
    const SpectrogramLook chosen = ChooseSpectrogramLook(options, stored, warn);
    EXPECT_EQ((*chosen.palette)[0], 0xFF0000u);
    EXPECT_EQ((*chosen.palette)[4000], 0x0000FFu);
    EXPECT_EQ(chosen.scale.offset, 250);
    EXPECT_EQ(chosen.scale.gainPosition, 1);
    EXPECT_EQ(warnings, std::vector<std::string>{"--spectrogram-gain 0 is outside 1..4000; using 1"});

    WindowSettings noPalette;  // all four colours 0: no palette stored
    EXPECT_EQ((*ChooseSpectrogramLook({}, noPalette, warn).palette)[4000], 0x0080FFu);
}

TEST(PngWriter, RowsReadBackByQtAcrossSeveralDataChunks) {
    TempFolder folder;
    // 300 x 100 of pseudo-random bytes does not compress below 64 KB, so the
    // data spans several chunks.
    const int width = 300;
    const int height = 100;
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * height * 3);
    std::uint32_t state = 12345;
    for (auto& byte : pixels) byte = static_cast<std::uint8_t>((state = state * 1103515245u + 12345u) >> 24);
    const std::string path = folder.File("noise.png");
    PngWriter png(path, width, height);
    for (int y = 0; y < height; ++y) png.WriteRow(&pixels[static_cast<std::size_t>(y) * width * 3]);
    png.Finish();

    const QImage image = ReadPng(path);
    ASSERT_EQ(image.width(), width);
    ASSERT_EQ(image.height(), height);
    int wrong = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* p = &pixels[(static_cast<std::size_t>(y) * width + x) * 3];
            wrong += image.pixel(x, y) != qRgb(p[0], p[1], p[2]);
        }
    }
    EXPECT_EQ(wrong, 0);
}

TEST(PngWriter, FailuresAreReportedWithTheSystemsReason) {
    TempFolder folder;
    try {
        PngWriter png(folder.File("no-such-folder/x.png"), 1, 1);
        FAIL() << "created a file in a missing folder";
    } catch (const std::system_error& error) {
        EXPECT_EQ(error.code().value(), ENOENT);
    }
    // /dev/full takes the open and fails every write: a full disk.
    PngWriter full("/dev/full", 2, 1);
    const std::uint8_t row[6] = {};
    full.WriteRow(row);
    try {
        full.Finish();
        FAIL() << "a write to a full disk was reported as done";
    } catch (const std::system_error& error) {
        EXPECT_EQ(error.code().value(), ENOSPC);
    }
    PngWriter shortOne(folder.File("short.png"), 1, 2);
    shortOne.WriteRow(row);
    EXPECT_THROW(shortOne.Finish(), std::logic_error);
}

TEST(SpectrogramPng, PlotPixelsAxesAndLabelsWhereTheLayoutPutsThem) {
    TempFolder folder;
    SpectrogramPalette palette{};
    palette[10] = 0x0000FF;  // red
    palette[20] = 0x00FF00;  // green
    SpectrogramPicture picture(3, 4, 4, palette, {0, 1, 4000});
    const float column[] = {0, 10, 20, 0};  // bin 1 red, bin 2 green, bin 3 black
    for (int c = 0; c < 4; ++c) picture.AddColumn(column, 4);
    // 1 column a second, 1000 Hz a row: one tick on each axis ("0", "00:00").
    const SpectrogramLayout l = LayOutSpectrogram(4, 3, 1.0, 1000.0);
    ASSERT_EQ(l.frequencyTicks.size(), 1u);
    ASSERT_EQ(l.timeTicks.size(), 1u);
    const std::string path = folder.File("p.png");
    WriteSpectrogramPng(path, picture, l);

    const QImage image = ReadPng(path);
    ASSERT_EQ(image.width(), l.Width());
    ASSERT_EQ(image.height(), l.Height());
    const QRgb white = qRgb(255, 255, 255);
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(image.pixel(l.left + c, l.top + 2), qRgb(255, 0, 0)) << c;  // bin 1, bottom row
        EXPECT_EQ(image.pixel(l.left + c, l.top + 1), qRgb(0, 255, 0)) << c;
        EXPECT_EQ(image.pixel(l.left + c, l.top), qRgb(0, 0, 0)) << c;
        EXPECT_EQ(image.pixel(l.left + c, l.top + 3), white) << c;  // the time axis line
    }
    EXPECT_EQ(image.pixel(l.left - 1, l.top), white);                    // the frequency axis line
    EXPECT_EQ(image.pixel(l.left - 1 - kTickLength, l.top + 3), white);  // the 0 Hz tick's end
    EXPECT_EQ(image.pixel(l.left - 2 - kTickLength, l.top + 3), qRgb(0, 0, 0));
    // "00:00" centred under x = left from y = top + 3 + 4 + 2: the first
    // '0' has its top row's pixels at 1..3.
    const int labelTop = l.top + 3 + kTickLength + kLabelGap;
    const int labelLeft = l.left - TextWidth("00:00") / 2;
    EXPECT_EQ(image.pixel(labelLeft, labelTop), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(labelLeft + 1, labelTop), white);
    // "0" on the frequency axis ends kLabelGap left of the tick.
    const int zeroLeft = l.left - 1 - kTickLength - kLabelGap - TextWidth("0");
    EXPECT_EQ(image.pixel(zeroLeft + 1, l.top + 3 - kGlyphHeight / 2), white);
    // "Hz" at the top: 'H' has its left column lit from its first row.
    EXPECT_EQ(image.pixel(l.left - 1 - kTickLength - kLabelGap - TextWidth("Hz"), kUnitTop), white);
}

}  // namespace
}  // namespace moravel
