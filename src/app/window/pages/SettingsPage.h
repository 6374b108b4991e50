// What every settings page has: its sheet, the widget of its tab, made and
// appended to the tab control first, before the page lays its controls out
// on it. Each page's members carry, in their comments, the object names
// (in quotes, or the control table's row) that the tests, the settings and
// the accessible texts find the controls by.
//
// Layout only: the controllers connect the controls. GUI thread only.
#pragma once

#include <string_view>

class QString;
class QTabWidget;
class QWidget;

namespace moravel {

class SettingsPage {
public:
    /// Makes the sheet `sheetName` and appends it to `tabs` as `caption`.
    SettingsPage(QTabWidget* tabs, std::string_view sheetName, const QString& caption);
    // Qt owns the widgets; a copy would only alias them.
    SettingsPage(const SettingsPage&) = delete;
    SettingsPage& operator=(const SettingsPage&) = delete;

    QWidget* sheet;
};

}  // namespace moravel
