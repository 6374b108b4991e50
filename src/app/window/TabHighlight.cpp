#include "app/window/TabHighlight.h"

#include <QColor>
#include <QTabBar>
#include <QTabWidget>

namespace moravel {

void HighlightTab(QTabWidget& tabs, QWidget* sheet, bool on) {
    const int index = tabs.indexOf(sheet);
    if (index < 0) return;
    tabs.tabBar()->setTabTextColor(index, on ? QColor(Qt::red) : QColor());
}

}  // namespace moravel
