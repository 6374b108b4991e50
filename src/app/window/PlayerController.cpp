#include "app/window/PlayerController.h"

#include "app/window/FileDialog.h"
#include "app/window/FileNamePanel.h"
#include "app/window/pages/PlayerPage.h"
#include "audio/recorder/SameWaveFile.h"
#include "audio/recorder/TrackBarScale.h"
#include "audio/recorder/WavePlayer.h"

#include <QCheckBox>
#include <QLabel>
#include <QMetaObject>
#include <QSignalBlocker>
#include <QSlider>
#include <QToolButton>

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace moravel {

PlayerController::PlayerController(Parts parts) : parts_(std::move(parts)) {}

PlayerController::~PlayerController() = default;

void PlayerController::PlaySwitched() {
    if (parts_.page.playSwitch->isChecked()) {
        start();
    } else {
        release();
    }
}

bool PlayerController::Plays(const std::string& file) const {
    return parts_.page.playSwitch->isChecked() && IsSameWaveFile(file, fileName_);
}

void PlayerController::SetFileName(const std::string& path) {
    fileName_ = path;
    ShowFileName(parts_.page.fileNamePanel, path);
}

// The file is opened and its format checked before the devices are touched,
// so a refused file leaves them as they were.
void PlayerController::start() {
    if (refused()) return;
    try {
        player_ = std::make_unique<WavePlayer>(fileName_);
    } catch (const std::exception& error) {
        setPlayButton(false);
        parts_.reportError(error);
        return;
    }
    returnPending_ = false;
    parts_.runningChanged();
    try {
        parts_.playAtFileRate(player_->DeviceSettings());
    } catch (const std::exception& error) {
        release();
        parts_.reportError(error);
        return;
    }
    QSlider* bar = parts_.page.positionSlider;
    {
        const QSignalBlocker quiet(bar);
        bar->setMaximum(TrackBarScale(player_->FrameCount()).Maximum());
        bar->setValue(0);
    }
    parts_.page.timePanel->setText(QString::fromStdString(player_->TimeText(0)));
    parts_.page.totalTimePanel->setText(QString::fromStdString(player_->TotalText()));
    parts_.page.browseButton->setEnabled(false);
    bar->setEnabled(true);
    parts_.highlightTab(true);
}

// The two cases the user is warned about; Play springs back.
bool PlayerController::refused() {
    const char* warning = nullptr;
    if (!WavePlayer::FileExists(fileName_)) {
        warning = WavePlayer::kMissingFileMessage;
    } else if (parts_.recording(fileName_)) {
        warning = kSameWaveFileMessage;
    }
    if (warning == nullptr) return false;
    setPlayButton(false);
    parts_.showMessage(kWarningCaption, QString::fromUtf8(warning));
    return true;
}

// The page goes back first; the devices follow, at once or, while the last
// reconfiguration has not processed a block yet, on a later tick.
void PlayerController::release() {
    const bool played = player_ != nullptr;
    player_.reset();
    setPlayButton(false);
    parts_.page.pauseSwitch->setChecked(false);
    parts_.page.browseButton->setEnabled(true);
    parts_.page.positionSlider->setEnabled(false);
    parts_.highlightTab(false);
    parts_.runningChanged();
    if (!played) return;
    returnPending_ = true;
    returnWhenReady();
}

void PlayerController::returnWhenReady() {
    if (returnPending_ && parts_.returnToAudioRange()) returnPending_ = false;
}

void PlayerController::ChooseFile() {
    const QString chosen =
        parts_.openDialog.Execute(QStringLiteral("Open wave file"), kWaveFileFilter, QString::fromStdString(fileName_));
    if (chosen.isEmpty()) return;
    SetFileName(chosen.toStdString());
    parts_.page.positionSlider->setValue(0);
}

void PlayerController::Seek() {
    if (!player_ || !parts_.page.playSwitch->isChecked()) return;
    player_->Seek(TrackBarScale(player_->FrameCount()).Frame(parts_.page.positionSlider->value()));
    parts_.page.timePanel->setText(QString::fromStdString(player_->TimeText(player_->Position())));
}

void PlayerController::ReadBlock(std::int16_t* block, std::int32_t bytes) {
    if (!player_) return;  // the player's Pause alone: silence
    try {
        player_->ReadBlock(block, bytes, {parts_.page.pauseSwitch->isChecked(), parts_.page.loopSwitch->isChecked()});
    } catch (const std::exception& error) {
        std::fill(block, block + bytes / 2, std::int16_t{0});
        stopAfterCycle(error.what());
        return;
    }
    showPosition();
}

// The bar follows the file without seeking it again (the player already
// stands there, after a wrap at frame 0).
void PlayerController::showPosition() {
    QSlider* bar = parts_.page.positionSlider;
    const QSignalBlocker quiet(bar);
    bar->setValue(TrackBarScale(player_->FrameCount()).BarValue(player_->Position()));
    parts_.page.timePanel->setText(QString::fromStdString(player_->TimeText(player_->Position())));
}

// No device may be reconfigured and no message box opened inside the cycle:
// the file is dropped and Play goes up at once, and the rest follows once the
// cycle has returned.
void PlayerController::stopAfterCycle(const std::string& reason) {
    player_.reset();
    setPlayButton(false);
    returnPending_ = true;
    QMetaObject::invokeMethod(
        parts_.page.playSwitch,
        [this, reason] {
            if (!player_) release();  // unless Play was pressed again meanwhile
            returnWhenReady();
            parts_.reportError(std::runtime_error(reason));
        },
        Qt::QueuedConnection);
}

void PlayerController::Tick() {
    if (player_ && player_->TakeFinished()) {
        release();
        return;
    }
    returnWhenReady();
}

void PlayerController::Close() { player_.reset(); }

void PlayerController::setPlayButton(bool down) { parts_.page.playSwitch->setChecked(down); }

}  // namespace moravel
