#include "app/window/StartupTrace.h"

#include <QEvent>
#include <QWidget>
#include <QWindow>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace moravel {

namespace {

void writeMark(const char* what) {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    std::fprintf(stderr, "moravel-startup: %s %lld%09ld\n", what, static_cast<long long>(now.tv_sec), now.tv_nsec);
    std::fflush(stderr);
}

}  // namespace

bool StartupTrace::Wanted() { return std::getenv("MORAVEL_STARTUP_TRACE") != nullptr; }

void StartupTrace::WatchWindow(QWidget& window) {
    if (QWindow* handle = window.windowHandle()) handle->installEventFilter(this);
}

void StartupTrace::BlockProcessed() {
    if (firstBlock_) return;
    firstBlock_ = true;
    writeMark("first-block");
}

bool StartupTrace::eventFilter(QObject* watched, QEvent* event) {
    if (!mapped_ && event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed()) {
        mapped_ = true;
        writeMark("mapped");
        watched->removeEventFilter(this);
    }
    return false;
}

}  // namespace moravel
