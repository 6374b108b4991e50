// The real main window on the virtual card's stepping clock, on the offscreen
// platform, for the window benchmarks. GUI thread only.
#pragma once

#include "app/window/MainForm.h"
#include "app/window/WaveDeviceController.h"
#include "audio/virtual/VirtualCard.h"

#include <string>

namespace moravel::bench {

/// Creates the one QApplication of the benchmark binary (offscreen) unless
/// one exists.
void EnsureApplication();

class BenchWindow {
public:
    /// Writes a settings file named `fileName` in the temporary folder: a
    /// configured mixer and the [SETTINGS] keys `settingsKeys` ("Key=value\n"
    /// lines); opens the window on it, shown and activated. Messages are
    /// dropped.
    BenchWindow(const std::string& fileName, const std::string& settingsKeys);
    /// Closes the window and removes the settings file.
    ~BenchWindow();
    BenchWindow(const BenchWindow&) = delete;
    BenchWindow& operator=(const BenchWindow&) = delete;

    MainForm& Form() { return form_; }
    VirtualCard& Card() { return card_; }

private:
    std::string settings_;
    VirtualCard card_;
    MainForm form_;
};

}  // namespace moravel::bench
