// The files the live pipeline plays from and records to: the Player page's
// controller, the Recorder page's and record on signal, made together
// because each needs another (a file is never played and recorded at once;
// the audio range stays locked while either runs) and connected to their
// pages' buttons. The player switches the devices to its file's rate and
// back through the device controller.
//
// Threads: GUI thread only.
#pragma once

#include "app/window/FileDialog.h"
#include "app/window/GuardedConnect.h"
#include "app/window/MessagePresenter.h"

#include <memory>
#include <string>

class QTabWidget;
class QWidget;

namespace moravel {

class PlayerController;
class PlayerPage;
class RecordOnSignalController;
class RecorderController;
class RecorderPage;
class Engine;
class WaveDeviceController;
struct CommandLineOptions;

class WaveFiles {
public:
    /// What the files need of the window; all must outlive them.
    struct Parts {
        PlayerPage& playerPage;
        RecorderPage& recorderPage;
        /// The Player and Recorder tabs are highlighted while they run.
        QTabWidget& tabs;
        /// The save and open dialogs' and record on signal's chooser;
        /// empty: the system's dialogs.
        FileChooser chooseFile;
        /// The dialogs' parent and the connections' context.
        QWidget& window;
        MessagePresenter showMessage;  // the "Warning" messages
        ErrorReport reportError;       // the program's error display
        WaveDeviceController& devices;
        /// Whose display spectrum record on signal judges a block by.
        Engine& engine;
    };

    /// Makes the three controllers and connects the pages' buttons to them.
    explicit WaveFiles(Parts parts);
    ~WaveFiles();

    WaveFiles(const WaveFiles&) = delete;
    WaveFiles& operator=(const WaveFiles&) = delete;

    RecorderController& Recorder() { return *recorder_; }
    PlayerController& Player() { return *player_; }
    RecordOnSignalController& RecordOnSignal() { return *recordOnSignal_; }
    /// The recorder's save dialog, which the image export shares.
    FileDialog& SaveDialog() { return saveDialog_; }

    /// A file plays or records.
    bool Running() const;
    /// The status tick: the recorder's commit and read-outs, then the
    /// player's end of file.
    void Tick();
    /// Window close: the player's file freed, the recordings completed.
    void Close();
    /// The command line's --play (with --loop), --record and
    /// --record-on-signal, once sampling runs; returns why record on signal
    /// could not start (empty when it did or was not asked for).
    std::string StartFromCommandLine(const CommandLineOptions& options);

private:
    void connectControls();

    Parts parts_;
    FileDialog saveDialog_;
    FileDialog openDialog_;
    std::unique_ptr<RecorderController> recorder_;
    std::unique_ptr<PlayerController> player_;
    std::unique_ptr<RecordOnSignalController> recordOnSignal_;  // fed every processed block
};

}  // namespace moravel
