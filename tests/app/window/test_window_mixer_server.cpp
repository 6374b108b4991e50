// The soundcard mixer in the main window as `moravel --audio alsa` runs it,
// against a private sound server (tests/audio/alsa's PulseServer, started
// by main before anything touches ALSA): the window's wave devices and its
// mixer are ALSA's "default", which is the server. The first run completes
// with one OK, the Soundcard page moves the server's volumes (read back
// with pactl), and a change made with pactl reaches the page.
#include "mixer/alsa/AlsaMixerService.h"
#include "AlsaServerWindow.h"
#include "MixerDialogAnswer.h"
#include "PulseServer.h"
#include "WindowFixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QSlider>
#include <QtTest>

#include <memory>
#include <regex>
#include <string>

using moravel::testing::AlsaServerWindow;
using moravel::testing::DialogAnswer;
using moravel::testing::kServerMixerLines;
using moravel::testing::PulseServer;
using moravel::testing::waitFor;
using moravel::testing::WindowFixture;

namespace {

PulseServer* server = nullptr;

bool Checked(AlsaServerWindow& w, const char* name) { return w.f.Find<QCheckBox>(name)->isChecked(); }
int Position(AlsaServerWindow& w, const char* name) { return w.f.Find<QSlider>(name)->value(); }

// The server's volume of `what` ("sink", "source") as "raw / percent", the
// first channel's, from pactl; empty when pactl fails.
QString ServerVolume(const std::string& what) {
    std::string text;
    if (!server->Pactl("get-" + what + "-volume @DEFAULT_" + (what == "sink" ? "SINK" : "SOURCE") + "@", &text))
        return {};
    std::smatch found;
    if (!std::regex_search(text, found, std::regex(R"((\d+) /\s*(\d+)%)"))) return QString::fromStdString(text);
    return QString::fromStdString(found[1].str() + " / " + found[2].str() + "%");
}

bool SinkMuted() {
    std::string text;
    return server->Pactl("get-sink-mute @DEFAULT_SINK@", &text) && text.find("yes") != std::string::npos;
}

}  // namespace

class MixerServerWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        // The window opens the mixer the sound goes through: the server's,
        // also on a machine with a sound card.
        moravel::mixer::AlsaMixerService service;
        QCOMPARE(service.DeviceName(service.AudioDevice()), std::string("default"));
        QVERIFY(server->Pactl("set-sink-volume @DEFAULT_SINK@ 100%"));
        QVERIFY(server->Pactl("set-sink-mute @DEFAULT_SINK@ 0"));
    }

    // The server's mixer has no source lines: its own controls stand in,
    // the dialog pre-selects them and one OK starts processing.
    void firstRunOnTheServerCompletesWithOneOk() {
        int offers = 0;
        AlsaServerWindow w("", [&offers](const QString&, const QString&) { return ++offers > 0; });
        DialogAnswer answer;
        w.f.Start();
        QCOMPARE(offers, 1);
        QVERIFY(waitFor([&] { return w.f.Form().State().SamplingEnabled; }, 5000));
        QCOMPARE(answer.shown, 1);
        QCOMPARE(moravel::testing::ReadText(w.f.SettingsPath()), std::string(kServerMixerLines));
        QCOMPARE(w.f.Find<QLabel>("Label4")->text(), QStringLiteral("PulseAudio"));
        QVERIFY(waitFor([&] { return w.f.Form().State().BlocksProcessed > 0; }, 5000));
    }

    // Positions become volumes as Round(p x 655.35), halves to even, and
    // the server's range is 0..65536: 30 is 19660 of 65535, element 19660;
    // 70 is 45874 of 65535, element 45875.
    void pageMovesTheServersVolumes() {
        AlsaServerWindow w(kServerMixerLines);
        w.f.Start();
        QVERIFY(w.f.Form().State().SamplingEnabled);
        QCOMPARE(Position(w, "TrackBar7"), 100);
        w.f.Find<QSlider>("TrackBar7")->setValue(30);
        QCOMPARE(ServerVolume("sink"), QStringLiteral("19660 / 30%"));
        w.f.Find<QSlider>("TrackBar2")->setValue(70);  // microphone in: the server's capture volume
        QCOMPARE(ServerVolume("source"), QStringLiteral("45875 / 70%"));
        w.f.Find<QCheckBox>("CheckBox7")->click();  // master off
        QVERIFY(SinkMuted());
        QCOMPARE(ServerVolume("sink"), QStringLiteral("19660 / 30%"));
    }

    // Another program's change arrives as a control change and the page
    // follows it: the master pair and the wave-out pair show the one volume.
    void changeMadeWithPactlReachesThePage() {
        AlsaServerWindow w(kServerMixerLines);
        w.f.Start();
        QCOMPARE(Position(w, "TrackBar7"), 100);
        QVERIFY(Checked(w, "CheckBox7"));
        QVERIFY(server->Pactl("set-sink-volume @DEFAULT_SINK@ 50%"));  // 32768 of 65536
        QVERIFY(waitFor([&] { return Position(w, "TrackBar7") == 50; }, 5000));
        QCOMPARE(Position(w, "TrackBar6"), 50);
        QVERIFY(server->Pactl("set-sink-mute @DEFAULT_SINK@ 1"));
        QVERIFY(waitFor([&] { return !Checked(w, "CheckBox7"); }, 5000));
        QCOMPARE(ServerVolume("sink"), QStringLiteral("32768 / 50%"));  // refreshing wrote nothing
    }
};

// The server must be running, and this process's sound clients pointed at
// it, before the first use of ALSA.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    PulseServer pulse;
    pulse.ConfigureClientEnvironment();
    if (!pulse.Start()) return 1;
    server = &pulse;
    MixerServerWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_window_mixer_server.moc"
