#include "common/AtomicFile.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <filesystem>
#include <random>
#include <system_error>

#include <fcntl.h>
#include <sys/file.h>
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

// A temporary file's name: ".NAME." + up to nine digits + ".tmp".
constexpr std::string_view kTemporarySuffix = ".tmp";
constexpr std::size_t kMaxTemporaryDigits = 9;

std::string TemporaryPrefix(const std::string& target) { return "." + fs::path(target).filename().string() + "."; }

bool IsTemporaryName(std::string_view name, std::string_view prefix) {
    if (name.size() <= prefix.size() + kTemporarySuffix.size()) return false;
    if (!name.starts_with(prefix) || !name.ends_with(kTemporarySuffix)) return false;
    const std::string_view digits = name.substr(prefix.size(), name.size() - prefix.size() - kTemporarySuffix.size());
    return digits.size() <= kMaxTemporaryDigits && std::all_of(digits.begin(), digits.end(), [](char c) {
               return std::isdigit(static_cast<unsigned char>(c));
           });
}

bool SameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

// True while `path` names the file open at `fd` (not removed or replaced).
bool StillNamed(int fd, const std::string& path) {
    struct stat opened {};
    struct stat named {};
    return ::fstat(fd, &opened) == 0 && ::lstat(path.c_str(), &named) == 0 && SameFile(opened, named);
}

// Removes `path` when it is a regular file whose lock nobody holds: its
// writer died before committing. The lock is kept while the file is
// unlinked, and the name must still lead to the file that was locked, so a
// writer that created the name a moment ago (not locked yet) finds it gone
// once it gets the lock, and picks another name.
bool RemoveIfAbandoned(const std::string& path) {
    FileDescriptor fd(OpenRetrying(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK));
    if (fd.get() < 0 || ::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) return false;
    struct stat opened {};
    if (::fstat(fd.get(), &opened) != 0 || !S_ISREG(opened.st_mode) || !StillNamed(fd.get(), path)) return false;
    return ::unlink(path.c_str()) == 0;
}

}  // namespace

std::size_t RemoveStaleTemporaries(const std::string& target) {
    const std::string resolved = ResolveLink(target);
    const std::string prefix = TemporaryPrefix(resolved);
    std::size_t removed = 0;
    std::error_code error;
    for (fs::directory_iterator entry(FolderOf(resolved), error), end; !error && entry != end; entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        if (IsTemporaryName(name, prefix) && RemoveIfAbandoned(entry->path().string())) ++removed;
    }
    return removed;
}

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
    const std::string prefix = (fs::path(FolderOf(target_)) / TemporaryPrefix(target_)).string();
    std::random_device seed;
    std::mt19937 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string candidate = prefix + std::to_string(random() % 1000000000u) + std::string(kTemporarySuffix);
        if (createLocked(candidate)) {
            path_ = candidate;
            return;
        }
        if (errno != EEXIST) break;
    }
    ThrowErrno(errno, "Cannot create a temporary file beside " + target_);
}

// Creates `candidate` and takes its lock. Between the two a cleaner may have
// taken the still unlocked file for a leftover and removed it: that counts
// as a name in use. A file system without flock(2) keeps the file unlocked;
// cleaners there cannot lock it either and so never remove it.
bool PendingFile::createLocked(const std::string& candidate) {
    const int fd = OpenRetrying(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666);
    if (fd < 0) return false;
    int locked;
    do locked = ::flock(fd, LOCK_EX);
    while (locked != 0 && errno == EINTR);
    if (StillNamed(fd, candidate)) {
        lockFd_ = fd;
        return true;
    }
    ::close(fd);
    errno = EEXIST;
    return false;
}

PendingFile::~PendingFile() {
    if (!committed_ && !path_.empty()) ::unlink(path_.c_str());
    if (lockFd_ >= 0) ::close(lockFd_);
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
    ::close(lockFd_);
    lockFd_ = -1;
    RemoveStaleTemporaries(target_);
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
