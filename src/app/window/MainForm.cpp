#include "app/window/MainForm.h"

#include "app/window/AccessibleButton.h"
#include "app/window/AccessibleNames.h"
#include "app/window/AccessibleValues.h"
#include "audio/EnhWave.h"
#include "app/window/ExportController.h"
#include "dsp/Engine.h"
#include "app/window/GradientEditorController.h"
#include "app/help/HelpRouter.h"
#include "app/window/MainFormCycleClient.h"
#include "app/window/MainMenu.h"
#include "app/window/SettingsPages.h"
#include "app/window/PlotPanes.h"
#include "app/window/ProcessingControls.h"
#include "app/window/PlotDisplays.h"
#include "app/window/StatusIndicators.h"
#include "app/window/StatusStrip.h"
#include "app/window/WaveDeviceController.h"
#include "app/window/WaveFiles.h"
#include "app/core/WindowPlacement.h"
#include "app/window/WindowPanels.h"
#include "app/window/WindowSettingsBinder.h"
#include "app/window/pages/AudioPage.h"
#include "app/window/pages/DebugPage.h"
#include "app/window/pages/EqualizerPage.h"
#include "app/window/pages/FilterPage.h"
#include "app/window/pages/PlayerPage.h"
#include "app/window/pages/RecorderPage.h"
#include "app/window/pages/ShiftPage.h"
#include "app/window/pages/SoundcardPage.h"
#include "app/window/pages/SpectrogramPage.h"
#include "app/window/pages/SpectrumPage.h"
#include "app/window/pages/ThresholdGainPage.h"

#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <QMessageBox>
#include <QScreen>
#include <QWindow>

#include <iostream>
#include <memory>
#include <stdexcept>

namespace moravel {

namespace {

// One message box at a time. A handler that keeps failing (a timer's runs
// every 100 ms) would otherwise open a new modal box inside the previous
// one's event loop, and they would pile up until the user closed them all.
// Only timers and the block cycle run while a box is open (it blocks the
// user's input), and their errors reach standard error through showError, so
// a message that arrives meanwhile is not shown again.
MessagePresenter messageBoxPresenter(QWidget* parent) {
    auto showing = std::make_shared<bool>(false);
    return [parent, showing](const QString& caption, const QString& text) {
        if (*showing) return;
        *showing = true;
        QMessageBox::warning(parent, caption, text, QMessageBox::Ok);
        *showing = false;
    };
}

// The options with the message boxes where the program gives no presenter
// or offer of its own.
MainFormOptions withMessageBoxes(MainFormOptions options, QWidget* parent) {
    if (!options.offerConfiguration) options.offerConfiguration = Soundcard::DefaultOffer(options.showMessage, parent);
    if (!options.showMessage) options.showMessage = messageBoxPresenter(parent);
    return options;
}

}  // namespace

MainForm::MainForm(MainFormOptions options, QWidget* parent)
    : QMainWindow(parent),
      options_(withMessageBoxes(std::move(options), this)),
      ini_(options_.settingsFile),
      core_(options_.stopwatchCounter),
      help_(std::make_unique<HelpRouter>()) {
    if (options_.backend == nullptr) throw std::invalid_argument("The main window needs sound devices");
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Moravel version 3"));
    // Before any widget's accessible interface is asked for.
    InstallAccessibleValues();
    InstallAccessibleButtons();
    resize(792, 568);
    panels_ = std::make_unique<WindowPanels>(
        *this, [this] { core_.state.LayoutChanged = true; }, errorReport());
    SettingsPages& pages = panels_->Pages();
    displays_ = std::make_unique<PlotDisplays>(PlotDisplays::Parts{
        panels_->Spectrum(), panels_->Spectrogram(), *pages.spectrum, *pages.spectrogram, *pages.filter, *pages.debug,
        *pages.audio->audioRangeCombo, pages, *core_.engine, core_.stopwatch, core_.state, options_.spectrogramColumns,
        [this] { processing_->Equalizer().ApplyControls(); }});
    BuildMainMenu(*menuBar());
    indicators_ = std::make_unique<StatusIndicators>(StatusIndicators::Parts{
        panels_->Status(), *pages.recorder->recordSwitch, *pages.recorder->pauseSwitch,
        core_.state.BufferError, options_.cpuStatFile, errorReport()});
    createSoundcard();
    createDevices();
    disableUnbuiltControls();
    connectControls();
    // After the handlers, so that a track bar's read-out is current when its
    // new value is announced.
    ApplyAccessibleTexts(this);
    settings_ = std::make_unique<WindowSettingsBinder>(WindowSettingsBinder::Parts{
        *this, panels_->Split(), pages, panels_->Spectrum(), files_->Recorder(), files_->Player(), *exportControl_,
        displays_->Spectrogram().Palette(), files_->RecordOnSignal(), ini_, options_.showMessage});
    settings_->Load();
    // The gradient editor comes after the window is complete, hidden until "Edit".
    gradientEditor_ =
        std::make_unique<GradientEditorController>(displays_->Spectrogram().Palette(), options_.chooseColor, this);
}

MainForm::~MainForm() {
    // FormDestroy: the devices go before the engine whose blocks they carry
    // and the files they feed.
    devices_.reset();
}

// The chosen devices go to the sound devices before anything opens them; a
// new choice starts sampling again on them while it runs, and the
// configuration dialog starts it with its lines.
void MainForm::createSoundcard() {
    soundcard_ = std::make_unique<moravel::Soundcard>(moravel::Soundcard::Parts{
        *options_.backend, ini_, *panels_->Pages().soundcard, *help_, *this, errorReport(), options_.inputDevice,
        options_.outputDevice, options_.listDevices, options_.mixerService, options_.mixerServiceFor,
        options_.offerConfiguration,
        [this] {
            if (core_.state.SamplingEnabled) devices_->StartSampling();
        },
        [this] { devices_->StartSampling(); }});
}

// The wave devices with the block cycle between them, and the files that
// feed and take its blocks: the player, the recorder and record on signal.
void MainForm::createDevices() {
    SettingsPages& pages = panels_->Pages();
    devices_ = std::make_unique<WaveDeviceController>(WaveDeviceController::Parts{
        *options_.backend, *core_.engine, core_.stopwatch, core_.state, *pages.audio->audioRangeCombo,
        *MenuAction(*this, "AudioDevices"), panels_->Status(), *this, errorReport(),
        [this](LiveOutput& output) { return std::make_unique<MainFormCycleClient>(*this, output); },
        [this] { return soundcard_->DescribeDevices(); }, [this] { return soundcard_->Configured(); },
        [this] { soundcard_->OfferConfiguration(); },
        [this](std::int32_t outputRate) {
            panels_->Spectrum().frequencyScroll->setMaximum(outputRate / 2);
            panels_->Pages().filter->filterCentreSlider->setMaximum(outputRate / 2);
        },
        [this] { processing_->Filter().ApplyControls(); }, [this] { displays_->Spectrum().ResolutionChanged(); },
        [this] { return files_->Running(); }, [this] { displays_->Refresh(); },
        // A sampler error ends the meter's and the lights' part of the tick
        // only: the recorder's header commit and the player's end of file
        // must not wait for a CPU figure that keeps failing.
        [this] {
            indicators_->Tick();
            files_->Tick();
        },
        options_.blockProcessed});

    files_ = std::make_unique<WaveFiles>(WaveFiles::Parts{*pages.player, *pages.recorder, pages, options_.chooseFile,
                                                          *this, options_.showMessage, errorReport(), *devices_,
                                                          *core_.engine});
}

// The audio range straight to the device controller (the recorder's and
// player's buttons are connected by WaveFiles).
void MainForm::connectPipelineControls() {
    const GuardedConnector devices(*this, *devices_, errorReport());
    devices(panels_->Pages().audio->audioRangeCombo, &QComboBox::activated, &WaveDeviceController::AudioRangeChosen);
}

void MainForm::StartFromCommandLine(const CommandLineOptions& options) {
    const std::string why = files_->StartFromCommandLine(options);
    if (!why.empty()) showError(std::runtime_error(why));
}

// The Soundcard page's pairs and its "Auto set audio" wait for the first
// start of sampling, which reads the line assignment (SoundcardMixerPage).
void MainForm::disableUnbuiltControls() {
    for (QWidget* control : std::initializer_list<QWidget*>{panels_->Pages().soundcard->autoSetButton}) {
        control->setEnabled(false);
    }
}

void MainForm::connectControls() {
    connectPipelineControls();
    SettingsPages& pages = panels_->Pages();
    processing_ = std::make_unique<ProcessingControls>(ProcessingControls::Parts{
        *pages.filter, *pages.shift, *pages.audio, *pages.compress, *pages.expand, *pages.equalizer,
        panels_->Spectrum(), *core_.engine, pages, errorReport(), [this] { return devices_->WaveIn().samples; }});
    displays_->Connect(errorReport());
    on(pages.spectrogram->editPaletteButton, &QPushButton::clicked, [this] { gradientEditor_->ShowModal(); });
    connectShellControls();
}

void MainForm::ShowAsStored() {
    // The size the settings gave it, fitted to the screen's free area and
    // centred on it: a file written on a larger desktop, or a damaged one,
    // must not open the window off the screen. Closing stores the fitted size.
    // The platform window is created first so that its frame is known where
    // the platform can tell it before showing; the frame must fit too.
    winId();
    if (const QScreen* shownOn = screen()) {
        const QRect area = shownOn->availableGeometry().marginsRemoved(windowHandle()->frameMargins());
        const QSize least = minimumSizeHint().expandedTo(minimumSize());
        const PlacementRect placed = PlaceWindow(width(), height(), least.width(), least.height(),
                                                 {area.x(), area.y(), area.width(), area.height()});
        setGeometry(placed.left, placed.top, placed.width, placed.height);
    }
    if (settings_->StartMaximised()) {
        showMaximized();
    } else {
        show();
    }
}

// The application's standard error display: the exception's message.
void MainForm::showError(const std::exception& error) {
    std::cerr << "moravel: " << error.what() << '\n';
    options_.showMessage(QStringLiteral("Moravel"), QString::fromUtf8(error.what()));
}

ErrorReport MainForm::errorReport() {
    return [this](const std::exception& error) { showError(error); };
}

}  // namespace moravel
