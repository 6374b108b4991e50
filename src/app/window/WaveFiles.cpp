#include "app/window/WaveFiles.h"

#include "app/core/CommandLine.h"
#include "audio/transmission/EngineSpectrum.h"
#include "app/window/LocaleNumber.h"
#include "app/window/PlayerController.h"
#include "app/window/RecordOnSignalController.h"
#include "app/window/RecorderController.h"
#include "app/window/TabHighlight.h"
#include "app/window/WaveDeviceController.h"
#include "audio/recorder/WavePlayer.h"
#include "app/window/pages/PlayerPage.h"
#include "app/window/pages/RecorderPage.h"

#include <QCheckBox>
#include <QSlider>
#include <QToolButton>

#include <utility>

namespace moravel {

WaveFiles::WaveFiles(Parts parts)
    : parts_(std::move(parts)),
      saveDialog_(FileDialogRequest::Kind::Save, parts_.chooseFile, &parts_.window),
      openDialog_(FileDialogRequest::Kind::Open, parts_.chooseFile, &parts_.window) {
    WaveDeviceController& devices = parts_.devices;
    const auto blockRate = [&devices] { return devices.Output().BlockRate(); };
    const auto lockAudioRange = [&devices] { devices.LockAudioRange(); };
    const auto highlight = [this](QWidget* sheet) {
        return [this, sheet](bool on) { HighlightTab(parts_.tabs, sheet, on); };
    };
    recorder_ = std::make_unique<RecorderController>(RecorderController::Parts{
        parts_.recorderPage, saveDialog_, parts_.showMessage, parts_.reportError, blockRate,
        [this](const std::string& file) { return player_->Plays(file); }, highlight(parts_.recorderPage.sheet),
        lockAudioRange, ThousandsSeparator});
    player_ = std::make_unique<PlayerController>(PlayerController::Parts{
        parts_.playerPage, openDialog_, parts_.showMessage, parts_.reportError,
        [this](const std::string& file) { return recorder_->Records(file); },
        [&devices](const PlayerDeviceSettings& settings) { devices.PlayAtFileRate(settings); },
        [&devices] { return devices.ReturnToAudioRange(); }, highlight(parts_.playerPage.sheet), lockAudioRange});
    recordOnSignal_ = std::make_unique<RecordOnSignalController>(
        RecordOnSignalController::Parts{*parts_.recorderPage.onSignal, parts_.chooseFile, &parts_.window,
                                        parts_.reportError, blockRate,
                                        [this] { return EngineDisplaySpectrum(parts_.engine); }});
    connectControls();
}

WaveFiles::~WaveFiles() = default;

void WaveFiles::connectControls() {
    const GuardedConnector recording(parts_.window, *recorder_, parts_.reportError);
    recording(parts_.recorderPage.recordSwitch, &QToolButton::clicked, &RecorderController::RecordSwitched);
    recording(parts_.recorderPage.browseButton, &QToolButton::clicked, &RecorderController::ChooseFile);
    const GuardedConnector playing(parts_.window, *player_, parts_.reportError);
    playing(parts_.playerPage.playSwitch, &QToolButton::clicked, &PlayerController::PlaySwitched);
    playing(parts_.playerPage.browseButton, &QToolButton::clicked, &PlayerController::ChooseFile);
    playing(parts_.playerPage.positionSlider, &QSlider::valueChanged, &PlayerController::Seek);
}

bool WaveFiles::Running() const { return recorder_->Running() || player_->Running(); }

void WaveFiles::Tick() {
    recorder_->Tick();
    player_->Tick();
}

void WaveFiles::Close() {
    player_->Close();
    recorder_->Close();
    recordOnSignal_->Close();
}

std::string WaveFiles::StartFromCommandLine(const CommandLineOptions& options) {
    if (!options.play.empty()) {
        player_->SetFileName(options.play);
        parts_.playerPage.loopSwitch->setChecked(options.loop);
        parts_.playerPage.playSwitch->click();
    }
    if (!options.record.empty()) {
        recorder_->SetFileName(options.record);
        parts_.recorderPage.recordSwitch->click();
    }
    if (options.recordOnSignal.empty()) return {};
    return recordOnSignal_->StartForThisRun(options.recordOnSignal);
}

}  // namespace moravel
