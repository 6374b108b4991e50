#include "mixer/PointerList.h"

namespace moravel {

void TPointerList::Clear() {
    if (onFree_)
        for (void* item : items_) onFree_(item);
    items_.clear();
}

void* TPointerList::Item(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return items_[static_cast<std::size_t>(index)];
}

}  // namespace moravel
