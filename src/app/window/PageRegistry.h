// The settings pages in their tab order, with what the window needs to know
// of each beyond its class: its sheet's object name, its "?" button and the
// manual page that button opens, and whether its tab is shown. The help
// buttons of the two plots are listed beside them.
//
// The settings file stores the selected page by its tab index (SelectedTab),
// so a new page goes after the last shown one: the indices stored files hold
// for the shown pages then stay theirs (the hidden Debug page cannot be the
// selected one, its index may move).
// Adding a page: its class (pages/), one row here, and its member in
// SettingsPages, which builds it; ArrangePages throws when the tabs and the
// table disagree, so a forgotten row shows at the first start.
//
// GUI thread only.
#pragma once

#include <QString>
#include <QStringList>

#include <string_view>
#include <utility>
#include <vector>

class QAbstractButton;
class QTabWidget;
class QWidget;

namespace moravel {

struct SettingsPageEntry {
    std::string_view sheet;       // the page's object name, "TabShift"
    std::string_view helpButton;  // its "?" button; empty for none
    std::string_view helpTopic;   // the manual page the button opens
    bool shown = true;            // false: built, but its tab is hidden
};

// clang-format off
inline constexpr SettingsPageEntry kSettingsPages[] = {
    {"TabSoundcard",   "SpeedButton4",  "Soundcard_settings"},
    {"TabAudio",       "SpeedButton7",  "Audio_settings"},
    {"TabSpectrum",    "SpeedButton6",  "Spectrum_settings"},
    {"TabSpectrogram", "SpeedButton8",  "Spectrogram_settings"},
    {"TabFilter",      "SpeedButton9",  "Filter_function"},
    {"TabShift",       "SpeedButton10", "Frequency_shift_function"},
    {"TabCompress",    "SpeedButton11", "Compress_function"},
    {"TabExpand",      "SpeedButton12", "Expand_function"},
    {"TabEqualizer",   "SpeedButton13", "Equalizer_function"},
    {"TabPlayer",      "SpeedButton15", "Sound_player"},
    {"TabRecorder",    "SpeedButton14", "Sound_recorder"},
    {"TabDebug",       {},              {},  false},  // the engine's internals, for development
};

/// The plots' "?" buttons and the manual pages they open.
inline constexpr std::pair<std::string_view, std::string_view> kPlotHelpButtons[] = {
    {"SpeedButton3",  "The_Spectrogram_plot"},
    {"SpeedButton16", "The_Spectrum_plot"},
};
// clang-format on

/// Checks that `tabs` hold the table's pages in its order and hides the tabs
/// of the pages not shown. Throws std::logic_error when they disagree.
void ArrangePages(QTabWidget& tabs);

/// The topics of the table's "?" buttons: the pages' in tab order, then the
/// plots'.
QStringList HelpButtonTopics();

/// Every "?" button of the table (the pages' and the plots') found in
/// `window`, with the topic it opens. Throws std::logic_error for a button
/// that is not there.
std::vector<std::pair<QAbstractButton*, QString>> HelpButtons(const QWidget& window);

}  // namespace moravel
