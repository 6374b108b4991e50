#include "app/window/Soundcard.h"

#include "app/help/HelpRouter.h"
#include "app/window/DeviceChoiceController.h"
#include "app/window/SoundcardMixerPage.h"
#include "common/LineAssignment.h"
#include "common/SoundcardLayout.h"
#include "common/SoundcardSetup.h"
#include "mixer/AudioMixer.h"
#include "mixer/setup/MixerDeviceChoice.h"
#include "mixer/setup/MixerSetupDialog.h"
#include "mixer/simulated/SimulatedMixerService.h"

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
bool selectChosenMixer(AudioMixer& mixer, mixer::MixerService& service, const IniFile& ini) {
    const int chosen = ChosenMixerDevice(service, ReadMixerDevice(ini));
    if (chosen == mixer.MixerId()) return false;
    mixer.SetMixerId(chosen);
    return true;
}

}  // namespace

// A new choice makes the page follow the mixer of the new devices and,
// while sampling runs, starts it again on them at the current audio range.
// The mixer service is the program's (made for the chosen devices when the
// program gives a way to; the simulated typical card when none is given:
// tests and the virtual soundcard).
Soundcard::Soundcard(Parts parts) : parts_(std::move(parts)) {
    DeviceChoiceController::Parts choice{parts_.backend,       parts_.settings,    parts_.inputDevice,
                                         parts_.outputDevice,  parts_.listDevices, {},
                                         parts_.restartDevices};
    if (!choice.lister) choice.lister = AudioDeviceList::Current;
    choice.followMixer = [this](const std::string& pcm) {
        if (parts_.mixerServiceFor) openMixer(parts_.mixerServiceFor(pcm));
    };
    choice_ = std::make_unique<DeviceChoiceController>(std::move(choice));
    if (parts_.mixerServiceFor) parts_.mixerService = parts_.mixerServiceFor(choice_->Current().MixerPcm());
    if (!parts_.mixerService) parts_.mixerService = std::make_shared<mixer::SimulatedMixerService>();
    openMixer(parts_.mixerService);
}

Soundcard::~Soundcard() = default;

ConfigureOffer Soundcard::DefaultOffer(const MessagePresenter& showMessage, QWidget* parent) {
    if (!showMessage) return messageBoxOffer(parent);
    return [showMessage](const QString& caption, const QString& text) {
        showMessage(caption, text);
        return false;
    };
}

// The component on the device the settings choose, the page's controller and
// the card's name on the page; the page follows the component's changes.
void Soundcard::openMixer(std::shared_ptr<mixer::MixerService> service) {
    page_.reset();
    parts_.mixerService = std::move(service);
    mixer_ = std::make_unique<AudioMixer>(parts_.mixerService);
    mixer_->setObjectName(QStringLiteral("mixer"));
    mixer_->SetMixerId(ChosenMixerDevice(*parts_.mixerService, ReadMixerDevice(parts_.settings)));
    page_ = std::make_unique<SoundcardMixerPage>(parts_.page, *mixer_, parts_.reportError);
    page_->ShowCardName();
}

std::string Soundcard::DescribeDevices() const { return choice_->Describe(); }

bool Soundcard::Configured() {
    const LineAssignment lines = ReadLineAssignment(parts_.settings);
    page_->Enable(lines);
    page_->ReadMixer();
    return IsSoundcardConfigured(lines, page_->Layout());
}

void Soundcard::OfferConfiguration() {
    if (parts_.offerConfiguration(QString::fromUtf8(kNotConfiguredCaption), QString::fromUtf8(kNotConfiguredMessage)))
        QTimer::singleShot(0, &parts_.window, Guarded(parts_.reportError, [this] { OpenConfiguration(); }));
}

// A new dialog each time, freed when it closes. It opens with the stored
// setup, and its OK stores the chosen one in the settings file before it
// closes (a failing write keeps it open).
void Soundcard::OpenConfiguration() {
    {
        MixerSetupDialog dialog(
            parts_.mixerService, ReadSoundcardSetup(parts_.settings),
            [this](const SoundcardSetup& chosen) { WriteSoundcardSetup(parts_.settings, chosen); },
            [this](const QString& topic) { parts_.help.ShowTopic(topic); }, &parts_.window);
        dialog.exec();
    }
    if (selectChosenMixer(*mixer_, *parts_.mixerService, parts_.settings)) page_->ShowCardName();
    parts_.startSampling();
}

void Soundcard::ChooseDevices() {
    QTimer::singleShot(0, &parts_.window,
                       Guarded(parts_.reportError, [this] { choice_->ChooseInDialog(&parts_.window); }));
}

}  // namespace moravel
