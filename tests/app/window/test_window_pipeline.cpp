// The live pipeline in the main window: blocks through the whole cycle to the
// output, the late-block rule, the audio range and the unconfigured soundcard.
#include "audio/rate/RateBridge.h"
#include "app/window/WindowPanels.h"
#include "dsp/BlockChain.h"
#include "dsp/Engine.h"
#include "app/window/StatusStrip.h"
#include "WindowFixture.h"
#include "views/DbMeter.h"
#include "app/window/pages/DebugPage.h"
#include "audio/virtual/ReceiverSignal.h"

#include <QLabel>
#include <QScrollBar>
#include <QSlider>
#include <QtTest>

#include <stdexcept>
#include <vector>

using moravel::testing::WindowFixture;

namespace {

// What the chain makes of the virtual card's signal, block by block, with
// every stage off: the reference for the window's output.
std::vector<std::int16_t> expectedOutput(std::int32_t outputRate, std::int32_t bytes, int blocks) {
    moravel::ReceiverSignal source(outputRate - 50);
    auto engine = std::make_unique<moravel::Engine>();
    engine->Configure(outputRate, bytes);
    std::vector<std::int16_t> input(static_cast<std::size_t>(bytes / 2));
    std::vector<std::int16_t> output;
    for (int b = 0; b < blocks; ++b) {
        source.Fill(input.data(), input.size());
        moravel::ProcessBlock(*engine, moravel::StageSwitches{}, input.data(), bytes);
        output.insert(output.end(), engine->OutputBlock, engine->OutputBlock + input.size());
    }
    return output;
}

// The blocks carried from the capture rate to the output's by the live
// output's bridge; the virtual card cannot tell its lead, so the ratio is the
// rates' own throughout.
std::vector<std::int16_t> bridged(const std::vector<std::int16_t>& blocks, int outputRate) {
    moravel::RateBridge bridge({outputRate - 50, outputRate, 0});
    std::vector<std::int16_t> out;
    for (std::size_t at = 0; at + 512 <= blocks.size(); at += 512) {
        const auto& made = bridge.Process(blocks.data() + at, 512, -1);
        out.insert(out.end(), made.begin(), made.end());
    }
    return out;
}

}  // namespace

class PipelineTest : public QObject {
    Q_OBJECT

private slots:
    void outputIsTheChainsOutputOfTheCapturedBlocks() {
        WindowFixture f(std::string(moravel::testing::kConfiguredMixer) + "[SETTINGS]\nAGC_enabled=0\n");
        f.Start();
        QVERIFY(f.Form().State().SamplingEnabled);
        f.Run(2000);
        const auto played = f.Card().PlayedSamples();
        QVERIFY(played.size() >= 512 * 10);
        const auto expected = bridged(expectedOutput(4000, 1024, static_cast<int>(played.size() / 520)), 4000);
        QCOMPARE(std::vector<std::int16_t>(played.begin(), played.begin() + expected.size()), expected);
        QVERIFY(f.Form().State().BlocksProcessed >= 15);
        // The output drains faster than the input fills: nothing piles up.
        QVERIFY(f.Form().State().BlocksProcessed - f.Form().State().BlocksPlayed <= 2);
        const int behind = f.Find<QLabel>("Label47")->text().toInt();
        QVERIFY(behind >= 0 && behind <= 2);
        f.Card().RunFor(std::chrono::milliseconds(200));  // a block, no display tick
        QVERIFY(f.Form().State().DisplayDataPending);
        f.Form().Devices().DisplayTick();
        QVERIFY(!f.Form().State().DisplayDataPending);
    }

    void blockArrivingRightAfterACycleIsDropped() {
        WindowFixture f;
        f.Start();
        f.Run(500);
        std::vector<std::uint8_t> block(1024, 0);
        const auto processed = f.Form().State().BlocksProcessed;
        const auto queued = f.Form().Devices().WaveOut().QueuedBlocks();
        f.Form().Devices().WaveInData(nullptr, block.data(), 1024);  // ~100 ms after the last cycle
        QCOMPARE(f.Form().State().BlocksProcessed, processed + 1);
        QCOMPARE(f.Form().Devices().WaveOut().QueuedBlocks(), queued + 1);
        QVERIFY(!f.Form().State().BufferError);
        f.Form().Devices().WaveInData(nullptr, block.data(), 1024);  // no card time has passed
        QCOMPARE(f.Form().State().BlocksProcessed, processed + 1);
        QCOMPARE(f.Form().Devices().WaveOut().QueuedBlocks(), queued + 1);
        QVERIFY(f.Form().State().BufferError);
        QVERIFY(f.Find<QLabel>("Label71")->text().trimmed().toDouble() < 0.001);
    }

    void audioRangeConfiguresDevicesEngineAndLimits() {
        struct Row { int rate; int bytes; };
        const Row rows[] = {{4000, 1024}, {8500, 2048}, {16000, 4096}, {31000, 8192}};
        WindowFixture f;
        f.Start();
        for (int index : {3, 1, 2, 0}) {
            f.Run(400);  // a processed block clears the pending reconfiguration
            f.Choose("ComboAudioRange", index);
            const Row& row = rows[index];
            QCOMPARE(f.Form().Devices().WaveIn().samples, row.rate - 50);
            QCOMPARE(f.Form().Devices().WaveOut().samples, row.rate);
            QCOMPARE(f.Form().Devices().WaveIn().BufferSize, row.bytes);
            QCOMPARE(f.Form().Engine().SampleRate, row.rate - 50);  // the blocks' true rate
            QCOMPARE(f.Find<QScrollBar>("ScrollSpectrum")->maximum(), row.rate / 2);
            QCOMPARE(f.Find<QSlider>("TrackFilterCenter")->maximum(), row.rate / 2);
            f.Run(600);
            QCOMPARE(f.Form().Engine().BlockSamples, row.bytes / 2);
        }
    }

    // A range outside the list is named in the error, before the running
    // devices are touched.
    void rangeOutsideTheListIsNamedAndLeavesTheDevicesRunning() {
        WindowFixture f;
        f.Start();
        const int rate = f.Form().Devices().WaveOut().samples;
        QVERIFY_THROWS_EXCEPTION(std::range_error, f.Form().Devices().SetAudioRange(4));
        try {
            f.Form().Devices().SetAudioRange(-1);
            QFAIL("range -1 was accepted");
        } catch (const std::range_error& error) {
            QCOMPARE(QString::fromUtf8(error.what()), QStringLiteral("Audio range -1 is not one of the 4 ranges"));
        }
        QVERIFY(f.Form().Devices().WaveIn().IsOpen());
        QCOMPARE(f.Form().Devices().WaveOut().samples, rate);
    }

    void secondSelectionBeforeAnyBlockHasNoEffect() {
        WindowFixture f;
        f.Start();
        f.Run(400);
        f.Choose("ComboAudioRange", 2);
        f.Choose("ComboAudioRange", 3);
        QCOMPARE(f.Find<QComboBox>("ComboAudioRange")->currentIndex(), 3);
        QCOMPARE(f.Form().Devices().WaveOut().samples, 16000);
        QCOMPARE(f.Form().Engine().SampleRate, 15950);
    }

    void unconfiguredSoundcardStartsNothing() {
        WindowFixture f("[MIXER]\nMicrophone_Out=0\nLine_Out=1\nWave_Out=-1\nMicrophone_In=0\n");
        f.Start();
        QCOMPARE(f.Messages().size(), 1);
        QCOMPARE(f.Messages().front(),
                 QStringLiteral("Moravel Configuration: Your soundcard is not configured, you should configure it "
                                "before Moravel will run. Click \"Settings, Soundcard\" to do it."));
        QVERIFY(!f.Form().State().SamplingEnabled);
        QVERIFY(!f.Form().Devices().WaveIn().IsOpen());
        QCOMPARE(f.Card().OpenDevices(), std::size_t{0});
        f.Run(500);
        QCOMPARE(f.Form().State().BlocksProcessed, 0);
        // Only the first activation starts: a second one shows nothing more.
        f.Form().FormActivate();
        QCOMPARE(f.Messages().size(), 1);
    }

    void outputMeterShowsThePeakInPercent() {
        WindowFixture f;
        f.Start();
        f.Run(1000);
        f.Form().Devices().DisplayTick();
        const int peak = f.Form().State().OutputPeak;
        QVERIFY(peak > 0);
        QCOMPARE(f.Form().Panels().Status().audioMeter->Position(), static_cast<int>(std::nearbyint(peak / 100.0)));
    }

    void agcMeterFollowsTheGainWhileOn() {
        WindowFixture f;  // AGC is on by default
        f.Start();
        f.Run(1000);
        QCOMPARE(f.Find<moravel::DbMeter>("VUAgcLevel")->Position(),
                 moravel::AgcMeterPosition(f.Form().Engine().AgcGain));
        f.Click("CheckAGC");
        QCOMPARE(f.Find<moravel::DbMeter>("VUAgcLevel")->Position(), 0);
    }
};

QTEST_MAIN(PipelineTest)
#include "test_window_pipeline.moc"
