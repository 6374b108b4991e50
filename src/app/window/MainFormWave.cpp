// The recorder's and the player's handlers, which forward to the window's
// RecorderController and PlayerController, and what those need of the
// window: the devices at a file's rate and back, the audio range's lock and
// the tab highlights.
#include "AudioRange.h"
#include "EnhWave.h"
#include "FileDialog.h"
#include "MainForm.h"
#include "MainFormCycleClient.h"
#include "PlayerController.h"
#include "RecordOnSignalController.h"
#include "RecorderController.h"
#include "TransmissionRecorder.h"
#include "EngineSpectrum.h"
#include "WavePlayer.h"
#include "pages/AudioPage.h"
#include "pages/PlayerPage.h"
#include "pages/RecorderPage.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QSlider>
#include <QToolButton>

namespace moravel {

void TMainForm::createWaveControllers() {
    save1 = std::make_unique<FileDialog>(FileDialogRequest::Kind::Save, options_.chooseFile, this);
    OpenDialog1 = std::make_unique<FileDialog>(FileDialogRequest::Kind::Open, options_.chooseFile, this);
    recorderControl_ = std::make_unique<RecorderController>(
        RecorderController::Parts{*recorder, *save1, showMessage_, errorReport(),
                                  [this] { return cycleClient_->Output().BlockRate(); },
                                  [this](const std::string& file) { return playerControl_->Plays(file); },
                                  [this](bool on) { highlightTab(recorder->sheet, on); }, [this] { lockAudioRange(); },
                                  [this] { return thousands(); }});
    playerControl_ = std::make_unique<PlayerController>(
        PlayerController::Parts{*player, *OpenDialog1, showMessage_, errorReport(),
                                [this](const std::string& file) { return recorderControl_->Records(file); },
                                [this](const PlayerDeviceSettings& settings) { set_player_rate(settings); },
                                [this] { return returnToAudioRange(); },
                                [this](bool on) { highlightTab(player->sheet, on); }, [this] { lockAudioRange(); }});
    recordOnSignal_ = std::make_unique<RecordOnSignalController>(RecordOnSignalController::Parts{
        *recorder->onSignal, options_.chooseFile, this, errorReport(),
        [this] { return cycleClient_->Output().BlockRate(); }, [this] { return EngineDisplaySpectrum(*engine_); }});
}

void TMainForm::StartFromCommandLine(const CommandLineOptions& options) {
    if (!options.play.empty()) {
        playerControl_->SetFileName(options.play);
        player->Check_waveplay_loop->setChecked(options.loop);
        player->sb_wave_play->click();
    }
    if (!options.record.empty()) {
        recorderControl_->SetFileName(options.record);
        recorder->sb_wave_record->click();
    }
    if (!options.recordOnSignal.empty()) {
        const std::string why = recordOnSignal_->StartForThisRun(options.recordOnSignal);
        if (!why.empty()) showError(std::runtime_error(why));
    }
}

void TMainForm::connectWaveControls() {
    on(recorder->sb_wave_record, &QToolButton::clicked, &TMainForm::sb_wave_recordClick);
    on(recorder->sb_browse_wave_recordfile, &QToolButton::clicked, &TMainForm::sb_browse_wave_recordfileClick);
    on(player->sb_wave_play, &QToolButton::clicked, &TMainForm::sb_wave_playClick);
    on(player->sb_browse_wave_playfile, &QToolButton::clicked, &TMainForm::sb_browse_wave_playfileClick);
    on(player->TrackWavePlayerPosition, &QSlider::valueChanged, &TMainForm::TrackWavePlayerPositionChange);
}

void TMainForm::sb_wave_recordClick() { recorderControl_->RecordClick(); }

void TMainForm::sb_wave_playClick() { playerControl_->PlayClick(); }

void TMainForm::sb_browse_wave_recordfileClick() { recorderControl_->BrowseClick(); }

void TMainForm::sb_browse_wave_playfileClick() { playerControl_->BrowseClick(); }

void TMainForm::TrackWavePlayerPositionChange() { playerControl_->PositionChange(); }

void TMainForm::read_wave_file_buffer(std::int16_t* dest, std::int32_t size) { playerControl_->ReadBlock(dest, size); }

// The recorder's commit and read-outs, then the player's end of file.
void TMainForm::tickWaveFiles() {
    recorderControl_->Tick();
    playerControl_->Tick();
}

void TMainForm::closeWaveFiles() {
    playerControl_->Close();
    recorderControl_->Close();
    recordOnSignal_->Close();
}

// The audio range, and the devices, can only change while neither the
// recorder nor the player runs (releasing one while the other still runs
// keeps them locked).
void TMainForm::lockAudioRange() {
    const bool free = !recorderControl_->Running() && !playerControl_->Running();
    audio->ComboAudioRange->setEnabled(free);
    findChild<QAction*>(QStringLiteral("AudioDevices"))->setEnabled(free);
}

// Play's device steps: the wave input at R − 50 Hz with the block size for
// R, the output and the engine at R (the file's own rate); the devices are opened
// again only when the output has given back every block.
void TMainForm::set_player_rate(const PlayerDeviceSettings& settings) {
    stop_sampling();
    configureDevices(settings.outputRate, settings.inputBufferBytes, settings.outputRate);
    state_.LayoutChanged = true;
    if (waveOut_->QueuedBlocks() == 0) {
        waveIn_->Open();
        waveOut_->Open();
    }
}

// Until a block has been processed since the last reconfiguration the combo's
// handler does nothing; the player then tries again on a later tick.
bool TMainForm::returnToAudioRange() {
    if (state_.LayoutChanged) return false;
    ComboAudioRangeChange();
    return true;
}

}  // namespace moravel
