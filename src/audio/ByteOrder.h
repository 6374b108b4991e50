// Little-endian integers as they are stored in RIFF files, assembled byte by
// byte so that neither host byte order nor alignment matters.
#pragma once

#include <array>
#include <cstdint>

namespace moravel {

inline std::uint16_t LoadLe16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

inline std::uint32_t LoadLe32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

inline std::int16_t LoadLeSample16(const std::uint8_t* p) { return static_cast<std::int16_t>(LoadLe16(p)); }

inline void StoreLe16(std::uint8_t* p, std::uint16_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}

inline void StoreLe32(std::uint8_t* p, std::uint32_t v) {
    StoreLe16(p, static_cast<std::uint16_t>(v));
    StoreLe16(p + 2, static_cast<std::uint16_t>(v >> 16));
}

}  // namespace moravel
