#include "audio/alsa/AlsaWakeFd.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>

namespace moravel::alsa {

WakeFd::WakeFd() : fd_(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}

WakeFd::~WakeFd() {
    if (fd_ >= 0) ::close(fd_);
}

void WakeFd::post() {
    if (fd_ < 0) return;
    const std::uint64_t one = 1;
    // A full counter (never reached) would fail with EAGAIN: it is readable anyway.
    [[maybe_unused]] const ssize_t written = ::write(fd_, &one, sizeof one);
}

bool WakeFd::take() {
    std::uint64_t count = 0;
    return fd_ >= 0 && ::read(fd_, &count, sizeof count) == static_cast<ssize_t>(sizeof count) && count > 0;
}

}  // namespace moravel::alsa
