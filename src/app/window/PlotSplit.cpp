#include "app/window/PlotSplit.h"

#include "app/core/SplitterRule.h"

#include <QEvent>
#include <QSplitter>

#include <algorithm>

namespace moravel {

PlotSplit::PlotSplit(QSplitter& splitter, QWidget& area, std::function<void()> layoutChanged, ErrorReport report)
    : splitter_(splitter), area_(area), layoutChanged_(std::move(layoutChanged)), report_(std::move(report)) {
    area_.installEventFilter(this);
    GuardedConnect(&splitter_, &QSplitter::splitterMoved, this, report_, [this] { splitterMoved(); });
}

void PlotSplit::SetStoredTop(int height) {
    storedTop_ = std::max(height, 1);
    splitter_.setSizes({storedTop_, std::max(area_.height() - storedTop_, 1)});
}

int PlotSplit::TopHeight() const { return splitter_.widget(0)->height(); }

bool PlotSplit::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &area_ && event->type() == QEvent::Resize) Guarded(report_, [this] { areaResized(); })();
    return QObject::eventFilter(watched, event);
}

// The first layout places the stored height itself (FirstTopPanelHeight),
// so a window that opens and closes at one size keeps it; later ones keep
// the share.
void PlotSplit::areaResized() {
    layoutChanged_();
    const int area = area_.height();
    const int top = ratio_ == 0.0f ? FirstTopPanelHeight(storedTop_, area) : TopPanelHeightFor(ratio_, area);
    splitter_.setSizes({top, std::max(area - top - splitter_.handleWidth(), 1)});
    splitterMoved();
}

void PlotSplit::splitterMoved() { ratio_ = SplitterRatioFor(splitter_.sizes().value(0), area_.height()); }

}  // namespace moravel
