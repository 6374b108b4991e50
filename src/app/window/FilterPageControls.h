// The "Filter" page at work: the centre and bandwidth track bars with their
// read-outs, the filter type, the presets, "Filter On" and "Visible". Every
// change hands centre, width and type to the engine and redraws the filter
// band on the spectrum plot (while "Visible" is down); the block cycle reads
// "Filter On" itself for every block.
//
// Threads: GUI thread only.
#pragma once

#include "app/window/ProcessingPageContext.h"

#include <cstdint>

namespace moravel {

class FilterPage;
class SpectrumPane;

class FilterPageControls {
public:
    /// Connects the page's controls; `page` and `spectrum` must outlive this object.
    FilterPageControls(FilterPage& page, SpectrumPane& spectrum, const ProcessingPageContext& context);

    /// The read-outs, the engine, the band and the tab take up the controls
    /// as they stand (after the program set them, or the sample rate changed).
    void ApplyControls();

private:
    void centreChanged();
    void widthChanged();
    void showCentre();
    void showWidth();
    /// Centre, width and type to the engine; the band redrawn.
    void applyFilter();
    void presetChosen();
    void showBand(std::int32_t center, std::int32_t halfWidth);

    FilterPage& page_;
    SpectrumPane& spectrum_;
    const ProcessingPageContext& context_;
};

}  // namespace moravel
