// The "Recorder" page at work: Record pressed and released, Browse, the
// processed blocks into the recording, and the status tick's commit and
// read-outs. The file work (format, crash-safe header, write errors) is
// WaveRecorder's; this class keeps the page's buttons and panels in step
// with it. When the rate of the blocks changes during a recording (Play of
// a file at another rate, or its end), the file is completed and the
// recording goes on in the next part beside it (PartFileName.h), which the
// page names: no file ever holds samples at a rate its header does not say.
//
// Threads: GUI thread only (buttons, the block cycle and the status timer
// all run there).
#pragma once

#include "app/window/GuardedConnect.h"
#include "app/window/MessagePresenter.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace moravel {

class FileDialog;
class RecorderPage;
class WaveRecorder;

class RecorderController {
public:
    /// What the recorder needs of the window; all must outlive the controller.
    struct Parts {
        RecorderPage& page;
        FileDialog& saveDialog;
        MessagePresenter showMessage;  // the "Warning" messages
        ErrorReport reportError;       // the program's error display
        /// The rate of the blocks WriteBlock is given now, in Hz: the
        /// recording's rate at Record; another rate goes on in a new file.
        std::function<std::int32_t()> outputRate;
        /// True while Play is down on `file`.
        std::function<bool(const std::string& file)> playing;
        /// Highlights the "Recorder" tab (or removes the highlight).
        std::function<void(bool on)> highlightTab;
        /// A recording started or ended (the audio range's lock follows it).
        std::function<void()> runningChanged;
        /// The user's thousands separator for "Size".
        std::function<QString()> thousands;
    };

    explicit RecorderController(Parts parts);
    /// Completes an open recording (without a message).
    ~RecorderController();

    RecorderController(const RecorderController&) = delete;
    RecorderController& operator=(const RecorderController&) = delete;

    /// "Record" clicked: starts a recording when the button went down,
    /// completes it when it went up. A recording that cannot start leaves
    /// Record up and shows why.
    void RecordSwitched();
    /// "Browse": picks the file through the save dialog; a cancelled dialog
    /// keeps the name.
    void ChooseFile();
    /// The cycle's step 27: appends one processed block (`bytes` bytes of
    /// 16-bit samples, even) at outputRate(). At a rate other than the
    /// file's, the file is completed and the block starts the next part. A
    /// write error, or a part that cannot be created, releases Record and
    /// shows the message after the cycle.
    void WriteBlock(const std::int16_t* samples, std::int32_t bytes);
    /// The status tick (500 ms): counts the time unless paused, commits the
    /// header, shows "Time" and "Size". A failure releases Record with the
    /// message.
    void Tick();
    /// Window close: completes the recording; a failure is shown.
    void Close();

    /// A recording is open.
    bool Running() const { return recorder_ != nullptr; }
    /// True while Record is down on `file`, the part being written (same-file
    /// rule of the player).
    bool Records(const std::string& file) const;
    /// The recording's file (settings key "WaveRecorderFilename").
    const std::string& FileName() const { return fileName_; }
    /// Sets the file and shows it in the file-name panel.
    void SetFileName(const std::string& path);

private:
    void start();
    void release();
    bool continueAt(std::int32_t rate);
    void stopAfterCycle();
    void showReadouts();
    void setRecordButton(bool down);

    Parts parts_;
    std::string fileName_;
    std::unique_ptr<WaveRecorder> recorder_;
    int part_ = 1;         // the part being written; the chosen file is part 1
    std::string failure_;  // why a next part could not start, shown when Record is released
};

}  // namespace moravel
