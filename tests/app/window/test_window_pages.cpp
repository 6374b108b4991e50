// The pages against the control table: every track bar, list and switch the
// table names exists under that name with the table's range, steps, items
// and position, both as the pages build it and in the real main window after
// it has taken up the settings file; and the preset list applies a preset by
// its text, whatever place the item has in the list.
#include "common/ControlTable.h"
#include "WindowFixture.h"
#include "app/window/pages/AudioPage.h"
#include "app/window/pages/EqualizerPage.h"
#include "app/window/pages/FilterPage.h"
#include "app/window/pages/ShiftPage.h"
#include "app/window/pages/ThresholdGainPage.h"
#include "app/window/pages/SpectrogramPage.h"
#include "app/window/pages/SpectrumPage.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QSlider>
#include <QTabWidget>
#include <QtTest>

#include <string>
#include <string_view>

using moravel::testing::WindowFixture;
namespace controls = moravel::controls;

namespace {

QString textOf(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// The widget named `name` under `root`; a test failure when there is none.
template <typename T>
T* findIn(QObject* root, std::string_view name) {
    T* widget = root->findChild<T*>(textOf(name));
    if (widget == nullptr) QTest::qFail(("no control named " + std::string(name)).c_str(), __FILE__, __LINE__);
    return widget;
}

// What a control shows: `value` is the expected position, index or state.
void checkTrackBar(QObject* root, const controls::TrackControl& c, int value) {
    const QSlider* slider = findIn<QSlider>(root, c.name);
    if (slider == nullptr) return;
    const QByteArray name = QByteArray(c.name.data(), static_cast<qsizetype>(c.name.size()));
    QVERIFY2(slider->minimum() == c.minimum, name);
    QVERIFY2(slider->maximum() == c.maximum, name);
    QVERIFY2(slider->singleStep() == c.singleStep, name);
    QVERIFY2(slider->pageStep() == c.pageStep, name);
    QVERIFY2(slider->value() == value, name + " at " + QByteArray::number(slider->value()));
}

void checkCombo(QObject* root, const controls::ComboControl& c, int index) {
    const QComboBox* combo = findIn<QComboBox>(root, c.name);
    if (combo == nullptr) return;
    QStringList shown;
    for (int i = 0; i < combo->count(); ++i) shown << combo->itemText(i);
    QStringList table;
    for (std::string_view item : c.items) table << textOf(item);
    QCOMPARE(shown, table);
    QVERIFY2(combo->currentIndex() == index, combo->objectName().toUtf8());
}

void checkSwitch(QObject* root, const controls::SwitchControl& c, bool on) {
    const QAbstractButton* button = findIn<QAbstractButton>(root, c.name);
    if (button == nullptr) return;
    QVERIFY2(button->isChecked() == on, button->objectName().toUtf8());
}

// A [SETTINGS] section moving every stored control away from its default:
// track bars one step above their minimum, lists to their last item,
// switches to the other state.
std::string settingsAwayFromTheDefaults() {
    std::string text = std::string(moravel::testing::kConfiguredMixer) + "[SETTINGS]\n";
    const auto line = [&text](std::string_view key, long long value) {
        text += std::string(key) + "=" + std::to_string(value) + "\n";
    };
    for (const auto& c : controls::kTrackControls) {
        if (!c.key.empty()) line(c.key, c.minimum + 1);
    }
    for (const auto& c : controls::kComboControls) {
        if (!c.key.empty()) line(c.key, c.Count() - 1);
    }
    for (const auto& c : controls::kSwitchControls) line(c.key, c.keyDefault ? 0 : 1);
    return text;
}

}  // namespace

class PagesTest : public QObject {
    Q_OBJECT

private slots:
    // The pages alone, before the window takes up any settings.
    void pagesAreBuiltAsTheTableSays() {
        QTabWidget tabs;
        const moravel::AudioPage audio(&tabs);
        const moravel::SpectrumPage spectrum(&tabs);
        const moravel::SpectrogramPage spectrogram(&tabs);
        const moravel::FilterPage filter(&tabs);
        const moravel::ShiftPage shift(&tabs);
        const moravel::ThresholdGainPage compress(&tabs, moravel::kCompressPage);
        const moravel::ThresholdGainPage expand(&tabs, moravel::kExpandPage);
        const moravel::EqualizerPage equalizer(&tabs);
        for (const auto& c : controls::kTrackControls) checkTrackBar(&tabs, c, c.position);
        for (const auto& c : controls::kComboControls) checkCombo(&tabs, c, c.index);
        for (const auto& c : controls::kSwitchControls) checkSwitch(&tabs, c, false);
    }

    // A first run: no stored settings, every stored control at its key's
    // default (as its control takes it), the others where they were built.
    void aFirstRunStartsAtTheKeyDefaults() {
        WindowFixture f;
        for (const auto& c : controls::kTrackControls)
            checkTrackBar(&f.Form(), c, c.key.empty() ? c.position : c.Clamp(c.keyDefault));
        for (const auto& c : controls::kComboControls)
            checkCombo(&f.Form(), c, c.key.empty() ? c.index : c.Select(c.keyDefault));
        for (const auto& c : controls::kSwitchControls) checkSwitch(&f.Form(), c, c.keyDefault);
    }

    // Each control's key in the table is the key the window stores it under.
    void storedValuesReachTheTablesControls() {
        WindowFixture f(settingsAwayFromTheDefaults());
        for (const auto& c : controls::kTrackControls)
            checkTrackBar(&f.Form(), c, c.key.empty() ? c.position : c.minimum + 1);
        for (const auto& c : controls::kComboControls)
            checkCombo(&f.Form(), c, c.key.empty() ? c.index : c.Count() - 1);
        for (const auto& c : controls::kSwitchControls) checkSwitch(&f.Form(), c, !c.keyDefault);
    }

    // An item put in front of the presets moves every preset one place down:
    // choosing "HAM : CW" must still apply CW (band pass, 800 Hz, 100 Hz wide)
    // and not the preset that used to stand at that place.
    void aPresetIsChosenByItsText() {
        WindowFixture f;
        auto* presets = f.Find<QComboBox>("ComboPresetFilters");
        presets->insertItem(0, QStringLiteral("Not a preset"));
        f.Choose("ComboPresetFilters", presets->findText(QStringLiteral("HAM : CW")));
        QCOMPARE(f.Find<QComboBox>("ComboFilterType")->currentIndex(), 1);
        QCOMPARE(f.Find<QSlider>("TrackFilterCenter")->value(), 800);
        QCOMPARE(f.Find<QSlider>("TrackFilterBW")->value(), 100);

        f.Choose("ComboPresetFilters", 0);
        QCOMPARE(f.Find<QSlider>("TrackFilterCenter")->value(), 800);
        QCOMPARE(f.Find<QSlider>("TrackFilterBW")->value(), 100);

        f.Choose("ComboPresetFilters", presets->findText(QStringLiteral("GENERAL : Hum remover")));
        QCOMPARE(f.Find<QComboBox>("ComboFilterType")->currentIndex(), 2);
        QCOMPARE(f.Find<QSlider>("TrackFilterCenter")->value(), 100);
        QCOMPARE(f.Find<QSlider>("TrackFilterBW")->value(), 100);  // a preset without a width keeps it
    }
};

QTEST_MAIN(PagesTest)
#include "test_window_pages.moc"
