// Startup figures for the measuring scripts. With MORAVEL_STARTUP_TRACE set
// in the environment the program writes two lines to stderr:
//   moravel-startup: mapped <ns>        the main window first exposed on screen
//   moravel-startup: first-block <ns>   the first captured block processed
// with the wall-clock time (CLOCK_REALTIME) in nanoseconds since the epoch, so
// that a script which noted the time just before exec can subtract. Without
// the variable nothing is watched and nothing is written. GUI thread only.
#pragma once

#include <QObject>

class QWidget;

namespace moravel {

class StartupTrace : public QObject {
public:
    /// True when the environment asks for the trace.
    static bool Wanted();

    /// Watches `window` (already shown, so that it has its native window)
    /// for its first exposure.
    void WatchWindow(QWidget& window);
    /// Call after each processed block; only the first is written.
    void BlockProcessed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool mapped_ = false;
    bool firstBlock_ = false;
};

}  // namespace moravel
