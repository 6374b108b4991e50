// A file on disk holding one fuzz input, for code that reads by path (the
// settings file, the player). It lives in /dev/shm when there is one, so that
// a million inputs cost no disk writes, and is named after the process so
// that parallel fuzzers (-jobs) do not share it. Removed when the object goes.
// One thread only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include <unistd.h>

namespace moravel::fuzz {

class FuzzFile {
public:
    /// `suffix`: the file name's end, e.g. ".ini".
    explicit FuzzFile(const char* suffix) {
        const char* folder = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        path_ = std::string(folder) + "/moravel-fuzz-" + std::to_string(::getpid()) + suffix;
    }
    ~FuzzFile() { std::remove(path_.c_str()); }
    FuzzFile(const FuzzFile&) = delete;
    FuzzFile& operator=(const FuzzFile&) = delete;

    /// Replaces the file's content by `size` bytes at `bytes`; traps when the
    /// file cannot be written (the run would test nothing).
    void Write(const std::uint8_t* bytes, std::size_t size) const {
        std::FILE* file = std::fopen(path_.c_str(), "wb");
        if (file == nullptr) __builtin_trap();
        const bool written = size == 0 || std::fwrite(bytes, 1, size, file) == size;
        if (std::fclose(file) != 0 || !written) __builtin_trap();
    }

    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

}  // namespace moravel::fuzz
