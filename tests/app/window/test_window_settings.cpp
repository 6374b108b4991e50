// The settings file through the real window: defaults on a first run, every
// key surviving a restart, the odd stored values, and a file that cannot be
// written.
#include "WindowFixture.h"
#include "settings/WindowSettings.h"

#include <QCheckBox>
#include <QLabel>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>

#include <filesystem>
#include <fstream>
#include <sstream>

using moravel::testing::WindowFixture;

namespace {

std::string readFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

int tabIndex(QTabWidget* tabs, const QString& caption) {
    for (int i = 0; i < tabs->count(); ++i) {
        if (tabs->tabText(i) == caption) return i;
    }
    return -1;
}

bool highlighted(WindowFixture& f, const QString& caption) {
    auto* tabs = f.Find<QTabWidget>("Tab1");
    return tabs->tabBar()->tabTextColor(tabIndex(tabs, caption)) == QColor(Qt::red);
}

}  // namespace

class SettingsTest : public QObject {
    Q_OBJECT

private slots:
    void firstRunStartsWithTheDefaults() {
        WindowFixture f;
        QCOMPARE(f.Find<QSlider>("TrackFilterCenter")->value(), 1000);
        QCOMPARE(f.Find<QSlider>("TrackFilterBW")->value(), 500);
        QCOMPARE(f.Find<QComboBox>("ComboFilterType")->currentIndex(), 1);
        QVERIFY(f.Find<QToolButton>("sb_filter_visible")->isChecked());
        QVERIFY(!f.Find<QToolButton>("sb_filter_on")->isChecked());
        QCOMPARE(f.Find<QSlider>("TrackNoiseblanker1Level")->value(), 10);
        QVERIFY(f.Find<QCheckBox>("CheckAGC")->isChecked());
        QCOMPARE(f.Find<QSlider>("TrackAgcLevel")->value(), 10000);
        QCOMPARE(f.Find<QSlider>("TrackAgcDecay")->value(), 40);
        QCOMPARE(f.Find<QSlider>("TrackSpectrumMax")->value(), 2);  // 0 lands on the minimum
        QCOMPARE(f.Find<QComboBox>("ComboSpectrumResolution")->currentIndex(), 1);
        QCOMPARE(f.Find<QSlider>("TrackSpectrogramGain")->value(), 2000);
        QCOMPARE(f.Find<QLabel>("Panel34")->text(), QStringLiteral("output.wav"));
        QCOMPARE(f.Form().size(), QSize(700, 500));
        QCOMPARE(f.Form().Engine().Resolution, 5);
        f.Start();
        QCOMPARE(f.Find<QComboBox>("ComboPalettePresets")->currentIndex(), 3);  // "Soft Green"
    }

    void everyKeySurvivesARestart() {
        moravel::testing::TempFolder folder;
        const std::string path = folder.File("moravel.ini");
        {
            WindowFixture f(moravel::testing::kConfiguredMixer, path);
            f.Choose("ComboFilterType", 3);
            f.Click("sb_filter_on");
            f.Click("sb_filter_visible");
            f.Find<QSlider>("TrackFilterCenter")->setValue(1234);
            f.Find<QSlider>("TrackFilterBW")->setValue(321);
            f.Find<QCheckBox>("CheckNoiseBlanker1")->setChecked(true);
            f.Find<QSlider>("TrackNoiseblanker1Level")->setValue(7);
            f.Choose("ComboAudioRange", 2);
            f.Find<QSlider>("TrackSpectrumDecay")->setValue(15);
            f.Find<QCheckBox>("CheckSpectrumDecay")->setChecked(false);
            f.Find<QCheckBox>("CheckSpectrumLogarithmic")->setChecked(true);
            f.Find<QCheckBox>("CheckAGC")->setChecked(false);
            f.Find<QSlider>("TrackSpectrogramOffset")->setValue(250);
            f.Find<QSlider>("TrackSpectrogramGain")->setValue(3999);
            f.Click("sb_spectrogram_on");
            f.Click("sb_Spectrum_on");
            f.Click("sb_spectrogram_autoscroll");
            f.Find<QSlider>("tbFreqShift")->setValue(-17);
            f.Click("sb_shift_on");
            f.Choose("ComboFreqShiftRange", 2);
            f.Choose("ComboSpectrumResolution", 2);
            f.Find<QSlider>("TrackAgcDecay")->setValue(123);
            f.Find<QSlider>("TrackAgcLevel")->setValue(25000);
            f.Find<QTabWidget>("Tab1")->setCurrentIndex(8);
            f.Find<QSlider>("TrackSpectrumMax")->setValue(777);
            f.Choose("ComboSpectrumScale", 2);
            f.Click("sb_expander_on");
            f.Click("sb_compressor_on");
            f.Find<QSlider>("eq3")->setValue(-4);
            f.Find<QSlider>("eq7")->setValue(5);
            f.Click("sb_equalizer_on");
            f.Form().close();
        }
        WindowFixture g("", path);
        QCOMPARE(g.Find<QComboBox>("ComboFilterType")->currentIndex(), 3);
        QVERIFY(g.Find<QToolButton>("sb_filter_on")->isChecked());
        QVERIFY(!g.Find<QToolButton>("sb_filter_visible")->isChecked());
        QCOMPARE(g.Find<QSlider>("TrackFilterCenter")->value(), 1234);
        QCOMPARE(g.Find<QSlider>("TrackFilterBW")->value(), 321);
        QVERIFY(g.Find<QCheckBox>("CheckNoiseBlanker1")->isChecked());
        QCOMPARE(g.Find<QSlider>("TrackNoiseblanker1Level")->value(), 7);
        QCOMPARE(g.Find<QComboBox>("ComboAudioRange")->currentIndex(), 2);
        QCOMPARE(g.Find<QSlider>("TrackSpectrumDecay")->value(), 15);
        QVERIFY(!g.Find<QCheckBox>("CheckSpectrumDecay")->isChecked());
        QCOMPARE(g.Form().Engine().SpectrumDecay, 0.0f);
        QVERIFY(g.Find<QCheckBox>("CheckSpectrumLogarithmic")->isChecked());
        QVERIFY(!g.Find<QCheckBox>("CheckAGC")->isChecked());
        QCOMPARE(g.Find<QSlider>("TrackSpectrogramOffset")->value(), 250);
        QCOMPARE(g.Find<QSlider>("TrackSpectrogramGain")->value(), 3999);
        QVERIFY(!g.Find<QToolButton>("sb_spectrogram_on")->isChecked());
        QVERIFY(!g.Find<QToolButton>("sb_Spectrum_on")->isChecked());
        QVERIFY(!g.Find<QToolButton>("sb_spectrogram_autoscroll")->isChecked());
        QCOMPARE(g.Find<QSlider>("tbFreqShift")->value(), -17);
        QVERIFY(g.Find<QToolButton>("sb_shift_on")->isChecked());
        QCOMPARE(g.Find<QComboBox>("ComboFreqShiftRange")->currentIndex(), 2);
        QCOMPARE(g.Form().Devices().NextCycleControls().stages.shiftBins, -17 * 40);
        QCOMPARE(g.Find<QComboBox>("ComboSpectrumResolution")->currentIndex(), 2);
        QCOMPARE(g.Form().Engine().Resolution, 1);
        QCOMPARE(g.Find<QSlider>("TrackAgcDecay")->value(), 123);
        QCOMPARE(g.Find<QSlider>("TrackAgcLevel")->value(), 25000);
        QCOMPARE(g.Find<QTabWidget>("Tab1")->currentIndex(), 8);
        QCOMPARE(g.Find<QSlider>("TrackSpectrumMax")->value(), 777);
        QCOMPARE(g.Find<QComboBox>("ComboSpectrumScale")->currentIndex(), 2);
        QVERIFY(g.Find<QToolButton>("sb_expander_on")->isChecked());
        QVERIFY(g.Find<QToolButton>("sb_compressor_on")->isChecked());
        QCOMPARE(g.Find<QSlider>("eq3")->value(), -4);
        QCOMPARE(g.Find<QSlider>("eq7")->value(), 5);
        QVERIFY(g.Find<QToolButton>("sb_equalizer_on")->isChecked());
        for (const char* tab : {"Filter", "Shift", "Compress", "Expand", "Equalizer"}) {
            QVERIFY2(highlighted(g, QString::fromLatin1(tab)), tab);
        }
        QVERIFY(!highlighted(g, QStringLiteral("Spectrum")));
        // Every key of the write order is in the file (the plot was empty, so
        // no spectrum position was written).
        const std::string text = readFile(path);
        for (const std::string& key : moravel::WindowSettingsWriteOrder()) {
            if (key == "SpectumXPosition") continue;
            QVERIFY2(text.find("\n" + key + "=") != std::string::npos, key.c_str());
        }
        QVERIFY(text.find("SpectumXPosition=") == std::string::npos);
        // A run that changes nothing writes the file again byte for byte:
        // every value went back into the control it came from.
        g.Form().close();
        QCOMPARE(readFile(path), text);
    }

    void oddStoredValues() {
        WindowFixture f(std::string(moravel::testing::kConfiguredMixer) +
                        "[SETTINGS]\nFilterOn=0x1\nFilterCenterFreq=5\nTrackFrequencyShift=500\n"
                        "FilterBandwidth=abc\nSpectumScaleType=7\nAudioRange=9\nWindowState=2\n"
                        "WindowWidth=760\nWindowHeight=520\nSpectumXPosition=77\n");
        QVERIFY(f.Find<QToolButton>("sb_filter_on")->isChecked());
        QVERIFY(highlighted(f, QStringLiteral("Filter")));
        QCOMPARE(f.Find<QSlider>("TrackFilterCenter")->value(), 10);
        QCOMPARE(f.Find<QSlider>("tbFreqShift")->value(), 125);
        QCOMPARE(f.Form().Devices().NextCycleControls().stages.shiftBins, 500);
        QCOMPARE(f.Find<QLabel>("lbl_freq_shift")->text().trimmed(), QStringLiteral("1,000 Hz"));
        QCOMPARE(f.Find<QSlider>("TrackFilterBW")->value(), 500);
        QCOMPARE(f.Find<QComboBox>("ComboSpectrumScale")->currentIndex(), -1);
        QCOMPARE(f.Find<QComboBox>("ComboAudioRange")->currentIndex(), 0);  // a usable range
        f.Form().ShowAsStored();
        QVERIFY(!f.Form().isMaximized());
        QCOMPARE(f.Form().size(), QSize(760, 520));  // fits the offscreen screen's 800 x 800, frame included
        f.Form().close();
        // Nothing was plotted: the older spectrum position stays.
        QVERIFY(readFile(f.SettingsPath()).find("SpectumXPosition=77") != std::string::npos);
    }

    void maximisedWindowIsStoredAndRestored() {
        moravel::testing::TempFolder folder;
        const std::string path = folder.File("moravel.ini");
        {
            WindowFixture f(std::string(moravel::testing::kConfiguredMixer) +
                                "[SETTINGS]\nWindowState=1\nWindowWidth=300\nWindowHeight=200\n",
                            path);
            f.Form().ShowAsStored();
            QVERIFY(f.Form().windowState() & Qt::WindowMaximized);
            f.Form().close();
        }
        const std::string text = readFile(path);
        QVERIFY(text.find("WindowState=1") != std::string::npos);
        QVERIFY(text.find("WindowWidth=300\n") == std::string::npos);
    }

    void unwritableFileClosesAndLosesNothing() {
        moravel::testing::TempFolder folder;
        const std::string blocker = folder.File("not-a-folder");
        moravel::testing::WriteText(blocker, "a file where the settings folder should be\n");
        {
            WindowFixture f("", blocker + "/moravel.ini");
            f.Start();
            f.Form().close();  // writing fails; the window still closes
            QVERIFY(!f.Form().isVisible());
        }
        QCOMPARE(readFile(blocker), std::string("a file where the settings folder should be\n"));
    }
};

QTEST_MAIN(SettingsTest)
#include "test_window_settings.moc"
