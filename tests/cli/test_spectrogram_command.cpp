// moravel-process --spectrogram run as a program on recordings made by sox,
// the picture read back with Qt's PNG reader.
#include "MemoryWave.h"
#include "ProgramRun.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

namespace moravel {
namespace {

using testing::MoravelProcess;
using testing::ReadText;
using testing::WriteText;

// At 8000 Hz a block is 1024 samples and "Medium" shows points of
// 5 × 8000 / 1024 = 39.0625 Hz: point d is the strongest of transform lines
// 5d − 1 .. 5d + 3 (7.8125 Hz each), so a tone on line 101, 789.0625 Hz,
// lies in the middle of point 20 and its window's main lobe (lines 99..103)
// stays inside it. The picture has 102 rows, 15 above them, the axis labels
// for 0..4000 Hz 32 to their left: point d sits at y = 15 + 102 − d.
constexpr const char* kTone = "sine 789.0625";
constexpr int kTop = 15;
constexpr int kLeft = 32;
constexpr int kRows = 102;
constexpr int kToneBin = 20;
int RowOf(int bin) { return kTop + kRows - bin; }

QImage ReadPng(const std::string& path) {
    QImage image(QString::fromStdString(path), "PNG");
    return image.convertToFormat(QImage::Format_RGB32);
}

int Brightest(QRgb c) { return std::max({qRed(c), qGreen(c), qBlue(c)}); }

// White pixels (the axes' colour) in a rectangle of the picture.
int WhiteIn(const QImage& image, int x0, int y0, int x1, int y1) {
    int count = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) count += image.pixel(x, y) == qRgb(255, 255, 255);
    return count;
}

class SpectrogramCommand : public MoravelProcess {
protected:
    // 3 s at 8000 Hz: ceil(24000 / 1024) = 24 columns.
    std::string Tone() { return Synth("tone.wav", "-b 16 -c 1", 8000, 3, kTone); }
};

TEST_F(SpectrogramCommand, AToneIsABrightRowAtItsPointAndTheOtherRowsStayDark) {
    const std::string png = File("tone.png");
    ASSERT_EQ(Process({Tone(), File("out.wav"), "--quiet", "--spectrogram", png}), 0) << Stderr();
    const QImage image = ReadPng(png);
    ASSERT_EQ(image.width(), kLeft + 24 + 15);
    ASSERT_EQ(image.height(), kTop + kRows + 16);
    // Columns 2..22, away from the fade in and out. The tone's values are far
    // above the first-run gain's range of 2001, so its point gets "Soft
    // Green"'s strongest colour, 0x0080FF.
    for (int x = kLeft + 2; x < kLeft + 23; ++x) {
        EXPECT_EQ(image.pixel(x, RowOf(kToneBin)), qRgb(255, 128, 0)) << "column " << x - kLeft;
        for (int bin = 1; bin <= kRows; ++bin) {
            if (std::abs(bin - kToneBin) <= 2) continue;
            EXPECT_LT(Brightest(image.pixel(x, RowOf(bin))), 64) << "column " << x - kLeft << ", point " << bin;
        }
    }
    // Labels: the frequencies left of the plot, "00:00" below it.
    EXPECT_GT(WhiteIn(image, 0, 0, kLeft - 1 - 4, image.height()), 40);
    EXPECT_GT(WhiteIn(image, 0, kTop + kRows + 1 + 4, image.width(), image.height()), 20);
}

TEST_F(SpectrogramCommand, PaletteByNameAndFromASettingsFile) {
    const std::string tone = Tone();
    ASSERT_EQ(Process({tone, File("a.wav"), "--quiet", "--spectrogram", File("blue.png"), "--palette", "Hard Blue"}), 0)
        << Stderr();
    const QImage blue = ReadPng(File("blue.png"));
    // "Hard Blue" runs from blue (0xFF0000) at 0 to red (0x0000FF) at 1.
    EXPECT_EQ(blue.pixel(kLeft + 10, RowOf(kToneBin)), qRgb(255, 0, 0));
    EXPECT_EQ(qBlue(blue.pixel(kLeft + 10, RowOf(60))), 255);

    // A stored palette from green (PaletteColor1) to blue (PaletteColor4),
    // point 2 (PaletteColor2, 0x123456) at 0.2; offset 800 and gain 1 put
    // silence on index 800 = 0.2 × 4000.
    const std::string ini = File("moravel.ini");
    WriteText(ini,
              "[SETTINGS]\r\nPaletteColor1=65280\r\nPaletteColor2=1193046\r\nPaletteColor3=255\r\n"
              "PaletteColor4=16711680\r\nPaletteAlpha1=0.2\r\nPaletteAlpha2=0.6\r\n"
              "TrackSpectrogramOffset=800\r\nTrackSpectrogramGain=1\r\n");
    // Written here rather than by sox, whose dither would add noise.
    const std::string silence = File("silence.wav");
    const auto zeros = testing::MonoWave16(8000, std::vector<std::int16_t>(8000, 0));
    WriteText(silence, std::string(zeros.begin(), zeros.end()));
    ASSERT_EQ(Process({silence, File("b.wav"), "--quiet", "--settings", ini, "--spectrogram", File("file.png")}), 0)
        << Stderr();
    EXPECT_EQ(ReadPng(File("file.png")).pixel(kLeft + 3, RowOf(50)), qRgb(0x56, 0x34, 0x12));
    // The options win over the file: offset 0 gives index 0, PaletteColor1.
    ASSERT_EQ(Process({silence, File("c.wav"), "--quiet", "--settings", ini, "--spectrogram-offset", "0",
                       "--spectrogram", File("zero.png")}),
              0)
        << Stderr();
    EXPECT_EQ(ReadPng(File("zero.png")).pixel(kLeft + 3, RowOf(50)), qRgb(0, 255, 0));
}

// A mono 16-bit WAV file that claims `samples` samples at `rate` Hz, made
// sparse: its header is all the tool reads before it refuses.
void SparseWave(const std::string& path, std::uint32_t rate, std::uint32_t samples) {
    const std::uint32_t dataBytes = samples * 2;
    std::vector<std::uint8_t> header(44);
    const auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) header[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    const auto put16 = [&](std::size_t at, std::uint16_t v) {
        header[at] = static_cast<std::uint8_t>(v);
        header[at + 1] = static_cast<std::uint8_t>(v >> 8);
    };
    std::copy_n("RIFF", 4, header.begin());
    put32(4, 36 + dataBytes);
    std::copy_n("WAVEfmt ", 8, header.begin() + 8);
    put32(16, 16);
    put16(20, 1);  // PCM
    put16(22, 1);  // mono
    put32(24, rate);
    put32(28, rate * 2);
    put16(32, 2);
    put16(34, 16);
    std::copy_n("data", 4, header.begin() + 36);
    put32(40, dataBytes);
    WriteText(path, std::string(header.begin(), header.end()));
    ASSERT_EQ(::truncate(path.c_str(), static_cast<off_t>(44 + std::uint64_t{dataBytes})), 0);
}

TEST_F(SpectrogramCommand, ARecordingWiderThanOnePictureIsDrawnInNumberedParts) {
    // 2 h 30 min at 8000 Hz: 70313 columns of 1024 samples, beyond 65488.
    const std::string in = File("long.wav");
    SparseWave(in, 8000, 9000u * 8000u);
    ASSERT_EQ(Process({in, File("out.wav"), "--quiet", "--spectrogram", File("long.png")}), 0) << Stderr();
    EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"long-1.png", "long-2.png", "long.wav", "out.wav"}));
    EXPECT_EQ(ReadPng(File("long-1.png")).width(), 65535);
    EXPECT_EQ(ReadPng(File("long-2.png")).width(), 70313 - 65488 + kLeft + 15);
}

TEST_F(SpectrogramCommand, AnUnwritablePictureFailsButOutWavIsComplete) {
    const std::string tone = Tone();
    const std::string out = File("out.wav");
    const std::string png = File("missing-folder/tone.png");
    EXPECT_EQ(Process({tone, out, "--quiet", "--spectrogram", png}), 1);
    EXPECT_TRUE(Stderr().starts_with("moravel-process: " + png + ": ")) << Stderr();
    EXPECT_NE(Stderr().find("no picture written (" + out + " is complete)"), std::string::npos) << Stderr();
    const std::string written = ReadText(out);
    EXPECT_EQ(testing::MonoSamples(std::vector<std::uint8_t>(written.begin(), written.end())).size(), 24000u);
    EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"out.wav", "tone.wav"}));
}

TEST_F(SpectrogramCommand, OptionErrorsExitWith2) {
    const std::string tone = Tone();
    const std::string out = File("out.wav");
    EXPECT_EQ(Process({tone, out, "--spectrogram", File("x.png"), "--palette", "Rainbow"}), 2);
    EXPECT_NE(Stderr().find("--palette: unknown palette \"Rainbow\"; use one of:\n  \"Soft Blue\""), std::string::npos)
        << Stderr();
    EXPECT_EQ(Process({tone, out, "--spectrogram", out}), 2);
    EXPECT_EQ(Process({tone, out, "--spectrogram-gain", "x", "--spectrogram", File("x.png")}), 2);
    EXPECT_EQ(Process({tone, out, "--palette", "Soft Blue"}), 2);
    EXPECT_NE(Stderr().find("--palette needs --spectrogram FILE.png"), std::string::npos) << Stderr();
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"tone.wav"});
}

}  // namespace
}  // namespace moravel
