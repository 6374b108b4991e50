// The input and output devices chosen in the window, as `moravel --audio
// alsa` runs it, on a private sound server (PulseAudio, or PipeWire with
// MORAVEL_TEST_SERVER=pipewire) with two null sinks besides its default one:
// the streams go to the chosen source and sink and none to the default; the
// Audio Devices dialog moves them, stores the choice and the Soundcard
// page follows the output's mixer; a chosen device that is not there is
// reported and taken up once it appears.
#include "mixer/alsa/AlsaMixerService.h"
#include "audio/AudioChoice.h"
#include "ChosenServer.h"
#include "DeviceLossProbe.h"
#include "MixerDialogAnswer.h"
#include "WindowFixture.h"

#include <QAction>
#include <QLabel>
#include <QSlider>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

using moravel::testing::DeviceLossProbe;
using moravel::testing::DevicesDialogAnswer;
using moravel::testing::SoundServer;
using moravel::testing::waitFor;
using moravel::testing::WindowFixture;

namespace {

SoundServer* server = nullptr;

constexpr const char* kUnassignedMixer =
    "[MIXER]\nMicrophone_Out=-1\nLine_Out=-1\nWave_Out=0\nMicrophone_In=0\nLine_In=-1\nWave_In=-1\n";

// What this process's streams of `kind` ("sink-inputs", "source-outputs")
// go to: the names of their sinks or sources, from pactl's listings.
std::vector<std::string> StreamTargets(const std::string& kind, const std::string& devices) {
    std::string streams;
    std::string known;
    if (!server->Pactl("list " + kind, &streams) || !server->Pactl("list short " + devices, &known)) return {};
    std::map<std::string, std::string> names;
    std::istringstream deviceLines(known);
    for (std::string index, name, rest; deviceLines >> index >> name && std::getline(deviceLines, rest);)
        names[index] = name;
    const std::string ours = "application.process.id = \"" + std::to_string(getpid()) + "\"";
    const std::string target = kind == "sink-inputs" ? "Sink: " : "Source: ";
    std::vector<std::string> targets;
    std::string device;
    std::istringstream lines(streams);
    for (std::string line; std::getline(lines, line);) {
        if (const auto at = line.find(target); at != std::string::npos) device = names[line.substr(at + target.size())];
        if (line.find(ours) != std::string::npos) targets.push_back(device);
    }
    return targets;
}

std::vector<std::string> Playing() { return StreamTargets("sink-inputs", "sinks"); }
std::vector<std::string> Capturing() { return StreamTargets("source-outputs", "sources"); }
using Names = std::vector<std::string>;

// The window on ALSA whose mixer follows the chosen devices, as main makes it.
struct ChoosingWindow {
    ChoosingWindow(const std::string& settings, const std::string& outputOverride = {})
        : f(settings, {}, {}, 4096, [this, outputOverride](moravel::MainFormOptions& options) {
              options.backend = backend.get();
              options.stopwatchCounter = {};
              options.mixerServiceFor = [](const std::string& pcm) {
                  return std::make_shared<moravel::mixer::AlsaMixerService>(pcm);
              };
              options.outputDevice = outputOverride;
          }) {}

    // The Soundcard page's master volume, in percent.
    int Master() { return f.Find<QSlider>("TrackBar7")->value(); }

    std::unique_ptr<moravel::AudioBackend> backend = moravel::CreateAudioBackend(moravel::ParseAudioChoice("alsa"));
    WindowFixture f;
};

}  // namespace

class DeviceChoiceServerTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        if (!server->Running()) QVERIFY(server->Start());
        for (const char* sink : {"mv_rx", "mv_spk"})
            server->Pactl(std::string("load-module module-null-sink sink_name=") + sink);
    }

    void chosenDevicesCarryTheStreamsAndTheDialogMovesThem() {
        QTemporaryDir folder;
        ChoosingWindow w(std::string(kUnassignedMixer) + "[SETTINGS]\nWaveRecorderFilename=" +
                             folder.filePath(QStringLiteral("rec.wav")).toStdString() +
                             "\n[AUDIO_DEVICES]\nInput=pulse:DEVICE=mv_rx.monitor\n",
                         "pulse:DEVICE=mv_spk");
        w.f.Start();
        DeviceLossProbe probe(w.f.Form());
        QVERIFY(waitFor([&] { return probe.Processed() >= 3; }, 5000));
        QTRY_COMPARE_WITH_TIMEOUT(Capturing(), (Names{"mv_rx.monitor"}), 2000);
        QTRY_COMPARE_WITH_TIMEOUT(Playing(), (Names{"mv_spk"}), 2000);
        QCOMPARE(w.Master(), 100);
        QVERIFY(server->Pactl("set-sink-volume mv_rx 30%"));
        QVERIFY2(moravel::testing::ReadText(w.f.SettingsPath()).find("Output=") == std::string::npos,
                 "the command line's device is not stored");

        DevicesDialogAnswer answer(QStringLiteral("pulse:DEVICE=mv_spk.monitor"), QStringLiteral("pulse:DEVICE=mv_rx"));
        // The menu item returns at once (an assistive client is not held);
        // the dialog opens from the event loop.
        w.f.Form().findChild<QAction*>(QStringLiteral("AudioDevices"))->trigger();
        QVERIFY(!answer.answered);
        QVERIFY(waitFor([&] { return answer.answered; }, 3000));
        const int before = probe.Processed();
        QVERIFY(waitFor([&] { return probe.Processed() >= before + 3; }, 5000));
        QTRY_COMPARE_WITH_TIMEOUT(Capturing(), (Names{"mv_spk.monitor"}), 2000);
        QTRY_COMPARE_WITH_TIMEOUT(Playing(), (Names{"mv_rx"}), 2000);
        const std::string stored = moravel::testing::ReadText(w.f.SettingsPath());
        QVERIFY2(stored.find("[AUDIO_DEVICES]\nInput=pulse:DEVICE=mv_spk.monitor\nOutput=pulse:DEVICE=mv_rx\n") !=
                     std::string::npos,
                 stored.c_str());
        QTRY_COMPARE_WITH_TIMEOUT(w.Master(), 30, 2000);  // the page shows the new output's volume

        // Like the audio range, the devices stay as they are while the recorder runs.
        auto* choose = w.f.Form().findChild<QAction*>(QStringLiteral("AudioDevices"));
        w.f.Click("sb_wave_record");
        QVERIFY(!choose->isEnabled());
        w.f.Click("sb_wave_record");
        QVERIFY(choose->isEnabled());
    }

    void aMissingChosenDeviceIsReportedAndTakenUpWhenItAppears() {
        ChoosingWindow w(std::string(kUnassignedMixer) + "[AUDIO_DEVICES]\nOutput=pulse:DEVICE=mv_later\n");
        w.f.Start();
        DeviceLossProbe probe(w.f.Form());
        QVERIFY(waitFor([&] { return probe.Status() == QStringLiteral("Soundcard not found"); }, 3000));
        QVERIFY(w.f.Find<QLabel>("SoundcardState")->toolTip().contains(
            QStringLiteral("Devices: input System default, output pulse:DEVICE=mv_later.")));
        QVERIFY(Playing().empty());
        std::string module;
        QVERIFY(server->Pactl("load-module module-null-sink sink_name=mv_later", &module));
        QVERIFY(waitFor([&] { return probe.Processed() >= 3; }, 5000));
        QVERIFY(probe.Status().isEmpty());
        QTRY_COMPARE_WITH_TIMEOUT(Playing(), (Names{"mv_later"}), 2000);
        server->Pactl("unload-module " + module);
    }

    void cleanup() {
        std::string modules;
        server->Pactl("list short modules", &modules);
        std::istringstream lines(modules);
        for (std::string line; std::getline(lines, line);)
            if (line.find("sink_name=mv_") != std::string::npos) server->Pactl("unload-module " + line.substr(0, line.find('\t')));
    }
};

// The server must be running, and this process's sound clients pointed at
// it, before the first use of ALSA.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const std::unique_ptr<SoundServer> chosen = moravel::testing::ChosenServer();
    if (!chosen) return 1;
    chosen->ConfigureClientEnvironment();
    if (!chosen->Start()) return 1;
    server = chosen.get();
    DeviceChoiceServerTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_window_device_choice_server.moc"
