// The window's frame: first activation, resize and splitter, the close
// sequence, the 500 ms status timer with the CPU meter and the lights, the
// menus (the image export's forward to ExportController) and the help
// buttons.
#include "AboutBox.h"
#include "AccessibleNames.h"
#include "AccessiblePageKeys.h"
#include "DeviceChoiceController.h"
#include "ExportController.h"
#include "HelpRouter.h"
#include "MainForm.h"
#include "MemoryStatus.h"
#include "PlotPanes.h"
#include "SplitterRule.h"
#include "StatusStrip.h"
#include "dbm.h"
#include "pages/RecorderPage.h"
#include "pages/SpectrogramPage.h"
#include "pages/SpectrumPage.h"

#include <QAbstractButton>
#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QSplitter>
#include <QThread>
#include <QToolButton>

namespace moravel {

namespace {

// The "?" buttons and the manual page each one opens.
constexpr std::pair<const char*, const char*> kHelpButtons[] = {
    {"SpeedButton4", "Soundcard_settings"},     {"SpeedButton7", "Audio_settings"},
    {"SpeedButton6", "Spectrum_settings"},      {"SpeedButton8", "Spectrogram_settings"},
    {"SpeedButton9", "Filter_function"},        {"SpeedButton10", "Frequency_shift_function"},
    {"SpeedButton11", "Compress_function"},     {"SpeedButton12", "Expand_function"},
    {"SpeedButton13", "Equalizer_function"},    {"SpeedButton15", "Sound_player"},
    {"SpeedButton14", "Sound_recorder"},        {"SpeedButton3", "The_Spectrogram_plot"},
    {"SpeedButton16", "The_Spectrum_plot"},
};

QColor fromBgr(std::uint32_t bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

}  // namespace

void TMainForm::buildMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    const auto item = [this](QMenu* menu, const char* name, const QString& text) {
        QAction* action = menu->addAction(text);
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    item(file, "Exit1", QStringLiteral("Exit"))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));

    QMenu* spectrumMenu = bar->addMenu(QStringLiteral("Spectrum"));
    item(spectrumMenu, "SpectrumSaveToFile", QStringLiteral("Save visible area to file"));
    item(spectrumMenu, "SpectrumCopyToClipboard", QStringLiteral("Copy visible area to clipboard"));
    item(spectrumMenu, "SpectrumPrint", QStringLiteral("Print..."));
    QMenu* spectrogramMenu = bar->addMenu(QStringLiteral("Spectrogram"));
    item(spectrogramMenu, "SpectrogramSaveToFile", QStringLiteral("Save visible area to file"));
    item(spectrogramMenu, "SpectrogramCopyToClipboard", QStringLiteral("Copy visible area to clipboard"));
    item(spectrogramMenu, "SpectrogramPrint", QStringLiteral("Print..."));
    item(spectrogramMenu, "SpectrogramPrintPreview", QStringLiteral("Print preview"))->setVisible(false);

    QMenu* settings = bar->addMenu(QStringLiteral("&Settings"));
    item(settings, "ConfigureSoundcard", QStringLiteral("Configure Soundcard"));
    item(settings, "AudioDevices", QStringLiteral("Audio Devices..."));

    QMenu* helpMenu = bar->addMenu(QStringLiteral("&Help"));
    item(helpMenu, "About1", QStringLiteral("About"));
    item(helpMenu, "HelpIndex", QStringLiteral("Help Index"))->setShortcut(QKeySequence(Qt::Key_F1));
    helpMenu->addSeparator();
    item(helpMenu, "OnlineManual", QStringLiteral("Open the online manual"));
    item(helpMenu, "Homepage", QStringLiteral("Visit the Moravel homepage"));
    helpMenu->addSeparator();
    item(helpMenu, "NominateFeature", QStringLiteral("Nominate a new feature online"));
}

void TMainForm::connectShellControls() {
    const auto action = [this](const char* name) { return findChild<QAction*>(QString::fromLatin1(name)); };
    on(action("Exit1"), &QAction::triggered, &QWidget::close);
    on(action("ConfigureSoundcard"), &QAction::triggered, &TMainForm::openConfigureSoundcard);
    // The modal dialog opens from the event loop, after the action has
    // returned, so that an assistive client that triggered it is not held.
    on(action("AudioDevices"), &QAction::triggered, [this] {
        QTimer::singleShot(0, this, guard([this] { deviceChoice_->ChooseInDialog(this); }));
    });
    on(action("About1"), &QAction::triggered, &TMainForm::showAbout);
    on(action("HelpIndex"), &QAction::triggered, [this] { help_->ShowContents(); });
    on(action("OnlineManual"), &QAction::triggered, [this] { ShowHelpTopic("online_manual"); });
    on(action("Homepage"), &QAction::triggered, [this] { ShowHelpTopic("homepage"); });
    on(action("NominateFeature"), &QAction::triggered, [this] { ShowHelpTopic("feature_request"); });
    for (const auto& [buttonName, topic] : kHelpButtons) {
        auto* button = findChild<QAbstractButton*>(QString::fromLatin1(buttonName));
        const QString page = QString::fromLatin1(topic);
        if (button != nullptr) on(button, &QAbstractButton::clicked, [this, page] { ShowHelpTopic(page); });
    }
    on(PlotSplitter, &QSplitter::splitterMoved, &TMainForm::SplitterMoved);
    connectExportMenus();
    InstallPageShortcuts(Tab1);
}

void TMainForm::ShowHelpTopic(const QString& topic) { help_->ShowTopic(topic); }

// ---- Image export ------------------------------------------------------------------------

void TMainForm::connectExportMenus() {
    exportControl_ = std::make_unique<ExportController>(
        ExportController::Parts{*spectrumPane->Chart1, *spectrogramPane->Chart2, *spectrum->sb_Spectrum_on,
                                *spectrogram->sb_spectrogram_on, *save1});
    const auto action = [this](const char* name) { return findChild<QAction*>(QString::fromLatin1(name)); };
    on(action("SpectrumSaveToFile"), &QAction::triggered, &TMainForm::Savevisibleareatofile1Click);
    on(action("SpectrumCopyToClipboard"), &QAction::triggered, &TMainForm::Copyvisibleareatoclipboard1Click);
    on(action("SpectrogramSaveToFile"), &QAction::triggered, &TMainForm::SavetoFile1Click);
    on(action("SpectrogramCopyToClipboard"), &QAction::triggered, &TMainForm::CopytoClipboard1Click);
    on(action("SpectrogramPrintPreview"), &QAction::triggered, &TMainForm::PrintPreview1Click);
    // "Print..." prints as the hidden "Print preview" does: on the default
    // printer, or into a PDF file where none is set up.
    on(action("SpectrumPrint"), &QAction::triggered, [this] { exportControl_->PrintSpectrum(); });
    on(action("SpectrogramPrint"), &QAction::triggered, &TMainForm::PrintPreview1Click);
}

void TMainForm::Savevisibleareatofile1Click() { exportControl_->SaveSpectrum(); }

void TMainForm::Copyvisibleareatoclipboard1Click() { exportControl_->CopySpectrum(); }

void TMainForm::SavetoFile1Click() { exportControl_->SaveSpectrogram(); }

void TMainForm::CopytoClipboard1Click() { exportControl_->CopySpectrogram(); }

void TMainForm::PrintPreview1Click() { exportControl_->PrintSpectrogram(); }

// ---- Activation, resize, close ------------------------------------------------------

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // A window that is shown but never gets the focus (no window manager,
    // focus stealing prevention) still starts: the first show counts as
    // the first activation.
    QTimer::singleShot(0, this, guard(&TMainForm::FormActivate));
}

void TMainForm::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) guard(&TMainForm::FormActivate)();
}

// Only the first activation runs these steps: repeating them whenever a
// dialog closes would throw away a palette chosen since and restart the
// devices each time.
void TMainForm::FormActivate() {
    if (activated_ || closing_) return;
    activated_ = true;
    LoadPaletteSettings();
    QThread::currentThread()->setPriority(QThread::HighestPriority);
    start_sample();
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == PanelBack && event->type() == QEvent::Resize) guard(&TMainForm::FormResize)();
    return QMainWindow::eventFilter(watched, event);
}

// The spectrogram pane keeps its share of the plot area when the window
// changes size.
void TMainForm::FormResize() {
    state_.LayoutChanged = true;
    const int back = PanelBack->height();
    // Before the first resize the pane has the stored height, whatever the
    // splitter made of it while the window was not laid out yet.
    if (splitterRatio_ == 0.0f) splitterRatio_ = SplitterRatioFor(storedSplitterTop_, back);
    const int top = TopPanelHeightFor(splitterRatio_, back);
    PlotSplitter->setSizes({top, std::max(back - top - PlotSplitter->handleWidth(), 1)});
    SplitterMoved();
}

void TMainForm::SplitterMoved() {
    splitterRatio_ = SplitterRatioFor(PlotSplitter->sizes().value(0), PanelBack->height());
}

void TMainForm::closeEvent(QCloseEvent* event) {
    FormCloseQuery();
    FormClose();
    event->accept();
}

void TMainForm::FormCloseQuery() {
    closing_ = true;
    try {
        stop_sampling();
    } catch (...) {
        // Closing is always allowed.
    }
}

void TMainForm::FormClose() {
    Timer1.stop();
    Timer2.stop();
    try {
        QCoreApplication::processEvents();
        SaveSettings();
        // Completing the recording here rather than in a destructor lets a
        // failing last write still be shown.
        closeWaveFiles();
    } catch (...) {
        // The window closes whatever happens here.
    }
}

// ---- Status timer ----------------------------------------------------------------------

// A sampler error ends the meter's and the lights' part of the tick only: the
// recorder's header commit and the player's end of file must not wait for a
// CPU figure that keeps failing.
void TMainForm::Timer2Timer() {
    if (updateCpuMeter()) updateLights();
    tickWaveFiles();
}

// A sampler error ends the tick. The same error is shown once, not every
// 500 ms, so a persistent failure does not pile up message boxes.
bool TMainForm::updateCpuMeter() {
    try {
        cpu_.CollectCpuSample();
        const long double usage = cpu_.GetCpuUsage(0);
        Panel4->VUCpu->SetPosition(CpuMeterPosition(usage, Panel4->VUCpu->Position()));
        lastCpuError_.clear();
        return true;
    } catch (const std::exception& e) {
        const QString message = QString::fromUtf8(e.what());
        if (message != lastCpuError_) {
            lastCpuError_ = message;
            showError(e);
        }
        return false;
    }
}

void TMainForm::updateLights() {
    const LightState recording =
        lights_.RecordingLight(recorder->sb_wave_record->isChecked(), recorder->sb_waverecorder_pause->isChecked());
    show_led(Panel4->Static3, recording.lit, recording.text, recording.text);
    // Screen readers hear whether a light is active, not each blink.
    SetLightName(Panel4->Static3, recording.text, recorder->sb_wave_record->isChecked());
    const LightState error = lights_.BufferErrorLight(state_.BufferError);
    show_led(Panel4->Static2, error.lit, error.text, error.text);
    SetLightName(Panel4->Static2, error.text, error.lit || state_.BufferError);
}

// Lit: the on text in black on yellow; unlit: the off text in silver on the
// button-shadow colour.
void TMainForm::show_led(QLabel* indicator, bool lit, const QString& onText, const QString& offText) {
    QPalette colours = indicator->palette();
    colours.setColor(QPalette::Window, lit ? fromBgr(0x00FFFF) : palette().color(QPalette::Dark));
    colours.setColor(QPalette::WindowText, lit ? QColor(Qt::black) : fromBgr(0xC0C0C0));
    indicator->setPalette(colours);
    indicator->setText(lit ? onText : offText);
}

// ---- Dialogs -----------------------------------------------------------------------------
// (the soundcard configuration dialog: MainFormMixer.cpp)

void TMainForm::showAbout() {
    TAboutBox box(ReadMemoryStatus(options_.memInfoFile), thousands(), this);
    on(&box, &TAboutBox::linkOpened, &TMainForm::ShowHelpTopic);
    box.exec();
}

}  // namespace moravel
