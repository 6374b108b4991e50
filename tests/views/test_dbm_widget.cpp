#include "views/DbMeter.h"

#include <QEvent>
#include <QPalette>
#include <QTest>

#include <gtest/gtest.h>

#include "views/BgrColor.h"
#include "views/MeterInstances.h"
#include "PixelChecks.h"

namespace moravel {
namespace {

using namespace dbmcolor;
using test::ExpectPixels;

/// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return QObject::eventFilter(watched, event);
    }
};

void ShowAndPaint(DbMeter& meter) {
    meter.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&meter));
    meter.repaint();
}

void ExpectImageMatchesModel(const DbMeter& meter) {
    const QImage& image = meter.OffscreenImage();
    const GdiRaster expected = RenderDbMeter(meter.Properties(), meter.width(), meter.height());
    ASSERT_EQ(image.width(), expected.Width());
    ASSERT_EQ(image.height(), expected.Height());
    for (int y = 0; y < expected.Height(); ++y)
        for (int x = 0; x < expected.Width(); ++x)
            ASSERT_EQ(image.pixel(x, y), ToQRgb(expected.Pixel(x, y))) << "pixel (" << x << ", " << y << ")";
}

TEST(DbMeter, StartsWithDefaults) {
    DbMeter meter;
    EXPECT_EQ(meter.size(), QSize(80, 17));
    EXPECT_EQ(meter.Properties(), DbMeterProperties{});
}

TEST(DbMeter, BevelWidthSetterKeepsAThirdOfTheSize) {
    DbMeter meter;
    meter.resize(80, 9);
    meter.SetBevelWidth(3);
    EXPECT_EQ(meter.BevelWidth(), 3);
    meter.SetBevelWidth(10);
    EXPECT_EQ(meter.BevelWidth(), 1);
    meter.SetBevelWidth(2);
    meter.SetBevelWidth(0);
    EXPECT_EQ(meter.BevelWidth(), 1);
}

TEST(DbMeter, OffscreenImageIsTheModelsRaster) {
    DbMeter meter;
    ShowAndPaint(meter);
    ExpectImageMatchesModel(meter);
    const uchar* buffer = meter.OffscreenImage().constBits();

    meter.SetPosition(60);
    meter.SetDirection(tdbmeterdirection::ddLeftUp);
    meter.SetShowJustOne(true);
    ExpectImageMatchesModel(meter);
    EXPECT_EQ(meter.OffscreenImage().constBits(), buffer) << "image reallocated without a size change";

    meter.resize(20, 90);
    meter.SetStyle(DbMeterStyle::dsVertical);
    meter.SetBevelStyle(BevelCut::bvRaised);
    ExpectImageMatchesModel(meter);
}

TEST(DbMeter, RepaintsAtOnceOnlyWhenAValueChanges) {
    DbMeter meter;
    ShowAndPaint(meter);
    PaintCounter counter;
    meter.installEventFilter(&counter);

    meter.SetPosition(0);
    meter.SetGreenColor(kLime);
    meter.SetBevelWidth(0);  // stored as 1, which it already is
    EXPECT_EQ(counter.paints, 0);

    meter.SetPosition(60);
    EXPECT_EQ(counter.paints, 1);
    EXPECT_EQ(meter.OffscreenImage().pixel(45, 8), ToQRgb(kYellow));
    meter.SetYellowColor(0x123456);
    EXPECT_EQ(counter.paints, 2);
    EXPECT_EQ(meter.OffscreenImage().pixel(45, 8), ToQRgb(0x123456));
}

// The instances take their system colours from the palette; distinct ones
// show which colour lands where.
constexpr TColor kShadow = 0x563412;
constexpr TColor kFace = 0xEFCDAB;

class MeterInstance : public ::testing::Test {
protected:
    MeterInstance() {
        QPalette palette = meter.palette();
        palette.setColor(QPalette::Dark, QColor(ToQRgb(kShadow)));
        palette.setColor(QPalette::Button, QColor(ToQRgb(kFace)));
        meter.setPalette(palette);
    }

    void ExpectPixelsNow(std::initializer_list<test::PixelCheck> checks) {
        ExpectImageMatchesModel(meter);
        ExpectPixels([this](int x, int y) { return ToBgr(QColor(meter.OffscreenImage().pixel(x, y))); }, checks);
    }

    void ExpectIdentity(const char* name, QSize size, const char* hint) {
        EXPECT_EQ(meter.objectName(), QString::fromLatin1(name));
        EXPECT_EQ(meter.size(), size);
        EXPECT_EQ(meter.minimumSize(), size);
        EXPECT_EQ(meter.maximumSize(), size);
        EXPECT_EQ(meter.toolTip(), QString::fromLatin1(hint));
        EXPECT_EQ(meter.BevelStyle(), BevelCut::bvLowered);
        EXPECT_EQ(meter.BevelWidth(), 1);
        EXPECT_FALSE(meter.ShowJustOne());
        EXPECT_EQ(meter.Style(), DbMeterStyle::dsHorizontal);
        EXPECT_EQ(meter.Direction(), tdbmeterdirection::ddRightDown);
    }

    DbMeter meter;
};

// 89 x 9, 11 segments of 8 pixels, rows 0..7, 1-pixel silver separators.
TEST_F(MeterInstance, VUAudio) {
    SetUpAsOutputLevelMeter(meter);
    ExpectIdentity("VUAudio", {89, 9}, "Audio output level after AGC");
    EXPECT_EQ(meter.Position(), 50);
    EXPECT_EQ(meter.YellowBack(), kShadow);
    EXPECT_EQ(meter.RedMax(), 25);
    ShowAndPaint(meter);
    ExpectPixelsNow({{1, 4, kLime},
                     {44, 4, kLime},
                     {4, 7, kLime},
                     {47, 4, kSilver},
                     {48, 4, kShadow},
                     {85, 4, kShadow},
                     {87, 4, kSilver},
                     {88, 4, kWhite},
                     {4, 8, kWhite},
                     {4, 0, kGray},
                     {0, 4, kGray}});
    meter.SetPosition(100);
    ExpectPixelsNow({{60, 4, kYellow}, {81, 4, kRed}, {87, 4, kSilver}});
}

// Six greens share 0..50: 10 and 12 both light one segment (Round(1.2),
// Round(1.44)), 13 lights two (Round(1.56)); any position above 0 shows at
// least one. A position that lights the same segments is not painted again,
// yet the image still matches the model.
TEST_F(MeterInstance, VUAudioRepaintsOnlyWhenASegmentLightsOrGoesDark) {
    SetUpAsOutputLevelMeter(meter);
    ShowAndPaint(meter);
    PaintCounter counter;
    meter.installEventFilter(&counter);
    meter.SetPosition(10);
    EXPECT_EQ(counter.paints, 1);
    meter.SetPosition(12);
    EXPECT_EQ(counter.paints, 1);
    EXPECT_EQ(meter.Position(), 12);
    ExpectPixelsNow({{4, 4, kLime}, {12, 4, kShadow}});
    meter.SetPosition(13);
    EXPECT_EQ(counter.paints, 2);
    ExpectPixelsNow({{12, 4, kLime}, {20, 4, kShadow}});
    meter.SetPosition(0);
    meter.SetPosition(1);
    meter.SetPosition(4);
    EXPECT_EQ(counter.paints, 4);
    ExpectPixelsNow({{4, 4, kLime}, {12, 4, kShadow}});
}

// 45 x 9, 11 segments of 4 pixels, no separators: greens 0..31, reds 32..43.
TEST_F(MeterInstance, VUCpu) {
    SetUpAsCpuUsageMeter(meter);
    ExpectIdentity("VUCpu", {45, 9}, "Current CPU usage level");
    EXPECT_EQ(meter.Position(), 100);
    EXPECT_EQ(meter.SepWidth(), 0);
    EXPECT_EQ(meter.SepColor(), kShadow);
    ShowAndPaint(meter);
    ExpectPixelsNow({{1, 4, kLime},
                     {3, 4, kLime},
                     {4, 4, kLime},
                     {31, 4, kLime},
                     {32, 4, kRed},
                     {43, 4, kRed},
                     {44, 4, kWhite},
                     {10, 8, kWhite},
                     {10, 0, kGray},
                     {0, 4, kGray}});
    meter.SetPosition(50);
    ExpectPixelsNow({{19, 4, kLime}, {20, 4, kShadow}, {32, 4, kShadow}});
    meter.SetPosition(85);  // red zone: 8 + Round(3/20 x 5)
    ExpectPixelsNow({{35, 4, kRed}, {36, 4, kShadow}});
}

// 61 x 11, 20 segments of 3 pixels, rows 0..9, no separators.
TEST_F(MeterInstance, VUAgcLevel) {
    SetUpAsAgcGainMeter(meter);
    ExpectIdentity("VUAgcLevel", {61, 11}, "AGC compensation level");
    EXPECT_EQ(meter.Position(), 0);
    EXPECT_EQ(meter.GreenColor(), kGreen);
    EXPECT_EQ(meter.RedColor(), kTeal);
    EXPECT_EQ(meter.YellowMax(), 0);
    ShowAndPaint(meter);
    ExpectPixelsNow({{1, 5, kFace}, {59, 5, kFace}, {60, 5, kWhite}, {30, 10, kWhite}, {30, 0, kGray}, {0, 5, kGray}});
    meter.SetPosition(50);
    ExpectPixelsNow({{29, 5, kGreen}, {30, 5, kFace}});
    meter.SetPosition(100);
    ExpectPixelsNow({{59, 5, kGreen}});
}

}  // namespace
}  // namespace moravel
