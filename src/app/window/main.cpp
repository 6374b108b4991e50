// The program `moravel`: parses the command line, picks the sound devices
// and the settings file, and runs the main window until it closes. SIGTERM,
// SIGINT and SIGHUP close the window the normal way, so the settings are
// saved, and the recordings and the transmission log completed, when a
// session ends, a terminal is closed or a service is stopped.
#include "mixer/alsa/AlsaMixerService.h"
#include "common/AtomicFile.h"
#include "audio/AudioChoice.h"
#include "audio/alsa/AudioDeviceList.h"
#include "app/core/CommandLine.h"
#include "app/window/MainForm.h"
#include "MoravelVersion.h"
#include "app/core/SettingsLocation.h"
#include "mixer/simulated/SimulatedMixerService.h"
#include "app/window/StartupTrace.h"

#include <QApplication>
#include <QSocketNotifier>
#include <QTimer>

#include <csignal>
#include <cstdlib>
#include <iostream>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};

void onSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(signalPipe[1], &byte, 1);
}

// Signals are turned into an event of the GUI thread through a pipe: a
// handler may do nothing but write to it.
void closeOnSignals(QWidget& window) {
    if (::pipe(signalPipe) != 0) return;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &window);
    QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window] {
        char byte = 0;
        [[maybe_unused]] const auto got = ::read(signalPipe[0], &byte, 1);
        window.close();
    });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal, &action, nullptr);
}

std::vector<std::string> argumentsOf(int argc, char** argv) { return {argv + 1, argv + argc}; }

// The mixers and the devices to choose from that belong to the family of
// devices: for ALSA the system's mixers, made for the PCM whose mixer the
// Soundcard page shows, and ALSA's and the sound server's devices; for the
// virtual soundcard the simulated typical card and its one device.
void useFamily(const moravel::AudioChoice& choice, moravel::MainFormOptions& formOptions) {
    if (choice.kind == moravel::AudioChoice::Kind::Virtual) {
        formOptions.mixerService = std::make_shared<moravel::mixer::SimulatedMixerService>();
        formOptions.listDevices = [](moravel::AudioDeviceList::Direction) {
            return std::vector<moravel::AudioDeviceEntry>{{"", moravel::AudioDeviceList::kDefaultDescription}};
        };
        return;
    }
    formOptions.mixerServiceFor = [](const std::string& wavePcm) {
        return std::make_shared<moravel::mixer::AlsaMixerService>(wavePcm);
    };
    formOptions.listDevices = moravel::AudioDeviceList::Current;
}

}  // namespace

int main(int argc, char** argv) {
    moravel::CommandLineOptions options;
    try {
        options = moravel::ParseCommandLine(argumentsOf(argc, argv));
    } catch (const std::exception& e) {
        std::cerr << "moravel: " << e.what() << "\n\n" << moravel::UsageText();
        return 2;
    }
    if (options.help) {
        std::cout << moravel::UsageText();
        return 0;
    }
    if (options.version) {
        std::cout << "Moravel " << moravel::kVersion << '\n';
        return 0;
    }
    if (const std::string problem = moravel::CheckStartFiles(options); !problem.empty()) {
        std::cerr << "moravel: " << problem << '\n';
        return 2;
    }

    // A file size limit (ulimit -f) then fails the recorder's write with an
    // error it reports, instead of ending the program with SIGXFSZ.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Moravel"));
    std::unique_ptr<moravel::AudioBackend> backend;
    moravel::AudioChoice choice;
    try {
        choice = moravel::ParseAudioChoice(options.audio);
        backend = moravel::CreateAudioBackend(choice);
    } catch (const std::exception& e) {
        std::cerr << "moravel: " << e.what() << '\n';
        return 2;
    }
    const std::string executable = QCoreApplication::applicationFilePath().toStdString();
    moravel::MainFormOptions formOptions;
    formOptions.backend = backend.get();
    useFamily(choice, formOptions);
    // A device on the command line is for this run: the stored choice stays.
    formOptions.inputDevice = moravel::AudioDeviceList::PcmFor(options.input);
    formOptions.outputDevice = moravel::AudioDeviceList::PcmFor(options.output);
    formOptions.settingsFile = moravel::SettingsFilePath(executable, options.settingsFile,
                                                         std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
    std::cerr << moravel::FirstStartNote(formOptions.settingsFile);
    // Writers of the settings file that were killed before their rename left
    // their temporary files; those no running instance still writes go now.
    moravel::RemoveStaleTemporaries(formOptions.settingsFile);
    moravel::StartupTrace trace;
    const bool traced = moravel::StartupTrace::Wanted();
    if (traced) formOptions.blockProcessed = [&trace] { trace.BlockProcessed(); };
    moravel::MainForm window(formOptions);
    closeOnSignals(window);
    window.ShowAsStored();
    if (options.minimize) window.showMinimized();
    // Queued after the first activation, which the first show queued: the
    // devices run by then.
    QTimer::singleShot(0, &window, [&window, &options] { window.StartFromCommandLine(options); });
    if (traced) trace.WatchWindow(window);
    return QApplication::exec();
}
