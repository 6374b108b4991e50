// The automatic gain control's group of the "Audio" page at work: switched
// off, its compensation meter drops to 0 (the gain itself is kept, so
// switching it on again starts from it); "Defaults" sets the decay and level
// bars to their reset values. The block cycle reads the switch and the bars
// itself for every block.
//
// Threads: GUI thread only.
#pragma once

#include "app/window/ProcessingPageContext.h"

namespace moravel {

class AudioPage;

class AgcControls {
public:
    /// Connects the group's controls; `page` must outlive this object.
    AgcControls(AudioPage& page, const ProcessingPageContext& context);

private:
    void switchToggled();
    void defaultsClicked();

    AudioPage& page_;
};

}  // namespace moravel
