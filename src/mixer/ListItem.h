// Item `index` of one of the mixer model's lists, or nothing for an index
// outside it: a line reference to a destination or source the device does
// not have then simply fails (AudioMixer::FindLine) instead of reading
// past the list.
//
// Threads: the owner's thread.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

namespace moravel {

inline bool IsListIndex(int index, std::size_t size) { return index >= 0 && static_cast<std::size_t>(index) < size; }

template <typename T>
T* ListItem(const std::vector<std::unique_ptr<T>>& items, int index) {
    return IsListIndex(index, items.size()) ? items[static_cast<std::size_t>(index)].get() : nullptr;
}

template <typename T>
const T* ListItem(const std::vector<T>& items, int index) {
    return IsListIndex(index, items.size()) ? &items[static_cast<std::size_t>(index)] : nullptr;
}

}  // namespace moravel
