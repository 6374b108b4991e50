// The main window's panels, built into its central widget: the plot area
// `PanelBack` (the spectrogram pane `TopPanel` above the spectrum pane
// `BottomPanel`, divided by a green splitter whose split PlotSplit keeps),
// and below it the settings panel with the page control Tab1 and the status
// strip Panel4. Qt owns the widgets; the split is this object's.
//
// Threads: GUI thread only.
#pragma once

#include "app/window/GuardedConnect.h"

#include <functional>
#include <memory>

class QMainWindow;
class QWidget;

namespace moravel {

class PlotSplit;
class SettingsPages;
class SpectrogramPane;
class SpectrumPane;
class StatusStrip;

class WindowPanels {
public:
    /// Builds the panels as `window`'s central widget; `layoutChanged` tells
    /// the displays to lay out again after the plot area changed size.
    WindowPanels(QMainWindow& window, std::function<void()> layoutChanged, ErrorReport report);
    ~WindowPanels();

    WindowPanels(const WindowPanels&) = delete;
    WindowPanels& operator=(const WindowPanels&) = delete;

    SettingsPages& Pages() const { return *pages_; }
    StatusStrip& Status() const { return *status_; }
    SpectrogramPane& Spectrogram() const { return *spectrogram_; }
    SpectrumPane& Spectrum() const { return *spectrum_; }
    PlotSplit& Split() const { return *split_; }

private:
    QWidget* buildPlotArea(QWidget* parent, std::function<void()> layoutChanged, ErrorReport report);

    SettingsPages* pages_ = nullptr;
    StatusStrip* status_ = nullptr;
    SpectrogramPane* spectrogram_ = nullptr;
    SpectrumPane* spectrum_ = nullptr;
    std::unique_ptr<PlotSplit> split_;
};

}  // namespace moravel
