// Applies the table of accessible texts (AccessibleTexts.h) to a window's
// widgets by object name: accessible name and description, and for track
// bars the read-out or unit their value is spoken with (AccessibleValues.h),
// for combo boxes a hidden label that carries the name on Linux.
// Also the status strip's lights, whose names follow their state.
// GUI thread only.
#pragma once

#include <QStringList>

class QLabel;
class QString;
class QWidget;

namespace moravel {

/// Names every widget under `root` (and `root` itself) that has an entry
/// in the table's section for `root` (by its object name: the main window,
/// a dialog). Call it once the window's handlers are connected, so that a track
/// bar's read-out is written before its new value is announced. Returns the
/// object names of the entries that matched no widget under `root`.
QStringList ApplyAccessibleTexts(QWidget* root);

/// An indicator light's accessible name: its text and whether it is active
/// ("Recording: on", "Buffer Error: off"). Set only when it differs, so a
/// blinking light that stays active is not announced at every blink.
void SetLightName(QLabel* light, const QString& text, bool active);

}  // namespace moravel
