// What a screen reader says about each control of the main window: per object
// name, the accessible name (the visible caption first, then what the control
// acts on where the caption alone is ambiguous, e.g. "Pause recording" or
// "Help: Audio settings"), the description (the control's hint, also shown as
// its tooltip) and, for track bars, how their value is spoken. The pages take
// their hints from here and the window applies the names from here, so every
// text is written once.
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

/// Every entry, in the pages' order; object names are unique.
std::span<const ControlText> ControlTexts();

/// The entry for `object`, or nullptr when the table has none.
const ControlText* FindControlText(std::string_view object);

/// The hint of `object`: its description, empty when it has none.
std::string_view HintOf(std::string_view object);

}  // namespace moravel::accessible
