// The main window `MainForm`: the plots, the settings pages, the status
// strip and the menus, wired to the code that does the work (the engine and
// its block cycle, the wave components, the settings map, the CPU sampler,
// the meter and splitter arithmetic). The controls are connected straight to
// the classes that do the work; each concern lives in its own files:
//   MainForm.cpp            creation, accessors, and the wiring of:
//   PipelineCore.*          the engine, the stopwatch and the pipeline's state
//   WindowPanels.*          the plot panes, the page control and the status strip
//   WaveDeviceController.*  the wave devices, the block cycle between them
//                           (its window side: MainFormCycleClient) and the
//                           display and status clocks
//   WaveFiles.*             the player, the recorder and record on signal,
//                           connected to their pages' buttons
//   PlotDisplays.*          the spectrum and spectrogram plots (SpectrumView,
//                           SpectrogramView) with their pages and the refresh
//                           after each processed block; they connect their
//                           own controls
//   MainFormShell.cpp       activation, close, the menus (the image export's
//                           connected to ExportController) and the help
//                           buttons (PageRegistry)
//   WindowSettingsBinder.*  the settings file's values in the controls and back
//   StatusIndicators.*      the status strip's CPU meter and lights
//   SettingsPages.*         the page control Tab1 with every settings page
//   PageRegistry.*          the settings pages' order, help topics, hidden Debug
//   PlotSplit.*             the spectrogram pane's share of the plot area
//   Soundcard.*             the mixer component with the Soundcard page's
//                           controller (SoundcardMixerPage), the soundcard
//                           configuration dialog and the choice of devices
//                           (DeviceChoiceController), which the mixer follows
//   ProcessingControls.*    the processing pages' handlers, a class per page
//
// Threads: GUI thread only.
#pragma once

#include "audio/alsa/AudioDeviceList.h"
#include "app/pipeline/BlockCycle.h"
#include "app/core/CommandLine.h"
#include "views/gradient/ColorChooser.h"
#include "app/window/FileDialog.h"
#include "app/window/MainFormOptions.h"
#include "app/window/GuardedConnect.h"
#include "app/window/PipelineCore.h"
#include "app/window/Soundcard.h"
#include "common/IniFile.h"
#include "app/window/MessagePresenter.h"
#include "views/SpectrogramImage.h"
#include "app/core/Stopwatch.h"
#include "audio/WaveDevice.h"

#include <QMainWindow>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>
#include <string>

class QAction;
class QCPAxis;
class QCPPainter;
class QMouseEvent;
class QTabWidget;
class QToolButton;
class QWidget;

namespace moravel {

class ExportController;
class GradientEditorController;
class HelpRouter;
class MainFormCycleClient;
class PlayerController;
class ProcessingControls;
class RecorderController;
class RecordOnSignalController;
class SoundcardMixerPage;
class WindowPanels;
class SettingsPages;
class PlotDisplays;
class StatusIndicators;
class AudioMixer;
class WaveDeviceController;
class WaveFiles;
class WindowSettingsBinder;


class MainForm : public QMainWindow {
public:
    /// FormCreate: builds the window, creates the engine, the stopwatch and
    /// the wave components, and reads the settings.
    explicit MainForm(MainFormOptions options, QWidget* parent = nullptr);
    /// FormDestroy: frees the wave components and the engine.
    ~MainForm() override;

    /// Shows the window maximised or at its stored size, as the settings say.
    void ShowAsStored();
    /// The command line's --play (with --loop), --record and
    /// --record-on-signal, once sampling runs; a failure is shown as an error.
    void StartFromCommandLine(const CommandLineOptions& options);

    // ---- The wave devices, the block cycle and the window's clocks -------
    WaveDeviceController& Devices() { return *devices_; }

    // ---- Shell -----------------------------------------------------------
    void FormActivate();

    // ---- For tests and the shell -----------------------------------------
    PipelineState& State() { return core_.state; }
    moravel::Engine& Engine() { return *core_.engine; }
    HelpRouter& Help() { return *help_; }
    AudioMixer& Mixer() { return soundcard_->Mixer(); }
    SoundcardMixerPage& SoundcardMixer() { return soundcard_->Page(); }
    WindowPanels& Panels() { return *panels_; }
    PlotDisplays& Displays() { return *displays_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    friend class MainFormCycleClient;

    // Wiring (MainForm.cpp)
    void createSoundcard();
    void createDevices();
    void connectControls();
    void disableUnbuiltControls();
    void connectPipelineControls();
    void connectShellControls();

    // Errors of handlers (MainForm.cpp): every connection of the window and
    // every chart hook runs its handler through the guard, which shows a
    // std::exception instead of letting it into Qt's event dispatch.
    void showError(const std::exception& error);
    ErrorReport errorReport();
    /// `signal` of `sender` runs `handler`: a member function of the window
    /// (taking the signal's arguments or none) or a callable.
    template <typename Sender, typename Signal, typename Handler>
    void on(const Sender* sender, Signal signal, Handler handler) {
        GuardedConnect(sender, signal, this, errorReport(), handler);
    }
    /// A guarded callable for a chart hook or a direct call from an event.
    template <typename Handler>
    auto guard(Handler handler) {
        return Guarded(errorReport(), BindHandler(this, handler));
    }

    // Shell (MainFormShell.cpp)
    void FormCloseQuery();
    void FormClose();
    void showAbout();
    void connectExportMenus();

    // The options with their message boxes filled in (showMessage,
    // offerConfiguration).
    MainFormOptions options_;
    IniFile ini_;
    // The engine, the stopwatch and the pipeline's state (before everything
    // that uses them, freed after).
    PipelineCore core_;
    // The CPU meter and the lights of the status strip.
    std::unique_ptr<StatusIndicators> indicators_;
    std::unique_ptr<HelpRouter> help_;
    // The chosen devices, their mixer and the Soundcard page's behaviour.
    std::unique_ptr<moravel::Soundcard> soundcard_;

    // The settings file's values in the controls and the window, and back.
    std::unique_ptr<WindowSettingsBinder> settings_;
    // The plot panes with their split, the pages and the status strip.
    std::unique_ptr<WindowPanels> panels_;
    bool activated_ = false;

    // The processing pages' handlers (Filter, Shift, AGC, Compress, Expand,
    // Equalizer), connected to their controls.
    std::unique_ptr<ProcessingControls> processing_;

    // The spectrum and the spectrogram with their state (made once the panes
    // and pages exist).
    std::unique_ptr<PlotDisplays> displays_;
    // The palette's gradient editor, made after the window and kept for the
    // program's life (goes before the view whose palette it edits).
    std::unique_ptr<GradientEditorController> gradientEditor_;

    // The image export (through the files' save dialog).
    std::unique_ptr<ExportController> exportControl_;
    // The wave devices and the cycle between them (after the files' and the
    // pages' controllers its blocks reach; reset first on destruction).
    std::unique_ptr<WaveDeviceController> devices_;
    // The player, the recorder and record on signal with the save dialog
    // (made after the devices they reach; the destructor frees the devices
    // first).
    std::unique_ptr<WaveFiles> files_;
};

}  // namespace moravel
