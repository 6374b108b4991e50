#include "common/FilterPresets.h"

namespace moravel {

std::optional<FilterPreset> FindFilterPreset(std::string_view name) {
    for (const FilterPreset& preset : kFilterPresets) {
        if (preset.name == name) return preset;
    }
    return std::nullopt;
}

}  // namespace moravel
