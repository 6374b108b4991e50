// PosixRiffFile: positioned I/O (pread/pwrite) on a descriptor with one
// write-back buffer. The position is kept here, not in the kernel, so a
// seek is only arithmetic and a chunk-size patch that falls inside the
// buffer never touches the disk before flush().
#include "audio/RiffFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace moravel {

namespace {

int openRetrying(const char* path, int flags) {
    int fd;
    do {
        fd = ::open(path, flags, 0666);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

// A directory opens read-only without complaint; refuse it here so the
// caller sees "cannot open" instead of a read failure later.
bool isDirectory(int fd) {
    struct stat st {};
    return ::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

std::unique_ptr<PosixRiffFile> PosixRiffFile::Open(const std::string& path, Mode mode) {
    const int flags = mode == Mode::Read ? O_RDONLY | O_CLOEXEC : O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC;
    const int fd = openRetrying(path.c_str(), flags);
    if (fd < 0) return nullptr;
    if (isDirectory(fd)) {
        ::close(fd);
        errno = EISDIR;
        return nullptr;
    }
    return std::unique_ptr<PosixRiffFile>(new PosixRiffFile(fd));
}

PosixRiffFile::PosixRiffFile(int fd) : fd_(fd) { buffer_.reserve(kBufferCapacity); }

PosixRiffFile::~PosixRiffFile() {
    flush();
    ::close(fd_);  // not retried on EINTR: on Linux the descriptor is gone either way
}

std::int64_t PosixRiffFile::read(void* buffer, std::int64_t count) {
    if (count < 0 || flush() != 0) return -1;
    auto* out = static_cast<std::uint8_t*>(buffer);
    std::int64_t done = 0;
    while (done < count) {
        const ssize_t n =
            ::pread(fd_, out + done, static_cast<std::size_t>(count - done), static_cast<off_t>(position_ + done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return -1;
        if (n == 0) break;  // end of file
        done += n;
    }
    position_ += done;
    return done;
}

// A write joins the buffer when it lands inside it or right behind it and
// still fits, which covers both appending samples and patching a size field.
bool PosixRiffFile::bufferAccepts(std::int64_t count) const {
    const auto bufferEnd = bufferStart_ + static_cast<std::int64_t>(buffer_.size());
    if (buffer_.empty()) return count <= kBufferCapacity;
    return position_ >= bufferStart_ && position_ <= bufferEnd && position_ - bufferStart_ + count <= kBufferCapacity;
}

std::int64_t PosixRiffFile::write(const void* buffer, std::int64_t count) {
    if (count < 0 || writeFailed_) return -1;
    if (!bufferAccepts(count)) {
        if (flush() != 0) return -1;
        if (count > kBufferCapacity) {
            if (!writeThrough(buffer, count, position_)) return -1;
            position_ += count;
            return count;
        }
    }
    if (buffer_.empty()) bufferStart_ = position_;
    const auto at = static_cast<std::size_t>(position_ - bufferStart_);
    const auto end = at + static_cast<std::size_t>(count);
    if (end > buffer_.size()) buffer_.resize(end);
    if (count > 0) std::memcpy(buffer_.data() + at, buffer, static_cast<std::size_t>(count));
    position_ += count;
    return count;
}

bool PosixRiffFile::writeThrough(const void* data, std::int64_t count, std::int64_t offset) {
    const auto* in = static_cast<const std::uint8_t*>(data);
    std::int64_t done = 0;
    while (done < count) {
        const ssize_t n =
            ::pwrite(fd_, in + done, static_cast<std::size_t>(count - done), static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            writeFailed_ = true;
            return false;
        }
        done += n;
    }
    return true;
}

int PosixRiffFile::flush() {
    if (writeFailed_) return -1;
    if (buffer_.empty()) return 0;
    const bool ok = writeThrough(buffer_.data(), static_cast<std::int64_t>(buffer_.size()), bufferStart_);
    buffer_.clear();
    return ok ? 0 : -1;
}

int PosixRiffFile::sync() {
    if (flush() != 0) return -1;
    int result;
    do result = ::fdatasync(fd_);
    while (result != 0 && errno == EINTR);
    return result == 0 || errno == EINVAL || errno == EROFS ? 0 : -1;
}

std::int64_t PosixRiffFile::fileSize() {
    struct stat st {};
    if (::fstat(fd_, &st) != 0) return -1;
    const auto bufferEnd = bufferStart_ + static_cast<std::int64_t>(buffer_.size());
    return std::max<std::int64_t>(st.st_size, buffer_.empty() ? 0 : bufferEnd);
}

std::int64_t PosixRiffFile::seek(std::int64_t offset, Origin origin) {
    std::int64_t base = 0;
    if (origin == Origin::Current) base = position_;
    if (origin == Origin::End) base = fileSize();
    if (base < 0) return -1;
    if (offset > 0 && base > std::numeric_limits<std::int64_t>::max() - offset) return -1;
    if (base + offset < 0) return -1;
    position_ = base + offset;
    return position_;
}

std::int64_t PosixRiffFile::tell() { return position_; }

}  // namespace moravel
