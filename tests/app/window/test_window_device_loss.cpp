// The virtual card unplugged and plugged again while the window runs: the
// window closes its devices, says "Soundcard lost" in the status strip, tries
// again every 750 ms (real time) and resumes by itself once the card is back;
// every block the input handed over is processed once, and the settings are
// written at close.
#include "DeviceLossProbe.h"
#include "MixerDialogAnswer.h"
#include "WindowFixture.h"

#include <QSlider>
#include <QtTest>

using moravel::testing::DeviceLossProbe;
using moravel::testing::waitFor;
using moravel::testing::WindowFixture;

class DeviceLossTest : public QObject {
    Q_OBJECT

private slots:
    void unplugShowsTheLossAndPlugResumesWithoutDoubledBlocks() {
        WindowFixture f;
        f.Start();
        DeviceLossProbe probe(f.Form());
        QCOMPARE(probe.Status(), QString());
        f.Run(1000);
        const int before = probe.Processed();
        QVERIFY(before >= 5);
        QCOMPARE(probe.Captured(), before);

        f.Card().Unplug();
        QCoreApplication::sendPostedEvents();
        QVERIFY(probe.Lost());
        QVERIFY(!f.Form().Devices().WaveIn().IsOpen());
        QVERIFY(!f.Form().Devices().WaveOut().IsOpen());
        QCOMPARE(f.Card().OpenDevices(), std::size_t{0});

        // Card time passes and attempts fail: nothing arrives, nothing opens.
        QTest::qWait(900);
        f.Run(1000);
        QVERIFY(probe.Lost());
        QCOMPARE(probe.Processed(), before);
        QCOMPARE(f.Card().OpenDevices(), std::size_t{0});

        f.Card().Plug();
        QVERIFY(waitFor([&] { return probe.Status().isEmpty(); }, 2000));
        QVERIFY(f.Form().Devices().WaveIn().IsOpen());
        QVERIFY(f.Form().Devices().WaveOut().IsOpen());
        f.Run(1000);
        QVERIFY(probe.Processed() >= before + 5);
        QCOMPARE(probe.Processed(), probe.Captured());

        // The window is still usable, and its settings are written at close.
        f.Find<QSlider>("TrackFilterCenter")->setValue(1234);
        f.Form().close();
        QVERIFY(moravel::testing::ReadText(f.SettingsPath()).find("FilterCenterFreq=1234") != std::string::npos);
    }

    // A second loss after a return is handled like the first.
    void aSecondLossIsHandledLikeTheFirst() {
        WindowFixture f;
        f.Start();
        DeviceLossProbe probe(f.Form());
        for (int round = 0; round < 2; ++round) {
            f.Run(500);
            f.Card().Unplug();
            QCoreApplication::sendPostedEvents();
            QVERIFY(probe.Lost());
            f.Card().Plug();
            QVERIFY(waitFor([&] { return probe.Status().isEmpty(); }, 2000));
        }
        f.Run(500);
        QVERIFY(probe.Processed() > 0);
        QCOMPARE(probe.Processed(), probe.Captured());
    }
};

QTEST_MAIN(DeviceLossTest)
#include "test_window_device_loss.moc"
