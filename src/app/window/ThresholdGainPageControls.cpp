#include "app/window/ThresholdGainPageControls.h"

#include <QToolButton>

namespace moravel {

ThresholdGainPageControls::ThresholdGainPageControls(Page page, const ProcessingPageContext& context)
    : page_(page), context_(context) {
    const auto on = context_.ConnectorFor(*this);
    on(page_.onButton, &QToolButton::clicked, &ThresholdGainPageControls::switched);
    on(page_.defaults, &QToolButton::clicked, &ThresholdGainPageControls::defaultsClicked);
}

void ThresholdGainPageControls::switched() { context_.HighlightTab(page_.sheet, page_.onButton->isChecked()); }

void ThresholdGainPageControls::defaultsClicked() {
    ProcessingPageContext::ResetTrackBars({{page_.threshold, &page_.thresholdRow}, {page_.gain, &page_.gainRow}});
}

}  // namespace moravel
