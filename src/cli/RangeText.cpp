#include "cli/RangeText.h"

namespace moravel {

std::string RangeText(std::int64_t minimum, std::int64_t maximum) {
    return std::to_string(minimum) + ".." + std::to_string(maximum);
}

std::string RangeText(const controls::TrackControl& control) { return RangeText(control.minimum, control.maximum); }

std::string IndexRangeText(const controls::ComboControl& control) { return RangeText(0, control.Count() - 1); }

}  // namespace moravel
