#include "views/ChartLayoutStamp.h"

namespace moravel {

ChartLayoutStamp ChartLayoutStamp::Of(QCustomPlot& chart, const QColor& background) {
    ChartLayoutStamp stamp;
    stamp.valid = true;
    stamp.background = background;
    stamp.viewport = chart.viewport();
    QCPAxisRect* rect = chart.axisRect();
    if (rect == nullptr) return stamp;
    stamp.plot = rect->rect();
    for (const QCPAxis* axis : rect->axes()) {
        stamp.axes.push_back({axis->range(), axis->scaleType(), axis->label(), axis->visible()});
    }
    return stamp;
}

}  // namespace moravel
