// The recorder in the main window: Record and Pause on the virtual card,
// the read-outs, the file's layout and samples, a full disk, a file that
// cannot be created, Browse and the kept file name; and the recorder's
// controller on its own going on in a new file when the rate changes.
#include "app/window/FileDialog.h"
#include "app/window/RecorderController.h"
#include "app/window/StatusStrip.h"
#include "WaveFileWindow.h"
#include "app/window/pages/RecorderPage.h"

#include <QComboBox>
#include <QLabel>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>

#include <filesystem>

using namespace moravel::testing;

namespace {

std::uint32_t le32(const Bytes& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | std::uint32_t(b[at + 3]) << 24;
}
std::uint16_t le16(const Bytes& b, std::size_t at) { return std::uint16_t(b[at] | b[at + 1] << 8); }
std::string text(const Bytes& b, std::size_t at) { return std::string(b.begin() + at, b.begin() + at + 4); }

bool lit(QLabel* light) { return light->palette().color(QPalette::Window) == QColor(255, 255, 0); }

bool highlighted(WindowFixture& f, const char* sheet) {
    auto* tabs = f.Find<QTabWidget>("Tab1");
    return tabs->tabBar()->tabTextColor(tabs->indexOf(f.Find<QWidget>(sheet))) == QColor(Qt::red);
}

bool down(WindowFixture& f, const char* button) { return f.Find<QToolButton>(button)->isChecked(); }

// The page is idle: Record and Pause up, Browse and the audio range usable.
void verifyIdle(WindowFixture& f) {
    QVERIFY(!down(f, "sb_wave_record"));
    QVERIFY(!down(f, "sb_waverecorder_pause"));
    QVERIFY(f.Find<QToolButton>("sb_browse_wave_recordfile")->isEnabled());
    QVERIFY(f.Find<QComboBox>("ComboAudioRange")->isEnabled());
    QVERIFY(!highlighted(f, "TabRecorder"));
}

std::vector<std::int16_t> samplesOf(const Bytes& data) { return Channel16(data, 1); }

}  // namespace

class RecorderTest : public QObject {
    Q_OBJECT

private slots:
    void tenSecondsAt8500HzGiveTheReadoutsAndTheFileOfWhatWasPlayed() {
        RecorderWindow w(1);
        WindowFixture& f = w.f;
        const std::string& file = w.file;
        auto* light = f.Find<QLabel>("Static3");
        const std::int32_t before = f.Form().State().BlocksProcessed;
        f.Click("sb_wave_record");
        QVERIFY(down(f, "sb_wave_record"));
        QVERIFY(!f.Find<QComboBox>("ComboAudioRange")->isEnabled());
        QVERIFY(!f.Find<QToolButton>("sb_browse_wave_recordfile")->isEnabled());
        QVERIFY(highlighted(f, "TabRecorder"));
        QVERIFY(std::filesystem::exists(file));

        QList<bool> blinks;
        for (int tick = 0; tick < 20; ++tick) {
            RunTicking(f, 500);
            blinks << lit(light);
            QCOMPARE(light->text(), QStringLiteral("Recording"));
        }
        QCOMPARE(blinks.mid(0, 4), (QList<bool>{true, false, true, false}));
        QCOMPARE(f.Find<QLabel>("Panel32")->text(), QStringLiteral("00:00:10"));
        QCOMPARE(f.Find<QLabel>("Panel33")->text(), QStringLiteral("169 kB"));  // 10 s at 8450 Hz
        const std::int32_t recorded = f.Form().State().BlocksProcessed - before;
        f.Click("sb_wave_record");
        verifyIdle(f);
        f.Form().Devices().StatusTick();
        QVERIFY(!lit(light));
        // The read-outs keep the finished recording's figures.
        QCOMPARE(f.Find<QLabel>("Panel32")->text(), QStringLiteral("00:00:10"));

        const Bytes bytes = ReadFile(file);
        const std::uint32_t d = std::uint32_t(recorded) * 2048;
        QVERIFY(recorded >= 82 && recorded <= 84);  // 10 s of 1024-sample blocks at 8450 Hz
        QCOMPARE(bytes.size(), std::size_t(d) + 46);
        QCOMPARE(text(bytes, 0), std::string("RIFF"));
        QCOMPARE(le32(bytes, 4), d + 38);
        QCOMPARE(text(bytes, 8), std::string("WAVE"));
        QCOMPARE(text(bytes, 12), std::string("fmt "));
        QCOMPARE(le32(bytes, 16), 18u);
        QCOMPARE(le16(bytes, 20), std::uint16_t(1));  // PCM
        QCOMPARE(le16(bytes, 22), std::uint16_t(1));  // mono
        QCOMPARE(le32(bytes, 24), 8450u);             // the blocks' true rate: the capture's
        QCOMPARE(le32(bytes, 28), 16900u);
        QCOMPARE(le16(bytes, 32), std::uint16_t(1));  // block alignment 1
        QCOMPARE(le16(bytes, 34), std::uint16_t(16));
        QCOMPARE(le16(bytes, 36), std::uint16_t(0));
        QCOMPARE(text(bytes, 38), std::string("data"));
        QCOMPARE(le32(bytes, 42), d);
        QCOMPARE(SoxSampleCount(file), long(d / 2));

        // The output played the same blocks carried to its 8500 Hz: 8500 / 8450
        // times as many samples as the file holds, within a sample a block.
        f.Run(1000);
        const double played = double(f.Card().PlayedSamples().size());
        const double perBlock = 1024.0 * 8500 / 8450;
        QVERIFY(played >= (before + recorded) * (perBlock - 1));
        QVERIFY(!samplesOf(Bytes(bytes.begin() + 46, bytes.end())).empty());
    }

    void pauseHoldsTimeAndFileWhileTheOutputGoesOn() {
        RecorderWindow w(0);
        WindowFixture& f = w.f;
        const std::string& file = w.file;
        f.Click("sb_wave_record");
        RunTicking(f, 1000);
        QCOMPARE(f.Find<QLabel>("Panel32")->text(), QStringLiteral("00:00:01"));
        f.Click("sb_waverecorder_pause");
        RunTicking(f, 500);  // the block in flight when Pause went down
        const auto size = std::filesystem::file_size(file);
        const auto played = f.Card().PlayedSamples().size();
        RunTicking(f, 2000);
        QCOMPARE(f.Find<QLabel>("Panel32")->text(), QStringLiteral("00:00:01"));
        QCOMPARE(f.Find<QLabel>("Panel33")->text(), QStringLiteral("8 kB"));  // 4000 Hz · 1 s · 2 / 1000
        QCOMPARE(f.Find<QLabel>("Static3")->text(), QStringLiteral("Paused"));
        QCOMPARE(std::filesystem::file_size(file), size);
        QVERIFY(f.Card().PlayedSamples().size() >= played + 3 * 4000 / 2);
        f.Click("sb_waverecorder_pause");
        RunTicking(f, 1000);
        QCOMPARE(f.Find<QLabel>("Panel32")->text(), QStringLiteral("00:00:02"));
        QVERIFY(std::filesystem::file_size(file) > size);
        // Releasing Record also releases Pause.
        f.Click("sb_waverecorder_pause");
        f.Click("sb_wave_record");
        verifyIdle(f);
        QCOMPARE(f.Messages(), QStringList());
    }

    void fullDiskStopsTheRecordingWithItsReasonAndKeepsAValidFile() {
        RecorderWindow w(1);
        WindowFixture& f = w.f;
        const std::string& file = w.file;
        {
            FileSizeLimit limit(46 + 30000);
            f.Click("sb_wave_record");
            RunTicking(f, 3000);  // 3 s at 8450 Hz are about 50 kB
            QCoreApplication::sendPostedEvents();
        }
        QCOMPARE(f.Messages().size(), 1);
        const QString message = f.Messages().front();
        QVERIFY2(message.startsWith(QStringLiteral("Moravel: Recording to \"") + QString::fromStdString(file) +
                                    QStringLiteral("\" stopped: File too large.")),
                 qPrintable(message));
        verifyIdle(f);
        const Bytes bytes = ReadFile(file);
        QVERIFY(bytes.size() <= 46 + 30000);
        QVERIFY(bytes.size() > 46 + 20000);
        QCOMPARE(le32(bytes, 42), std::uint32_t(bytes.size() - 46));
        QCOMPARE(le32(bytes, 4), std::uint32_t(bytes.size() - 8));
        QCOMPARE(SoxSampleCount(file), long(bytes.size() - 46) / 2);
        // The next tick finds nothing left to commit and the cycle goes on.
        RunTicking(f, 1000);
        QCOMPARE(f.Messages().size(), 1);
    }

    void aFileThatCannotBeCreatedLeavesTheRecorderIdle() {
        TempFolder folder;
        WindowFixture f(WaveSettings(0, folder.File("no/such/folder.wav"), folder.File("none.wav")));
        StartWithCpu(f);
        f.Click("sb_wave_record");
        QCOMPARE(f.Messages(), QStringList{QStringLiteral("Moravel: Can't open file stream.")});
        verifyIdle(f);
        const std::int32_t before = f.Form().State().BlocksProcessed;
        RunTicking(f, 1000);
        QVERIFY(f.Form().State().BlocksProcessed > before);
        QCOMPARE(f.Messages().size(), 1);
        QCOMPARE(f.Find<QLabel>("Panel32")->text(), QStringLiteral("00:00:00"));
    }

    void browseTakesTheChosenNameAndACancelKeepsTheOldOne() {
        TempFolder folder;
        const std::string first = folder.File("first.wav");
        const std::string chosen = folder.File("chosen.wav");
        std::string settings = WaveSettings(0, first, folder.File("none.wav"));
        WindowFixture f(settings);
        auto* panel = f.Find<QLabel>("Panel34");
        VerifyFilePanel(panel, first);

        f.AnswerDialog(QString::fromStdString(chosen));
        f.Click("sb_browse_wave_recordfile");
        QCOMPARE(f.Dialogs().size(), std::size_t{1});
        VerifyWaveDialog(f, moravel::FileDialogRequest::Kind::Save, "Save to wave file", first);
        VerifyFilePanel(panel, chosen);

        f.AnswerDialog(QString());  // cancelled
        f.Click("sb_browse_wave_recordfile");
        QCOMPARE(f.Dialogs().back().fileName, QString::fromStdString(chosen));
        QCOMPARE(panel->text(), QStringLiteral("chosen.wav"));

        StartWithCpu(f);
        f.Click("sb_wave_record");
        RunTicking(f, 500);
        f.Click("sb_wave_record");
        QVERIFY(std::filesystem::exists(chosen));
        QVERIFY(!std::filesystem::exists(first));
        f.Form().close();
        QVERIFY(ReadText(f.SettingsPath()).find("WaveRecorderFilename=" + chosen) != std::string::npos);
    }

    void aFailingCpuMeterDoesNotHoldUpTheCommit() {
        RecorderWindow w(0);
        WindowFixture& f = w.f;
        const std::string& file = w.file;
        f.SetCpuStat("intr 0\n");
        f.Click("sb_wave_record");
        RunTicking(f, 1500);
        QCOMPARE(f.Messages().size(), 1);                                         // the sampler's error, once
        QCOMPARE(f.Find<QLabel>("Panel32")->text(), QStringLiteral("00:00:01"));  // 1.5 s
        const Bytes bytes = ReadFile(file);
        QVERIFY(le32(bytes, 42) >= 2 * 1024);
        QCOMPARE(std::size_t(le32(bytes, 42)) + 46, bytes.size());
    }

    // The blocks' rate changes twice under a running recording (Play of an
    // 8000 Hz file at the 4 KHz range, then its end): each rate goes on in a
    // file of its own beside the first, whose header names it; a name that
    // is taken is passed over, and the page names the last file.
    void aChangeOfRateGoesOnInTheNextFreePart() {
        TempFolder folder;
        QTabWidget tabs;
        moravel::RecorderPage page(&tabs);
        moravel::FileDialog dialog(moravel::FileDialogRequest::Kind::Save, {}, &tabs);
        std::int32_t rate = 8500;
        QStringList errors;
        moravel::RecorderController recorder({page,
                                              dialog,
                                              {},
                                              [&](const std::exception& e) { errors << e.what(); },
                                              [&] { return rate; },
                                              [](const std::string&) { return false; },
                                              [](bool) {},
                                              [] {},
                                              [] { return QStringLiteral(","); }});
        recorder.SetFileName(folder.File("rec.wav"));
        WriteText(folder.File("rec-2.wav"), "someone else's");
        const auto write = [&](int blocks, std::int16_t value) {
            const std::vector<std::int16_t> block(1024, value);
            for (int k = 0; k < blocks; ++k) recorder.WriteBlock(block.data(), 2048);
        };
        page.recordSwitch->setChecked(true);
        recorder.RecordSwitched();
        write(3, 1);
        rate = 8000;
        write(2, 2);
        recorder.Tick();
        rate = 8500;
        write(4, 3);
        page.recordSwitch->setChecked(false);
        recorder.RecordSwitched();

        QCOMPARE(errors, QStringList());
        QCOMPARE(ReadText(folder.File("rec-2.wav")), std::string("someone else's"));
        const struct {
            const char* name;
            std::uint32_t rate;
            std::size_t samples;
            std::int16_t value;
        } files[] = {
            {"rec.wav", 8500, 3 * 1024, 1}, {"rec-3.wav", 8000, 2 * 1024, 2}, {"rec-4.wav", 8500, 4 * 1024, 3}};
        for (const auto& file : files) {
            const Bytes bytes = ReadFile(folder.File(file.name));
            QVERIFY2(bytes.size() >= 46, file.name);
            QCOMPARE(le32(bytes, 24), file.rate);
            QCOMPARE(le32(bytes, 42), std::uint32_t(bytes.size() - 46));
            QVERIFY(samplesOf(Bytes(bytes.begin() + 46, bytes.end())) ==
                    std::vector<std::int16_t>(file.samples, file.value));
        }
        QCOMPARE(page.partFileLabel->text(), QStringLiteral("Continued in rec-4.wav at 8500 Hz"));
    }

    void closingTheWindowCompletesTheRecording() {
        RecorderWindow w(0);
        WindowFixture& f = w.f;
        const std::string& file = w.file;
        f.Click("sb_wave_record");
        f.Run(1000);  // no tick: the header has not been brought up to date since the start
        QCOMPARE(le32(ReadFile(file), 42), 0u);
        f.Form().close();
        const Bytes bytes = ReadFile(file);
        QVERIFY(bytes.size() > 46 + 6000);
        QCOMPARE(le32(bytes, 42), std::uint32_t(bytes.size() - 46));
        QCOMPARE(f.Messages(), QStringList());
    }
};

QTEST_MAIN(RecorderTest)
#include "test_window_recorder.moc"
