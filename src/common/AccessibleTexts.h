// What a screen reader says about each control of the main window and of its
// dialogs: per window and object name, the accessible name (the visible
// caption first, then what the control acts on where the caption alone is
// ambiguous, e.g. "Pause recording" or "Help: Audio settings"), the
// description (the control's hint, also shown as its tooltip) and, for track
// bars, how their value is spoken. The pages take their hints from here, the
// window and the dialogs their names, so every text is written once.
//
// Plain C++, constant data; any thread.
#pragma once

#include <span>
#include <string_view>

namespace moravel::accessible {

/// One control's texts. Empty fields are not applied.
struct ControlText {
    std::string_view object;       // the control's object name
    std::string_view name;         // accessible name
    std::string_view description;  // accessible description and tooltip (the hint)
    /// Track bars: the object name of the read-out label whose text is the
    /// value the page shows (e.g. "1000 Hz"); spoken instead of the position.
    std::string_view readout;
    /// Track bars without a read-out: appended to the position ("40 %").
    std::string_view unit;
};

/// The windows the table has entries for, by their object names.
inline constexpr std::string_view kMainWindow = "MainForm";
inline constexpr std::string_view kSoundcardDialog = "Form1";  // "Soundcard Configuration"
inline constexpr std::string_view kGradientEditor = "Form2";   // "Spectrogram Color Gradient"
inline constexpr std::string_view kAboutBox = "AboutBox";
inline constexpr std::string_view kAudioDevicesDialog = "AudioDevicesDialog";  // "Audio Devices"

/// Every entry of `window` (none for a window the table does not know), in
/// the order of its pages or rows; object names are unique within a window.
std::span<const ControlText> ControlTexts(std::string_view window = kMainWindow);

/// The entry for `object` in `window`, or nullptr when the table has none.
const ControlText* FindControlText(std::string_view object, std::string_view window = kMainWindow);

/// The hint of `object` in `window`: its description, empty when it has none.
std::string_view HintOf(std::string_view object, std::string_view window = kMainWindow);

/// Gives `control` (a widget of `window`) the accessible name and the
/// description of its entry, the description also as its tooltip; false
/// when the table has no entry for it. A template, so that this header
/// stays free of the GUI library: the widget's own string type holds the
/// texts.
template <typename Widget>
bool ApplyControlText(Widget& control, std::string_view window) {
    const ControlText* text = FindControlText(control.objectName().toStdString(), window);
    if (text == nullptr) return false;
    using String = decltype(control.accessibleName());
    const auto string = [](std::string_view utf8) {
        return String::fromUtf8(utf8.data(), static_cast<int>(utf8.size()));
    };
    control.setAccessibleName(string(text->name));
    if (!text->description.empty()) {
        control.setAccessibleDescription(string(text->description));
        control.setToolTip(string(text->description));
    }
    return true;
}

}  // namespace moravel::accessible
