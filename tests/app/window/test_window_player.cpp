// The player in the main window: files of each playable layout through the
// chain on the virtual card, the devices at the file's rate and back, the
// read-outs, Loop and the end of the file, Pause, the refused files, and
// playing and recording together.
#include "audio/EnhWave.h"
#include "WaveFileWindow.h"

#include <QComboBox>
#include <QLabel>
#include <QScrollBar>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>

#include <filesystem>
#include <optional>

using namespace moravel::testing;

namespace {

bool down(WindowFixture& f, const char* button) { return f.Find<QToolButton>(button)->isChecked(); }

bool highlighted(WindowFixture& f, const char* sheet) {
    auto* tabs = f.Find<QTabWidget>("Tab1");
    return tabs->tabBar()->tabTextColor(tabs->indexOf(f.Find<QWidget>(sheet))) == QColor(Qt::red);
}

// The devices, the engine and the two maxima at output rate `rate` with
// capture blocks of `bytes` bytes and the engine at `engineRate`.
void verifyDevices(WindowFixture& f, int rate, int bytes, int engineRate) {
    QCOMPARE(f.Form().Devices().WaveOut().samples, rate);
    QCOMPARE(f.Form().Devices().WaveIn().samples, rate - 50);
    QCOMPARE(f.Form().Devices().WaveIn().BufferSize, bytes);
    QCOMPARE(f.Form().Engine().SampleRate, engineRate);
    QCOMPARE(f.Find<QScrollBar>("ScrollSpectrum")->maximum(), rate / 2);
    QCOMPARE(f.Find<QSlider>("TrackFilterCenter")->maximum(), rate / 2);
}

// The 2 KHz range (4000 Hz, blocks of 1024 bytes).
void verifyAtTheRange(WindowFixture& f) { verifyDevices(f, 4000, 1024, 3950); }

// The page is idle and the audio range usable again.
void verifyIdle(WindowFixture& f) {
    QVERIFY(!down(f, "sb_wave_play"));
    QVERIFY(!down(f, "sb_waveplayer_pause"));
    QVERIFY(f.Find<QToolButton>("sb_browse_wave_playfile")->isEnabled());
    QVERIFY(!f.Find<QSlider>("TrackWavePlayerPosition")->isEnabled());
    QVERIFY(f.Find<QComboBox>("ComboAudioRange")->isEnabled());
    QVERIFY(!highlighted(f, "TabPlayer"));
}

// Idle with the devices back at (or never moved from) the 2 KHz range.
void verifyIdleAtTheRange(WindowFixture& f) {
    verifyIdle(f);
    verifyAtTheRange(f);
}

// In a window whose recorder and player have the same file, the button
// `second` is refused while `first` has been down for half a second: a
// warning, and `first` goes on.
void verifySecondRefused(WindowFixture& f, const char* first, const char* second) {
    StartWithCpu(f);
    f.Click(first);
    RunTicking(f, 500);
    f.Click(second);
    QCOMPARE(f.Messages(), QStringList{QStringLiteral("Warning: You cannot play and record the same wave file")});
    QVERIFY(!down(f, second));
    QVERIFY(down(f, first));
    QVERIFY(!f.Find<QComboBox>("ComboAudioRange")->isEnabled());  // still playing or recording
}

// Plays `file` (rate `rate`) from the 2 KHz range and checks that the output
// is the chain's output of `input` and that "Total" shows `total`.
void verifyPlays(const std::string& file, int rate, const std::vector<std::int16_t>& input, const char* total) {
    TempFolder folder;
    WindowFixture f(WaveSettings(0, folder.File("rec.wav"), file));
    StartWithCpu(f);
    f.Click("sb_wave_play");
    QVERIFY(down(f, "sb_wave_play"));
    f.Card().ClearPlayedSamples();
    verifyDevices(f, rate, moravel::PlayerBufferBytes(rate), rate);
    QVERIFY(!f.Find<QComboBox>("ComboAudioRange")->isEnabled());
    QVERIFY(!f.Find<QToolButton>("sb_browse_wave_playfile")->isEnabled());
    QVERIFY(highlighted(f, "TabPlayer"));
    auto* bar = f.Find<QSlider>("TrackWavePlayerPosition");
    QVERIFY(bar->isEnabled());
    QCOMPARE(f.Find<QLabel>("Panel40")->text(), QString::fromLatin1(total));

    RunTicking(f, 2000);
    const auto played = f.Card().PlayedSamples();
    const std::size_t n = std::size_t(moravel::PlayerBufferBytes(rate) / 2);
    QVERIFY(played.size() >= 8 * n);
    const std::size_t whole = played.size() / n * n;
    QVERIFY(Head(played, whole) == Head(ChainOutput(rate, input), whole));
    QVERIFY(bar->value() > 0);
    QCOMPARE(f.Messages(), QStringList());
}

// A started window on the 2 KHz range whose player file, `name` in a folder
// of its own, sox made at `rate` Hz, mono, 16 bits, with `synth`.
struct SoxPlayerWindow {
    SoxPlayerWindow(const char* name, int rate, const std::string& synth) : file(folder.File(name)) {
        MakeWithSox(rate, "-b 16 -c 1 -e signed", file, synth);
        f.emplace(WaveSettings(0, folder.File("rec.wav"), file));
        StartWithCpu(*f);
    }
    TempFolder folder;
    const std::string file;
    std::optional<WindowFixture> f;
};

}  // namespace

class PlayerTest : public QObject {
    Q_OBJECT

private slots:
    void soxMono16PlaysWithItsTrueTime() {
        TempFolder folder;
        const std::string file = folder.File("mono16.wav");
        MakeWithSox(8050, "-b 16 -c 1 -e signed", file, "synth 80000s sine 300-1200 vol 0.6");
        // 80000 frames at 8000 Hz: 10 s (frames x 2 bytes / 2 bytes / 8000).
        verifyPlays(file, 8050, Channel16(SoxRaw(file, "s16"), 1), "00:00:10");
    }

    void stereo8BitPlaysItsLeftChannelInverted() {
        TempFolder folder;
        const std::string file = folder.File("stereo8.wav");
        MakeWithSox(6050, "-b 8 -c 2 -e unsigned", file, "synth 60000s sine 500 sine 1500 vol 0.7");
        // 60000 frames at 6000 Hz: 10 s, not the 20 s of two one-byte channels.
        verifyPlays(file, 6050, FromUnsigned8(SoxRaw(file, "u8"), 2), "00:00:10");
    }

    void stereo16PlaysItsLeftChannel() {
        TempFolder folder;
        const std::string file = folder.File("stereo16.wav");
        MakeWithSox(4050, "-b 16 -c 2 -e signed", file, "synth 12150s sine 440 square 100 vol 0.5");
        verifyPlays(file, 4050, Channel16(SoxRaw(file, "s16"), 2, 0), "00:00:03");  // 3.04 s
    }

    void ownRecordingPlaysBackAtItsRate() {
        TempFolder folder;
        const std::string file = folder.File("rec.wav");
        {
            WindowFixture f(WaveSettings(1, file, folder.File("none.wav")));
            StartWithCpu(f);
            f.Click("sb_wave_record");
            RunTicking(f, 3000);
            f.Click("sb_wave_record");
        }
        const Bytes bytes = ReadFile(file);
        const std::size_t samples = (bytes.size() - 46) / 2;
        QVERIFY(samples >= 24 * 1024);
        // Samples at the input rate of 8450 Hz: about 3 s.
        QCOMPARE(int(samples / 8450), 3);
        verifyPlays(file, 8450, Channel16(Bytes(bytes.begin() + 46, bytes.end()), 1), "00:00:03");
    }

    void loopStartsAgainAtTheFirstFrame() {
        SoxPlayerWindow w("short.wav", 4050, "synth 3000s sine 700 vol 0.5");
        WindowFixture& f = *w.f;
        f.Click("Check_waveplay_loop");
        f.Click("sb_wave_play");
        f.Card().ClearPlayedSamples();
        auto* bar = f.Find<QSlider>("TrackWavePlayerPosition");
        QCOMPARE(bar->maximum(), 3000);
        RunBlocks(f, 5);
        QCOMPARE(bar->value(), 2560);
        QCOMPARE(f.Find<QLabel>("Panel39")->text(), QStringLiteral("00:00:00"));
        RunBlocks(f, 1);  // 440 frames are left: the end, and back to frame 0
        QCOMPARE(bar->value(), 0);
        RunBlocks(f, 1);
        QCOMPARE(bar->value(), 512);
        RunTicking(f, 2000);
        QVERIFY(down(f, "sb_wave_play"));
        // Each round is the file padded to whole blocks with silence.
        std::vector<std::int16_t> input = Channel16(SoxRaw(w.file, "s16"), 1);
        input.resize(6 * 512, 0);
        std::vector<std::int16_t> rounds;
        for (int k = 0; k < 6; ++k) rounds.insert(rounds.end(), input.begin(), input.end());
        const auto played = f.Card().PlayedSamples();
        QVERIFY(played.size() >= 3 * input.size());
        QVERIFY(Head(played, 3 * input.size()) == Head(ChainOutput(4050, rounds), 3 * input.size()));
    }

    void withoutLoopTheEndReleasesPlayOnTheNextTick() {
        SoxPlayerWindow w("short.wav", 4050, "synth 3000s sine 700 vol 0.5");
        WindowFixture& f = *w.f;
        f.Click("sb_wave_play");
        RunBlocks(f, 6);
        QCOMPARE(f.Find<QSlider>("TrackWavePlayerPosition")->value(), 3000);
        QCOMPARE(f.Find<QLabel>("Panel39")->text(), QStringLiteral("00:00:00"));  // 0.75 s
        QVERIFY(down(f, "sb_wave_play"));
        f.Form().Devices().StatusTick();
        verifyIdleAtTheRange(f);
        // Live input again: the next blocks are the card's signal at 4000 Hz.
        const std::int32_t before = f.Form().State().BlocksProcessed;
        f.Run(1000);
        QVERIFY(f.Form().State().BlocksProcessed > before + 5);
        QCOMPARE(f.Form().Engine().BlockSamples, 512);
    }

    void releasedBeforeTheFirstBlockTheDevicesReturnOnceOneWasProcessed() {
        SoxPlayerWindow w("mono.wav", 8050, "synth 1 sine 700");
        WindowFixture& f = *w.f;
        f.Click("sb_wave_play");
        f.Click("sb_wave_play");  // no block at 8050 Hz has been processed yet
        verifyIdle(f);
        verifyDevices(f, 8050, 2048, 8050);
        f.Form().Devices().StatusTick();  // still nothing processed
        verifyDevices(f, 8050, 2048, 8050);
        RunBlocks(f, 1);
        f.Form().Devices().StatusTick();
        verifyAtTheRange(f);
        RunTicking(f, 1000);
        verifyAtTheRange(f);
        QCOMPARE(f.Messages(), QStringList());
    }

    void pauseHoldsThePositionAndPlaysSilence() {
        SoxPlayerWindow w("mono.wav", 4050, "synth 5 sine 700 vol 0.5");
        WindowFixture& f = *w.f;
        f.Click("sb_wave_play");
        RunBlocks(f, 4);
        auto* bar = f.Find<QSlider>("TrackWavePlayerPosition");
        QCOMPARE(bar->value(), 4 * 512);
        f.Click("sb_waveplayer_pause");
        RunBlocks(f, 2);  // the frame in the synthesis fades out
        f.Card().ClearPlayedSamples();
        RunBlocks(f, 6);
        QCOMPARE(bar->value(), 4 * 512);
        f.Run(200);
        // Past the blocks still queued when the played log was cleared.
        auto played = f.Card().PlayedSamples();
        QVERIFY(played.size() >= 6 * 512);
        QVERIFY(std::all_of(played.begin() + 3 * 512, played.end(), [](std::int16_t s) { return s == 0; }));
        f.Click("sb_waveplayer_pause");
        RunBlocks(f, 1);
        QCOMPARE(bar->value(), 5 * 512);

        // The player's Pause alone (Play up) silences the card's signal.
        f.Click("sb_wave_play");
        f.Click("sb_waveplayer_pause");
        RunBlocks(f, 3);
        f.Card().ClearPlayedSamples();
        RunBlocks(f, 5);
        f.Run(200);
        played = f.Card().PlayedSamples();
        QVERIFY(played.size() >= 5 * 512);
        QVERIFY(std::all_of(played.begin() + 3 * 512, played.end(), [](std::int16_t s) { return s == 0; }));
        f.Click("sb_waveplayer_pause");
        RunBlocks(f, 4);
        f.Run(200);
        played = f.Card().PlayedSamples();
        QVERIFY(std::any_of(played.end() - 512, played.end(), [](std::int16_t s) { return s != 0; }));
    }

    void missingFileIsRefusedWithTheDevicesUntouched() {
        TempFolder folder;
        WindowFixture f(WaveSettings(0, folder.File("rec.wav"), folder.File("missing.wav")));
        StartWithCpu(f);
        f.Click("sb_wave_play");
        QCOMPARE(f.Messages(),
                 QStringList{QStringLiteral("Warning: The audio file does not exist and therefore cannot be played.")});
        verifyIdleAtTheRange(f);
    }

    void unplayableAndBrokenFilesAreRefusedWithTheDevicesUntouched() {
        TempFolder folder;
        const std::string floatFile = folder.File("float.wav");
        MakeWithSox(8000, "-b 32 -c 1 -e floating-point", floatFile, "synth 1 sine 700");
        const std::string textFile = folder.File("text.wav");
        WriteText(textFile, "not a sound file at all, just some words");
        WindowFixture f(WaveSettings(0, folder.File("rec.wav"), floatFile));
        StartWithCpu(f);
        f.Click("sb_wave_play");
        QCOMPARE(f.Messages().size(), 1);
        QVERIFY2(f.Messages().front().startsWith(
                     QStringLiteral("Moravel: This audio file cannot be played: it holds IEEE float, 32 bits, 1 "
                                    "channel")),
                 qPrintable(f.Messages().front()));
        verifyIdleAtTheRange(f);
        RunTicking(f, 1000);  // no return to the range is pending: nothing moves
        verifyAtTheRange(f);

        f.AnswerDialog(QString::fromStdString(textFile));
        f.Click("sb_browse_wave_playfile");
        f.Click("sb_wave_play");
        QCOMPARE(f.Messages().last(), QStringLiteral("Moravel: Not a wave file!"));
        verifyIdleAtTheRange(f);
    }

    void theSameFileCannotBePlayedAndRecorded() {
        TempFolder folder;
        const std::string file = folder.File("same.wav");
        MakeWithSox(4050, "-b 16 -c 1 -e signed", file, "synth 5 sine 700");
        const Bytes original = ReadFile(file);
        {
            // Playing: Record is refused and the file stays as it was.
            WindowFixture f(WaveSettings(0, file, file));
            verifySecondRefused(f, "sb_wave_play", "sb_wave_record");
            RunTicking(f, 500);
            QVERIFY(ReadFile(file) == original);
        }
        {
            // Recording: Play is refused and the devices stay at the range.
            const std::string recording = folder.File("recording.wav");
            WindowFixture f(WaveSettings(0, recording, recording));
            verifySecondRefused(f, "sb_wave_record", "sb_wave_play");
            verifyAtTheRange(f);
        }
    }

    void recordingWhilePlayingHoldsTheProcessedFileAudio() {
        TempFolder folder;
        const std::string source = folder.File("source.wav");
        const std::string recording = folder.File("recording.wav");
        MakeWithSox(8050, "-b 16 -c 1 -e signed", source, "synth 5 sine 300-1500 vol 0.6");
        WindowFixture f(WaveSettings(0, recording, source));
        StartWithCpu(f);
        f.Click("sb_wave_play");
        f.Card().ClearPlayedSamples();
        f.Click("sb_wave_record");
        RunTicking(f, 2000);
        f.Click("sb_wave_record");
        QVERIFY(!f.Find<QComboBox>("ComboAudioRange")->isEnabled());  // the player still runs
        f.Run(500);
        const auto played = f.Card().PlayedSamples();
        f.Click("sb_wave_play");
        QVERIFY(f.Find<QComboBox>("ComboAudioRange")->isEnabled());
        const Bytes bytes = ReadFile(recording);
        const auto recorded = Channel16(Bytes(bytes.begin() + 46, bytes.end()), 1);
        QVERIFY(recorded.size() >= 7 * 1024);
        const auto expected = ChainOutput(8050, Channel16(SoxRaw(source, "s16"), 1));
        QVERIFY(recorded == Head(expected, recorded.size()));
        QCOMPARE(SoxSampleCount(recording), long(recorded.size()));
        // The recording holds what was queued for playback, in step with it.
        QVERIFY(played.size() >= recorded.size());
        QVERIFY(Head(played, recorded.size()) == recorded);
    }

    void browseOpensTheChosenFileAndACancelKeepsTheOldOne() {
        TempFolder folder;
        const std::string first = folder.File("first.wav");
        const std::string chosen = folder.File("chosen.wav");
        WindowFixture f(WaveSettings(0, folder.File("rec.wav"), first));
        auto* panel = f.Find<QLabel>("Panel38");
        VerifyFilePanel(panel, first);
        f.AnswerDialog(QString::fromStdString(chosen));
        f.Click("sb_browse_wave_playfile");
        VerifyWaveDialog(f, moravel::FileDialogRequest::Kind::Open, "Open wave file", first);
        VerifyFilePanel(panel, chosen);
        f.AnswerDialog(QString());
        f.Click("sb_browse_wave_playfile");
        QCOMPARE(panel->text(), QStringLiteral("chosen.wav"));
        f.Form().close();
        QVERIFY(ReadText(f.SettingsPath()).find("WavePlayerFilename=" + chosen) != std::string::npos);
    }

    // A recording of 3 GiB plays: the bar spans it in steps of two one-byte
    // frames, and the bar moved near the end plays on to the end.
    void aRecordingOfMoreThanTwoGibibytesPlaysToItsEnd() {
        TempFolder folder;
        const std::string file = folder.File("long.wav");
        MakeSparseRecording(file, 8000, 3LL << 30, std::vector<std::int16_t>(1024, 1000));
        WindowFixture f(WaveSettings(0, folder.File("rec.wav"), file));
        StartWithCpu(f);
        f.Click("sb_wave_play");
        QCOMPARE(f.Messages(), QStringList());
        QVERIFY(down(f, "sb_wave_play"));
        QCOMPARE(f.Find<QLabel>("Panel40")->text(), QStringLiteral("56:16:32"));
        auto* bar = f.Find<QSlider>("TrackWavePlayerPosition");
        QCOMPARE(bar->maximum(), 1610612736);
        bar->setValue(bar->maximum() - 1024);  // the last 1024 samples
        QCOMPARE(f.Find<QLabel>("Panel39")->text(), QStringLiteral("56:16:32"));
        RunTicking(f, 1000);
        verifyIdle(f);
        QCOMPARE(f.Messages(), QStringList());
    }
};

QTEST_MAIN(PlayerTest)
#include "test_window_player.moc"
