// The "Compress" or "Expand" page at work: "Defaults" sets the threshold and
// gain bars to their reset values, and the tab is highlighted while the
// stage's on button is down. The block cycle reads the switch and the bars
// itself for every block.
//
// Threads: GUI thread only.
#pragma once

#include "app/window/ProcessingPageContext.h"

class QSlider;
class QToolButton;
class QWidget;

namespace moravel {

class ThresholdGainPageControls {
public:
    /// One page's controls (Qt owns them) and their rows of the control table.
    struct Page {
        QWidget* sheet;
        QToolButton* onSwitch;
        QSlider* thresholdSlider;
        const controls::TrackControl& thresholdRow;
        QSlider* gainSlider;
        const controls::TrackControl& gainRow;
        QToolButton* defaultsButton;
    };

    /// Connects the page's controls.
    ThresholdGainPageControls(Page page, const ProcessingPageContext& context);

private:
    void switchClicked();
    void defaultsClicked();

    Page page_;
    const ProcessingPageContext& context_;
};

}  // namespace moravel
