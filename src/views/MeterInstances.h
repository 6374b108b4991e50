// The three level meters of the main window: output level, CPU usage and
// AGC compensation. Each function gives a meter its object name, fixed size,
// tooltip, zones, colours and initial position. "Button shadow" and "button
// face" colours come from the meter's palette (QPalette::Dark and
// QPalette::Button), i.e. the user's colour scheme at the time of the call.
// GUI thread only.
#pragma once

#include "views/DbMeter.h"

namespace moravel {

/// Makes `meter` the output level meter, which shows the output peak / 100:
/// object name "VUAudio", 89 x 9, 6/3/2 segments over 50/25/25, separators
/// 1 pixel silver, position 50.
void SetUpAsOutputLevelMeter(DbMeter& meter);

/// Makes `meter` the CPU usage meter, which shows the smoothed CPU percentage:
/// object name "VUCpu", 45 x 9, 8 green over 80 and 3 red over 20, no
/// separators, position 100.
void SetUpAsCpuUsageMeter(DbMeter& meter);

/// Makes `meter` the AGC gain meter, which shows the AGC gain x 4: object
/// name "VUAgcLevel", 61 x 11, 20 green segments over 100, no separators,
/// position 0.
void SetUpAsAgcGainMeter(DbMeter& meter);

}  // namespace moravel
