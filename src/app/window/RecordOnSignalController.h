// The "Record on signal" mode at work: the Recorder page's group
// (RecordOnSignalPanel) kept in step with a TransmissionRecorder that is fed
// every processed block, whether or not Record is down. The recorder finds
// the transmissions and writes their files and log; this class starts and
// stops it, takes the settings from the controls, shows the live level
// against the threshold and the state ("Waiting", "Recording "name"", files
// so far), and stops the mode with the recorder's message when writing
// fails (full disk, removed folder): the files closed before stay complete.
//
// A change of a setting or of the blocks' rate (Play of a file at another
// rate) takes effect between transmissions: the recorder is finished and
// made again while it waits, so no transmission is split and no file holds
// samples at a rate its header does not say.
//
// Threads: GUI thread only (the block cycle runs there).
#pragma once

#include "app/window/FileDialog.h"
#include "app/window/GuardedConnect.h"
#include "app/core/RecordOnSignalSettings.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace moravel {

class RecordOnSignalPanel;
class TransmissionRecorder;
struct BlockSpectrum;

class RecordOnSignalController {
public:
    /// What the mode needs of the window; all must outlive the controller.
    struct Parts {
        RecordOnSignalPanel& panel;
        FileChooser chooseFolder;  // empty: the system's dialog
        QWidget* dialogParent;
        ErrorReport reportError;                   // the program's error display
        std::function<std::int32_t()> outputRate;  // Hz of the blocks Feed is given now
        std::function<BlockSpectrum()> spectrum;   // the engine's display spectrum of the last block
    };

    /// Connects the group's controls.
    explicit RecordOnSignalController(Parts parts);
    /// A transmission in progress is finished and logged, without a message
    /// (the window calls Close() first, which reports a failure).
    ~RecordOnSignalController();

    RecordOnSignalController(const RecordOnSignalController&) = delete;
    RecordOnSignalController& operator=(const RecordOnSignalController&) = delete;

    /// Puts the stored settings into the controls; a stored "on" starts the
    /// mode (a failure is reported and leaves it off).
    void Load(const IniFile& file);
    /// Stores the controls' settings when they differ from what Load found.
    /// A mode started by StartForThisRun keeps the stored "on" and folder.
    /// Throws what IniFile's writes throw.
    void Store(IniFile& file) const;
    /// The controls' settings.
    RecordOnSignalSettings Settings() const;

    /// Starts the mode on `folder` (made if missing), as if chosen with
    /// "Folder" and "On signal" pressed. Returns "" or why it cannot start
    /// (the mode then stays off).
    std::string Start(const std::string& folder);
    /// Start() for this run only (the command line's --record-on-signal).
    std::string StartForThisRun(const std::string& folder);
    /// One processed block: `count` samples at outputRate().
    void Feed(const std::int16_t* samples, std::int32_t count);
    /// Ends the mode: a transmission in progress is closed and logged. A
    /// failure is reported.
    void Close();

    /// "On signal" is down.
    bool Running() const;
    /// Transmission files closed since the mode was last switched on.
    int FilesSoFar() const;

private:
    void modeSwitched();
    void pickFolder();
    void settingChanged();
    void open();
    void restartIfWaiting();
    void stop(std::string failure);  // a copy: it may be the recorder's own Error()
    void showFolder();
    void showThreshold();
    void showState();
    void showLevel();
    TransmissionSettings squelch() const;

    Parts parts_;
    FileDialog folderDialog_;
    RecordOnSignalSettings loaded_;  // what Load found in the file
    bool forThisRun_ = false;        // started by StartForThisRun, not touched since
    std::string folder_;
    std::unique_ptr<TransmissionRecorder> recorder_;
    std::int32_t rate_ = 0;
    int filesBefore_ = 0;   // closed by the recorders the mode finished since it was switched on
    bool changed_ = false;  // a setting changed while the mode runs
    std::int64_t samplesSinceShown_ = 0;
};

}  // namespace moravel
