// A main window shown on the offscreen platform, laid out and sampling, for
// the tests that look at what its plots put on the screen.
#pragma once

#include "app/window/PlotPanes.h"
#include "app/window/WindowPanels.h"
#include "views/Chart.h"
#include "WindowFixture.h"

#include <QCoreApplication>

#include <string>
#include <utility>

namespace moravel::testing {

/// Lets the event loop run a few rounds: enough for a layout pass and a
/// queued replot.
inline void Settle() {
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
}

class ShownWindow {
public:
    ShownWindow(const std::string& settings, SourceFactory source, int spectrogramColumns)
        : f(settings, {}, std::move(source), spectrogramColumns) {
        f.Form().show();
        Settle();
        f.Start();
    }
    Chart* SpectrumChart() { return f.Form().Panels().Spectrum().chart; }
    Chart* SpectrogramChart() { return f.Form().Panels().Spectrogram().chart; }

    WindowFixture f;
};

}  // namespace moravel::testing
