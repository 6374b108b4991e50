// The soundcard in the window: the input and output devices the user chose
// ("Audio Devices", DeviceChoiceController), the mixer component `mixer` of
// those devices with the Soundcard page's controller (SoundcardMixerPage,
// made afresh for each mixer opened), the soundcard configuration dialog,
// and the offer to open it when sampling cannot start.
//
// Threads: GUI thread only.
#pragma once

#include "app/window/AudioDevicesDialog.h"
#include "app/window/GuardedConnect.h"
#include "app/window/MessagePresenter.h"

#include <QString>

#include <functional>
#include <memory>
#include <string>

class QWidget;

namespace moravel {

class AudioBackend;
class DeviceChoiceController;
class HelpRouter;
class IniFile;
class SoundcardMixerPage;
class SoundcardPage;
class AudioMixer;

namespace mixer {
class MixerService;
}

/// Shows the not-configured message (caption, text) and offers to open the
/// soundcard dialog; returns true when the user takes the offer.
using ConfigureOffer = std::function<bool(const QString& caption, const QString& text)>;

class Soundcard {
public:
    /// What the soundcard needs of the window; all must outlive it.
    struct Parts {
        AudioBackend& backend;
        IniFile& settings;
        SoundcardPage& page;
        HelpRouter& help;
        /// The dialogs' parent; the offered dialog opens in its event loop.
        QWidget& window;
        ErrorReport reportError;
        /// The PCMs named on the command line; empty: the stored choice.
        std::string inputDevice;
        std::string outputDevice;
        /// The devices the "Audio Devices" dialog offers; empty: AudioDeviceList::Current.
        AudioDevicesDialog::Lister listDevices;
        /// The mixer service for the whole run, unless mixerServiceFor is
        /// given; empty: the simulated typical card.
        std::shared_ptr<mixer::MixerService> mixerService;
        /// The mixer service for a PCM, made afresh when the chosen devices change.
        std::function<std::shared_ptr<mixer::MixerService>(const std::string& wavePcm)> mixerServiceFor;
        /// The not-configured message with the offer (DefaultOffer when the program gives none).
        ConfigureOffer offerConfiguration;
        /// Starts the devices again after a new choice, if sampling runs.
        std::function<void()> restartDevices;
        /// Starts sampling with the lines the configuration dialog stored.
        std::function<void()> startSampling;
    };

    /// The chosen devices go to the sound devices before anything opens
    /// them; then the mixer of those devices opens.
    explicit Soundcard(Parts parts);
    ~Soundcard();

    Soundcard(const Soundcard&) = delete;
    Soundcard& operator=(const Soundcard&) = delete;

    /// The offer when the program gives none: the message alone to
    /// `showMessage` (declined) when given, else a message box with a
    /// "Configure Soundcard..." button.
    static ConfigureOffer DefaultOffer(const MessagePresenter& showMessage, QWidget* parent);

    AudioMixer& Mixer() { return *mixer_; }
    SoundcardMixerPage& Page() { return *page_; }
    /// The chosen devices, as the status strip names them.
    std::string DescribeDevices() const;
    /// Enables the page's pairs for the stored line assignment and reads the
    /// mixer into them; true when the assignment is complete.
    bool Configured();
    /// The not-configured message with the offer; a taken offer opens the
    /// dialog from the event loop, so that declining again and again never nests.
    void OfferConfiguration();
    /// "Settings, Configure Soundcard": the dialog, modal; then the page
    /// follows the mixer device it stored and sampling starts again.
    void OpenConfiguration();
    /// "Settings, Audio Devices...": the dialog opens from the event loop,
    /// so that an assistive client that triggered the item is not held.
    void ChooseDevices();

private:
    void openMixer(std::shared_ptr<mixer::MixerService> service);

    Parts parts_;
    std::unique_ptr<AudioMixer> mixer_;
    std::unique_ptr<SoundcardMixerPage> page_;
    std::unique_ptr<DeviceChoiceController> choice_;
};

}  // namespace moravel
