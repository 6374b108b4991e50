// The window's frame: layout and menus, its placement on the screen, the
// CPU meter's smoothing, the blinking lights, the proportional splitter, the
// help buttons, the page table and the Soundcard page's controls that have
// no mixer yet.
#include "app/window/AboutBox.h"
#include "app/window/WindowPanels.h"
#include "app/window/PlotSplit.h"
#include "app/help/HelpRouter.h"
#include "app/help/HelpWindow.h"
#include "app/core/MemoryStatus.h"
#include "app/window/PageRegistry.h"
#include "app/window/PlotPanes.h"
#include "app/window/StatusStrip.h"
#include "views/Chart.h"
#include "WindowFixture.h"
#include "views/DbMeter.h"

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <QRegularExpression>
#include <QtTest>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

using moravel::testing::WindowFixture;

namespace {

// One CPU's counters in /proc/stat form; only idle (4th) and user (1st) move.
class FakeCpu {
public:
    explicit FakeCpu(WindowFixture& f) : f_(f) {}
    /// One 500 ms tick in which the CPU was busy `busyPercent` of the time.
    void Tick(int busyPercent) {
        user_ += busyPercent;
        idle_ += 100 - busyPercent;
        f_.SetCpuStat("cpu  " + counters() + "\ncpu0 " + counters() + "\n");
        f_.Form().Devices().StatusTick();
    }

private:
    std::string counters() const { return std::to_string(user_) + " 0 0 " + std::to_string(idle_) + " 0 0 0 0 0 0"; }
    WindowFixture& f_;
    long user_ = 0;
    long idle_ = 0;
};

bool lit(QLabel* light) { return light->palette().color(QPalette::Window) == QColor(255, 255, 0); }

void settle() {
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
}

std::string readFile(const std::string& path) {
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The window as it is on the desktop, with its frame.
QString describe(const QRect& r) {
    return QStringLiteral("(%1, %2) %3 x %4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

}  // namespace

class ShellTest : public QObject {
    Q_OBJECT

private slots:
    void windowFrameAndMenus() {
        WindowFixture f;
        QCOMPARE(f.Form().windowTitle(), QStringLiteral("Moravel version 3"));
        auto* tabs = f.Find<QTabWidget>("Tab1");
        const QStringList captions = {"Soundcard", "Audio",  "Spectrum",  "Spectrogram", "Filter",   "Shift",
                                      "Compress",  "Expand", "Equalizer", "Player",      "Recorder", "Debug"};
        QCOMPARE(tabs->count(), captions.size());
        for (int i = 0; i < tabs->count(); ++i) QCOMPARE(tabs->tabText(i), captions[i]);
        QVERIFY(!tabs->isTabVisible(11));
        QCOMPARE(f.Find<QWidget>("SettingsPanel")->height(), 126);
        QCOMPARE(f.Find<QLabel>("Static2")->text(), QStringLiteral("Buffer Error"));
        QCOMPARE(f.Find<QLabel>("Static3")->toolTip(), QStringLiteral("Indicates sampling buffer error (pc too slow)"));

        QStringList menus;
        for (QAction* menu : f.Form().menuBar()->actions()) menus << menu->text();
        QCOMPARE(menus, (QStringList{"&File", "Spectrum", "Spectrogram", "&Settings", "&Help"}));
        QCOMPARE(f.Find<QAction>("Exit1")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_X));
        QCOMPARE(f.Find<QAction>("HelpIndex")->shortcut(), QKeySequence(Qt::Key_F1));
        QVERIFY(!f.Find<QAction>("SpectrogramPrintPreview")->isVisible());
        QMenu* help = f.Form().menuBar()->actions().last()->menu();
        QStringList items;
        for (QAction* item : help->actions()) items << (item->isSeparator() ? QStringLiteral("-") : item->text());
        QCOMPARE(items, (QStringList{"About", "Help Index", "-", "Open the online manual", "Visit the Moravel homepage",
                                     "-", "Nominate a new feature online"}));
    }

    void aStoredSizeLargerThanTheScreenIsFittedToIt() {
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        moravel::testing::TempFolder folder;
        const std::string path = folder.File("moravel.ini");
        QSize real;
        {
            // Written on a larger desktop, with a damaged height.
            WindowFixture f(std::string(moravel::testing::kConfiguredMixer) +
                                "[SETTINGS]\nWindowState=0\nWindowWidth=3000\nWindowHeight=100000\n",
                            path);
            f.Form().ShowAsStored();
            settle();
            const QRect shown = f.Form().frameGeometry();
            QCOMPARE(shown, area);  // frame and all, the window fills the free area
            real = f.Form().size();
            f.Form().close();
        }
        // The size written back is the window's real one.
        const std::string text = readFile(path);
        const std::string width = "\nWindowWidth=" + std::to_string(real.width()) + "\n";
        const std::string height = "\nWindowHeight=" + std::to_string(real.height()) + "\n";
        QVERIFY2(text.find(width) != std::string::npos, text.c_str());
        QVERIFY2(text.find(height) != std::string::npos, text.c_str());
    }

    void aStoredSizeThatFitsIsCentredAsItIs() {
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        WindowFixture f(std::string(moravel::testing::kConfiguredMixer) +
                        "[SETTINGS]\nWindowWidth=700\nWindowHeight=500\n");
        f.Form().ShowAsStored();
        settle();
        const QRect shown = f.Form().frameGeometry();
        QCOMPARE(f.Form().size(), QSize(700, 500));
        QVERIFY2(area.contains(shown), qPrintable(describe(shown) + " outside " + describe(area)));
        // Equal margins, up to the odd pixel.
        QVERIFY(std::abs((shown.left() - area.left()) - (area.right() - shown.right())) <= 1);
        QVERIFY(std::abs((shown.top() - area.top()) - (area.bottom() - shown.bottom())) <= 1);
    }

    void soundcardControlsWaitForTheFirstStart() {
        WindowFixture f;  // every [MIXER] line assigned, the simulated mixer
        const auto enabledOnes = [&f] {
            QStringList enabled;
            for (const char* name : {"CheckBox2", "CheckBox3", "CheckBox4", "CheckBox5", "CheckBox6", "CheckBox7",
                                     "CheckBox8", "TrackBar2", "TrackBar3", "TrackBar4", "TrackBar5", "TrackBar6",
                                     "TrackBar7", "TrackBar8", "ButtonAutoSetAudio"}) {
                if (f.Find<QWidget>(name)->isEnabled()) enabled << QString::fromLatin1(name);
            }
            return enabled;
        };
        QCOMPARE(enabledOnes(), QStringList());  // nothing read from the mixer yet
        f.Start();
        QVERIFY(f.Form().State().SamplingEnabled);  // the lines were read and found configured
        QCOMPARE(enabledOnes().size(), 15);
    }

    void cpuMeterIsTheMeanOfNewAndShownPercentage() {
        WindowFixture f;
        FakeCpu cpu(f);
        auto* meter = f.Find<moravel::DbMeter>("VUCpu");
        QCOMPARE(meter->Position(), 100);
        QList<int> positions;
        for (int i = 0; i < 8; ++i) {
            cpu.Tick(0);
            positions << meter->Position();
        }
        QCOMPARE(positions, (QList<int>{50, 25, 12, 6, 3, 2, 1, 0}));  // 12.5 → 12, 1.5 → 2, 0.5 → 0
        positions.clear();
        for (int i = 0; i < 4; ++i) {
            cpu.Tick(100);
            positions << meter->Position();
        }
        QCOMPARE(positions, (QList<int>{50, 75, 88, 94}));
    }

    void cpuSamplerErrorIsShownOnceAndEndsTheTick() {
        WindowFixture f;
        f.SetCpuStat("intr 0\n");
        f.Form().State().BufferError = true;
        f.Form().Devices().StatusTick();
        f.Form().Devices().StatusTick();
        QCOMPARE(f.Messages().size(), 1);
        QVERIFY(f.Messages().front().contains("Unable to locate the \"Processor\" performance object"));
        QVERIFY(f.Form().State().BufferError);  // the lights' step was skipped
    }

    void bufferErrorLightsOneTickAndBlinksWhileErrorsRepeat() {
        WindowFixture f;
        FakeCpu cpu(f);
        auto* light = f.Find<QLabel>("Static2");
        f.Form().State().BufferError = true;
        cpu.Tick(10);
        QVERIFY(lit(light));
        QCOMPARE(light->text(), QStringLiteral("Buffer Error"));
        cpu.Tick(10);
        QVERIFY(!lit(light));
        QVERIFY(!f.Form().State().BufferError);
        QList<bool> phases;
        for (int i = 0; i < 4; ++i) {
            f.Form().State().BufferError = true;
            cpu.Tick(10);
            phases << lit(light);
        }
        QCOMPARE(phases, (QList<bool>{true, false, true, false}));
    }

    void recordingLightShowsRecordingOrPaused() {
        WindowFixture f;
        FakeCpu cpu(f);
        auto* light = f.Find<QLabel>("Static3");
        cpu.Tick(10);
        QVERIFY(!lit(light));
        QCOMPARE(light->text(), QStringLiteral("Recording"));
        f.Find<QToolButton>("sb_waverecorder_pause")->setChecked(true);
        cpu.Tick(10);
        QVERIFY(!lit(light));
        QCOMPARE(light->text(), QStringLiteral("Paused"));
        f.Find<QToolButton>("sb_waverecorder_pause")->setChecked(false);
        f.Find<QToolButton>("sb_wave_record")->setChecked(true);
        cpu.Tick(10);
        QVERIFY(lit(light));
        cpu.Tick(10);
        QVERIFY(!lit(light));
    }

    void splitterKeepsItsProportionAndCollapsesBelow50() {
        WindowFixture f(std::string(moravel::testing::kConfiguredMixer) +
                        "[SETTINGS]\nSplitterTop=100\nWindowWidth=800\nWindowHeight=500\n");
        f.Form().show();
        settle();
        auto* top = f.Find<QWidget>("TopPanel");
        auto* back = f.Find<QWidget>("PanelBack");
        QCOMPARE(top->height(), 100);
        const float ratio = f.Form().Panels().Split().Ratio();
        QVERIFY(std::abs(ratio - 100.0f / (back->height() + 1)) < 1e-6f);
        f.Form().resize(800, 800);
        settle();
        QVERIFY(std::abs(top->height() - ratio * back->height()) <= 1.0f);
        f.Form().resize(800, 240);  // the pane would be below 50 pixels
        settle();
        QCOMPARE(top->height(), 3);
        QVERIFY(f.Form().State().LayoutChanged);
    }

    // A shown window closed without a resize stores the height it was given:
    // the first layout must not turn it into a share and back, which lost a
    // pixel on every run.
    void reopenedWindowKeepsTheSplitterHeight() {
        const moravel::testing::TempFolder folder;
        const std::string path = folder.File("moravel.ini");
        moravel::testing::WriteText(path, std::string(moravel::testing::kConfiguredMixer) +
                                              "[SETTINGS]\nSplitterTop=300\nWindowWidth=800\nWindowHeight=500\n");
        for (int run = 0; run < 3; ++run) {
            WindowFixture window("", path);
            window.Form().show();
            settle();
            window.Form().close();
        }
        QVERIFY(moravel::testing::ReadText(path).find("SplitterTop=300\n") != std::string::npos);
    }

    void helpButtonsOpenTheirTopics() {
        WindowFixture f;
        const std::pair<const char*, const char*> buttons[] = {
            {"SpeedButton4", "Soundcard_settings"},  {"SpeedButton9", "Filter_function"},
            {"SpeedButton13", "Equalizer_function"}, {"SpeedButton3", "The_Spectrogram_plot"},
            {"SpeedButton16", "The_Spectrum_plot"},  {"SpeedButton14", "Sound_recorder"}};
        for (const auto& [button, topic] : buttons) {
            f.Click(button);
            const QString page = f.Form().Help().Window()->Browser()->source().fileName();
            QCOMPARE(page, QString::fromLatin1(topic) + ".htm");
        }
        f.Find<QAction>("HelpIndex")->trigger();
        QCOMPARE(f.Form().Help().Window()->Browser()->source().fileName(), QStringLiteral("index.htm"));
        f.Form().Help().Window()->close();
    }

    // The page table is checked against the tabs the page classes built: a
    // page without its row, or rows out of order, stop the start instead of
    // leaving stored page indices and help topics one page off.
    void pagesThatDisagreeWithTheirTableStopTheStart() {
        QTabWidget tabs;
        for (const moravel::SettingsPageEntry& page : moravel::kSettingsPages) {
            auto* sheet = new QWidget;
            sheet->setObjectName(QString::fromUtf8(page.sheet.data(), qsizetype(page.sheet.size())));
            tabs.addTab(sheet, sheet->objectName());
        }
        moravel::ArrangePages(tabs);
        QVERIFY(!tabs.isTabVisible(tabs.count() - 1));  // Debug
        tabs.tabBar()->moveTab(4, 5);
        QVERIFY_THROWS_EXCEPTION(std::logic_error, moravel::ArrangePages(tabs));
        tabs.tabBar()->moveTab(5, 4);
        tabs.insertTab(9, new QWidget, QStringLiteral("New"));
        QVERIFY_THROWS_EXCEPTION(std::logic_error, moravel::ArrangePages(tabs));
    }

    // A failing hook shows its message in a box; while that box is open, the
    // blocks that keep arriving fail the same way and open no second box.
    void aFailureWhileItsMessageIsOpenOpensNoSecondBox() {
        bool clockFails = false;
        WindowFixture f(moravel::testing::kConfiguredMixer, {}, {}, 4096, [&](moravel::MainFormOptions& options) {
            options.showMessage = {};  // the program's own message boxes
            options.stopwatchCounter = [&clockFails, counter = options.stopwatchCounter] {
                if (clockFails) throw std::runtime_error("the stopwatch's clock stopped");
                return counter();
            };
        });
        f.Form().show();
        f.Start();
        f.Run(1000);
        moravel::Chart* chart = f.Form().Panels().Spectrogram().chart;
        int mostOpen = 0;
        int polls = 0;
        QTimer watch;  // counts the open boxes, asks for another failure, then closes them
        QObject::connect(&watch, &QTimer::timeout, [&] {
            QList<QMessageBox*> boxes;
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* box = qobject_cast<QMessageBox*>(w); box != nullptr && box->isVisible()) boxes << box;
            mostOpen = std::max(mostOpen, static_cast<int>(boxes.size()));
            if (boxes.size() > 1) clockFails = false;  // a pile-up: let it unwind, the check below fails
            if (++polls < 4 && !boxes.isEmpty()) {
                f.Card().RunFor(std::chrono::milliseconds(200));  // blocks whose cycle fails too
                return;
            }
            for (QMessageBox* box : boxes) box->reject();
        });
        watch.start(50);
        clockFails = true;
        chart->replot();  // the first box: returns once the watch closed it
        watch.stop();
        clockFails = false;
        QCOMPARE(mostOpen, 1);
        QVERIFY(polls >= 4);
    }

    void aboutBoxShowsTheSystemsMemory() {
        const moravel::MemoryStatus memory =
            moravel::ParseMemoryStatus("MemTotal: 8000000 kB\nMemFree: 100 kB\nMemAvailable: 2000000 kB\n");
        moravel::AboutBox box(memory, QStringLiteral(","), nullptr);
        QCOMPARE(box.findChild<QLabel*>("PhysMem")->text(), QStringLiteral("2,000,000 KB"));
        QCOMPARE(box.findChild<QLabel*>("MemoryLoad")->text(), QStringLiteral("75 %"));
        QCOMPARE(box.findChild<QLabel*>("ProductName")->text(), QStringLiteral("<b>Moravel Ver 3.0</b>"));
    }

    void aboutBoxGivesTheFullVersionAndTheLicence() {
        moravel::AboutBox box(moravel::ParseMemoryStatus("MemTotal: 8 kB\nMemAvailable: 2 kB\n"), QStringLiteral(","),
                               nullptr);
        const QString text = box.findChild<QLabel*>("Licence")->text();
        // A release build's version, or one with later changes after it.
        static const QRegularExpression version(
            QStringLiteral("^Version \\d+\\.\\d+\\.\\d+(\\+git\\.\\d+\\.[0-9a-f]{7})?\\. "));
        QVERIFY2(version.match(text).hasMatch(), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("GNU General Public License, version 3 or (at your option) any later")));
        QVERIFY(text.contains(QStringLiteral("NO WARRANTY")));
    }
};

QTEST_MAIN(ShellTest)
#include "test_window_shell.moc"
