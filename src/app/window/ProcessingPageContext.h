// What the handlers of every processing page share: the engine they hand the
// control positions to, the connections' receiver and error display, the
// page tabs they highlight while a stage is on, and the "Defaults"/"Reset"/
// "Zero" rule. A new processing page takes one of these and connects its own
// controls; nothing else of the window needs to know it.
//
// Threads: GUI thread only.
#pragma once

#include "common/ControlTable.h"
#include "app/window/GuardedConnect.h"

#include <initializer_list>
#include <utility>

class QSlider;
class QTabWidget;
class QWidget;

namespace moravel {

class Engine;

struct ProcessingPageContext {
    Engine& engine;
    /// Ends the connections when it goes (the controller that owns the pages' handlers).
    QObject& receiver;
    /// The window's error display: a handler's exception is shown there.
    ErrorReport reportError;
    /// The settings pages' tabs.
    QTabWidget& tabs;

    /// Connects signals of a page's controls to the handlers of `handlers`.
    template <typename Handlers>
    GuardedConnector<Handlers> ConnectorFor(Handlers& handlers) const {
        return GuardedConnector<Handlers>(receiver, handlers, reportError);
    }
    /// The tab of `sheet` highlighted while a stage of its page is on.
    void HighlightTab(QWidget* sheet, bool on) const;

    /// A page's "Defaults" (or "Zero"): each track bar, in the order given,
    /// to its reset value from the control table; each runs its handler.
    static void ResetTrackBars(std::initializer_list<std::pair<QSlider*, const controls::TrackControl*>> bars);
};

}  // namespace moravel
