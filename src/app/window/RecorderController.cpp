#include "app/window/RecorderController.h"

#include "app/window/FileDialog.h"
#include "app/window/FileNamePanel.h"
#include "app/window/pages/RecorderPage.h"
#include "audio/recorder/PartFileName.h"
#include "audio/recorder/SameWaveFile.h"
#include "audio/recorder/WaveRecorder.h"

#include <QFileInfo>
#include <QLabel>
#include <QMetaObject>
#include <QToolButton>

#include <stdexcept>
#include <utility>

namespace moravel {

RecorderController::RecorderController(Parts parts) : parts_(std::move(parts)) {}

RecorderController::~RecorderController() = default;

void RecorderController::RecordSwitched() {
    if (parts_.page.recordSwitch->isChecked()) {
        start();
    } else {
        release();
    }
}

bool RecorderController::Records(const std::string& file) const {
    return parts_.page.recordSwitch->isChecked() && IsSameWaveFile(recorder_ ? recorder_->Path() : fileName_, file);
}

void RecorderController::SetFileName(const std::string& path) {
    fileName_ = path;
    ShowFileName(parts_.page.fileNamePanel, path);
}

// The stream is created before anything else changes, so a file that cannot
// be created leaves the page and the audio range as they were.
void RecorderController::start() {
    if (recorder_) release();  // a failed recording whose message is still due
    if (parts_.playing(fileName_)) {
        setRecordButton(false);
        parts_.showMessage(kWarningCaption, QString::fromUtf8(kSameWaveFileMessage));
        return;
    }
    try {
        recorder_ = std::make_unique<WaveRecorder>(fileName_, parts_.outputRate());
    } catch (const std::exception& error) {
        setRecordButton(false);
        parts_.reportError(error);
        return;
    }
    part_ = 1;
    parts_.page.partFileLabel->clear();
    setRecordButton(true);
    showReadouts();
    parts_.page.browseButton->setEnabled(false);
    parts_.highlightTab(true);
    parts_.runningChanged();
}

// The page is set back before the recording is completed, so that a message
// about the completion finds the recorder already idle.
void RecorderController::release() {
    const std::unique_ptr<WaveRecorder> recorder = std::move(recorder_);
    std::string failure = std::exchange(failure_, {});
    setRecordButton(false);
    parts_.page.pauseSwitch->setChecked(false);
    parts_.page.browseButton->setEnabled(true);
    parts_.highlightTab(false);
    parts_.runningChanged();
    if (recorder && !recorder->Stop()) failure = recorder->Error();
    if (!failure.empty()) parts_.reportError(std::runtime_error(failure));
}

void RecorderController::ChooseFile() {
    const QString chosen = parts_.saveDialog.Execute(QStringLiteral("Save to wave file"), kWaveFileFilter,
                                                     QString::fromStdString(fileName_));
    if (!chosen.isEmpty()) SetFileName(chosen.toStdString());
}

void RecorderController::WriteBlock(const std::int16_t* samples, std::int32_t bytes) {
    if (!recorder_ || !recorder_->Recording()) return;  // stopped, release pending
    const std::int32_t rate = parts_.outputRate();
    if (rate != recorder_->Rate() && !continueAt(rate)) return;
    if (!recorder_->Append(samples, bytes)) stopAfterCycle();
}

// The file is completed first: a part that cannot be created then stops the
// recording with everything before the change kept.
bool RecorderController::continueAt(std::int32_t rate) {
    if (!recorder_->Stop()) {
        stopAfterCycle();
        return false;
    }
    const std::string previous = recorder_->Path();
    const std::string next = NextPartFileName(fileName_, part_);
    try {
        recorder_ = std::make_unique<WaveRecorder>(next, rate);
    } catch (const std::exception& error) {
        failure_ = "Recording stopped when the rate changed to " + std::to_string(rate) + " Hz: \"" + next +
                   "\" could not be created (" + error.what() + "). \"" + previous +
                   "\" holds everything recorded before.";
        stopAfterCycle();
        return false;
    }
    parts_.page.partFileLabel->setText(
        QStringLiteral("Continued in %1 at %2 Hz").arg(QFileInfo(QString::fromStdString(next)).fileName()).arg(rate));
    parts_.page.partFileLabel->setToolTip(QString::fromStdString(next));
    return true;
}

// Inside the cycle no message box may open (it would run further cycles
// inside this one): Record goes up at once, so no further block is written,
// and the page and the message follow once the cycle has returned.
void RecorderController::stopAfterCycle() {
    setRecordButton(false);
    QMetaObject::invokeMethod(
        parts_.page.recordSwitch,
        [this] {
            if (recorder_ && !parts_.page.recordSwitch->isChecked()) release();
        },
        Qt::QueuedConnection);
}

void RecorderController::Tick() {
    if (!recorder_) return;
    const bool committed = recorder_->Tick(parts_.page.pauseSwitch->isChecked());
    showReadouts();
    if (!committed) release();
}

void RecorderController::Close() {
    if (recorder_) release();
}

// "Time" counts the status ticks of the file being written; "Size" is worked
// out from that time and the file's rate, not from the bytes written.
void RecorderController::showReadouts() {
    const double seconds = recorder_->RecordedSeconds();
    parts_.page.timePanel->setText(QString::fromStdString(recorder_->TimeText()));
    parts_.page.sizePanel->setText(
        QString::fromStdString(WaveRecorder::SizeText(recorder_->Rate(), seconds, parts_.thousands().toStdString())));
}

void RecorderController::setRecordButton(bool down) { parts_.page.recordSwitch->setChecked(down); }

}  // namespace moravel
