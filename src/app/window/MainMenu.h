// The main window's menu bar: File, Spectrum, Spectrogram, Settings and
// Help. Every item has an object name, by which the window connects it and
// the tests and the accessibility table find it.
//
// GUI thread only.
#pragma once

class QAction;
class QMenuBar;
class QWidget;

namespace moravel {

/// Fills `bar` with the menus and their items.
void BuildMainMenu(QMenuBar& bar);

/// The menu item `name` of `window`; throws std::logic_error when it has none.
QAction* MenuAction(const QWidget& window, const char* name);

}  // namespace moravel
