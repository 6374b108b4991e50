#include "cli/PipeIo.h"

#include "cli/Interruption.h"

#include <cerrno>

#include <poll.h>
#include <unistd.h>

namespace moravel {
namespace {

// Waits until `fd` has data or has ended; false once the run was asked to
// stop, so that a writer that has gone quiet cannot hold a stopping run.
bool WaitForData(int fd) {
    pollfd watch{fd, POLLIN, 0};
    while (!InterruptRequested()) {
        const int ready = ::poll(&watch, 1, 200);
        if (ready != 0 && !(ready < 0 && errno == EINTR)) return true;
    }
    return false;
}

}  // namespace

std::int64_t ReadFully(int fd, void* buffer, std::int64_t count) {
    auto* bytes = static_cast<char*>(buffer);
    std::int64_t done = 0;
    while (done < count) {
        if (!WaitForData(fd)) break;
        const ssize_t got = ::read(fd, bytes + done, static_cast<std::size_t>(count - done));
        if (got == 0) break;
        if (got < 0) {
            if (errno == EINTR) continue;
            return -1;
        }
        done += got;
    }
    return done;
}

bool WriteFully(int fd, const void* buffer, std::int64_t count) {
    const auto* bytes = static_cast<const char*>(buffer);
    std::int64_t done = 0;
    while (done < count) {
        const ssize_t put = ::write(fd, bytes + done, static_cast<std::size_t>(count - done));
        if (put < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += put;
    }
    return true;
}

}  // namespace moravel
