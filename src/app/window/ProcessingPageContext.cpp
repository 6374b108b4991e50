#include "app/window/ProcessingPageContext.h"

#include "app/window/TabHighlight.h"

#include <QSlider>

namespace moravel {

void ProcessingPageContext::HighlightTab(QWidget* sheet, bool on) const { moravel::HighlightTab(tabs, sheet, on); }

void ProcessingPageContext::ResetTrackBars(
    std::initializer_list<std::pair<QSlider*, const controls::TrackControl*>> bars) {
    for (const auto& [bar, control] : bars) bar->setValue(control->resetValue);
}

}  // namespace moravel
