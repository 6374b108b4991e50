// Clamps an option's value into its control's range the way the control's
// track bar does, and tells the user when it had to. Any thread.
#pragma once

#include "common/ControlTable.h"
#include "cli/RangeText.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>

namespace moravel {

class OptionClamp {
public:
    /// `warn` gets one message per clamped value; it must outlive this object.
    explicit OptionClamp(const std::function<void(const std::string&)>& warn) : warn_(warn) {}

    /// `value` limited to minimum .. maximum; `what` names the value in the
    /// warning (e.g. "--agc LEVEL").
    std::int32_t operator()(std::int64_t value, std::int32_t minimum, std::int32_t maximum,
                            const std::string& what) const {
        const auto clamped = static_cast<std::int32_t>(std::clamp<std::int64_t>(value, minimum, maximum));
        if (clamped != value && warn_) {
            warn_(what + " " + std::to_string(value) + " is outside " + RangeText(minimum, maximum) + "; using " +
                  std::to_string(clamped));
        }
        return clamped;
    }

    /// Into the track bar's range.
    std::int32_t operator()(std::int64_t value, const controls::TrackControl& bar, const std::string& what) const {
        return (*this)(value, bar.minimum, bar.maximum, what);
    }

private:
    const std::function<void(const std::string&)>& warn_;
};

}  // namespace moravel
