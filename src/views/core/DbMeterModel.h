// The segmented level meter without any GUI: its properties, how many
// segments a position lights, the frame-width rule and the drawing of the
// whole control into a GdiRaster. Plain C++, callable from any thread on
// its own data.
//
// The meter has three colour zones (green, yellow, red), each with its own
// number of segments and its own share of the value range; segment 1 is at
// the left (top) end, or at the right (bottom) end when mirrored.
#pragma once

#include <cstdint>

#include "views/core/GdiRaster.h"

namespace moravel {

/// Frame style. bvSpace draws like bvLowered.
enum class BevelCut : std::uint8_t { bvNone, bvLowered, bvRaised, bvSpace };
/// Orientation of the bar.
enum class DbMeterStyle : std::uint8_t { dsVertical, dsHorizontal };
/// Where segment 1 sits: left/top (ddRightDown) or right/bottom (ddLeftUp).
enum class tdbmeterdirection : std::uint8_t { ddRightDown, ddLeftUp };

/// Named colours the meters use, as 0xBBGGRR.
namespace dbmcolor {
inline constexpr TColor kWhite = 0xFFFFFF;
inline constexpr TColor kGray = 0x808080;
inline constexpr TColor kSilver = 0xC0C0C0;
inline constexpr TColor kLime = 0x00FF00;
inline constexpr TColor kYellow = 0x00FFFF;
inline constexpr TColor kRed = 0x0000FF;
inline constexpr TColor kGreen = 0x008000;
inline constexpr TColor kTeal = 0x808000;
}  // namespace dbmcolor

/// Default size of a new meter, pixels.
inline constexpr int kDbMeterDefaultWidth = 80;
inline constexpr int kDbMeterDefaultHeight = 17;

/// Everything that decides what a meter shows, with the defaults of a new meter.
struct DbMeterProperties {
    BevelCut BevelStyle = BevelCut::bvLowered;
    std::uint8_t BevelWidth = 1;  ///< frame thickness, pixels
    std::int32_t Greens = 3;      ///< number of segments per zone
    std::int32_t Yellows = 2;
    std::int32_t Reds = 1;
    std::int32_t GreenMax = 50;  ///< width of the value range each zone covers
    std::int32_t YellowMax = 25;
    std::int32_t RedMax = 25;
    TColor GreenBack = dbmcolor::kGray;  ///< unlit ("Back") and lit colours per zone
    TColor GreenColor = dbmcolor::kLime;
    TColor YellowBack = dbmcolor::kGray;
    TColor YellowColor = dbmcolor::kYellow;
    TColor RedBack = dbmcolor::kGray;
    TColor RedColor = dbmcolor::kRed;
    bool ShowJustOne = false;             ///< light only the top segment instead of the whole bar
    std::int32_t SepWidth = 1;            ///< separator width between segments, pixels
    TColor SepColor = dbmcolor::kSilver;  ///< separator and background colour
    DbMeterStyle Style = DbMeterStyle::dsHorizontal;
    tdbmeterdirection Direction = tdbmeterdirection::ddRightDown;
    std::int32_t Position = 0;  ///< the value shown; any integer, not clamped

    bool operator==(const DbMeterProperties&) const = default;
};

/// Greens + Yellows + Reds.
std::int64_t TotalSegments(const DbMeterProperties& p);

/// The number of segments the position lights by the zone arithmetic alone
/// (rounded to nearest, ties to even, in long double). A position that enters
/// the yellow or red zone lights at least that zone's first segment. May be
/// negative or exceed the total for odd settings; callers compare with it.
std::int64_t LitSegments(const DbMeterProperties& p);

/// The number of segments drawn lit: LitSegments, raised to 1 when it is 0
/// for a positive position, so any signal shows. A position of 0 or below
/// that rounds to 0 lights nothing; a meter without segments shows 0.
std::int64_t ShownSegments(const DbMeterProperties& p);

/// The frame width a meter of width x height pixels keeps when `value` is
/// set: 0, or more than width/3 or height/3 (integer division), becomes 1.
std::uint8_t NormalisedBevelWidth(std::uint8_t value, int width, int height);

/// Draws the whole meter into `raster` at its current size: background in
/// the separator colour, the segments with their separators, then the frame.
void RenderDbMeter(const DbMeterProperties& p, GdiRaster& raster);

/// Draws the meter into a new width x height raster.
GdiRaster RenderDbMeter(const DbMeterProperties& p, int width, int height);

}  // namespace moravel
