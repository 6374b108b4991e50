// transmissions.csv beside the transmission files: one row per closed file,
// appended with one write and put on the disk at once, so that the log of
// a run that is killed or loses power holds every file closed before.
//
//   start,duration_s,peak_dbfs,peak_hz,file
//   2026-12-09 11:33:28,12.4,-11.8,1015,2026-12-09_113328.wav
#pragma once

#include <string>

namespace moravel {

struct TransmissionRow {
    std::string start;  // local time, "YYYY-MM-DD hh:mm:ss"
    double durationSeconds = 0;
    double peakDbfs = 0;
    double peakHz = 0;
    std::string file;  // the name inside the folder
};

class TransmissionLog {
public:
    static constexpr const char* kFileName = "transmissions.csv";
    static constexpr const char* kHeader = "start,duration_s,peak_dbfs,peak_hz,file\n";

    /// The log in `folder`; nothing is written until the first row.
    explicit TransmissionLog(const std::string& folder);

    /// Appends `row` (and the header first when the log is new or empty).
    /// Returns "" or the system's reason for the failure.
    std::string Append(const TransmissionRow& row);

    /// The row as the log holds it, with its line end.
    static std::string Line(const TransmissionRow& row);

    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

}  // namespace moravel
