// What a chart's layout pass depends on, taken after a full replot: the
// viewport, the plot rectangle, the background colour, and every axis's
// range, scale, title and visibility. Two equal stamps mean the grid, the ticks, the tick labels and
// the margins come out the same, so a picture drawn at the first can be
// patched with data drawn at the second without a new layout pass.
// GUI thread only.
#pragma once

#include <qcustomplot.h>

#include <vector>

namespace moravel {

struct ChartLayoutStamp {
    struct Axis {
        QCPRange range;
        QCPAxis::ScaleType scale = QCPAxis::stLinear;
        QString title;
        bool visible = false;
        bool operator==(const Axis& other) const = default;
    };

    /// False for a chart that has not been fully replotted yet.
    bool valid = false;
    QRect viewport;
    QRect plot;
    QColor background;
    std::vector<Axis> axes;

    /// The stamp of `chart` as it stands now (its main axis rectangle), with
    /// the colour its buffer is cleared to.
    static ChartLayoutStamp Of(QCustomPlot& chart, const QColor& background);

    bool operator==(const ChartLayoutStamp& other) const = default;
};

}  // namespace moravel
