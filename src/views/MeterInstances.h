// The three level meters of the main window: output level, CPU usage and
// AGC compensation. Each function gives a meter its object name, fixed size,
// tooltip, zones, colours and initial position. "Button shadow" and "button
// face" colours come from the meter's palette (QPalette::Dark and
// QPalette::Button), i.e. the user's colour scheme at the time of the call.
// GUI thread only.
#pragma once

#include "views/DbMeter.h"

namespace moravel {

/// "VUAudio": 89 x 9, 6/3/2 segments over 50/25/25, separators 1 pixel silver,
/// position 50. Shows the output peak / 100.
void SetupVUAudio(DbMeter& meter);

/// "VUCpu": 45 x 9, 8 green over 80 and 3 red over 20, no separators,
/// position 100. Shows the smoothed CPU percentage.
void SetupVUCpu(DbMeter& meter);

/// "VUAgcLevel": 61 x 11, 20 green segments over 100, no separators,
/// position 0. Shows the AGC gain x 4.
void SetupVUAgcLevel(DbMeter& meter);

}  // namespace moravel
