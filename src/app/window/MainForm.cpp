#include "MainForm.h"

#include "AccessibleButton.h"
#include "AccessibleNames.h"
#include "AccessibleValues.h"
#include "FileDialog.h"
#include "EnhWave.h"
#include "ExportController.h"
#include "FFT.h"
#include "GradientEditorController.h"
#include "HelpRouter.h"
#include "LineAssignment.h"
#include "MainFormCycleClient.h"
#include "MainMenu.h"
#include "SettingsPages.h"
#include "AudioMixer.h"
#include "DeviceChoiceController.h"
#include "SoundcardMixerPage.h"
#include "PlotPanes.h"
#include "ProcessingControls.h"
#include "PlotDisplays.h"
#include "PlotSplit.h"
#include "StatusIndicators.h"
#include "StatusStrip.h"
#include "WaveDeviceController.h"
#include "WaveFiles.h"
#include "WindowPlacement.h"
#include "WindowSettingsBinder.h"
#include "pages/AudioPage.h"
#include "pages/CompressPage.h"
#include "pages/DebugPage.h"
#include "pages/EqualizerPage.h"
#include "pages/ExpandPage.h"
#include "pages/FilterPage.h"
#include "pages/PlayerPage.h"
#include "pages/RecorderPage.h"
#include "pages/ShiftPage.h"
#include "pages/SoundcardPage.h"
#include "pages/SpectrogramPage.h"
#include "pages/SpectrumPage.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QMessageBox>
#include <QScreen>
#include <QSplitter>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QWindow>

#include <iostream>
#include <memory>
#include <stdexcept>

namespace moravel {

namespace {

constexpr int kSettingsPanelHeight = 126;
constexpr int kSplitterWidth = 4;

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

}  // namespace

TMainForm::TMainForm(MainFormOptions options, QWidget* parent)
    : QMainWindow(parent),
      options_(std::move(options)),
      showMessage_(options_.showMessage ? options_.showMessage : messageBoxPresenter(this)),
      ini_(options_.settingsFile),
      engine_(std::make_unique<TmyFFT>()),
      stopwatch_(options_.stopwatchCounter ? TmyTimer(options_.stopwatchCounter) : TmyTimer()),
      help_(std::make_unique<HelpRouter>()) {
    if (options_.backend == nullptr) throw std::invalid_argument("The main window needs sound devices");
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Moravel version 3"));
    // Before any widget's accessible interface is asked for.
    InstallAccessibleValues();
    InstallAccessibleButtons();
    buildWindow();
    displays_ = std::make_unique<PlotDisplays>(
        PlotDisplays::Parts{*spectrumPane, *spectrogramPane, *pages->spectrum, *pages->spectrogram, *pages->filter,
                            *pages->debug, *pages->audio->ComboAudioRange, *pages, *engine_, stopwatch_, state_,
                            options_.spectrogramColumns, [this] { processing_->Equalizer().ApplyControls(); }});
    BuildMainMenu(*menuBar());
    indicators_ = std::make_unique<StatusIndicators>(StatusIndicators::Parts{
        *Panel4, *pages->recorder->sb_wave_record, *pages->recorder->sb_waverecorder_pause, state_.BufferError,
        options_.cpuStatFile, errorReport()});
    createDeviceChoice();
    createMixer();
    state_.SamplingEnabled = false;
    createDevices();
    disableUnbuiltControls();
    connectControls();
    // After the handlers, so that a track bar's read-out is current when its
    // new value is announced.
    ApplyAccessibleTexts(this);
    settings_ = std::make_unique<WindowSettingsBinder>(WindowSettingsBinder::Parts{
        *this, *split_, *pages, *spectrumPane, files_->Recorder(), files_->Player(), *exportControl_,
        displays_->Spectrogram().Palette(), files_->RecordOnSignal(), ini_, showMessage_});
    settings_->Load();
    // The gradient editor comes after the window is complete, hidden until "Edit".
    gradientEditor_ =
        std::make_unique<GradientEditorController>(displays_->Spectrogram().Palette(), options_.chooseColor, this);
}

TMainForm::~TMainForm() {
    // FormDestroy: the devices go before the engine whose blocks they carry
    // and the files they feed.
    devices_.reset();
}

void TMainForm::buildWindow() {
    resize(792, 568);
    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    column->addWidget(buildPlotArea(central), 1);

    auto* settingsPanel = new QWidget(central);
    settingsPanel->setObjectName(QStringLiteral("SettingsPanel"));
    settingsPanel->setFixedHeight(kSettingsPanelHeight);
    auto* row = new QHBoxLayout(settingsPanel);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    pages = new SettingsPages(settingsPanel);
    row->addWidget(pages, 1);
    Panel4 = new StatusStrip(settingsPanel);
    row->addWidget(Panel4);
    column->addWidget(settingsPanel);
    setCentralWidget(central);
}

// The spectrogram pane above the spectrum pane in `PanelBack`, divided by a
// green splitter that keeps the spectrogram's share.
QWidget* TMainForm::buildPlotArea(QWidget* parent) {
    auto* area = new QWidget(parent);
    area->setObjectName(QStringLiteral("PanelBack"));
    auto* areaLayout = new QVBoxLayout(area);
    areaLayout->setContentsMargins(0, 0, 0, 0);
    auto* splitter = new QSplitter(Qt::Vertical, area);
    splitter->setObjectName(QStringLiteral("PlotSplitter"));
    splitter->setHandleWidth(kSplitterWidth);
    splitter->setOpaqueResize(true);
    splitter->setChildrenCollapsible(false);
    spectrogramPane = new SpectrogramPane(splitter);
    spectrogramPane->setObjectName(QStringLiteral("TopPanel"));
    spectrogramPane->setMinimumHeight(1);
    spectrumPane = new SpectrumPane(splitter);
    spectrumPane->setObjectName(QStringLiteral("BottomPanel"));
    spectrumPane->setMinimumHeight(1);
    splitter->addWidget(spectrogramPane);
    splitter->addWidget(spectrumPane);
    QSplitterHandle* handle = splitter->handle(1);
    handle->setObjectName(QStringLiteral("Splitter"));
    handle->setToolTip(QStringLiteral("Drag the splitter up or down"));
    handle->setStyleSheet(QStringLiteral("background-color: green;"));
    splitter->setStretchFactor(1, 1);
    areaLayout->addWidget(splitter);
    split_ = std::make_unique<PlotSplit>(*splitter, *area, [this] { state_.LayoutChanged = true; }, errorReport());
    return area;
}

// The wave devices with the block cycle between them, and the files that
// feed and take its blocks: the player, the recorder and record on signal.
void TMainForm::createDevices() {
    devices_ = std::make_unique<WaveDeviceController>(WaveDeviceController::Parts{
        *options_.backend, *engine_, stopwatch_, state_, *pages->audio->ComboAudioRange,
        *MenuAction(*this, "AudioDevices"), *Panel4, *this, errorReport(),
        [this](LiveOutput& output) { return std::make_unique<MainFormCycleClient>(*this, output); },
        [this] { return deviceChoice_->Describe(); },
        [this] {
            const LineAssignment lines = ReadLineAssignment(ini_);
            soundcardMixer_->Enable(lines);
            soundcardMixer_->ReadMixer();
            return IsSoundcardConfigured(lines, soundcardMixer_->Layout());
        },
        [this] { offerSoundcardDialog(); },
        [this](std::int32_t outputRate) {
            spectrumPane->ScrollSpectrum->setMaximum(outputRate / 2);
            pages->filter->TrackFilterCenter->setMaximum(outputRate / 2);
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

    save1 = std::make_unique<FileDialog>(FileDialogRequest::Kind::Save, options_.chooseFile, this);
    files_ = std::make_unique<WaveFiles>(WaveFiles::Parts{*pages->player, *pages->recorder, *pages, *save1,
                                                          options_.chooseFile, *this, showMessage_, errorReport(),
                                                          *devices_, *engine_});
}

// The audio range straight to the device controller (the recorder's and
// player's buttons are connected by WaveFiles).
void TMainForm::connectPipelineControls() {
    const GuardedConnector devices(*this, *devices_, errorReport());
    devices(pages->audio->ComboAudioRange, &QComboBox::activated, &WaveDeviceController::AudioRangeChosen);
}

void TMainForm::StartFromCommandLine(const CommandLineOptions& options) {
    const std::string why = files_->StartFromCommandLine(options);
    if (!why.empty()) showError(std::runtime_error(why));
}

// The Soundcard page's pairs and its "Auto set audio" wait for the first
// start of sampling, which reads the line assignment (SoundcardMixerPage).
void TMainForm::disableUnbuiltControls() {
    for (QWidget* control : std::initializer_list<QWidget*>{pages->soundcard->ButtonAutoSetAudio}) {
        control->setEnabled(false);
    }
}

void TMainForm::connectControls() {
    connectPipelineControls();
    processing_ = std::make_unique<ProcessingControls>(ProcessingControls::Parts{
        *pages->filter, *pages->shift, *pages->audio, *pages->compress, *pages->expand, *pages->equalizer,
        *spectrumPane, *engine_, *pages, errorReport(), [this] { return devices_->WaveIn().samples; }});
    displays_->Connect(errorReport());
    on(pages->spectrogram->Button2, &QPushButton::clicked, [this] { gradientEditor_->ShowModal(); });
    connectShellControls();
}

void TMainForm::ShowAsStored() {
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
void TMainForm::showError(const std::exception& error) {
    std::cerr << "moravel: " << error.what() << '\n';
    showMessage_(QStringLiteral("Moravel"), QString::fromUtf8(error.what()));
}

ErrorReport TMainForm::errorReport() {
    return [this](const std::exception& error) { showError(error); };
}

float TMainForm::SplitterRatio() const { return split_->Ratio(); }

}  // namespace moravel
