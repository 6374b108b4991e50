// A RiffFile held in memory: for tests, the fuzzer, and anything else that
// wants a WAV image without touching the disk.
#pragma once

#include "audio/RiffFile.h"

#include <cstdint>
#include <vector>

namespace moravel {

class MemoryRiffFile : public RiffFile {
public:
    MemoryRiffFile() = default;
    explicit MemoryRiffFile(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}

    std::int64_t read(void* buffer, std::int64_t count) override;
    std::int64_t write(const void* buffer, std::int64_t count) override;
    std::int64_t seek(std::int64_t offset, Origin origin) override;
    std::int64_t tell() override { return position_; }
    int flush() override { return 0; }

    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
    std::int64_t position_ = 0;
};

}  // namespace moravel
