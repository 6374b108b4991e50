// A growing byte buffer that appends integers little-endian, as the
// Windows metafile formats store them. Any thread, one owner.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

namespace moravel::vec {

class LittleEndianBuffer {
public:
    void U8(std::uint8_t v) { bytes_.push_back(v); }
    void U16(std::uint16_t v) { Put(v, 2); }
    void I16(std::int16_t v) { Put(static_cast<std::uint16_t>(v), 2); }
    void U32(std::uint32_t v) { Put(v, 4); }
    void I32(std::int32_t v) { Put(static_cast<std::uint32_t>(v), 4); }
    void F32(float v) {
        std::uint32_t bits;
        std::memcpy(&bits, &v, 4);
        U32(bits);
    }
    void Append(const std::vector<std::uint8_t>& bytes) { bytes_.insert(bytes_.end(), bytes.begin(), bytes.end()); }
    /// Appends `count` zero bytes.
    void Zeros(std::size_t count) { bytes_.resize(bytes_.size() + count, 0); }
    /// Appends zero bytes up to the next multiple of `multiple`.
    void PadTo(std::size_t multiple) { Zeros((multiple - bytes_.size() % multiple) % multiple); }
    /// Overwrites four bytes at `offset`, which must lie inside the buffer.
    void PatchU32(std::size_t offset, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes_[offset + i] = static_cast<std::uint8_t>(v >> (8 * i));
    }
    void PatchU16(std::size_t offset, std::uint16_t v) {
        bytes_[offset] = static_cast<std::uint8_t>(v);
        bytes_[offset + 1] = static_cast<std::uint8_t>(v >> 8);
    }

    std::size_t Size() const { return bytes_.size(); }
    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

private:
    void Put(std::uint32_t v, int count) {
        for (int i = 0; i < count; ++i) bytes_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    }

    std::vector<std::uint8_t> bytes_;
};

}  // namespace moravel::vec
