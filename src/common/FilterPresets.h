// The filter types and the seven filter presets of the Filter page, in list
// order. A preset is chosen by its name (FindFilterPreset), never by its place
// in the list.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace moravel {

/// Filter types, the item index of the type combo.
enum FilterKind : std::int32_t { kLowPass = 0, kBandPass = 1, kHighPass = 2, kStopBand = 3 };

/// Item texts of the type combo, by FilterKind.
inline constexpr std::array<std::string_view, 4> kFilterTypeNames = {"Low pass", "Band pass", "High pass", "Stop band"};

struct FilterPreset {
    std::string_view name;   // the combo item text
    std::int32_t type;       // FilterKind
    std::int32_t center;     // Hz
    std::int32_t bandwidth;  // Hz; 0 = leave the bandwidth as it is
};

inline constexpr std::array<FilterPreset, 7> kFilterPresets = {{
    {"GENERAL : Voice - general", kLowPass, 9000, 0},
    {"GENERAL : Voice - telephone", kLowPass, 3000, 0},
    {"GENERAL : Hum remover", kHighPass, 100, 0},
    {"HAM : CW", kBandPass, 800, 100},
    {"HAM : SSTV / WEFAX", kBandPass, 2000, 2000},
    {"HAM : RTTY / AMTOR", kBandPass, 1000, 200},
    {"HAM : PSK31", kBandPass, 1000, 31},
}};

/// The preset whose item text is `name` (exact), if any.
std::optional<FilterPreset> FindFilterPreset(std::string_view name);

}  // namespace moravel
