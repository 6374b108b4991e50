// An owning list of untyped pointers with an optional free callback: the
// base of the mixer model's lists. Clearing calls the callback for every
// item (when one is set) and then empties the list; destruction clears.
//
// Threads: the owner's thread.
#pragma once

#include <functional>
#include <utility>
#include <vector>

namespace moravel {

class TPointerList {
public:
    using FreeCallback = std::function<void(void* item)>;

    explicit TPointerList(FreeCallback onFree = {}) : onFree_(std::move(onFree)) {}
    ~TPointerList() { Clear(); }
    TPointerList(const TPointerList&) = delete;
    TPointerList& operator=(const TPointerList&) = delete;

    void Add(void* item) { items_.push_back(item); }
    void Clear();
    int Count() const { return static_cast<int>(items_.size()); }
    /// Item `index`; nothing for a negative index or one at or beyond Count.
    void* Item(int index) const;

private:
    FreeCallback onFree_;
    std::vector<void*> items_;
};

}  // namespace moravel
