#include "MainForm.h"

#include "AccessibleButton.h"
#include "AccessibleNames.h"
#include "AccessibleValues.h"
#include "EnhWave.h"
#include "ExportController.h"
#include "FFT.h"
#include "GradientEditorController.h"
#include "HelpRouter.h"
#include "LineAssignment.h"
#include "MainFormCycleClient.h"
#include "AudioMixer.h"
#include "DeviceChoiceController.h"
#include "SoundcardMixerPage.h"
#include "PlayerController.h"
#include "PlotPanes.h"
#include "RecordOnSignalController.h"
#include "RecorderController.h"
#include "PlotDisplays.h"
#include "ProcessingControls.h"
#include "StatusStrip.h"
#include "TabHighlight.h"
#include "WindowPlacement.h"
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

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QLocale>
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

constexpr int kDebugPageIndex = 11;
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
      cycle_(*engine_, stopwatch_, state_),
      cpu_(options_.cpuStatFile),
      help_(std::make_unique<HelpRouter>()) {
    if (options_.backend == nullptr) throw std::invalid_argument("The main window needs sound devices");
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Moravel version 3"));
    // Before any widget's accessible interface is asked for.
    InstallAccessibleValues();
    InstallAccessibleButtons();
    buildWindow();
    displays_ = std::make_unique<PlotDisplays>(PlotDisplays::Parts{
        *spectrumPane, *spectrogramPane, *spectrum, *spectrogram, *filter, *debug, *audio->ComboAudioRange, *Tab1,
        *engine_, stopwatch_, state_, options_.spectrogramColumns,
        [this] { processing_->Equalizer().ApplyControls(); }});
    buildMenus();
    Tab1->setTabVisible(kDebugPageIndex, false);
    createDeviceChoice();
    createMixer();
    state_.SamplingEnabled = false;
    createDevices();
    createWaveControllers();
    disableUnbuiltControls();
    connectControls();
    // After the handlers, so that a track bar's read-out is current when its
    // new value is announced.
    ApplyAccessibleTexts(this);
    LoadSettings();
    Timer1.setInterval(100);
    Timer2.setInterval(500);
    on(&Timer1, &QTimer::timeout, &TMainForm::Timer1Timer);
    on(&Timer2, &QTimer::timeout, &TMainForm::Timer2Timer);
    Timer1.start();
    Timer2.start();
    // The gradient editor comes after the window is complete, hidden until "Edit".
    gradientEditor_ =
        std::make_unique<GradientEditorController>(displays_->Spectrogram().Palette(), options_.chooseColor, this);
}

TMainForm::~TMainForm() {
    // FormDestroy: the devices go before the engine whose blocks they carry.
    Timer1.stop();
    Timer2.stop();
    waveIn_.reset();
    waveOut_.reset();
}

void TMainForm::buildWindow() {
    resize(792, 568);
    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    PanelBack = new QWidget(central);
    PanelBack->setObjectName(QStringLiteral("PanelBack"));
    auto* backLayout = new QVBoxLayout(PanelBack);
    backLayout->setContentsMargins(0, 0, 0, 0);
    PlotSplitter = new QSplitter(Qt::Vertical, PanelBack);
    PlotSplitter->setObjectName(QStringLiteral("PlotSplitter"));
    PlotSplitter->setHandleWidth(kSplitterWidth);
    PlotSplitter->setOpaqueResize(true);
    PlotSplitter->setChildrenCollapsible(false);
    spectrogramPane = new SpectrogramPane(PlotSplitter);
    TopPanel = spectrogramPane;
    TopPanel->setObjectName(QStringLiteral("TopPanel"));
    TopPanel->setMinimumHeight(1);
    spectrumPane = new SpectrumPane(PlotSplitter);
    BottomPanel = spectrumPane;
    BottomPanel->setObjectName(QStringLiteral("BottomPanel"));
    BottomPanel->setMinimumHeight(1);
    PlotSplitter->addWidget(TopPanel);
    PlotSplitter->addWidget(BottomPanel);
    QSplitterHandle* handle = PlotSplitter->handle(1);
    handle->setObjectName(QStringLiteral("Splitter"));
    handle->setToolTip(QStringLiteral("Drag the splitter up or down"));
    handle->setStyleSheet(QStringLiteral("background-color: green;"));
    PlotSplitter->setStretchFactor(1, 1);
    backLayout->addWidget(PlotSplitter);
    PanelBack->installEventFilter(this);
    column->addWidget(PanelBack, 1);

    SettingsPanel = new QWidget(central);
    SettingsPanel->setObjectName(QStringLiteral("SettingsPanel"));
    SettingsPanel->setFixedHeight(kSettingsPanelHeight);
    auto* row = new QHBoxLayout(SettingsPanel);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    Tab1 = new QTabWidget(SettingsPanel);
    Tab1->setObjectName(QStringLiteral("Tab1"));
    Tab1->setDocumentMode(true);
    soundcard = std::make_unique<SoundcardPage>(Tab1);
    audio = std::make_unique<AudioPage>(Tab1);
    spectrum = std::make_unique<SpectrumPage>(Tab1);
    spectrogram = std::make_unique<SpectrogramPage>(Tab1);
    filter = std::make_unique<FilterPage>(Tab1);
    shift = std::make_unique<ShiftPage>(Tab1);
    compress = std::make_unique<CompressPage>(Tab1);
    expand = std::make_unique<ExpandPage>(Tab1);
    equalizer = std::make_unique<EqualizerPage>(Tab1);
    player = std::make_unique<PlayerPage>(Tab1);
    recorder = std::make_unique<RecorderPage>(Tab1);
    debug = std::make_unique<DebugPage>(Tab1);
    row->addWidget(Tab1, 1);
    Panel4 = new StatusStrip(SettingsPanel);
    row->addWidget(Panel4);
    column->addWidget(SettingsPanel);
    setCentralWidget(central);
}

void TMainForm::createDevices() {
    waveIn_ = std::make_unique<TEnhWaveIn>(*options_.backend);
    waveIn_->SampleBits = 16;
    waveIn_->MaxBuffers = 3;
    waveIn_->OnData = [this](QObject* sender, std::uint8_t* block, std::int32_t size) {
        WaveInData(sender, block, size);
    };
    waveOut_ = std::make_unique<TEnhWaveOut>(*options_.backend);
    waveOut_->SampleBits = 16;
    waveOut_->OnDone = [this](QObject* sender) { WaveOutDone(sender); };
    const auto reportError = [this](QObject*, std::exception_ptr error) {
        try {
            std::rethrow_exception(error);
        } catch (const std::exception& e) {
            showError(e);
        }
    };
    waveIn_->OnHandlerError = reportError;
    waveOut_->OnHandlerError = reportError;
    watchDevices();
    cycleClient_ = std::make_unique<MainFormCycleClient>(*this);
}

// The Soundcard page's pairs and its "Auto set audio" wait for the first
// start_sample, which reads the line assignment (SoundcardMixerPage).
void TMainForm::disableUnbuiltControls() {
    for (QWidget* control : std::initializer_list<QWidget*>{soundcard->ButtonAutoSetAudio}) {
        control->setEnabled(false);
    }
}

void TMainForm::connectControls() {
    connectPipelineControls();
    processing_ = std::make_unique<ProcessingControls>(ProcessingControls::Parts{
        *filter, *shift, *audio, *compress, *expand, *equalizer, *spectrumPane, *engine_, *Tab1, errorReport(),
        [this] { return devices_->WaveIn().samples; }});
    displays_->Connect(errorReport());
    on(spectrogram->Button2, &QPushButton::clicked, [this] { gradientEditor_->ShowModal(); });
    connectShellControls();
    connectWaveControls();
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
    if (startMaximized_) {
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

QString TMainForm::thousands() const { return QLocale().groupSeparator(); }

}  // namespace moravel
