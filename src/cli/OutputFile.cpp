#include "cli/OutputFile.h"

#include <cerrno>
#include <system_error>

namespace moravel {

OutputFile::OutputFile(const std::string& path) : file_(std::fopen(path.c_str(), "wb")), path_(path) {
    if (file_ == nullptr) throw std::system_error(errno, std::generic_category(), "Cannot create " + path);
}

OutputFile::~OutputFile() {
    if (file_ != nullptr) std::fclose(file_);
}

void OutputFile::Write(const void* data, std::size_t size) {
    if (size > 0) std::fwrite(data, 1, size, file_);
}

void OutputFile::Close() {
    const bool failed = std::ferror(file_) != 0 || std::fflush(file_) != 0;
    const int writeError = errno;
    const bool closeFailed = std::fclose(file_) != 0;
    const int error = failed ? writeError : errno;
    file_ = nullptr;
    if (failed || closeFailed)
        throw std::system_error(error != 0 ? error : EIO, std::generic_category(), "Cannot write " + path_);
}

}  // namespace moravel
