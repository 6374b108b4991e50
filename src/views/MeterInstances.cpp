#include "views/MeterInstances.h"

#include <QPalette>
#include <QString>

#include "views/BgrColor.h"

namespace moravel {
namespace {

/// One zone: segment count, value range, lit and unlit colour.
struct Zone {
    std::int32_t segments;
    std::int32_t range;
    TColor lit;
    TColor unlit;
};

/// What differs between the three meters.
struct MeterSetup {
    const char* objectName;
    int width;
    int height;
    const char* hint;
    Zone green;
    Zone yellow;
    Zone red;
    std::int32_t sepWidth;
    TColor sepColor;
    std::int32_t position;
};

void Apply(DbMeter& meter, const MeterSetup& s) {
    meter.setObjectName(QString::fromLatin1(s.objectName));
    // The size first: the frame width rule depends on it.
    meter.setFixedSize(s.width, s.height);
    meter.setToolTip(QString::fromLatin1(s.hint));
    meter.SetBevelStyle(BevelCut::bvLowered);
    meter.SetBevelWidth(1);
    meter.SetGreens(s.green.segments);
    meter.SetGreenMax(s.green.range);
    meter.SetGreenColor(s.green.lit);
    meter.SetGreenBack(s.green.unlit);
    meter.SetYellows(s.yellow.segments);
    meter.SetYellowMax(s.yellow.range);
    meter.SetYellowColor(s.yellow.lit);
    meter.SetYellowBack(s.yellow.unlit);
    meter.SetReds(s.red.segments);
    meter.SetRedMax(s.red.range);
    meter.SetRedColor(s.red.lit);
    meter.SetRedBack(s.red.unlit);
    meter.SetShowJustOne(false);
    meter.SetSepWidth(s.sepWidth);
    meter.SetSepColor(s.sepColor);
    meter.SetStyle(DbMeterStyle::dsHorizontal);
    meter.SetDirection(tdbmeterdirection::ddRightDown);
    meter.SetPosition(s.position);
}

TColor ButtonShadow(const DbMeter& meter) { return ToBgr(meter.palette().color(QPalette::Dark)); }
TColor ButtonFace(const DbMeter& meter) { return ToBgr(meter.palette().color(QPalette::Button)); }

}  // namespace

void SetUpAsOutputLevelMeter(DbMeter& meter) {
    using namespace dbmcolor;
    const TColor shadow = ButtonShadow(meter);
    Apply(meter, {.objectName = "VUAudio",
                  .width = 89,
                  .height = 9,
                  .hint = "Audio output level after AGC",
                  .green = {6, 50, kLime, shadow},
                  .yellow = {3, 25, kYellow, shadow},
                  .red = {2, 25, kRed, shadow},
                  .sepWidth = 1,
                  .sepColor = kSilver,
                  .position = 50});
}

void SetUpAsCpuUsageMeter(DbMeter& meter) {
    using namespace dbmcolor;
    const TColor shadow = ButtonShadow(meter);
    Apply(meter, {.objectName = "VUCpu",
                  .width = 45,
                  .height = 9,
                  .hint = "Current CPU usage level",
                  .green = {8, 80, kLime, shadow},
                  .yellow = {0, 25, kYellow, shadow},
                  .red = {3, 20, kRed, shadow},
                  .sepWidth = 0,
                  .sepColor = shadow,
                  .position = 100});
}

void SetUpAsAgcGainMeter(DbMeter& meter) {
    using namespace dbmcolor;
    const TColor face = ButtonFace(meter);
    Apply(meter, {.objectName = "VUAgcLevel",
                  .width = 61,
                  .height = 11,
                  .hint = "AGC compensation level",
                  .green = {20, 100, kGreen, face},
                  .yellow = {0, 0, kTeal, face},
                  .red = {0, 0, kTeal, face},
                  .sepWidth = 0,
                  .sepColor = face,
                  .position = 0});
}

}  // namespace moravel
