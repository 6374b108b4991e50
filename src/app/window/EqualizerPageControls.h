// The "Equalizer" page at work: every move of a band slider and "Equalizer
// on" hand the seven gains to the engine and write the percent read-outs;
// once blocks have been processed at the current range, the band centres'
// labels too. "Reset" puts every band back to its reset value, and the tab is
// highlighted while the equalizer is on. The block cycle reads the switch
// itself for every block.
//
// Threads: GUI thread only.
#pragma once

#include "app/window/ProcessingPageContext.h"

#include <cstdint>
#include <functional>

namespace moravel {

class EqualizerPage;

class EqualizerPageControls {
public:
    /// Connects the page's controls; `page` must outlive this object.
    /// `inputRate` gives the capture's rate in Hz, for the band labels.
    EqualizerPageControls(EqualizerPage& page, std::function<std::int32_t()> inputRate,
                          const ProcessingPageContext& context);

    /// The engine, the read-outs and the tab take up the sliders and the
    /// switch as they stand (after the program set them, or the range changed).
    void ApplyControls();

private:
    void resetClicked();
    void showBandLabels(const std::string& thousands);

    EqualizerPage& page_;
    std::function<std::int32_t()> inputRate_;
    const ProcessingPageContext& context_;
};

}  // namespace moravel
