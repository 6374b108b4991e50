// A settings page's tab shows whether the page's function is on: its
// lettering turns red while it is (the filter, the shift, the dynamics
// stages, the equalizer, the displays, the recorder and the player).
// GUI thread only.
#pragma once

class QTabWidget;
class QWidget;

namespace moravel {

/// The tab of `sheet` in `tabs` in red lettering when `on`, in the style's
/// own colour otherwise; nothing when `sheet` is not one of the tabs.
void HighlightTab(QTabWidget& tabs, QWidget* sheet, bool on);

}  // namespace moravel
