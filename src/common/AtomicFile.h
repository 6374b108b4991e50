// Whole-file reads and crash-safe replacement of a file: the new content goes
// to a temporary file in the same folder, is flushed to disk and then renamed
// over the old file, so a reader sees either the old or the new file and a
// failure at any step leaves the old file as it was. A process killed
// between the two steps leaves its temporary file behind; the next commit
// beside the same target removes such leftovers, and so does the program at
// its start (RemoveStaleTemporaries on the settings file).
//
// Used by the settings file and by the batch processor's outputs. Plain POSIX,
// not thread-safe per object.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace moravel {

/// The whole content of `path`; nullopt when the file does not exist. Throws
/// std::system_error naming the file on any other failure (no permission, a
/// folder, a read error).
std::optional<std::string> ReadFileIfPresent(const std::string& path);

/// A new, empty temporary file beside `target` that takes the target's place
/// only when Commit() succeeds; otherwise the destructor removes it. A target
/// that is a symbolic link is replaced at the file the link points to.
///
/// The temporary file is named ".NAME.DIGITS.tmp" after the target's NAME and
/// holds an exclusive flock(2) for the object's life, so other writers can
/// tell a live temporary file from one whose process died.
class PendingFile {
public:
    /// Throws std::system_error when the temporary file cannot be created.
    explicit PendingFile(const std::string& target);
    ~PendingFile();

    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    /// The temporary file, for the caller to fill (by name or by opening it).
    const std::string& Path() const { return path_; }
    /// The file that Commit() replaces (symbolic links resolved).
    const std::string& Target() const { return target_; }

    /// Flushes the temporary file to disk, gives it the old target's
    /// permissions (a new target keeps those of a new file under the umask)
    /// and renames it over the target. Throws std::system_error naming the
    /// target; the target is then untouched and the temporary file removed.
    /// After the rename, stale temporary files of the target are removed
    /// (RemoveStaleTemporaries).
    void Commit();

private:
    bool createLocked(const std::string& candidate);

    std::string target_;
    std::string path_;
    int lockFd_ = -1;  // open on path_ with the flock held, until commit or destruction
    bool committed_ = false;
};

/// Removes the temporary files that PendingFile objects on `target` (symbolic
/// link resolved) left behind when their process died: files named
/// ".NAME.DIGITS.tmp" beside it whose lock nobody holds. A live writer's
/// temporary file and every other file stay. Returns how many were removed;
/// never throws (a folder that cannot be read or written removes nothing).
std::size_t RemoveStaleTemporaries(const std::string& target);

/// Replaces `target` by `content` through a PendingFile. Throws
/// std::system_error naming the target; on failure the old file is intact.
void ReplaceFile(const std::string& target, std::string_view content);

}  // namespace moravel
