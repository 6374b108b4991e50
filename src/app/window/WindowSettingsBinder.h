// The window's values and the settings file's SETTINGS section: every
// control of the control table that has a settings key (ControlTable.h), the
// window's size and maximised state, the height of the spectrogram pane, the
// selected page, the recorder's and player's file names, the palette, and
// the keys the window keeps without a control.
//
// The controls are found in the window by their object names and stored
// under their keys, so saving a new stored control needs no code here; the
// order they are loaded in is an explicit list (kLoadOrder in the source),
// where a new one needs its row (the binder refuses to start without it).
// Load sets each control as the user would and, where the list says so,
// then sends the signal a user's change sends, so the handler connected to
// the control, wherever it lives, takes the value up even when it equals
// the control's built position. The file's key order is WindowSettings'
// (WriteWindowSettings), so a file keeps every byte from one run to the next
// when nothing changed.
//
// Threads: GUI thread only.
#pragma once

#include "common/ControlTable.h"
#include "common/IniFile.h"
#include "app/window/MessagePresenter.h"
#include "settings/WindowSettings.h"

#include <string_view>
#include <utility>
#include <vector>

class QAbstractButton;
class QAbstractSlider;
class QComboBox;
class QMainWindow;
class QTabWidget;
class QWidget;

namespace moravel {

class ExportController;
class PlayerController;
class PlotSplit;
class RecordOnSignalController;
class RecorderController;
class SpectrogramPaletteState;
class SpectrumPane;

class WindowSettingsBinder {
public:
    /// What the values are read from and written to; everything must
    /// outlive the binder.
    struct Parts {
        QMainWindow& window;           // its size; the stored controls are its children
        PlotSplit& split;              // the spectrogram pane's height is SplitterTop
        QTabWidget& pages;             // Tab1: SelectedTab
        const SpectrumPane& spectrum;  // the bars' first frequency and the axis minimum
        RecorderController& recorder;
        PlayerController& player;
        const ExportController& exporter;  // the displays' "On" as the user chose them
        SpectrogramPaletteState& palette;
        RecordOnSignalController& recordOnSignal;  // its own keys in its own section
        IniFile& file;
        MessagePresenter showMessage;
    };

    /// Finds the stored controls; throws std::logic_error when one of the
    /// control table's stored controls is not in the window or Load would
    /// never set it.
    explicit WindowSettingsBinder(Parts parts);

    /// At start-up: the file's values into the controls and the window.
    void Load();
    /// At the first activation: the palette kept in the file.
    void LoadPalette();
    /// At close: every key written at once and atomically, so a failure
    /// (full disk, read-only folder) leaves the file as it was. The reason
    /// is shown and goes to the standard error stream; nothing is thrown.
    void Save();

    /// The values Save writes: the controls', the window's, and the kept ones.
    WindowSettings Collect() const;

    /// The stored WindowState asks for a maximised window.
    bool StartMaximised() const { return StartsMaximised(kept_); }

private:
    void findControls();
    void checkLoadOrder() const;
    /// Sets the stored control `name` to its value in `stored`; false when
    /// `name` is not a stored control.
    bool set(std::string_view name, WindowSettings& stored) const;
    void applyGeometry(const WindowSettings& stored);
    void applyPage(const WindowSettings& stored);

    Parts parts_;
    // Values without a control of their own, written back as read (and the
    // palette, read at the first activation).
    WindowSettings kept_;
    // The stored controls: the control table's row and the widget.
    std::vector<std::pair<const controls::TrackControl*, QAbstractSlider*>> tracks_;
    std::vector<std::pair<const controls::ComboControl*, QComboBox*>> combos_;
    std::vector<std::pair<const controls::SwitchControl*, QAbstractButton*>> switches_;
};

}  // namespace moravel
