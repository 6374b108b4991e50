#include "app/window/ThresholdGainPageControls.h"

#include "app/window/pages/ThresholdGainPage.h"

#include <QToolButton>

namespace moravel {

ThresholdGainPageControls::ThresholdGainPageControls(ThresholdGainPage& page, const ProcessingPageContext& context)
    : page_(page), context_(context) {
    const auto on = context_.ConnectorFor(*this);
    on(page_.onSwitch, &QToolButton::clicked, &ThresholdGainPageControls::switchClicked);
    on(page_.defaultsButton, &QToolButton::clicked, &ThresholdGainPageControls::defaultsClicked);
}

void ThresholdGainPageControls::switchClicked() { context_.HighlightTab(page_.sheet, page_.onSwitch->isChecked()); }

void ThresholdGainPageControls::defaultsClicked() {
    ProcessingPageContext::ResetTrackBars(
        {{page_.thresholdSlider, &page_.description.thresholdRow}, {page_.gainSlider, &page_.description.gainRow}});
}

}  // namespace moravel
