// What the status strip shows besides the output level, advanced by the
// window's 500 ms status timer: the CPU meter, sampled from the kernel's
// statistics, and the two blinking lights (recording, buffer error).
//
// Threads: GUI thread only.
#pragma once

#include "app/window/GuardedConnect.h"
#include "app/core/StatusLights.h"
#include "app/core/CpuUsage.h"

#include <QString>

#include <string>

class QAbstractButton;

namespace moravel {

class StatusStrip;

class StatusIndicators {
public:
    /// What the indicators show and read; everything must outlive them.
    struct Parts {
        StatusStrip& strip;
        const QAbstractButton& record;  // the recorder's "Record"
        const QAbstractButton& pause;   // the recorder's "Pause"
        bool& bufferError;              // set by the block cycle when a block came late
        std::string cpuStatFile;        // the kernel's CPU statistics
        ErrorReport showError;          // the window's error display
    };

    explicit StatusIndicators(Parts parts);

    /// One tick: the CPU meter, then the lights. A sampler error ends the
    /// tick; it is shown once, not every tick, so a persistent failure does
    /// not pile up message boxes.
    void Tick();

private:
    bool updateCpuMeter();
    void updateLights();

    Parts parts_;
    CpuUsage cpu_;
    StatusLights lights_;
    QString lastCpuError_;
};

}  // namespace moravel
