// What the virtual capture device records: an endless mono stream of 16-bit
// samples, made anew for every capture session at that session's rate.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

namespace moravel {

class SampleSource {
public:
    virtual ~SampleSource() = default;
    /// Writes the next `count` samples to `dest` and moves on by as many.
    virtual void Fill(std::int16_t* dest, std::size_t count) = 0;
    /// Moves on by `count` samples without delivering them (a capture block
    /// lost to an overrun). The default generates and drops them.
    virtual void Skip(std::size_t count);
};

/// Makes the source of one capture session at `rate` samples per second
/// (1..384000). Called on the component's thread when a capture device
/// opens; may throw, which fails that open.
using SourceFactory = std::function<std::unique_ptr<SampleSource>(std::int32_t rate)>;

}  // namespace moravel
