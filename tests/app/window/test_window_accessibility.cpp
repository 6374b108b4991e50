// The main window and its dialogs as a screen reader and a keyboard user meet
// them: Qt's accessible tree (names, roles, values) and the focus chain.
#include "app/window/AboutBox.h"
#include "app/window/AccessibleNames.h"
#include "app/window/AccessiblePlotKeys.h"
#include "app/window/AccessiblePlotText.h"
#include "common/AccessibleTexts.h"
#include "app/window/AccessibleValues.h"
#include "app/window/AudioDevicesDialog.h"
#include "views/export/ChartRendering.h"
#include "views/gradient/ColorChooser.h"
#include "dsp/Engine.h"
#include "app/window/FileDialog.h"
#include "views/gradient/GradientEditorDialog.h"
#include "app/help/HelpWindow.h"
#include "app/core/MemoryStatus.h"
#include "mixer/setup/MixerSetupDialog.h"
#include "app/window/PlotPanes.h"
#include "app/window/StatusStrip.h"
#include "views/Chart.h"
#include "WindowFixture.h"
#include "views/DbMeter.h"
#include "mixer/simulated/SimulatedMixerService.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMap>
#include <QMenuBar>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSet>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>

#include <cmath>
#include <filesystem>
#include <functional>
#include <string>

using moravel::testing::WindowFixture;

namespace {

// Roles a user acts on; each needs a name of its own.
bool Interactive(QAccessible::Role role) {
    switch (role) {
        case QAccessible::PushButton:
        case QAccessible::CheckBox:
        case QAccessible::RadioButton:
        case QAccessible::ComboBox:
        case QAccessible::Slider:
        case QAccessible::ScrollBar:
        case QAccessible::SpinBox:
        case QAccessible::PageTab:
        case QAccessible::MenuItem:
        case QAccessible::ButtonMenu:
        case QAccessible::ButtonDropDown:
        case QAccessible::EditableText:
        case QAccessible::Link:
            return true;
        default:
            return false;
    }
}

// The name a screen reader gives a control. On Linux Qt reports a combo
// box's current item as its name and its captions through the "labelled by"
// relation, so a combo is known by the labels it has.
QStringList LabelsOf(QAccessibleInterface* node) {
    QStringList labels;
    for (const auto& [label, relation] : node->relations(QAccessible::Label)) labels << label->text(QAccessible::Name);
    return labels;
}

QString NameOf(QAccessibleInterface* node) {
    if (node->role() != QAccessible::ComboBox) return node->text(QAccessible::Name);
    return LabelsOf(node).join(QStringLiteral(", "));
}

// What a walk of an accessible tree found wrong, one line per fault.
struct TreeFaults {
    QStringList unnamed;
    QStringList duplicates;
    /// Combo boxes whose labels (their name on Linux) lack their own name.
    QStringList mislabelled;
};

QString Describe(QAccessibleInterface* node) {
    const QObject* object = node->object();
    return QStringLiteral("%1 '%2' (%3)")
        .arg(int(node->role()))
        .arg(NameOf(node), object != nullptr ? object->objectName() : QStringLiteral("?"));
}

// Walks the tree under `root`. Menu items count as alike only within one
// menu (a screen reader reads them inside their menu); everything else is
// compared across the whole window. A combo box's popup list is its own.
TreeFaults WalkTree(QObject* root) {
    TreeFaults faults;
    QMap<QString, QString> seen;  // (scope, role, name) -> first holder
    std::function<void(QAccessibleInterface*, const QString&)> walk = [&](QAccessibleInterface* node,
                                                                          const QString& menu) {
        const QAccessible::Role role = node->role();
        if (role == QAccessible::ComboBox) {
            const auto* combo = qobject_cast<const QWidget*>(node->object());
            if (combo != nullptr && !combo->accessibleName().isEmpty() &&
                !LabelsOf(node).contains(combo->accessibleName()))
                faults.mislabelled << Describe(node) + QStringLiteral(" is not '") + combo->accessibleName() + "'";
        }
        if (Interactive(role)) {
            const QString name = NameOf(node);
            if (name.trimmed().isEmpty()) {
                faults.unnamed << Describe(node);
            } else {
                const QString key = (role == QAccessible::MenuItem ? menu : QString()) + QLatin1Char('|') +
                                    QString::number(role) + QLatin1Char('|') + name;
                if (seen.contains(key)) {
                    faults.duplicates << Describe(node) + QStringLiteral(" and ") + seen[key];
                } else {
                    seen[key] = Describe(node);
                }
            }
        }
        if (role == QAccessible::ComboBox) return;
        const QString scope = role == QAccessible::MenuItem ? node->text(QAccessible::Name) : menu;
        for (int i = 0; i < node->childCount(); ++i) {
            if (QAccessibleInterface* child = node->child(i)) walk(child, scope);
        }
    };
    walk(QAccessible::queryAccessibleInterface(root), QString());
    return faults;
}

void VerifyTree(QObject* root) {
    const TreeFaults faults = WalkTree(root);
    for (const QString& line : faults.unnamed) qWarning("unnamed: %s", qPrintable(line));
    for (const QString& line : faults.duplicates) qWarning("same name: %s", qPrintable(line));
    for (const QString& line : faults.mislabelled) qWarning("labelled: %s", qPrintable(line));
    QVERIFY(faults.unnamed.isEmpty());
    QVERIFY(faults.duplicates.isEmpty());
    QVERIFY(faults.mislabelled.isEmpty());
}

QAccessibleInterface* Accessible(QObject* object) { return QAccessible::queryAccessibleInterface(object); }

// Widgets a user acts on, as the window builds them (not Qt's own parts
// such as a tab bar's scroll arrows, the menu bar's overflow button or a
// combo box's popup, a window of its own).
bool IsControl(const QWidget* widget, const QWidget* root) {
    if (qobject_cast<const QTabBar*>(widget->parentWidget()) != nullptr) return false;
    if (qobject_cast<const QMenuBar*>(widget->parentWidget()) != nullptr) return false;
    if (widget->window() != root) return false;
    return qobject_cast<const QAbstractButton*>(widget) != nullptr ||
           qobject_cast<const QAbstractSlider*>(widget) != nullptr ||
           qobject_cast<const QComboBox*>(widget) != nullptr || dynamic_cast<const moravel::Chart*>(widget) != nullptr;
}

// Every control of `root` (a dialog) named from its section of the table,
// and every entry of that section naming one of its controls.
void VerifyNamedFromTable(QWidget* root) {
    const std::string window = root->objectName().toStdString();
    QStringList faults;
    for (const auto& text : moravel::accessible::ControlTexts(window)) {
        const QString object = QString::fromUtf8(text.object.data(), text.object.size());
        if (root->findChild<QWidget*>(object) == nullptr) faults << object + QStringLiteral(" missing");
    }
    for (QWidget* widget : root->findChildren<QWidget*>()) {
        if (!IsControl(widget, root)) continue;
        const auto* text = moravel::accessible::FindControlText(widget->objectName().toStdString(), window);
        if (text == nullptr || widget->accessibleName() != QString::fromUtf8(text->name.data(), text->name.size()))
            faults << widget->objectName() + QStringLiteral(" '") + widget->accessibleName() + "'";
    }
    for (const QString& line : faults) qWarning("not from the table: %s", qPrintable(line));
    QVERIFY(faults.isEmpty());
}

// Once the next modal dialog is open: walks its tree, notes its class in
// `seen` and closes it.
void AuditNextModalDialog(QStringList& seen) {
    QTimer::singleShot(0, [&seen] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) return;
        seen << dialog->metaObject()->className();
        VerifyTree(dialog);
        dialog->reject();
    });
}

// Presses `key` in whichever widget has the focus, as a user's keyboard would.
void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* target = QApplication::focusWidget();
    QVERIFY(target != nullptr);
    QTest::keyClick(target, key, modifiers);
}

// The widgets Tab (or Shift+Tab) reaches from `start` until it comes back.
QList<QWidget*> TabWalk(QWidget* start, bool backwards) {
    start->setFocus(Qt::TabFocusReason);
    QList<QWidget*> reached;
    for (int i = 0; i < 300; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, backwards ? Qt::ShiftModifier : Qt::NoModifier);
        QWidget* now = QApplication::focusWidget();
        if (now == start || now == nullptr || reached.contains(now)) break;
        reached << now;
    }
    return reached;
}

// A steady 1500 Hz sine: the spectrum's peak.
class Tone final : public moravel::SampleSource {
public:
    explicit Tone(std::int32_t rate) : rate_(rate) {}
    void Fill(std::int16_t* dest, std::size_t count) override {
        for (std::size_t i = 0; i < count; ++i) {
            phase_ += 2 * M_PI * 1500.0 / rate_;
            dest[i] = static_cast<std::int16_t>(8000 * std::sin(phase_));
        }
    }

private:
    double rate_;
    double phase_ = 0;
};

moravel::SourceFactory ToneAt1500Hz() {
    return [](std::int32_t rate) { return std::make_unique<Tone>(rate); };
}

// The cursor read-out "(mm:ss, 1,234 Hz)" as seconds and hertz.
QPair<int, int> CursorReadOut(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("^\\((\\d+):(\\d\\d), ([\\d,.]+) Hz\\)$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch()) return {-1, -1};
    QString hertz = match.captured(3);
    hertz.remove(QRegularExpression(QStringLiteral("[,.]")));
    return {match.captured(1).toInt() * 60 + match.captured(2).toInt(), hertz.toInt()};
}

// Presses `button` as an assistive client does: the first action its
// accessible interface offers ("Toggle" for a checkable button); then the
// click it leaves to the event loop.
void PressByAction(QAbstractButton* button) {
    QAccessibleActionInterface* actions = QAccessible::queryAccessibleInterface(button)->actionInterface();
    QVERIFY(actions != nullptr && !actions->actionNames().isEmpty());
    actions->doAction(actions->actionNames().first());
    QCoreApplication::sendPostedEvents(button, QEvent::MetaCall);
}

bool TabHighlighted(WindowFixture& f, const char* sheet) {
    auto* tabs = f.Find<QTabWidget>("Tab1");
    return tabs->tabBar()->tabTextColor(tabs->indexOf(f.Find<QWidget>(sheet))) == QColor(Qt::red);
}

class ShownWindow {
public:
    explicit ShownWindow(moravel::SourceFactory source = {})
        : f(moravel::testing::kConfiguredMixer, {}, std::move(source)) {
        f.Form().show();
        QApplication::setActiveWindow(&f.Form());
        QVERIFY(QTest::qWaitForWindowActive(&f.Form()));
        f.Find<QTabWidget>("Tab1")->tabBar()->setFocus(Qt::OtherFocusReason);
    }
    WindowFixture f;
};

// A shown window that has processed half a second, and its spectrogram.
class RunningSpectrogram : public ShownWindow {
public:
    RunningSpectrogram() {
        f.Start();
        f.Run(500);
    }
    moravel::Chart* const chart = f.Find<moravel::Chart>("Chart2");
};

}  // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    // ---- Names -----------------------------------------------------------------

    void everyTableEntryNamesAControlAndEveryControlHasAnEntry() {
        WindowFixture f;
        QCOMPARE(moravel::ApplyAccessibleTexts(&f.Form()), QStringList());
        QStringList withoutEntry;
        for (QWidget* widget : f.Form().findChildren<QWidget*>()) {
            if (IsControl(widget, &f.Form()) &&
                moravel::accessible::FindControlText(widget->objectName().toStdString()) == nullptr)
                withoutEntry << widget->objectName() + QStringLiteral(" (") + widget->metaObject()->className() + ")";
        }
        QCOMPARE(withoutEntry, QStringList());
    }

    void objectNamesOfTheTableAreUnique() {
        QSet<QString> names;
        for (const auto& text : moravel::accessible::ControlTexts()) {
            const QString name = QString::fromUtf8(text.object.data(), text.object.size());
            QVERIFY2(!names.contains(name), qPrintable(name));
            names << name;
        }
    }

    void windowTreeHasNoUnnamedOrAlikeControls() {
        WindowFixture f;
        VerifyTree(&f.Form());
    }

    void namesBeginWithTheCaptionAndSayWhatTheyActOn() {
        WindowFixture f;
        const auto name = [&f](const char* object) {
            return Accessible(f.Find<QWidget>(object))->text(QAccessible::Name);
        };
        QCOMPARE(name("sb_waverecorder_pause"), QStringLiteral("Pause recording"));
        QCOMPARE(name("sb_waveplayer_pause"), QStringLiteral("Pause playing"));
        QCOMPARE(name("CheckBox2"), QStringLiteral("Mic input"));
        QCOMPARE(name("CheckBox4"), QStringLiteral("Mic direct output"));
        QCOMPARE(name("SpeedButton7"), QStringLiteral("Help: Audio settings"));
        QCOMPARE(name("TrackAgcLevel"), QStringLiteral("AGC level"));
        QCOMPARE(name("TrackAgcDecay"), QStringLiteral("AGC decay"));
        QCOMPARE(name("ScrollSpectrogram"), QStringLiteral("Spectrogram time"));
        QVERIFY(NameOf(Accessible(f.Find<QWidget>("ComboPresetFilters"))).startsWith(QStringLiteral("Filter presets")));
        // Visible captions stay as they were.
        QCOMPARE(f.Find<QAbstractButton>("sb_waverecorder_pause")->text(), QStringLiteral("Pause"));
        QCOMPARE(f.Find<QAbstractButton>("SpeedButton7")->text(), QStringLiteral("?"));
    }

    void hintsAreTooltipsAndDescriptions() {
        WindowFixture f;
        auto* volume = f.Find<QSlider>("TrackBar7");
        QCOMPARE(volume->toolTip(), QStringLiteral("Master volume level"));
        QVERIFY(Accessible(volume)->text(QAccessible::Description).endsWith(QStringLiteral("Master volume level")));
        QCOMPARE(f.Find<QComboBox>("ComboFreqShiftRange")->toolTip(),
                 QStringLiteral("Set the range of frequency shift"));
        QCOMPARE(f.Find<QSlider>("TrackCompressorGain")->toolTip(), QStringLiteral("Compressor amplification level"));
        QCOMPARE(Accessible(f.Find<QWidget>("TrackAgcDecay"))->text(QAccessible::Description),
                 QStringLiteral("AGC decay level"));
    }

    // ---- Values ------------------------------------------------------------------

    void trackBarsSpeakTheirValueInThePagesUnit() {
        WindowFixture f;
        auto* center = f.Find<QSlider>("TrackFilterCenter");
        QAccessibleInterface* node = Accessible(center);
        QCOMPARE(node->text(QAccessible::Value), QStringLiteral("1000 Hz"));
        center->setValue(1500);
        QCOMPARE(node->text(QAccessible::Value), QStringLiteral("1500 Hz"));
        QVERIFY(node->text(QAccessible::Description).startsWith(QStringLiteral("1500 Hz")));
        QCOMPARE(node->valueInterface()->currentValue().toInt(), 1500);
        QCOMPARE(node->role(), QAccessible::Slider);

        auto* volume = f.Find<QSlider>("TrackBar3");
        volume->setValue(40);
        QCOMPARE(Accessible(volume)->text(QAccessible::Value), QStringLiteral("40 %"));

        auto* band = f.Find<QSlider>("eq2");
        band->setValue(3);
        QCOMPARE(Accessible(band)->text(QAccessible::Value), f.Find<QLabel>("Label62")->text());
        QVERIFY(Accessible(band)->text(QAccessible::Value).endsWith(QStringLiteral("%")));

        // Bars whose page shows a bare number keep Qt's own value.
        f.Click("SpeedButton1");
        QCOMPARE(Accessible(f.Find<QSlider>("TrackCompressorGain"))->valueInterface()->currentValue().toInt(), -5);
    }

    void metersSpeakTheirLevelInPercent() {
        moravel::DbMeter meter;
        meter.SetGreenMax(80);
        meter.SetYellowMax(0);
        meter.SetRedMax(20);
        meter.SetPosition(23);
        moravel::InstallAccessibleValues();
        QAccessibleInterface* node = Accessible(&meter);
        QCOMPARE(node->role(), QAccessible::ProgressBar);
        QCOMPARE(node->text(QAccessible::Value), QStringLiteral("23 %"));
        meter.SetGreenMax(30);  // full scale 50: 23 of 50 is 46 %
        QCOMPARE(node->text(QAccessible::Value), QStringLiteral("46 %"));
        QCOMPARE(node->valueInterface()->maximumValue().toInt(), 50);
    }

    void lightsSayWhetherTheyAreOn() {
        WindowFixture f;
        long busy = 0;
        const auto tick = [&f, &busy] {  // a 500 ms status tick, the CPU 10 % busy
            busy += 10;
            const std::string counters = std::to_string(busy) + " 0 0 " + std::to_string(9 * busy) + " 0 0 0 0 0 0";
            f.SetCpuStat("cpu  " + counters + "\ncpu0 " + counters + "\n");
            f.Form().Devices().StatusTick();
        };
        tick();
        auto* light = f.Find<QLabel>("Static2");
        QCOMPARE(Accessible(light)->text(QAccessible::Name), QStringLiteral("Buffer Error: off"));
        f.Form().State().BufferError = true;
        tick();  // lit
        QCOMPARE(Accessible(light)->text(QAccessible::Name), QStringLiteral("Buffer Error: on"));
        tick();  // unlit, and the error is over
        tick();
        QCOMPARE(Accessible(light)->text(QAccessible::Name), QStringLiteral("Buffer Error: off"));
        QCOMPARE(Accessible(f.Find<QLabel>("Static3"))->text(QAccessible::Name), QStringLiteral("Recording: off"));
        QVERIFY(f.Messages().isEmpty());
    }

    void statusMetersSpeakTheirLevel() {
        WindowFixture f;
        auto* cpu = f.Find<moravel::DbMeter>("VUCpu");
        cpu->SetPosition(37);  // the CPU meter's scale is 80 + 20
        QCOMPARE(Accessible(cpu)->text(QAccessible::Name), QStringLiteral("CPU"));
        QCOMPARE(Accessible(cpu)->text(QAccessible::Value), QStringLiteral("37 %"));
        auto* audio = f.Find<moravel::DbMeter>("VUAudio");
        audio->SetPosition(75);  // the audio meter's scale is 50 + 25 + 25
        QCOMPARE(Accessible(audio)->text(QAccessible::Name), QStringLiteral("Audio level"));
        QCOMPARE(Accessible(audio)->text(QAccessible::Value), QStringLiteral("75 %"));
    }

    // ---- Plots as text -------------------------------------------------------------

    void filterBandAndPlotTextsAreWorkedOutByHand() {
        QCOMPARE(moravel::FilterBandText(true, moravel::kBandPass, 1000, 250),
                 QStringLiteral("Filter on, Band pass 750 Hz to 1250 Hz"));
        QCOMPARE(moravel::FilterBandText(false, moravel::kLowPass, 3000, 0),
                 QStringLiteral("Filter off, Low pass below 3000 Hz"));
        QCOMPARE(moravel::FilterBandText(true, moravel::kHighPass, 100, 50),
                 QStringLiteral("Filter on, High pass above 100 Hz"));
        QCOMPARE(moravel::FilterBandText(true, moravel::kStopBand, 800, 50),
                 QStringLiteral("Filter on, Stop band 750 Hz to 850 Hz"));
        QCOMPARE(moravel::SpectrumPlotText(QStringLiteral("1,234 Hz"), QStringLiteral("Filter off, x"), QString()),
                 QStringLiteral("Peak 1,234 Hz. Filter off, x"));
    }

    void spectrumPlotDescriptionFollowsThePeak() {
        WindowFixture f(moravel::testing::kConfiguredMixer, {}, ToneAt1500Hz());
        f.Start();
        f.Run(2000);
        auto* chart = f.Find<moravel::Chart>("Chart1");
        const QString description = Accessible(chart)->text(QAccessible::Description);
        const QString peak = f.Find<QLabel>("Label1")->text();
        QVERIFY(peak.endsWith(QStringLiteral(" Hz")));
        QVERIFY2(description.startsWith(QStringLiteral("Peak ") + peak +
                                        QStringLiteral(". Filter off, Band pass 750 Hz "
                                                       "to 1250 Hz")),
                 qPrintable(description));
        QCOMPARE(Accessible(chart)->text(QAccessible::Name), QStringLiteral("Spectrum plot"));
    }

    // ---- Keyboard -----------------------------------------------------------------------

    void arrowKeysOnTheSpectrumPlotMoveTheFilterCentre() {
        ShownWindow w;
        WindowFixture& f = w.f;
        auto* chart = f.Find<moravel::Chart>("Chart1");
        auto* center = f.Find<QSlider>("TrackFilterCenter");
        chart->setFocus(Qt::TabFocusReason);
        QCOMPARE(QApplication::focusWidget(), chart);
        Press(Qt::Key_Right);
        QCOMPARE(center->value(), 1010);
        Press(Qt::Key_Left);
        Press(Qt::Key_Left);
        QCOMPARE(center->value(), 990);
        Press(Qt::Key_PageUp);
        QCOMPARE(center->value(), 1090);
        Press(Qt::Key_PageDown);
        Press(Qt::Key_PageDown);
        QCOMPARE(center->value(), 890);
        QCOMPARE(f.Find<QLabel>("Label9")->text(), QStringLiteral("890 Hz"));
        QVERIFY(
            Accessible(chart)->text(QAccessible::Description).contains(QStringLiteral("Band pass 640 Hz to 1140 Hz")));
        // Space is the right button: the filter on and off.
        QVERIFY(!f.Find<QAbstractButton>("sb_filter_on")->isChecked());
        Press(Qt::Key_Space);
        QVERIFY(f.Find<QAbstractButton>("sb_filter_on")->isChecked());
        QVERIFY(Accessible(chart)->text(QAccessible::Description).contains(QStringLiteral("Filter on, ")));
    }

    void homePutsTheFilterCentreOnThePeak() {
        ShownWindow w(ToneAt1500Hz());
        WindowFixture& f = w.f;
        f.Start();
        f.Run(2000);
        const double peak = f.Form().Engine().PeakFrequency;
        QVERIFY2(std::abs(peak - 1500) <= 40, qPrintable(QString::number(peak)));
        auto* chart = f.Find<moravel::Chart>("Chart1");
        chart->setFocus(Qt::TabFocusReason);
        Press(Qt::Key_Home);
        QCOMPARE(f.Find<QSlider>("TrackFilterCenter")->value(), qRound(peak));
    }

    void arrowKeysOnTheSpectrogramScrollIt() {
        ShownWindow w;
        auto* chart = w.f.Find<moravel::Chart>("Chart2");
        auto* time = w.f.Find<QScrollBar>("ScrollSpectrogram");
        time->setValue(10);
        chart->setFocus(Qt::TabFocusReason);
        Press(Qt::Key_Right);
        QCOMPARE(time->value(), 10 + time->singleStep());
        Press(Qt::Key_Left);
        Press(Qt::Key_Left);
        QCOMPARE(time->value(), 10 - time->singleStep());
    }

    // Up shows higher frequencies: the vertical bar is inverted (its value
    // 0 shows the top of the range), so Up lowers the value.
    void upAndDownOnTheSpectrogramFollowTheFrequencyAxis() {
        RunningSpectrogram w;
        auto* chart = w.chart;
        auto* vertical = w.f.Find<QScrollBar>("ScrollSpectrogramVertical");
        QVERIFY2(vertical->maximum() >= 1000, qPrintable(QString::number(vertical->maximum())));
        vertical->setValue(500);
        const double lower = chart->yAxis->range().lower;
        QCOMPARE(lower, vertical->maximum() - 500.0);
        chart->setFocus(Qt::TabFocusReason);
        Press(Qt::Key_Up);
        QCOMPARE(vertical->value(), 400);
        QCOMPARE(chart->yAxis->range().lower, lower + 100);
        Press(Qt::Key_PageDown);
        Press(Qt::Key_Down);
        QCOMPARE(vertical->value(), 600);
        QCOMPARE(chart->yAxis->range().lower, lower - 100);
        Press(Qt::Key_PageUp);
        QCOMPARE(vertical->value(), 500);
    }

    // With 2 s and 10 Hz per pixel, each Shift step is 2 s or 10 Hz and each
    // Ctrl+Shift step ten times that.
    void shiftArrowsMoveTheSpectrogramsKeyboardCursor() {
        RunningSpectrogram w;
        auto* chart = w.chart;
        auto* readOut = w.f.Find<QLabel>("Label40");
        const QRect plot = chart->PlotRect();
        chart->xAxis->setRange(0, 2.0 * plot.width());
        chart->yAxis->setRange(0, 10.0 * plot.height());
        chart->setFocus(Qt::TabFocusReason);
        Press(Qt::Key_Up, Qt::ShiftModifier);
        const auto [t0, f0] = CursorReadOut(readOut->text());
        QVERIFY2(f0 > 0, qPrintable(readOut->text()));
        // The cursor started in the middle, one pixel up from it.
        QVERIFY2(std::abs(t0 - plot.width()) <= 2 && std::abs(f0 - 5 * plot.height() - 10) <= 10,
                 qPrintable(readOut->text()));
        Press(Qt::Key_Up, Qt::ShiftModifier | Qt::ControlModifier);
        Press(Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(CursorReadOut(readOut->text()), qMakePair(t0 + 2, f0 + 100));
        Press(Qt::Key_Left, Qt::ShiftModifier | Qt::ControlModifier);
        Press(Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(CursorReadOut(readOut->text()), qMakePair(t0 - 18, f0 + 90));
        QCOMPARE(Accessible(chart)->text(QAccessible::Description), QStringLiteral("Cursor ") + readOut->text());
        // Held one pixel inside the plot's top edge.
        for (int i = 0; i < plot.height(); ++i) Press(Qt::Key_Up, Qt::ShiftModifier | Qt::ControlModifier);
        const int top = CursorReadOut(readOut->text()).second;
        QVERIFY2(top < 10 * plot.height() && top >= 10 * plot.height() - 20, qPrintable(readOut->text()));
    }

    // The keyboard cursor is drawn where it stands: a thin white cross with
    // a black edge, gone when the mouse takes the read-out over, and left
    // out of a saved picture.
    void theSpectrogramsKeyboardCursorIsDrawnOnThePlot() {
        RunningSpectrogram w;
        auto* chart = w.chart;
        const QPoint at = chart->PlotRect().center() - QPoint(0, 1);  // the middle, one pixel up
        const auto pixel = [chart](const QPoint& p) {
            QCoreApplication::processEvents();
            return chart->grab().toImage().pixelColor(p);
        };
        const QColor picture = pixel(at);
        QVERIFY(picture != QColor(Qt::white) && picture != QColor(Qt::black));
        chart->setFocus(Qt::TabFocusReason);
        Press(Qt::Key_Up, Qt::ShiftModifier);
        for (const QPoint& arm : {QPoint(0, 0), QPoint(5, 0), QPoint(-5, 0), QPoint(0, 5), QPoint(0, -5)})
            QCOMPARE(pixel(at + arm), QColor(Qt::white));
        QCOMPARE(pixel(at + QPoint(5, 1)), QColor(Qt::black));
        QCOMPARE(moravel::RenderChartBitmap(*chart).pixelColor(at), picture);  // what Save and Copy write
        const QPointF mouse = at + QPoint(40, 40);
        QMouseEvent move(QEvent::MouseMove, mouse, chart->mapToGlobal(mouse), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(chart, &move);
        QCOMPARE(pixel(at), picture);
    }

    // Enter is the double click: the spectrum's window centred on the
    // cursor's frequency.
    void enterOnTheSpectrogramCentresTheSpectrumOnTheCursor() {
        RunningSpectrogram w;
        auto* chart = w.chart;
        auto* spectrum = w.f.Find<moravel::Chart>("Chart1");
        auto* scroll = w.f.Find<QScrollBar>("ScrollSpectrum");
        // 30 Hz per pixel: the cursor's frequency lies well inside the
        // spectrum's scroll range.
        const QRect plot = chart->PlotRect();
        chart->yAxis->setRange(0, 30.0 * plot.height());
        chart->setFocus(Qt::TabFocusReason);
        Press(Qt::Key_Down, Qt::ShiftModifier);
        const int f = CursorReadOut(w.f.Find<QLabel>("Label40")->text()).second;
        const QCPRange window = spectrum->xAxis->range();
        const int span = qRound(window.upper - window.lower);
        QVERIFY2(f - span / 2 > 0 && f - span / 2 < scroll->maximum(),
                 qPrintable(QStringLiteral("%1 Hz, span %2, maximum %3").arg(f).arg(span).arg(scroll->maximum())));
        Press(Qt::Key_Return);
        QVERIFY2(std::abs(scroll->value() - (f - span / 2)) <= 1, qPrintable(QString::number(scroll->value())));
    }

    // Z zooms in on half the plot around the cursor (once), Escape undoes it.
    void zKeyZoomsTheSpectrogramAroundTheCursorAndEscapeUndoesIt() {
        RunningSpectrogram w;
        auto* chart = w.chart;
        auto* zoom = w.f.Find<QAbstractButton>("sb_zoom_spectrogram");
        const QRect plot = chart->PlotRect();
        const QCPRange time = chart->xAxis->range();
        chart->setFocus(Qt::TabFocusReason);
        Press(Qt::Key_Z);
        QVERIFY(zoom->isChecked());
        QVERIFY(chart->IsZoomed());
        const QPoint middle = plot.center();
        QCOMPARE(chart->ZoomRect(), QRect(middle.x() - plot.width() / 4, middle.y() - plot.height() / 4,
                                          plot.width() / 2, plot.height() / 2));
        QVERIFY2(std::abs(chart->xAxis->range().size() - time.size() / 2) <= 2 * time.size() / plot.width() + 1,
                 qPrintable(QString::number(chart->xAxis->range().size())));
        QVERIFY(Accessible(chart)->text(QAccessible::Description).startsWith(QStringLiteral("Zoomed. Cursor (")));
        // One zoom level only: a second Z changes nothing.
        const QCPRange zoomed = chart->xAxis->range();
        Press(Qt::Key_Plus, Qt::ShiftModifier);
        QCOMPARE(chart->xAxis->range(), zoomed);
        Press(Qt::Key_Escape);
        QVERIFY(!zoom->isChecked());
        QVERIFY(!chart->IsZoomed());
        QVERIFY(std::abs(chart->xAxis->range().lower - time.lower) <= 1);
        QVERIFY(std::abs(chart->xAxis->range().size() - time.size()) <= 1);
        QVERIFY(Accessible(chart)->text(QAccessible::Description).startsWith(QStringLiteral("Cursor (")));
        // The minus key ends zoom mode too, also before any zoom.
        zoom->click();
        QVERIFY(zoom->isChecked());
        Press(Qt::Key_Minus);
        QVERIFY(!zoom->isChecked());
    }

    // The keyboard cursor and zoom rectangle on a plot at (10, 20), 400 x 300
    // pixels: its edges are x 10 and 409, y 20 and 319.
    void keyboardCursorAndZoomRectangleStayInsideThePlot() {
        const QRect plot(10, 20, 400, 300);
        QCOMPARE(moravel::MovedCursor(plot, QPoint(-1, -1), 5, 5), QPoint(209, 169));   // not placed: the centre
        QCOMPARE(moravel::MovedCursor(plot, QPoint(10, 100), 1, 0), QPoint(209, 169));  // on the edge: the centre
        QCOMPARE(moravel::MovedCursor(plot, QPoint(209, 169), 1, -10), QPoint(210, 159));
        QCOMPARE(moravel::MovedCursor(plot, QPoint(405, 25), 10, -10), QPoint(408, 21));
        QCOMPARE(moravel::MovedCursor(plot, QPoint(11, 318), -10, 10), QPoint(11, 318));
        QCOMPARE(moravel::MovedCursor(QRect(0, 0, 2, 50), QPoint(1, 1), 0, 1), QPoint(0, 24));  // too narrow

        QCOMPARE(moravel::KeyboardZoomRect(plot, QPoint(210, 170)), QRect(110, 95, 200, 150));
        QCOMPARE(moravel::KeyboardZoomRect(plot, QPoint(30, 300)), QRect(10, 170, 200, 150));  // lower left
        QCOMPARE(moravel::KeyboardZoomRect(plot, QPoint(400, 25)), QRect(210, 20, 200, 150));  // upper right
        QCOMPARE(moravel::KeyboardZoomRect(QRect(0, 0, 5, 5), QPoint(2, 2)), QRect(1, 1, 2, 2));
    }

    void pageShortcutsSwitchPages() {
        ShownWindow w;
        auto* tabs = w.f.Find<QTabWidget>("Tab1");
        Press(Qt::Key_3, Qt::ControlModifier);
        QCOMPARE(tabs->currentWidget()->objectName(), QStringLiteral("TabSpectrum"));
        QCOMPARE(QApplication::focusWidget(), tabs->tabBar());
        Press(Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(tabs->currentWidget()->objectName(), QStringLiteral("TabPlayer"));
        Press(Qt::Key_PageDown, Qt::ControlModifier);
        QCOMPARE(tabs->currentWidget()->objectName(), QStringLiteral("TabRecorder"));
        // The hidden Debug page is skipped: the next page is the first.
        Press(Qt::Key_PageDown, Qt::ControlModifier);
        QCOMPARE(tabs->currentWidget()->objectName(), QStringLiteral("TabSoundcard"));
        Press(Qt::Key_PageUp, Qt::ControlModifier);
        QCOMPARE(tabs->currentWidget()->objectName(), QStringLiteral("TabRecorder"));
    }

    void tabReachesEveryControlOfEveryPage() {
        ShownWindow w;
        auto* tabs = w.f.Find<QTabWidget>("Tab1");
        QStringList unreached;
        for (int page = 0; page < tabs->count(); ++page) {
            if (!tabs->isTabVisible(page)) continue;
            tabs->setCurrentIndex(page);
            for (bool backwards : {false, true}) {
                const QList<QWidget*> reached = TabWalk(tabs->tabBar(), backwards);
                for (QWidget* widget : tabs->widget(page)->findChildren<QWidget*>()) {
                    if (!IsControl(widget, &w.f.Form()) || !widget->isEnabled() || !widget->isVisibleTo(tabs)) continue;
                    if (!reached.contains(widget))
                        unreached << widget->objectName() + (backwards ? QStringLiteral(" (Shift+Tab)") : QString());
                }
                // The plots and their scroll bars are in the walk too.
                for (const char* chart :
                     {"Chart1", "Chart2", "ScrollSpectrum", "ScrollSpectrogram", "ScrollSpectrogramVertical"})
                    if (!reached.contains(w.f.Find<QWidget>(chart))) unreached << QString::fromLatin1(chart);
            }
        }
        QCOMPARE(unreached, QStringList());
    }

    // ---- Buttons --------------------------------------------------------------------------

    // Every toggle of the window pressed through its accessible action does
    // what a click does: its click handlers run once with the new state, and
    // what they switch follows the state shown (the page's tab lit, zoom
    // mode, the filter band drawn); pressed again, all goes back.
    void togglesPressedByTheirActionRunAsWhenClicked() {
        WindowFixture f;
        f.Start();
        auto* chart = f.Find<moravel::Chart>("Chart2");
        const QMap<QString, std::function<bool()>> follows = {
            {"sb_filter_on", [&f] { return TabHighlighted(f, "TabFilter"); }},
            {"sb_filter_visible", [&f] { return !dynamic_cast<moravel::SpectrumPane*>(f.Find<QWidget>("BottomPanel"))->filterBand->data()->isEmpty(); }},
            {"sb_shift_on", [&f] { return TabHighlighted(f, "TabShift"); }},
            {"sb_compressor_on", [&f] { return TabHighlighted(f, "TabCompress"); }},
            {"sb_expander_on", [&f] { return TabHighlighted(f, "TabExpand"); }},
            {"sb_equalizer_on", [&f] { return TabHighlighted(f, "TabEqualizer"); }},
            {"sb_Spectrum_on", [&f] { return TabHighlighted(f, "TabSpectrum"); }},
            {"sb_spectrogram_on", [&f] { return TabHighlighted(f, "TabSpectrogram"); }},
            {"sb_zoom_spectrogram", [chart] { return chart->ZoomAllowed(); }},
            {"sb_wave_record", [&f] { return TabHighlighted(f, "TabRecorder"); }},
        };
        QStringList followed;
        for (QAbstractButton* button : f.Form().findChildren<QAbstractButton*>()) {
            if (!button->isCheckable() || !button->isEnabled() || button->window() != &f.Form()) continue;
            const QString name = button->objectName();
            const bool before = button->isChecked();
            for (const bool expected : {!before, before}) {
                QSignalSpy clicks(button, &QAbstractButton::clicked);
                PressByAction(button);
                QVERIFY2(clicks.count() == 1 && clicks.first().first().toBool() == expected, qPrintable(name));
                QVERIFY2(button->isChecked() == expected, qPrintable(name));
                if (follows.contains(name)) QVERIFY2(follows[name]() == expected, qPrintable(name));
            }
            if (follows.contains(name)) followed << name;
        }
        QCOMPARE(followed.size(), follows.size());
    }

    // What the user met: Record and Play pressed by their action
    // record a file and play it back.
    void recordAndPlayPressedByTheirActionRecordAndPlay() {
        moravel::testing::TempFolder folder;
        const std::string file = folder.File("rec.wav");
        WindowFixture f(std::string(moravel::testing::kConfiguredMixer) + "[SETTINGS]\nWaveRecorderFilename=" + file +
                        "\nWavePlayerFilename=" + file + "\n");
        f.Start();
        f.Run(300);
        auto* record = f.Find<QAbstractButton>("sb_wave_record");
        PressByAction(record);
        QVERIFY(record->isChecked());
        QVERIFY(std::filesystem::exists(file));
        f.Run(1000);
        PressByAction(record);
        QVERIFY(!record->isChecked());
        QVERIFY(std::filesystem::file_size(file) > 44 + 1000);  // the header and the samples of a second
        auto* play = f.Find<QAbstractButton>("sb_wave_play");
        PressByAction(play);
        QVERIFY(play->isChecked());
        QVERIFY(TabHighlighted(f, "TabPlayer"));
        f.Run(500);
        QVERIFY(f.Find<QSlider>("TrackWavePlayerPosition")->value() > 0);
        QVERIFY(f.Messages().isEmpty());
    }

    // ---- Dialogs --------------------------------------------------------------------------

    void aboutBoxTreeIsNamedAndItsLinksTakeTheKeyboard() {
        moravel::AboutBox box(moravel::ParseMemoryStatus("MemTotal: 8 kB\nMemAvailable: 2 kB\n"), QStringLiteral(","),
                               nullptr);
        VerifyTree(&box);
        VerifyNamedFromTable(&box);
        QVERIFY(box.findChild<QLabel*>("Links")->textInteractionFlags() & Qt::LinksAccessibleByKeyboard);
    }

    void helpWindowTreeIsNamed() {
        moravel::HelpWindow help;
        VerifyTree(&help);
        QCOMPARE(Accessible(help.findChild<QWidget*>("HelpBrowser"))->text(QAccessible::Name),
                 QStringLiteral("Help page"));
    }

    void gradientEditorTreeIsNamed() {
        moravel::FunkyGradient gradient;
        moravel::GradientEditorDialog editor(
            gradient, [](QWidget*, moravel::TColor) { return std::nullopt; }, [] {});
        editor.ShowGradient();
        VerifyTree(&editor);
        VerifyNamedFromTable(&editor);
        QCOMPARE(Accessible(editor.findChild<QWidget*>("ControlPoint2"))->text(QAccessible::Name),
                 QStringLiteral("Gradient slider 3"));
        QCOMPARE(NameOf(Accessible(editor.findChild<QWidget*>("acpSinusShape"))).section(QStringLiteral(", "), 0, 0),
                 QStringLiteral("Sinusoidal Shape value"));
    }

    void soundcardDialogTreeIsNamed() {
        moravel::MixerSetupDialog dialog(std::make_shared<moravel::mixer::SimulatedMixerService>(),
                                         moravel::SoundcardSetup{}, {}, {});
        VerifyTree(&dialog);
        VerifyNamedFromTable(&dialog);
        // On Linux a screen reader names a list by its labels: each says
        // which line it is, the two "Microphone" lists apart.
        QCOMPARE(LabelsOf(Accessible(dialog.findChild<QWidget*>("ComboBox6"))).first(), QStringLiteral("Line, Audio In"));
        QCOMPARE(LabelsOf(Accessible(dialog.findChild<QWidget*>("ComboBox3"))).first(),
                 QStringLiteral("Microphone, Audio Out"));
    }

    // A chosen device that is gone stays chosen, marked, and named so;
    // each list is labelled with its own name.
    void audioDevicesDialogTreeIsNamed() {
        moravel::AudioDevicesDialog dialog({"", "hw:9,0"}, [](moravel::AudioDeviceList::Direction) {
            return std::vector<moravel::AudioDeviceEntry>{{"", "System default"}, {"pulse:DEVICE=a", "Speakers"}};
        });
        VerifyTree(&dialog);
        VerifyNamedFromTable(&dialog);
        auto* output = dialog.findChild<QComboBox*>("ComboOutputDevice");
        QCOMPARE(output->currentText(), QStringLiteral("hw:9,0 (not listed)"));
        QVERIFY(LabelsOf(Accessible(output)).contains(QStringLiteral("Output device")));
        QVERIFY(dialog.Chosen() == (moravel::AudioDeviceSettings{"", "hw:9,0"}));
    }

    // The program's file dialog (Qt's own where the desktop has none) and
    // the gradient editor's colour dialog.
    void fileAndColourDialogsAreNamed() {
        QStringList seen;
        AuditNextModalDialog(seen);
        moravel::FileDialogRequest request;
        request.title = QStringLiteral("Save to wave file");
        request.filter = QStringLiteral("Wave format (*.wav)");
        QVERIFY(moravel::ChooseFileWithDialog(nullptr, request).isEmpty());
        AuditNextModalDialog(seen);
        QVERIFY(!moravel::ChooseColorWithDialog(nullptr, 0).has_value());
        QCOMPARE(seen, QStringList({QStringLiteral("QFileDialog"), QStringLiteral("QColorDialog")}));
    }

    // The window's message boxes as the user gets them (no test presenter):
    // the not-configured offer at start and a warning. The warning of Play
    // pressed through its action opens only after the action has returned,
    // so the assistive client that pressed it is free to read the box.
    void messageBoxesAreNamed() {
        WindowFixture f("[SETTINGS]\nWavePlayerFilename=/nonexistent/none.wav\n", {}, {}, 4096,
                        [](moravel::MainFormOptions& options) {
            options.showMessage = {};
            options.offerConfiguration = {};
        });
        QStringList seen;
        AuditNextModalDialog(seen);
        f.Start();  // nothing configured: the offer to configure the card
        AuditNextModalDialog(seen);
        auto* play = f.Find<QAbstractButton>("sb_wave_play");
        QAccessible::queryAccessibleInterface(play)->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        QCOMPARE(seen.size(), 1);
        QCoreApplication::sendPostedEvents(play, QEvent::MetaCall);  // no file to play: a warning
        QCOMPARE(seen, QStringList({QStringLiteral("QMessageBox"), QStringLiteral("QMessageBox")}));
        QVERIFY(!play->isChecked());
    }
};

QTEST_MAIN(AccessibilityTest)
#include "test_window_accessibility.moc"
