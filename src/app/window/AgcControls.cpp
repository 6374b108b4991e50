#include "app/window/AgcControls.h"

#include "views/DbMeter.h"
#include "app/window/pages/AudioPage.h"

#include <QCheckBox>
#include <QSlider>
#include <QToolButton>

namespace moravel {

AgcControls::AgcControls(AudioPage& page, const ProcessingPageContext& context) : page_(page) {
    const auto on = context.ConnectorFor(*this);
    on(page_.CheckAGC, &QCheckBox::toggled, &AgcControls::switched);
    on(page_.SpeedButton5, &QToolButton::clicked, &AgcControls::defaultsClicked);
}

void AgcControls::switched() {
    if (!page_.CheckAGC->isChecked()) page_.VUAgcLevel->SetPosition(0);
}

void AgcControls::defaultsClicked() {
    ProcessingPageContext::ResetTrackBars(
        {{page_.TrackAgcDecay, &controls::kTrackAgcDecay}, {page_.TrackAgcLevel, &controls::kTrackAgcLevel}});
}

}  // namespace moravel
