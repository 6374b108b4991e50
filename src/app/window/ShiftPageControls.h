// The "Shift" page at work: the shift's read-out in Hz follows the track bar
// and the range, "Zero" moves the bar to the middle, and the tab is
// highlighted while "Shift On" is down. The block cycle reads the bar, the
// range and the switch itself for every block.
//
// Threads: GUI thread only.
#pragma once

#include "app/window/ProcessingPageContext.h"

namespace moravel {

class ShiftPage;

class ShiftPageControls {
public:
    /// Connects the page's controls; `page` must outlive this object.
    ShiftPageControls(ShiftPage& page, const ProcessingPageContext& context);

private:
    void showShift();
    void zeroClicked();
    void switchClicked();

    ShiftPage& page_;
    const ProcessingPageContext& context_;
};

}  // namespace moravel
