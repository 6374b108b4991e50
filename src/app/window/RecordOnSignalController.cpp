#include "app/window/RecordOnSignalController.h"

#include "common/AccessibleTexts.h"
#include "audio/transmission/TransmissionRecorder.h"
#include "app/window/pages/RecordOnSignalPanel.h"

#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QLabel>
#include <QSlider>
#include <QToolButton>

#include <chrono>
#include <cmath>
#include <stdexcept>

namespace moravel {

namespace {

// The level and state read-outs are brought up to date four times a
// second of audio: often enough to follow, rarely enough for a screen
// reader.
constexpr int kShowsPerSecond = 4;

QString FileNameOf(const std::string& path) { return QFileInfo(QString::fromStdString(path)).fileName(); }

// A read-out's accessible name is its name from the table followed by what
// it shows, so a screen reader hears both ("Record on signal state: Waiting").
void ShowReadout(QLabel* label, const QString& text) {
    const accessible::ControlText* entry = accessible::FindControlText(label->objectName().toStdString());
    const QString name = entry == nullptr ? text
                                          : QString::fromUtf8(entry->name.data(), qsizetype(entry->name.size())) +
                                                QStringLiteral(": ") + text;
    if (label->text() != text) label->setText(text);
    if (label->accessibleName() != name) label->setAccessibleName(name);
}

}  // namespace

RecordOnSignalController::RecordOnSignalController(Parts parts)
    : parts_(std::move(parts)),
      folderDialog_(FileDialogRequest::Kind::Folder, parts_.chooseFolder, parts_.dialogParent) {
    showFolder();
    RecordOnSignalPanel& p = parts_.panel;
    QObject::connect(p.recordOnSignalSwitch, &QToolButton::clicked, p.recordOnSignalSwitch,
                     Guarded(parts_.reportError, [this] { modeSwitched(); }));
    QObject::connect(p.folderButton, &QToolButton::clicked, p.folderButton,
                     Guarded(parts_.reportError, [this] { pickFolder(); }));
    QObject::connect(p.thresholdSlider, &QSlider::valueChanged, p.thresholdSlider, [this] {
        showThreshold();
        settingChanged();
    });
    for (QDoubleSpinBox* box : {p.attackSpinBox, p.hangSpinBox, p.preRollSpinBox})
        QObject::connect(box, &QDoubleSpinBox::valueChanged, box, [this] { settingChanged(); });
}

RecordOnSignalController::~RecordOnSignalController() = default;

void RecordOnSignalController::Load(const IniFile& file) {
    const RecordOnSignalSettings settings = RecordOnSignalSettings::Read(file);
    loaded_ = settings;
    RecordOnSignalPanel& p = parts_.panel;
    p.thresholdSlider->setValue(static_cast<int>(std::lround(settings.squelch.thresholdDbfs)));
    p.attackSpinBox->setValue(settings.squelch.attackSeconds);
    p.hangSpinBox->setValue(settings.squelch.hangSeconds);
    p.preRollSpinBox->setValue(settings.squelch.preRollSeconds);
    // As the controls hold them (whole decibels, tenths of seconds): a value
    // the controls round is not taken for a change.
    loaded_.squelch = squelch();
    folder_ = settings.folder;
    showFolder();
    showState();
    if (settings.on) {
        const std::string why = Start(folder_);
        if (!why.empty()) parts_.reportError(std::runtime_error(why));
    }
}

void RecordOnSignalController::Store(IniFile& file) const {
    RecordOnSignalSettings now = Settings();
    if (forThisRun_) {
        now.on = loaded_.on;
        now.folder = loaded_.folder;
    }
    RecordOnSignalSettings::Store(file, now, loaded_);
}

RecordOnSignalSettings RecordOnSignalController::Settings() const {
    RecordOnSignalSettings s;
    s.on = parts_.panel.recordOnSignalSwitch->isChecked();
    s.squelch = squelch();
    s.folder = folder_;
    return s;
}

TransmissionSettings RecordOnSignalController::squelch() const {
    const RecordOnSignalPanel& p = parts_.panel;
    TransmissionSettings s;
    s.thresholdDbfs = p.thresholdSlider->value();
    s.attackSeconds = p.attackSpinBox->value();
    s.hangSeconds = p.hangSpinBox->value();
    s.preRollSeconds = p.preRollSpinBox->value();
    return s;
}

std::string RecordOnSignalController::StartForThisRun(const std::string& folder) {
    const std::string why = Start(folder);
    forThisRun_ = why.empty();
    return why;
}

std::string RecordOnSignalController::Start(const std::string& folder) {
    forThisRun_ = false;
    folder_ = folder;
    showFolder();
    recorder_.reset();
    filesBefore_ = 0;
    const std::string why = PrepareRecordFolder(folder_);
    parts_.panel.recordOnSignalSwitch->setChecked(why.empty());
    showState();
    return why;
}

// The recorder at the blocks' present rate, its times counted from now.
void RecordOnSignalController::open() {
    rate_ = parts_.outputRate();
    recorder_ = std::make_unique<TransmissionRecorder>(folder_, rate_, squelch(), std::chrono::system_clock::now());
    changed_ = false;
    samplesSinceShown_ = 0;
}

void RecordOnSignalController::modeSwitched() {
    forThisRun_ = false;
    if (!parts_.panel.recordOnSignalSwitch->isChecked()) {
        Close();
        return;
    }
    const std::string why = Start(folder_);
    if (!why.empty()) throw std::runtime_error(why);
}

void RecordOnSignalController::pickFolder() {
    FileDialogRequest request;
    request.title = QStringLiteral("Folder for the transmissions");
    request.fileName = QString::fromStdString(folder_);
    const QString chosen = folderDialog_.Execute(std::move(request));
    if (chosen.isEmpty()) return;
    forThisRun_ = false;
    folder_ = chosen.toStdString();
    showFolder();
    if (recorder_) changed_ = true;  // the next transmission goes to the new folder
}

void RecordOnSignalController::settingChanged() {
    if (recorder_) changed_ = true;
}

bool RecordOnSignalController::Running() const { return parts_.panel.recordOnSignalSwitch->isChecked(); }

// The recorder is made with the first block after the mode was switched on,
// when the blocks' rate is known.
void RecordOnSignalController::Feed(const std::int16_t* samples, std::int32_t count) {
    if (!Running() || parts_.outputRate() <= 0) return;
    if (!recorder_)
        open();
    else if (changed_ || parts_.outputRate() != rate_)
        restartIfWaiting();
    if (!recorder_) return;
    if (!recorder_->Feed(samples, count, parts_.spectrum())) {
        stop(recorder_->Error());
        return;
    }
    samplesSinceShown_ += count;
    if (samplesSinceShown_ * kShowsPerSecond < rate_) return;
    samplesSinceShown_ = 0;
    showLevel();
    showState();
}

// Between transmissions only: one in progress ends first with what it has.
void RecordOnSignalController::restartIfWaiting() {
    const bool rateChanged = parts_.outputRate() != rate_;
    if (!rateChanged && recorder_->CurrentState() == TransmissionRecorder::State::kRecording) return;
    const bool finished = recorder_->Finish();
    const std::string error = recorder_->Error();
    filesBefore_ += recorder_->FilesClosed();
    recorder_.reset();
    if (!finished) {
        stop(error);
        return;
    }
    open();
}

// Inside the block cycle no message box may open (it would run further
// cycles inside this one): the mode is off at once and the message follows
// once the cycle has returned.
void RecordOnSignalController::stop(std::string failure) {
    if (recorder_) filesBefore_ += recorder_->FilesClosed();
    recorder_.reset();
    parts_.panel.recordOnSignalSwitch->setChecked(false);
    showState();
    const std::string message = "Recording on signal stopped: " + failure;
    QMetaObject::invokeMethod(
        parts_.panel.recordOnSignalSwitch,
        [report = parts_.reportError, message] { report(std::runtime_error(message)); }, Qt::QueuedConnection);
}

void RecordOnSignalController::Close() {
    if (!recorder_) {
        parts_.panel.recordOnSignalSwitch->setChecked(false);
        showState();
        return;
    }
    const bool finished = recorder_->Finish();
    const std::string error = recorder_->Error();
    filesBefore_ += recorder_->FilesClosed();
    recorder_.reset();
    parts_.panel.recordOnSignalSwitch->setChecked(false);
    showState();
    if (!finished) parts_.reportError(std::runtime_error("Recording on signal stopped: " + error));
}

int RecordOnSignalController::FilesSoFar() const { return filesBefore_ + (recorder_ ? recorder_->FilesClosed() : 0); }

// The mode can be switched on once a folder is chosen.
void RecordOnSignalController::showFolder() {
    const QString folder = QString::fromStdString(folder_);
    ShowReadout(parts_.panel.folderPanel, folder);
    parts_.panel.folderPanel->setToolTip(folder);
    parts_.panel.recordOnSignalSwitch->setEnabled(!folder_.empty());
}

void RecordOnSignalController::showThreshold() {
    parts_.panel.thresholdLabel->setText(
        RecordOnSignalPanel::ThresholdText(parts_.panel.thresholdSlider->value()));
}

void RecordOnSignalController::showLevel() {
    parts_.panel.levelLabel->setText(RecordOnSignalPanel::LevelText(recorder_->LevelDbfs()));
}

void RecordOnSignalController::showState() {
    QString state;
    if (!Running()) {
        state = QStringLiteral("Off");
    } else if (recorder_ && recorder_->CurrentState() == TransmissionRecorder::State::kRecording) {
        state = QStringLiteral("Recording \"%1\"").arg(FileNameOf(recorder_->CurrentFile()));
    } else {
        state = QStringLiteral("Waiting");
    }
    const int files = FilesSoFar();
    if (files > 0 || Running()) state += QStringLiteral(", %1 file%2").arg(files).arg(files == 1 ? "" : "s");
    ShowReadout(parts_.panel.stateLabel, state);
    if (!Running()) parts_.panel.levelLabel->setText(QStringLiteral("Level -"));
}

}  // namespace moravel
