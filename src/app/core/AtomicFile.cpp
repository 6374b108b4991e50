#include "AtomicFile.h"

#include <cerrno>
#include <filesystem>
#include <random>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace moravel {
namespace {

namespace fs = std::filesystem;

[[noreturn]] void ThrowErrno(int error, const std::string& what) {
    throw std::system_error(error, std::generic_category(), what);
}

// Closes a descriptor when the scope ends, unless it was closed on purpose.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    /// Closes now and reports the result: close can be where a write fails.
    int close() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result;
    }

private:
    int fd_;
};

int OpenRetrying(const char* path, int flags, mode_t mode = 0) {
    int fd;
    do fd = ::open(path, flags | O_CLOEXEC, mode);
    while (fd < 0 && errno == EINTR);
    return fd;
}

// 0 when all of `data` was written, else the error number.
int WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t written = ::write(fd, data.data(), data.size());
        if (written < 0 && errno == EINTR) continue;
        if (written < 0) return errno;
        if (written == 0) return EIO;
        data.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

std::string ResolveLink(const std::string& target) {
    std::error_code error;
    if (!fs::is_symlink(target, error)) return target;
    const fs::path resolved = fs::weakly_canonical(target, error);
    return error ? target : resolved.string();
}

std::string FolderOf(const std::string& file) {
    const fs::path parent = fs::path(file).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

// Makes the rename itself durable; a folder that cannot be synced (some file
// systems refuse) does not undo a rename that already happened.
void SyncFolder(const std::string& folder) {
    FileDescriptor fd(OpenRetrying(folder.c_str(), O_RDONLY | O_DIRECTORY));
    if (fd.get() >= 0) ::fsync(fd.get());
}

// Permissions for the replacement: the old file's, or none to change for a
// new one (it was created with 0666 under the umask, like any new file).
std::optional<mode_t> OldPermissions(const std::string& target) {
    struct stat status {};
    if (::stat(target.c_str(), &status) != 0) return std::nullopt;
    return status.st_mode & 07777;
}

}  // namespace

std::optional<std::string> ReadFileIfPresent(const std::string& path) {
    FileDescriptor fd(OpenRetrying(path.c_str(), O_RDONLY));
    if (fd.get() < 0) {
        if (errno == ENOENT) return std::nullopt;
        ThrowErrno(errno, "Cannot read " + path);
    }
    std::string content;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd.get(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) ThrowErrno(errno, "Cannot read " + path);
        if (got == 0) return content;
        content.append(buffer, static_cast<std::size_t>(got));
    }
}

PendingFile::PendingFile(const std::string& target) : target_(ResolveLink(target)) {
    // Hidden, and named after the target so a leftover is recognisable.
    const std::string prefix = (fs::path(FolderOf(target_)) / ".").string() + fs::path(target_).filename().string();
    std::random_device seed;
    std::mt19937 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        path_ = prefix;
        path_.append(".").append(std::to_string(random() % 1000000000u)).append(".tmp");
        FileDescriptor fd(OpenRetrying(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666));
        if (fd.get() >= 0) return;
        if (errno != EEXIST) break;
    }
    const int error = errno;
    path_.clear();
    ThrowErrno(error, "Cannot create a temporary file beside " + target_);
}

PendingFile::~PendingFile() {
    if (!committed_ && !path_.empty()) ::unlink(path_.c_str());
}

void PendingFile::Commit() {
    const std::string failure = "Cannot write " + target_;
    FileDescriptor fd(OpenRetrying(path_.c_str(), O_RDONLY));
    if (fd.get() < 0) ThrowErrno(errno, failure);
    if (::fsync(fd.get()) != 0) ThrowErrno(errno, failure);
    if (const auto mode = OldPermissions(target_); mode && ::fchmod(fd.get(), *mode) != 0) ThrowErrno(errno, failure);
    if (fd.close() != 0) ThrowErrno(errno, failure);
    if (::rename(path_.c_str(), target_.c_str()) != 0) ThrowErrno(errno, failure);
    committed_ = true;
    SyncFolder(FolderOf(target_));
}

void ReplaceFile(const std::string& target, std::string_view content) {
    PendingFile pending(target);
    const std::string failure = "Cannot write " + pending.Target();
    FileDescriptor fd(OpenRetrying(pending.Path().c_str(), O_WRONLY | O_TRUNC));
    if (fd.get() < 0) ThrowErrno(errno, failure);
    if (const int error = WriteAll(fd.get(), content); error != 0) ThrowErrno(error, failure);
    if (fd.close() != 0) ThrowErrno(errno, failure);
    pending.Commit();
}

}  // namespace moravel
