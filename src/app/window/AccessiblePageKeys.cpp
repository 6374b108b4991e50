#include "app/window/AccessiblePageKeys.h"

#include <QShortcut>
#include <QTabBar>
#include <QTabWidget>

#include <vector>

namespace moravel {

namespace {

// Ctrl+1 ... Ctrl+9, then Ctrl+0 for the tenth page.
constexpr Qt::Key kPageKeys[] = {Qt::Key_1, Qt::Key_2, Qt::Key_3, Qt::Key_4, Qt::Key_5,
                                 Qt::Key_6, Qt::Key_7, Qt::Key_8, Qt::Key_9, Qt::Key_0};

std::vector<int> VisiblePages(const QTabWidget* tabs) {
    std::vector<int> pages;
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->isTabVisible(i)) pages.push_back(i);
    return pages;
}

void Show(QTabWidget* tabs, int index) {
    tabs->setCurrentIndex(index);
    tabs->tabBar()->setFocus(Qt::ShortcutFocusReason);
}

void AddShortcut(QTabWidget* tabs, QKeySequence keys, std::function<void()> action) {
    auto* shortcut = new QShortcut(keys, tabs->window());
    shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(shortcut, &QShortcut::activated, tabs, std::move(action));
}

}  // namespace

bool ShowVisiblePage(QTabWidget* tabs, int n) {
    const std::vector<int> pages = VisiblePages(tabs);
    if (n < 0 || n >= static_cast<int>(pages.size())) return false;
    Show(tabs, pages[static_cast<std::size_t>(n)]);
    return true;
}

void StepVisiblePage(QTabWidget* tabs, int step) {
    const std::vector<int> pages = VisiblePages(tabs);
    if (pages.empty()) return;
    const int count = static_cast<int>(pages.size());
    int at = 0;
    while (at < count && pages[static_cast<std::size_t>(at)] != tabs->currentIndex()) ++at;
    if (at == count) at = 0;  // the current page is hidden: count from the first
    const int next = ((at + step) % count + count) % count;
    Show(tabs, pages[static_cast<std::size_t>(next)]);
}

void InstallPageShortcuts(QTabWidget* tabs) {
    for (int n = 0; n < static_cast<int>(std::size(kPageKeys)); ++n)
        AddShortcut(tabs, QKeySequence(Qt::CTRL | kPageKeys[n]), [tabs, n] { ShowVisiblePage(tabs, n); });
    AddShortcut(tabs, QKeySequence(Qt::CTRL | Qt::Key_PageDown), [tabs] { StepVisiblePage(tabs, 1); });
    AddShortcut(tabs, QKeySequence(Qt::CTRL | Qt::Key_PageUp), [tabs] { StepVisiblePage(tabs, -1); });
}

}  // namespace moravel
