#include "app/window/pages/SettingsPage.h"

#include <QString>

#include "app/window/pages/PageControls.h"

namespace moravel {

SettingsPage::SettingsPage(QTabWidget* tabs, std::string_view sheetName, const QString& caption)
    : sheet(MakeSheet(tabs, sheetName, caption)) {}

}  // namespace moravel
