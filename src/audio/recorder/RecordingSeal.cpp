#include "audio/recorder/RecordingSeal.h"

#include "audio/ByteOrder.h"

#include <cerrno>
#include <cstring>
#include <limits>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace moravel {

namespace {

std::string systemError() { return std::strerror(errno); }

bool writeLe32At(int fd, off_t offset, std::int64_t value) {
    std::uint8_t bytes[4];
    StoreLe32(bytes, static_cast<std::uint32_t>(value));
    ssize_t n;
    do {
        n = ::pwrite(fd, bytes, sizeof bytes, offset);
    } while (n < 0 && errno == EINTR);
    if (n >= 0 && n != 4) errno = EIO;
    return n == 4;
}

// Everything but the descriptor's lifetime.
std::string seal(int fd, std::int64_t dataOffset) {
    struct stat st {};
    if (::fstat(fd, &st) != 0) return systemError();
    std::int64_t length = st.st_size;
    if (length < dataOffset) return "the file's header is incomplete";
    if ((length - dataOffset) % 2 != 0) {
        if (::ftruncate(fd, static_cast<off_t>(length - 1)) != 0) return systemError();
        --length;
    }
    if (length - 8 > std::numeric_limits<std::uint32_t>::max()) return "the file is larger than a WAV file can be";
    if (!writeLe32At(fd, 4, length - 8) || !writeLe32At(fd, static_cast<off_t>(dataOffset - 4), length - dataOffset))
        return systemError();
    return "";
}

}  // namespace

std::string SealRecording(const std::string& path, std::int64_t dataOffset) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) return systemError();
    std::string reason = seal(fd, dataOffset);
    if (::close(fd) != 0 && reason.empty()) reason = systemError();
    return reason;
}

}  // namespace moravel
