// A file size limit for this process, for tests of writes that fail part
// way (a full disk as the writer sees it). Header-only so that test
// programs without the support library can use it too.
#pragma once

#include <sys/resource.h>

#include <csignal>
#include <stdexcept>

namespace moravel::testing {

/// Limits the size of files this process writes to `bytes` and has writes
/// beyond it fail with EFBIG instead of killing the process; both are undone
/// at the end of the scope.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        if (::getrlimit(RLIMIT_FSIZE, &previous_) != 0) throw std::runtime_error("getrlimit failed");
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = previous_;
        limit.rlim_cur = bytes;
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) throw std::runtime_error("setrlimit failed");
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
};

}  // namespace moravel::testing
