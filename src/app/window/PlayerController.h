// The "Player" page at work: Play pressed and released, Browse, the position
// track bar with "Time" and "Total", the cycle's input blocks from the file
// and the end of playing on the status tick. The file work (the block read,
// position, loop, play time, refused formats) is WavePlayer's; the devices'
// switch to the file's rate and back is the window's, reached through Parts.
//
// Threads: GUI thread only (buttons, the block cycle and the status timer
// all run there).
#pragma once

#include "app/window/GuardedConnect.h"
#include "app/window/MessagePresenter.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace moravel {

class FileDialog;
class PlayerPage;
class WavePlayer;
struct PlayerDeviceSettings;

class PlayerController {
public:
    /// What the player needs of the window; all must outlive the controller.
    struct Parts {
        PlayerPage& page;
        FileDialog& openDialog;
        MessagePresenter showMessage;  // the "Warning" messages
        ErrorReport reportError;       // the program's error display
        /// True while Record is down on `file`.
        std::function<bool(const std::string& file)> recording;
        /// Stops the devices and runs them and the engine at the file's rate.
        std::function<void(const PlayerDeviceSettings&)> playAtFileRate;
        /// Returns the devices to the audio range's combo; false (and nothing
        /// done) while a layout change is still pending.
        std::function<bool()> returnToAudioRange;
        /// Highlights the "Player" tab (or removes the highlight).
        std::function<void(bool on)> highlightTab;
        /// Playing started or ended (the audio range's lock follows it).
        std::function<void()> runningChanged;
    };

    explicit PlayerController(Parts parts);
    ~PlayerController();

    PlayerController(const PlayerController&) = delete;
    PlayerController& operator=(const PlayerController&) = delete;

    /// "Play" clicked: starts playing when the button went down, stops when it
    /// went up. A file that is missing, in use by the recorder, unreadable or
    /// of a format the player cannot play leaves Play up, the devices as
    /// they were and a message.
    void PlaySwitched();
    /// "Browse": picks the file through the open dialog; a cancelled dialog
    /// keeps the name.
    void ChooseFile();
    /// The position track bar moved: while playing, the file seeks there.
    void Seek();
    /// Fills the cycle's zeroed input block (`bytes` bytes, even, at most
    /// 8192) from the file, or leaves it silent. A read error stops playing
    /// after the cycle, with the message.
    void ReadBlock(std::int16_t* block, std::int32_t bytes);
    /// The status tick (500 ms): releases Play at the end of the file, and
    /// brings the devices back to the audio range once that is possible.
    void Tick();
    /// Window close: frees the file.
    void Close();

    /// A file is open for playing.
    bool Running() const { return player_ != nullptr; }
    /// True while Play is down on `file` (same-file rule of the recorder).
    bool Plays(const std::string& file) const;
    /// The file to play (settings key "WavePlayerFilename").
    const std::string& FileName() const { return fileName_; }
    /// Sets the file and shows it in the file-name panel.
    void SetFileName(const std::string& path);
    /// The devices still wait to return to the audio range.
    bool ReturnPending() const { return returnPending_; }

private:
    void start();
    bool refused();
    void release();
    void stopAfterCycle(const std::string& reason);
    void returnWhenReady();
    void showPosition();
    void setPlayButton(bool down);

    Parts parts_;
    std::string fileName_;
    std::unique_ptr<WavePlayer> player_;
    bool returnPending_ = false;
};

}  // namespace moravel
