// The split of the plot area between the spectrogram pane (above) and the
// spectrum pane: the spectrogram pane keeps its share of the area when the
// window changes size, and dragging the splitter sets a new share. Until
// the first resize the pane has the height the settings stored, whatever
// the splitter made of it while the window was not laid out yet; the first
// resize places that height itself, so a window that opens and closes at
// the same size stores the height it read.
//
// Threads: GUI thread only.
#pragma once

#include "app/window/GuardedConnect.h"

#include <QObject>

#include <functional>

class QSplitter;

namespace moravel {

class PlotSplit : public QObject {
public:
    /// `splitter` (its first pane the spectrogram's) lies in `area`;
    /// `layoutChanged` tells the displays to lay out again. Both widgets
    /// must outlive this object.
    PlotSplit(QSplitter& splitter, QWidget& area, std::function<void()> layoutChanged, ErrorReport report);

    /// The stored height of the spectrogram pane (at least 1 pixel), given to
    /// the pane now and placed again at the first resize, which takes its
    /// share from it.
    void SetStoredTop(int height);
    /// The spectrogram pane's height, as the settings store it.
    int TopHeight() const;
    /// The spectrogram pane's share of the area; 0 before the first resize.
    float Ratio() const { return ratio_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void areaResized();
    void splitterMoved();

    QSplitter& splitter_;
    QWidget& area_;
    std::function<void()> layoutChanged_;
    ErrorReport report_;
    int storedTop_ = 200;
    float ratio_ = 0.0f;
};

}  // namespace moravel
