// A file that moravel-process writes (a spectrum CSV, a picture): created or
// replaced on opening, written without checking each call (errors are
// sticky in the FILE), and checked once at Close, so a full disk or a
// failing device is reported with the system's reason. Not thread-safe.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

namespace moravel {

class OutputFile {
public:
    /// Creates or replaces `path`. Throws std::system_error "Cannot create
    /// PATH" with the system's reason when it cannot be opened.
    explicit OutputFile(const std::string& path);
    /// Closes the file if Close was not called (errors then go unreported).
    ~OutputFile();

    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    void Write(const void* data, std::size_t size);

    /// Flushes and closes. Throws std::system_error "Cannot write PATH" when
    /// anything written since opening did not reach the file.
    void Close();

    const std::string& Path() const { return path_; }

private:
    std::FILE* file_;
    std::string path_;
};

}  // namespace moravel
