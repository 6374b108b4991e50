// How the batch tool's messages and help write a control's range, e.g.
// "2000..30000" or "-125..125". Any thread.
#pragma once

#include "common/ControlTable.h"

#include <cstdint>
#include <string>

namespace moravel {

/// "minimum..maximum".
std::string RangeText(std::int64_t minimum, std::int64_t maximum);

/// The track bar's range, "minimum..maximum".
std::string RangeText(const controls::TrackControl& control);

/// The list's indices, "0..count-1".
std::string IndexRangeText(const controls::ComboControl& control);

}  // namespace moravel
