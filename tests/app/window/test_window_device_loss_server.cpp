// The window as `moravel --audio alsa` runs it, on a private sound server
// (tests/audio/alsa's PulseServer) that is killed while blocks flow and
// started again: the window shows "Soundcard lost", stays nearly idle while
// the server is gone, and processes blocks again within 2 s of the server's
// return, each captured block once; the settings are written at close.
#include "AlsaServerWindow.h"
#include "DeviceLossProbe.h"
#include "MixerDialogAnswer.h"
#include "PulseServer.h"
#include "WindowFixture.h"

#include <QElapsedTimer>
#include <QSlider>
#include <QtTest>

#include <signal.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>

using moravel::testing::AlsaServerWindow;
using moravel::testing::DeviceLossProbe;
using moravel::testing::kServerMixerLines;
using moravel::testing::PulseServer;
using moravel::testing::waitFor;
using moravel::testing::WindowFixture;

namespace {

PulseServer* server = nullptr;

// User plus system CPU time of this process, in clock ticks, from
// /proc/self/stat (fields 14 and 15, counted after the command's closing
// parenthesis).
long long CpuTicks() {
    std::ifstream file("/proc/self/stat");
    const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    long long utime = 0;
    long long stime = 0;
    for (int number = 3; number <= 15 && fields >> field; ++number) {
        if (number == 14) utime = std::stoll(field);
        if (number == 15) stime = std::stoll(field);
    }
    return utime + stime;
}

}  // namespace

class DeviceLossServerTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        if (moravel::mixer::AlsaMixerService().Names().front() != "default")
            QSKIP("this machine has a sound card: the window's devices are not the server's");
        if (!server->Running()) QVERIFY(server->Start());
    }

    void serverKilledAndRestartedResumesProcessingByItself() {
        AlsaServerWindow w(kServerMixerLines);
        w.f.Start();
        QVERIFY(w.f.Form().State().SamplingEnabled);
        DeviceLossProbe probe(w.f.Form());
        QVERIFY(waitFor([&] { return probe.Processed() >= 3; }, 5000));

        server->Stop(SIGKILL);
        QVERIFY(waitFor([&] { return probe.Lost(); }, 3000));
        QVERIFY(!w.f.Form().Devices().WaveIn().IsOpen());
        QVERIFY(!w.f.Form().Devices().WaveOut().IsOpen());

        // Waiting for the server costs almost nothing: below 5 % of one core.
        const long long ticksPerSecond = sysconf(_SC_CLK_TCK);
        const long long cpuBefore = CpuTicks();
        QElapsedTimer wall;
        wall.start();
        QTest::qWait(2000);
        const double share =
            static_cast<double>(CpuTicks() - cpuBefore) / ticksPerSecond / (static_cast<double>(wall.elapsed()) / 1000);
        qInfo("CPU while the server is gone: %.1f %%", share * 100);
        QVERIFY2(share < 0.05, qPrintable(QString::number(share * 100) + " %"));
        QVERIFY(probe.Lost());
        const int during = probe.Processed();

        QVERIFY(server->Start());
        QElapsedTimer back;
        back.start();
        QVERIFY(waitFor([&] { return probe.Processed() > during; }, 2000));
        qInfo("processing resumed %lld ms after the server was back", static_cast<long long>(back.elapsed()));
        QVERIFY(probe.Status().isEmpty());
        QVERIFY(waitFor([&] { return probe.Processed() >= during + 3; }, 3000));
        // A block that arrives right behind another is dropped as late, so
        // real-time capture may process fewer than it captured, never more.
        QVERIFY(probe.Processed() <= probe.Captured());

        w.f.Find<QSlider>("TrackFilterCenter")->setValue(1234);
        w.f.Form().close();
        QVERIFY(moravel::testing::ReadText(w.f.SettingsPath()).find("FilterCenterFreq=1234") != std::string::npos);
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
    DeviceLossServerTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_window_device_loss_server.moc"
