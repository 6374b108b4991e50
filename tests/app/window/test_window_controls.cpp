// The processing pages through their real controls: each control changes
// what is played, and the pages' own rules (presets, the bandwidth track
// bar's enabled state, shift label, equalizer labels, "Defaults" buttons).
#include "dsp/Engine.h"
#include "WindowFixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QSlider>
#include <QToolButton>
#include <QtTest>

#include <functional>
#include <vector>

using moravel::testing::WindowFixture;

namespace {

using Setup = std::function<void(WindowFixture&)>;

// AGC off, so that each stage's effect is not levelled out.
const std::string kPlainChain = std::string(moravel::testing::kConfiguredMixer) + "[SETTINGS]\nAGC_enabled=0\n";

// What the window plays in two seconds of the virtual card's signal after `setup`.
std::vector<std::int16_t> playedAfter(const Setup& setup) {
    WindowFixture f(kPlainChain);
    setup(f);
    f.Start();
    f.Run(2000);
    return f.Card().PlayedSamples();
}

double energy(const std::vector<std::int16_t>& samples) {
    double sum = 0;
    for (std::int16_t s : samples) sum += double(s) * s;
    return sum;
}

void setSlider(WindowFixture& f, const char* name, int value) { f.Find<QSlider>(name)->setValue(value); }

}  // namespace

class ControlsTest : public QObject {
    Q_OBJECT

private slots:
    void everyControlChangesTheOutput_data() {
        QTest::addColumn<Setup>("reference");
        QTest::addColumn<Setup>("change");
        const Setup none = [](WindowFixture&) {};
        const Setup filterOn = [](WindowFixture& f) { f.Click("sb_filter_on"); };
        const Setup shiftOn = [](WindowFixture& f) {
            f.Click("sb_shift_on");
            setSlider(f, "tbFreqShift", 20);
        };
        const Setup agcOn = [](WindowFixture& f) { f.Find<QCheckBox>("CheckAGC")->setChecked(true); };
        const Setup compressorOn = [](WindowFixture& f) { f.Click("sb_compressor_on"); };
        const Setup expanderOn = [](WindowFixture& f) { f.Click("sb_expander_on"); };
        const Setup equalizerOn = [](WindowFixture& f) { f.Click("sb_equalizer_on"); };
        const Setup noiseBlankerOn = [](WindowFixture& f) {
            f.Find<QCheckBox>("CheckNoiseBlanker1")->setChecked(true);
        };
        QTest::newRow("AGC on") << none << agcOn;
        QTest::newRow("AGC level") << agcOn << Setup([](WindowFixture& f) { setSlider(f, "TrackAgcLevel", 3000); });
        QTest::newRow("AGC decay") << agcOn << Setup([](WindowFixture& f) { setSlider(f, "TrackAgcDecay", 2); });
        QTest::newRow("noise blanker on") << none << noiseBlankerOn;
        QTest::newRow("noise blanker level")
            << noiseBlankerOn << Setup([](WindowFixture& f) { setSlider(f, "TrackNoiseblanker1Level", 20); });
        QTest::newRow("audio range") << none << Setup([](WindowFixture& f) {
            f.Find<QComboBox>("ComboAudioRange")->setCurrentIndex(1);
        });
        QTest::newRow("filter on") << none << filterOn;
        QTest::newRow("filter centre") << filterOn
                                       << Setup([](WindowFixture& f) { setSlider(f, "TrackFilterCenter", 800); });
        QTest::newRow("filter width") << filterOn << Setup([](WindowFixture& f) { setSlider(f, "TrackFilterBW", 60); });
        QTest::newRow("filter type") << filterOn << Setup([](WindowFixture& f) { f.Choose("ComboFilterType", 0); });
        QTest::newRow("filter preset") << filterOn
                                       << Setup([](WindowFixture& f) { f.Choose("ComboPresetFilters", 2); });
        QTest::newRow("shift on") << none << shiftOn;
        QTest::newRow("shift amount") << shiftOn << Setup([](WindowFixture& f) { setSlider(f, "tbFreqShift", -20); });
        QTest::newRow("shift range") << shiftOn
                                     << Setup([](WindowFixture& f) { f.Choose("ComboFreqShiftRange", 1); });
        QTest::newRow("compressor on") << none << compressorOn;
        QTest::newRow("compressor threshold")
            << compressorOn << Setup([](WindowFixture& f) { setSlider(f, "TrackCompressorThreshold", -50); });
        QTest::newRow("compressor gain")
            << compressorOn << Setup([](WindowFixture& f) { setSlider(f, "TrackCompressorGain", -10); });
        QTest::newRow("expander on") << none << expanderOn;
        QTest::newRow("expander threshold")
            << expanderOn << Setup([](WindowFixture& f) { setSlider(f, "TrackExpanderThreshold", 50); });
        QTest::newRow("expander gain") << expanderOn
                                       << Setup([](WindowFixture& f) { setSlider(f, "TrackExpanderGain", 10); });
        QTest::newRow("equalizer on") << none << equalizerOn;
        for (const char* band : {"eq1", "eq4", "eq7"}) {
            QTest::newRow(band) << equalizerOn << Setup([band](WindowFixture& f) { setSlider(f, band, -5); });
        }
    }

    void everyControlChangesTheOutput() {
        QFETCH(Setup, reference);
        QFETCH(Setup, change);
        const auto before = playedAfter(reference);
        QVERIFY(before.size() > 5000);
        QCOMPARE(playedAfter(reference), before);  // the card's signal is the same every run
        const auto after = playedAfter([&](WindowFixture& f) {
            reference(f);
            change(f);
        });
        QVERIFY(after != before);
    }

    void filterAndEqualizerDoWhatTheySay() {
        const auto plain = playedAfter([](WindowFixture&) {});
        const auto cw = playedAfter([](WindowFixture& f) {
            f.Click("sb_filter_on");
            f.Choose("ComboPresetFilters", 3);  // "HAM : CW": 800 Hz, 100 Hz wide
        });
        QVERIFY(energy(cw) < 0.5 * energy(plain));
        const auto muted = playedAfter([](WindowFixture& f) {
            f.Click("sb_equalizer_on");
            for (const char* band : {"eq1", "eq2", "eq3", "eq4", "eq5", "eq6", "eq7"}) setSlider(f, band, 5);
        });
        // The first block was processed before the table had its length;
        // from the second on everything is muted.
        QVERIFY(std::all_of(muted.begin() + 1024, muted.end(), [](std::int16_t s) { return s == 0; }));
    }

    void presetsSetTheFilterControls() {
        WindowFixture f;
        f.Start();
        f.Choose("ComboPresetFilters", 3);  // "HAM : CW"
        QCOMPARE(f.Find<QComboBox>("ComboFilterType")->currentIndex(), 1);
        QCOMPARE(f.Find<QSlider>("TrackFilterCenter")->value(), 800);
        QCOMPARE(f.Find<QSlider>("TrackFilterBW")->value(), 100);
        QCOMPARE(f.Find<QLabel>("Label9")->text(), QStringLiteral("800 Hz"));
        QCOMPARE(f.Form().Engine().FilterCenter, 800);
        QCOMPARE(f.Form().Engine().FilterWidth, 100);
        f.Choose("ComboPresetFilters", 0);  // 9000 Hz is above 2000 Hz, the top of this range
        QCOMPARE(f.Form().Engine().FilterCenter, 2000);
        QCOMPARE(f.Form().Engine().FilterType, 0);
        QCOMPARE(f.Find<QSlider>("TrackFilterBW")->value(), 100);  // unchanged
    }

    void bandwidthIsEnabledForBandTypesWhileTheBandIsVisible() {
        WindowFixture f;
        auto* width = f.Find<QSlider>("TrackFilterBW");
        f.Choose("ComboFilterType", 0);
        QVERIFY(!width->isEnabled());
        f.Choose("ComboFilterType", 3);
        QVERIFY(width->isEnabled());
        f.Click("sb_filter_visible");  // band hidden: the type leaves the track bar alone
        f.Choose("ComboFilterType", 2);
        QVERIFY(width->isEnabled());
    }

    // The label and the shift in bins the next block is processed with.
    void shiftLabelBinsAndZero() {
        WindowFixture f;
        setSlider(f, "tbFreqShift", -1);
        f.Choose("ComboFreqShiftRange", 3);
        QCOMPARE(f.Find<QLabel>("lbl_freq_shift")->text().trimmed(), QStringLiteral("-160 Hz"));
        QCOMPARE(f.Form().Devices().NextCycleControls().stages.shiftBins, -80);
        f.Click("sbZeroFShift");
        QCOMPARE(f.Find<QSlider>("tbFreqShift")->value(), 0);
        QCOMPARE(f.Find<QLabel>("lbl_freq_shift")->text().trimmed(), QStringLiteral("0 Hz"));
        QCOMPARE(f.Form().Devices().NextCycleControls().stages.shiftBins, 0);
    }

    void equalizerLabelsFollowSlidersAndRange() {
        WindowFixture f(std::string(moravel::testing::kConfiguredMixer) + "[SETTINGS]\nAudioRange=1\n");
        setSlider(f, "eq1", -5);
        QCOMPARE(f.Find<QLabel>("Label61")->text().trimmed(), QStringLiteral("200 %"));
        setSlider(f, "eq2", 5);
        QCOMPARE(f.Find<QLabel>("Label62")->text().trimmed(), QStringLiteral("0 %"));
        f.Start();
        f.Run(1000);
        f.Form().Devices().DisplayTick();  // the relayout recomputes the table and the band labels
        QStringList bands;
        for (const char* label : {"eqlbl1", "eqlbl2", "eqlbl3", "eqlbl4", "eqlbl5", "eqlbl6", "eqlbl7"}) {
            bands << f.Find<QLabel>(label)->text();
        }
        QCOMPARE(bands, (QStringList{"300", "900", "1,500", "2,100", "2,700", "3,300", "3,900"}));
        QCOMPARE(f.Form().Engine().EqualizerGain[0], 2.0f);
        f.Click("sb_equalizer_reset");
        QCOMPARE(f.Find<QSlider>("eq1")->value(), 0);
        QCOMPARE(f.Find<QLabel>("Label61")->text().trimmed(), QStringLiteral("100 %"));
        QCOMPARE(f.Form().Engine().EqualizerGain[0], 1.0f);
    }

    void defaultsButtons() {
        WindowFixture f;
        setSlider(f, "TrackCompressorThreshold", 30);
        f.Click("SpeedButton1");
        QCOMPARE(f.Find<QSlider>("TrackCompressorThreshold")->value(), 0);
        QCOMPARE(f.Find<QSlider>("TrackCompressorGain")->value(), -5);
        setSlider(f, "TrackExpanderGain", 7);
        f.Click("SpeedButton2");
        QCOMPARE(f.Find<QSlider>("TrackExpanderThreshold")->value(), 0);
        QCOMPARE(f.Find<QSlider>("TrackExpanderGain")->value(), 0);
        setSlider(f, "TrackAgcLevel", 2000);
        f.Click("SpeedButton5");
        QCOMPARE(f.Find<QSlider>("TrackAgcDecay")->value(), 40);
        QCOMPARE(f.Find<QSlider>("TrackAgcLevel")->value(), 10000);
    }
};

QTEST_MAIN(ControlsTest)
#include "test_window_controls.moc"
