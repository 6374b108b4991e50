// Keyboard shortcuts that switch the settings pages from anywhere in the
// window: Ctrl+1 ... Ctrl+9 show the first nine pages, Ctrl+0 the tenth,
// Ctrl+PageDown and Ctrl+PageUp the next and the previous page (wrapping
// round). Hidden pages are skipped and not counted. After a switch the focus
// is on the tab bar, so that a screen reader names the page and Tab enters it.
// GUI thread only.
#pragma once

class QTabWidget;

namespace moravel {

/// Installs the shortcuts on `tabs`' window.
void InstallPageShortcuts(QTabWidget* tabs);

/// Shows the `n`-th visible page (0-based); false when there is none.
bool ShowVisiblePage(QTabWidget* tabs, int n);

/// Shows the visible page `step` pages after (negative: before) the current
/// one, wrapping round.
void StepVisiblePage(QTabWidget* tabs, int step);

}  // namespace moravel
