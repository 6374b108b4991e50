// The window's frame: first activation, resize and splitter, the close
// sequence, the menus (the image export's connected to ExportController)
// and the help buttons.
#include "app/window/AboutBox.h"
#include "app/window/AccessiblePageKeys.h"
#include "app/window/Soundcard.h"
#include "app/window/ExportController.h"
#include "app/help/HelpRouter.h"
#include "app/help/HelpTopics.h"
#include "app/window/LocaleNumber.h"
#include "app/window/MainForm.h"
#include "app/window/MainMenu.h"
#include "app/core/MemoryStatus.h"
#include "app/window/PageRegistry.h"
#include "app/window/PlotPanes.h"
#include "app/window/SettingsPages.h"
#include "app/window/WaveDeviceController.h"
#include "app/window/WaveFiles.h"
#include "app/window/WindowPanels.h"
#include "app/window/WindowSettingsBinder.h"
#include "app/window/pages/SpectrogramPage.h"
#include "app/window/pages/SpectrumPage.h"

#include <QAbstractButton>
#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QThread>

namespace moravel {

void MainForm::connectShellControls() {
    const auto action = [this](const char* name) { return MenuAction(*this, name); };
    on(action("Exit1"), &QAction::triggered, &QWidget::close);
    const GuardedConnector<moravel::Soundcard> soundcard(*this, *soundcard_, errorReport());
    soundcard(action("ConfigureSoundcard"), &QAction::triggered, &moravel::Soundcard::OpenConfiguration);
    soundcard(action("AudioDevices"), &QAction::triggered, &moravel::Soundcard::ChooseDevices);
    on(action("About1"), &QAction::triggered, &MainForm::showAbout);
    on(action("HelpIndex"), &QAction::triggered, [this] { help_->ShowContents(); });
    const auto showTopic = [this](const char* topic) {
        return [this, topic] { help_->ShowTopic(QString::fromLatin1(topic)); };
    };
    on(action("OnlineManual"), &QAction::triggered, showTopic(kOnlineManualTopic));
    on(action("Homepage"), &QAction::triggered, showTopic(kHomepageTopic));
    on(action("NominateFeature"), &QAction::triggered, showTopic(kFeatureRequestTopic));
    for (const auto& [button, topic] : HelpButtons(*this)) {
        on(button, &QAbstractButton::clicked, [this, topic] { help_->ShowTopic(topic); });
    }
    connectExportMenus();
    InstallPageShortcuts(&panels_->Pages());
}

// ---- Image export ------------------------------------------------------------------------

void MainForm::connectExportMenus() {
    exportControl_ = std::make_unique<ExportController>(ExportController::Parts{
        *panels_->Spectrum().chart, *panels_->Spectrogram().chart, *panels_->Pages().spectrum->spectrumSwitch,
        *panels_->Pages().spectrogram->spectrogramSwitch, files_->SaveDialog()});
    const auto action = [this](const char* name) { return MenuAction(*this, name); };
    const GuardedConnector<ExportController> exporter(*this, *exportControl_, errorReport());
    exporter(action("SpectrumSaveToFile"), &QAction::triggered, &ExportController::SaveSpectrum);
    exporter(action("SpectrumCopyToClipboard"), &QAction::triggered, &ExportController::CopySpectrum);
    exporter(action("SpectrogramSaveToFile"), &QAction::triggered, &ExportController::SaveSpectrogram);
    exporter(action("SpectrogramCopyToClipboard"), &QAction::triggered, &ExportController::CopySpectrogram);
    exporter(action("SpectrogramPrintPreview"), &QAction::triggered, &ExportController::PrintSpectrogram);
    // "Print..." prints as the hidden "Print preview" does: on the default
    // printer, or into a PDF file where none is set up.
    exporter(action("SpectrumPrint"), &QAction::triggered, &ExportController::PrintSpectrum);
    exporter(action("SpectrogramPrint"), &QAction::triggered, &ExportController::PrintSpectrogram);
}

// ---- Activation, resize, close ------------------------------------------------------

void MainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // A window that is shown but never gets the focus (no window manager,
    // focus stealing prevention) still starts: the first show counts as
    // the first activation.
    QTimer::singleShot(0, this, guard(&MainForm::FormActivate));
}

void MainForm::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) guard (&MainForm::FormActivate)();
}

// Only the first activation runs these steps: repeating them whenever a
// dialog closes would throw away a palette chosen since and restart the
// devices each time.
void MainForm::FormActivate() {
    if (activated_ || devices_->Closing()) return;
    activated_ = true;
    settings_->LoadPalette();
    QThread::currentThread()->setPriority(QThread::HighestPriority);
    devices_->StartSampling();
}

void MainForm::closeEvent(QCloseEvent* event) {
    FormCloseQuery();
    FormClose();
    event->accept();
}

void MainForm::FormCloseQuery() {
    try {
        devices_->Close();
    } catch (...) {
        // Closing is always allowed.
    }
}

// The devices' clocks stopped with them (FormCloseQuery).
void MainForm::FormClose() {
    try {
        QCoreApplication::processEvents();
        settings_->Save();
        // Completing the recording here rather than in a destructor lets a
        // failing last write still be shown.
        files_->Close();
    } catch (...) {
        // The window closes whatever happens here.
    }
}

// ---- Dialogs -----------------------------------------------------------------------------
// (the soundcard configuration dialog: Soundcard.cpp)

void MainForm::showAbout() {
    AboutBox box(ReadMemoryStatus(options_.memInfoFile), ThousandsSeparator(), this);
    on(&box, &AboutBox::linkOpened, [this](const QString& topic) { help_->ShowTopic(topic); });
    box.exec();
}

}  // namespace moravel
