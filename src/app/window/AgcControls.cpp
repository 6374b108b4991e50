#include "app/window/AgcControls.h"

#include "views/DbMeter.h"
#include "app/window/pages/AudioPage.h"

#include <QCheckBox>
#include <QSlider>
#include <QToolButton>

namespace moravel {

AgcControls::AgcControls(AudioPage& page, const ProcessingPageContext& context) : page_(page) {
    const auto on = context.ConnectorFor(*this);
    on(page_.agcSwitch, &QCheckBox::toggled, &AgcControls::switchToggled);
    on(page_.agcDefaultsButton, &QToolButton::clicked, &AgcControls::defaultsClicked);
}

void AgcControls::switchToggled() {
    if (!page_.agcSwitch->isChecked()) page_.agcMeter->SetPosition(0);
}

void AgcControls::defaultsClicked() {
    ProcessingPageContext::ResetTrackBars(
        {{page_.agcDecaySlider, &controls::kTrackAgcDecay}, {page_.agcLevelSlider, &controls::kTrackAgcLevel}});
}

}  // namespace moravel
