#include "app/window/WindowSettingsBinder.h"

#include "app/window/ExportController.h"
#include "app/window/PlayerController.h"
#include "app/window/PlotPanes.h"
#include "app/window/PlotSplit.h"
#include "app/window/RecordOnSignalController.h"
#include "app/window/RecorderController.h"
#include "app/window/SpectrogramPaletteState.h"
#include "views/Chart.h"

#include <qcustomplot.h>

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QCheckBox>
#include <QComboBox>
#include <QMainWindow>
#include <QTabWidget>

#include <algorithm>
#include <cmath>
#include <iostream>
#include <stdexcept>
#include <string>

namespace moravel {

namespace {

using namespace controls;

// What Load does, in order.
enum class Step {
    Set,        // the control `name` from its key
    Announce,   // the control `name` sends the signal of a user's change
    Geometry,   // the window's size and the spectrogram pane's height
    Page,       // the selected page
    FileNames,  // the recorder's and player's files
};

struct LoadStep {
    Step step;
    std::string_view name = {};
};

// The order the values are taken up in. A handler sees the controls set
// before it; the announcements are those whose handlers must run even when
// the stored value equals the built one (the tab highlighting, the engine's
// resolution and decay, the axis of the scale mode, the shift's read-out).
// The spectrum scale is announced once before anything else is set, so that
// the axis starts in the built "Peak hold" range whatever mode follows.
constexpr LoadStep kLoadOrder[] = {
    {Step::Set, kComboFilterType.name},
    {Step::Announce, kComboSpectrumScale.name},
    {Step::Set, kFilterVisible.name},
    {Step::Set, kFilterOn.name},
    {Step::Announce, kFilterOn.name},
    {Step::Set, kTrackFilterCenter.name},
    {Step::Set, kTrackFilterBW.name},
    {Step::Set, kNoiseBlankerOn.name},
    {Step::Set, kTrackNoiseblanker1Level.name},
    {Step::Set, kComboAudioRange.name},
    {Step::Announce, kComboSpectrumResolution.name},
    {Step::Set, kTrackSpectrumDecay.name},
    {Step::Set, kSpectrumDecayOn.name},
    {Step::Announce, kSpectrumDecayOn.name},
    {Step::Set, kSpectrumLogScale.name},
    {Step::Announce, kSpectrumLogScale.name},
    {Step::Set, kAgcOn.name},
    {Step::Geometry},
    {Step::Set, kTrackSpectrogramOffset.name},
    {Step::Set, kTrackSpectrogramGain.name},
    {Step::Set, kSpectrogramOn.name},
    {Step::Announce, kSpectrogramOn.name},
    {Step::Set, kSpectrumOn.name},
    {Step::Announce, kSpectrumOn.name},
    {Step::Set, kSpectrogramScroll.name},
    {Step::Set, kTbFreqShift.name},
    {Step::Set, kShiftOn.name},
    {Step::Set, kComboFreqShiftRange.name},
    {Step::Announce, kShiftOn.name},
    {Step::Announce, kTbFreqShift.name},
    {Step::Set, kComboSpectrumResolution.name},
    {Step::Announce, kComboSpectrumResolution.name},
    {Step::Set, kTrackAgcDecay.name},
    {Step::Set, kTrackAgcLevel.name},
    {Step::Page},
    {Step::Set, kTrackSpectrumMax.name},
    {Step::Set, kComboSpectrumScale.name},
    {Step::Announce, kComboSpectrumScale.name},
    {Step::Announce, "SpectrogramClear"},
    {Step::FileNames},
    {Step::Set, kExpanderOn.name},
    {Step::Announce, kExpanderOn.name},
    {Step::Set, kCompressorOn.name},
    {Step::Announce, kCompressorOn.name},
    {Step::Set, kEqualizerBandControls[0].name},
    {Step::Set, kEqualizerBandControls[1].name},
    {Step::Set, kEqualizerBandControls[2].name},
    {Step::Set, kEqualizerBandControls[3].name},
    {Step::Set, kEqualizerBandControls[4].name},
    {Step::Set, kEqualizerBandControls[5].name},
    {Step::Set, kEqualizerBandControls[6].name},
    {Step::Set, kEqualizerOn.name},
    // Also when no slider moved, so the tab shows a stored "on" at once.
    {Step::Announce, kEqualizerOn.name},
};

QString qName(std::string_view name) { return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())); }

template <typename Widget>
Widget* findIn(QMainWindow& window, std::string_view name) {
    auto* widget = window.findChild<Widget*>(qName(name));
    if (widget == nullptr) throw std::logic_error("The stored control " + std::string(name) + " is not in the window");
    return widget;
}

template <typename Field>
Field& fieldOf(Field* field, std::string_view key) {
    if (field == nullptr) throw std::logic_error("No settings field has the key " + std::string(key));
    return *field;
}

// The signal a user's change of `control` sends, with its present value.
void announce(QWidget* control) {
    if (auto* box = qobject_cast<QCheckBox*>(control)) {
        emit box->toggled(box->isChecked());
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        emit button->clicked(button->isChecked());
    } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
        emit combo->activated(combo->currentIndex());
    } else if (auto* slider = qobject_cast<QAbstractSlider*>(control)) {
        emit slider->valueChanged(slider->value());
    }
}

// A stored index outside the list leaves the combo without a selection,
// except the audio range's: with no range the devices could not be opened,
// so the first range is used instead.
int comboIndex(const ComboControl& control, std::int32_t stored) {
    const std::int32_t index = control.Select(stored);
    return index == kNoSelection && control.name == kComboAudioRange.name ? 0 : index;
}

// Sets the control `name` of `rows` (pairs of a control table row and its
// widget) with `apply`; false when `rows` has no such control.
template <typename Rows, typename Apply>
bool setFirst(const Rows& rows, std::string_view name, Apply apply) {
    for (const auto& [row, widget] : rows) {
        if (row->name != name) continue;
        apply(*row, *widget);
        return true;
    }
    return false;
}

}  // namespace

WindowSettingsBinder::WindowSettingsBinder(Parts parts) : parts_(std::move(parts)) {
    findControls();
    checkLoadOrder();
}

void WindowSettingsBinder::findControls() {
    WindowSettings probe;
    for (const TrackControl& row : kTrackControls) {
        if (row.key.empty()) continue;
        fieldOf(NumberField(probe, row.key), row.key);
        tracks_.emplace_back(&row, findIn<QAbstractSlider>(parts_.window, row.name));
    }
    for (const ComboControl& row : kComboControls) {
        if (row.key.empty()) continue;
        fieldOf(NumberField(probe, row.key), row.key);
        combos_.emplace_back(&row, findIn<QComboBox>(parts_.window, row.name));
    }
    for (const SwitchControl& row : kSwitchControls) {
        fieldOf(SwitchField(probe, row.key), row.key);
        switches_.emplace_back(&row, findIn<QAbstractButton>(parts_.window, row.name));
    }
}

// A stored control that no step sets would be written at close but never
// read back.
void WindowSettingsBinder::checkLoadOrder() const {
    const auto isSet = [](std::string_view name) {
        return std::any_of(std::begin(kLoadOrder), std::end(kLoadOrder),
                           [name](const LoadStep& s) { return s.step == Step::Set && s.name == name; });
    };
    const auto check = [&isSet](std::string_view name) {
        if (!isSet(name)) throw std::logic_error("The stored control " + std::string(name) + " is never loaded");
    };
    for (const auto& [row, widget] : tracks_) check(row->name);
    for (const auto& [row, widget] : combos_) check(row->name);
    for (const auto& [row, widget] : switches_) check(row->name);
}

bool WindowSettingsBinder::set(std::string_view name, WindowSettings& stored) const {
    return setFirst(tracks_, name,
                    [&stored](const TrackControl& row, QAbstractSlider& slider) {
                        slider.setValue(*NumberField(stored, row.key));
                    }) ||
           setFirst(combos_, name,
                    [&stored](const ComboControl& row, QComboBox& combo) {
                        combo.setCurrentIndex(comboIndex(row, *NumberField(stored, row.key)));
                    }) ||
           setFirst(switches_, name, [&stored](const SwitchControl& row, QAbstractButton& button) {
               button.setChecked(*SwitchField(stored, row.key));
           });
}

void WindowSettingsBinder::Load() {
    WindowSettings stored = ReadWindowSettings(parts_.file);
    kept_ = stored;
    for (const LoadStep& step : kLoadOrder) {
        switch (step.step) {
            case Step::Set:
                if (!set(step.name, stored))
                    throw std::logic_error("Load sets " + std::string(step.name) + ", which is not stored");
                break;
            case Step::Announce:
                announce(findIn<QWidget>(parts_.window, step.name));
                break;
            case Step::Geometry:
                applyGeometry(stored);
                break;
            case Step::Page:
                applyPage(stored);
                break;
            case Step::FileNames:
                parts_.recorder.SetFileName(stored.WaveRecorderFilename);
                parts_.player.SetFileName(stored.WavePlayerFilename);
                break;
        }
    }
    parts_.recordOnSignal.Load(parts_.file);
}

// WindowState 1 starts maximised and ignores the stored size; any other
// value starts normal at the stored size.
void WindowSettingsBinder::applyGeometry(const WindowSettings& stored) {
    if (!StartsMaximised(stored)) parts_.window.resize(stored.WindowWidth, stored.WindowHeight);
    parts_.split.SetStoredTop(stored.SplitterTop);
}

// A hidden page (or one that no longer exists) leaves the first page shown.
void WindowSettingsBinder::applyPage(const WindowSettings& stored) {
    QTabWidget& pages = parts_.pages;
    if (stored.SelectedTab >= 0 && stored.SelectedTab < pages.count() && pages.isTabVisible(stored.SelectedTab)) {
        pages.setCurrentIndex(stored.SelectedTab);
    }
}

void WindowSettingsBinder::LoadPalette() {
    ReadPaletteSettings(parts_.file, kept_);
    parts_.palette.Load(kept_);
}

WindowSettings WindowSettingsBinder::Collect() const {
    WindowSettings s = kept_;
    for (const auto& [row, slider] : tracks_) *NumberField(s, row->key) = slider->value();
    for (const auto& [row, combo] : combos_) *NumberField(s, row->key) = combo->currentIndex();
    // A display held still by an export is stored as the user had it.
    for (const auto& [row, button] : switches_) *SwitchField(s, row->key) = parts_.exporter.DisplayChosenOn(*button);
    s.WindowState = parts_.window.isMaximized() ? 1 : 0;
    s.WindowWidth = parts_.window.width();
    s.WindowHeight = parts_.window.height();
    s.SplitterTop = parts_.split.TopHeight();
    s.SelectedTab = parts_.pages.currentIndex();
    s.WaveRecorderFilename = parts_.recorder.FileName();
    s.WavePlayerFilename = parts_.player.FileName();
    parts_.palette.Keep(s);
    return s;
}

void WindowSettingsBinder::Save() {
    const WindowSettings s = Collect();
    const QCPAxis* bottom = parts_.spectrum.chart->xAxis;
    const auto bars = parts_.spectrum.bars->data();
    std::optional<std::int32_t> xPosition;
    if (!bars->isEmpty()) xPosition = static_cast<std::int32_t>(std::nearbyint(bars->constBegin()->key));
    const auto xMinimum = static_cast<std::int32_t>(std::nearbyint(bottom->range().lower));
    try {
        WriteWindowSettings(parts_.file, s, xPosition, xMinimum);
        parts_.recordOnSignal.Store(parts_.file);
    } catch (const std::exception& e) {
        // This is the last chance to say so: the changes of this run are lost.
        const std::string text = "The settings could not be saved to " + parts_.file.FileName() + ": " + e.what();
        std::cerr << "moravel: " << text << '\n';
        parts_.showMessage(QStringLiteral("Moravel"), QString::fromStdString(text));
    }
}

}  // namespace moravel
