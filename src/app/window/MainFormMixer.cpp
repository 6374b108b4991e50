// The soundcard mixer in the window: the mixer component `mixer` with the
// Soundcard page's controller (SoundcardMixerPage, made afresh for each mixer
// opened), the soundcard configuration dialog and the offer to open it when
// sampling cannot start; the choice of the input and output devices, whose
// mixer the page shows.
#include "AudioMixer.h"
#include "DeviceChoiceController.h"
#include "LineAssignment.h"
#include "HelpRouter.h"
#include "MainForm.h"
#include "SettingsPages.h"
#include "MixerDeviceChoice.h"
#include "MixerSetupDialog.h"
#include "SimulatedMixerService.h"
#include "SoundcardMixerPage.h"
#include "WaveDeviceController.h"
#include "pages/SoundcardPage.h"

#include <QMessageBox>
#include <QPushButton>
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
        if (state_.SamplingEnabled) devices_->StartSampling();
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
    soundcardMixer_ = std::make_unique<SoundcardMixerPage>(*pages->soundcard, *mixer, errorReport());
    soundcardMixer_->ShowCardName();
}

// FormCreate's "open the mixer device": the program's service (made for the
// chosen devices when the program gives a way to; the simulated typical card
// when none is given: tests and the virtual soundcard) with the page's
// controller, and the offer of the soundcard dialog.
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
}

// The message of an incomplete assignment, with the offer to open the
// dialog. The dialog opens from the event loop, not from inside
// StartSampling, so that declining it again and again never nests.
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
            options_.mixerService, ini_.FileName(), [this](const QString& topic) { help_->ShowTopic(topic); }, this);
        dialog.exec();
    }
    if (selectChosenMixer(*mixer, *options_.mixerService, ini_)) soundcardMixer_->ShowCardName();
    devices_->StartSampling();
}

}  // namespace moravel
