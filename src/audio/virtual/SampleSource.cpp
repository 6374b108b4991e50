#include "audio/virtual/SampleSource.h"

#include <algorithm>
#include <array>

namespace moravel {

void SampleSource::Skip(std::size_t count) {
    std::array<std::int16_t, 1024> scratch;
    while (count > 0) {
        const std::size_t n = std::min(count, scratch.size());
        Fill(scratch.data(), n);
        count -= n;
    }
}

}  // namespace moravel
