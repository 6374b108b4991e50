// The processing pages at work: Filter, Shift, the Audio page's automatic
// gain control, Compress, Expand and Equalizer. Each page's handlers are a
// small class of their own, connected to the page's controls when this
// controller is made; they hand control positions to the engine, keep the
// pages' read-outs current and highlight a page's tab while its stage is on.
// The block cycle reads the stages' switches and levels itself for every
// block (CycleControls), so nothing here runs per block.
//
// A new processing page is one more class like FilterPageControls, given the
// shared ProcessingPageContext, and one member here.
//
// Threads: GUI thread only.
#pragma once

#include "app/window/AgcControls.h"
#include "app/window/EqualizerPageControls.h"
#include "app/window/FilterPageControls.h"
#include "app/window/ProcessingPageContext.h"
#include "app/window/ShiftPageControls.h"
#include "app/window/ThresholdGainPageControls.h"

#include <QObject>

#include <cstdint>
#include <functional>

namespace moravel {

class AudioPage;
class EqualizerPage;
class FilterPage;
class ShiftPage;
class ThresholdGainPage;
class SpectrumPane;

class ProcessingControls {
public:
    /// What the pages' handlers need of the window; all must outlive the controller.
    struct Parts {
        FilterPage& filter;
        ShiftPage& shift;
        AudioPage& audio;
        ThresholdGainPage& compress;
        ThresholdGainPage& expand;
        EqualizerPage& equalizer;
        SpectrumPane& spectrum;  // the filter band is drawn on its plot
        Engine& engine;
        QTabWidget& tabs;         // the settings pages' tabs, highlighted while a stage is on
        ErrorReport reportError;  // the program's error display
        /// The capture's rate in Hz (the equalizer's band labels).
        std::function<std::int32_t()> inputRate;
    };

    /// Connects every processing page's controls to its handlers.
    explicit ProcessingControls(Parts parts);

    ProcessingControls(const ProcessingControls&) = delete;
    ProcessingControls& operator=(const ProcessingControls&) = delete;

    /// The pages whose engine settings and read-outs others bring up to date:
    /// the filter's band after a new sample rate, the equalizer's band labels
    /// after a relayout.
    FilterPageControls& Filter() { return filter_; }
    EqualizerPageControls& Equalizer() { return equalizer_; }

private:
    // Every connection's receiver (made before the handlers connect), so the
    // connections end with the controller.
    QObject receiver_;
    ProcessingPageContext context_;
    FilterPageControls filter_;
    ShiftPageControls shift_;
    AgcControls agc_;
    ThresholdGainPageControls compressor_;
    ThresholdGainPageControls expander_;
    EqualizerPageControls equalizer_;
};

}  // namespace moravel
