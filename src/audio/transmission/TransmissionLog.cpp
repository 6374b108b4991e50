#include "audio/transmission/TransmissionLog.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace moravel {
namespace {

// One write for the row (and header), so the log never holds half a row
// from this program, then the disk.
std::string AppendText(int fd, const std::string& text) {
    const ssize_t put = ::write(fd, text.data(), text.size());
    if (put < 0) return std::strerror(errno);
    if (static_cast<std::size_t>(put) != text.size()) return std::strerror(ENOSPC);
    if (::fdatasync(fd) != 0 && errno != EINVAL) return std::strerror(errno);
    return "";
}

}  // namespace

TransmissionLog::TransmissionLog(const std::string& folder)
    : path_((std::filesystem::path(folder) / kFileName).string()) {}

std::string TransmissionLog::Line(const TransmissionRow& row) {
    char numbers[96];
    std::snprintf(numbers, sizeof numbers, ",%.1f,%.1f,%.0f,", row.durationSeconds, row.peakDbfs, row.peakHz);
    return row.start + numbers + row.file + "\n";
}

std::string TransmissionLog::Append(const TransmissionRow& row) {
    const int fd = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0) return std::strerror(errno);
    struct stat st {};
    const bool fresh = ::fstat(fd, &st) == 0 && st.st_size == 0;
    std::string reason = AppendText(fd, (fresh ? std::string(kHeader) : std::string()) + Line(row));
    if (::close(fd) != 0 && reason.empty()) reason = std::strerror(errno);
    return reason;
}

}  // namespace moravel
