// The "Compress" or "Expand" page at work: "Defaults" sets the threshold and
// gain bars to their reset values, and the tab is highlighted while the
// stage's on button is down. The block cycle reads the switch and the bars
// itself for every block.
//
// Threads: GUI thread only.
#pragma once

#include "app/window/ProcessingPageContext.h"

namespace moravel {

class ThresholdGainPage;

class ThresholdGainPageControls {
public:
    /// Connects the page's controls; `page` (its rows of the control table
    /// in its description) must outlive this.
    ThresholdGainPageControls(ThresholdGainPage& page, const ProcessingPageContext& context);
    ThresholdGainPageControls(const ThresholdGainPageControls&) = delete;
    ThresholdGainPageControls& operator=(const ThresholdGainPageControls&) = delete;

private:
    void switchClicked();
    void defaultsClicked();

    ThresholdGainPage& page_;
    const ProcessingPageContext& context_;
};

}  // namespace moravel
