#include "audio/MemoryRiffFile.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace moravel {

namespace {
// Keeps a wild seek followed by a write from asking for absurd memory.
constexpr std::int64_t kMaxSize = std::int64_t{1} << 32;
}  // namespace

std::int64_t MemoryRiffFile::read(void* buffer, std::int64_t count) {
    if (count < 0) return -1;
    const auto size = static_cast<std::int64_t>(bytes_.size());
    const std::int64_t n = std::clamp<std::int64_t>(size - position_, 0, count);
    if (n > 0) std::memcpy(buffer, bytes_.data() + position_, static_cast<std::size_t>(n));
    position_ += n;
    return n;
}

std::int64_t MemoryRiffFile::write(const void* buffer, std::int64_t count) {
    if (count < 0 || position_ > kMaxSize - count) return -1;
    const auto end = static_cast<std::size_t>(position_ + count);
    if (end > bytes_.size()) bytes_.resize(end);
    if (count > 0) std::memcpy(bytes_.data() + position_, buffer, static_cast<std::size_t>(count));
    position_ += count;
    return count;
}

std::int64_t MemoryRiffFile::seek(std::int64_t offset, Origin origin) {
    std::int64_t base = 0;
    if (origin == Origin::Current) base = position_;
    if (origin == Origin::End) base = static_cast<std::int64_t>(bytes_.size());
    if (offset > 0 && base > std::numeric_limits<std::int64_t>::max() - offset) return -1;
    if (base + offset < 0) return -1;
    position_ = base + offset;
    return position_;
}

}  // namespace moravel
