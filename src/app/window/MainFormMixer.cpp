// The soundcard mixer in the window: the mixer component `mixer`, the
// Soundcard page's handlers (one-line forwards to SoundcardMixerPage), the
// soundcard configuration dialog and the offer to open it when sampling
// cannot start; the choice of the input and output devices, whose mixer the
// page shows.
#include "AudioMixer.h"
#include "DeviceChoiceController.h"
#include "LineAssignment.h"
#include "MainForm.h"
#include "MixerDeviceChoice.h"
#include "MixerSetupDialog.h"
#include "SimulatedMixerService.h"
#include "SoundcardMixerPage.h"
#include "pages/SoundcardPage.h"

#include <QCheckBox>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QTimer>

namespace moravel {

namespace {

// The not-configured message with its text and caption, and a button that
// opens the dialog beside the message's OK.
ConfigureOffer messageBoxOffer(QWidget* parent) {
    return [parent](const QString& caption, const QString& text) {
        QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::NoButton, parent);
        QPushButton* configure = box.addButton(QStringLiteral("Configure Soundcard..."), QMessageBox::AcceptRole);
        box.addButton(QMessageBox::Ok);
        box.setDefaultButton(configure);
        box.exec();
        return box.clickedButton() == configure;
    };
}

// Opens the mixer device the settings choose (the stored one, else the one
// the sound goes through) unless it is open already; true when it opened
// another.
bool selectChosenMixer(TAudioMixer& mixer, mixer::MixerService& service, const TKustomIniFile& ini) {
    const int chosen = ChosenMixerDevice(service, ini);
    if (chosen == mixer.MixerId()) return false;
    mixer.SetMixerId(chosen);
    return true;
}

}  // namespace

// The chosen devices go to the sound devices before anything opens them. A
// new choice makes the page follow the mixer of the new devices and, while
// sampling runs, starts it again on them at the current audio range.
void TMainForm::createDeviceChoice() {
    DeviceChoiceController::Parts parts{*options_.backend, ini_, options_.inputDevice, options_.outputDevice,
                                        options_.listDevices, {}, {}};
    if (!parts.lister) parts.lister = AudioDeviceList::Current;
    parts.followMixer = [this](const std::string& pcm) {
        if (!options_.mixerServiceFor) return;
        openMixer(options_.mixerServiceFor(pcm));
    };
    parts.restartDevices = [this] {
        if (state_.SamplingEnabled) start_sample();
    };
    deviceChoice_ = std::make_unique<DeviceChoiceController>(std::move(parts));
}

// The component on the device the settings choose, the page's controller and
// the card's name in Label4; the page follows the component's changes.
void TMainForm::openMixer(std::shared_ptr<mixer::MixerService> service) {
    soundcardMixer_.reset();
    options_.mixerService = std::move(service);
    mixer = std::make_unique<TAudioMixer>(options_.mixerService);
    mixer->setObjectName(QStringLiteral("mixer"));
    mixer->SetMixerId(ChosenMixerDevice(*options_.mixerService, ini_));
    soundcardMixer_ = std::make_unique<SoundcardMixerPage>(*soundcard, *mixer);
    soundcardMixer_->ShowCardName();
    on(mixer.get(), &TAudioMixer::OnControlChange, &TMainForm::mixerControlChange);
}

// FormCreate's "open the mixer device": the program's service (made for the
// chosen devices when the program gives a way to; the simulated typical card
// when none is given: tests and the virtual soundcard) and the page's
// handlers.
void TMainForm::createMixer() {
    if (options_.mixerServiceFor) options_.mixerService = options_.mixerServiceFor(deviceChoice_->Current().MixerPcm());
    if (!options_.mixerService) options_.mixerService = std::make_shared<mixer::SimulatedMixerService>();
    openMixer(options_.mixerService);
    if (options_.offerConfiguration) {
        offerConfiguration_ = options_.offerConfiguration;
    } else if (options_.showMessage) {
        offerConfiguration_ = [this](const QString& caption, const QString& text) {
            showMessage_(caption, text);
            return false;
        };
    } else {
        offerConfiguration_ = messageBoxOffer(this);
    }

    using Handler = void (TMainForm::*)();
    const std::pair<QCheckBox*, Handler> checks[] = {
        {soundcard->CheckBox2, &TMainForm::CheckBox2Click}, {soundcard->CheckBox3, &TMainForm::CheckBox3Click},
        {soundcard->CheckBox4, &TMainForm::CheckBox4Click}, {soundcard->CheckBox5, &TMainForm::CheckBox5Click},
        {soundcard->CheckBox6, &TMainForm::CheckBox6Click}, {soundcard->CheckBox7, &TMainForm::CheckBox7Click},
        {soundcard->CheckBox8, &TMainForm::CheckBox8Click}};
    for (const auto& [check, handler] : checks) on(check, &QCheckBox::toggled, handler);
    const std::pair<QSlider*, Handler> tracks[] = {
        {soundcard->TrackBar2, &TMainForm::TrackBar2Change}, {soundcard->TrackBar3, &TMainForm::TrackBar3Change},
        {soundcard->TrackBar4, &TMainForm::TrackBar4Change}, {soundcard->TrackBar5, &TMainForm::TrackBar5Change},
        {soundcard->TrackBar6, &TMainForm::TrackBar6Change}, {soundcard->TrackBar7, &TMainForm::TrackBar7Change},
        {soundcard->TrackBar8, &TMainForm::TrackBar8Change}};
    for (const auto& [track, handler] : tracks) on(track, &QSlider::valueChanged, handler);
    on(soundcard->ButtonAutoSetAudio, &QPushButton::clicked, &TMainForm::ButtonAutoSetAudioClick);
}

void TMainForm::enableMixerControls(const LineAssignment& lines) { soundcardMixer_->Enable(lines); }

void TMainForm::read_mixer() { soundcardMixer_->read_mixer(); }
void TMainForm::change_mixer(int destination, int connection) {
    soundcardMixer_->change_mixer(destination, connection);
}
bool TMainForm::MyNewVol(int destination, int connection, bool checked, int position) {
    return soundcardMixer_->MyNewVol(destination, connection, checked, position);
}
void TMainForm::CheckBox2Click() { soundcardMixer_->PairChanged(MixerPair::MicrophoneIn); }
void TMainForm::CheckBox3Click() { soundcardMixer_->PairChanged(MixerPair::LineIn); }
void TMainForm::CheckBox4Click() { soundcardMixer_->PairChanged(MixerPair::MicrophoneOut); }
void TMainForm::CheckBox5Click() { soundcardMixer_->PairChanged(MixerPair::LineOut); }
void TMainForm::CheckBox6Click() { soundcardMixer_->PairChanged(MixerPair::WaveOut); }
void TMainForm::CheckBox7Click() { soundcardMixer_->PairChanged(MixerPair::Master); }
void TMainForm::CheckBox8Click() { soundcardMixer_->PairChanged(MixerPair::WaveIn); }
void TMainForm::TrackBar2Change() { soundcardMixer_->PairChanged(MixerPair::MicrophoneIn); }
void TMainForm::TrackBar3Change() { soundcardMixer_->PairChanged(MixerPair::LineIn); }
void TMainForm::TrackBar4Change() { soundcardMixer_->PairChanged(MixerPair::MicrophoneOut); }
void TMainForm::TrackBar5Change() { soundcardMixer_->PairChanged(MixerPair::LineOut); }
void TMainForm::TrackBar6Change() { soundcardMixer_->PairChanged(MixerPair::WaveOut); }
void TMainForm::TrackBar7Change() { soundcardMixer_->PairChanged(MixerPair::Master); }
void TMainForm::TrackBar8Change() { soundcardMixer_->PairChanged(MixerPair::WaveIn); }
void TMainForm::ButtonAutoSetAudioClick() { soundcardMixer_->ButtonAutoSetAudioClick(); }
void TMainForm::mixerControlChange() { soundcardMixer_->mixerControlChange(); }

bool TMainForm::SoundcardConfigured(const LineAssignment& lines) const {
    return IsSoundcardConfigured(lines, soundcardMixer_->Layout());
}

// The message of an incomplete assignment, with the offer to open the
// dialog. The dialog opens from the event loop, not from inside
// start_sample, so that declining it again and again never nests.
void TMainForm::offerSoundcardDialog() {
    if (offerConfiguration_(QString::fromUtf8(kNotConfiguredCaption), QString::fromUtf8(kNotConfiguredMessage)))
        QTimer::singleShot(0, this, guard(&TMainForm::openConfigureSoundcard));
}

// "Settings, Configure Soundcard": a new dialog each time, modal, freed when
// it closes; then the page follows the mixer device it stored and sampling
// is started again with its lines.
void TMainForm::openConfigureSoundcard() {
    {
        TForm1 dialog(
            options_.mixerService, ini_.FileName(), [this](const QString& topic) { ShowHelpTopic(topic); }, this);
        dialog.exec();
    }
    if (selectChosenMixer(*mixer, *options_.mixerService, ini_)) soundcardMixer_->ShowCardName();
    start_sample();
}

}  // namespace moravel
