// The layout both chart tests draw on: black background, a title row and
// the spectrum plot's axis captions over fixed ranges, like the window's
// spectrum chart, so that text, ticks and layout are all in the picture.
#pragma once

#include "views/Chart.h"

namespace moravel {

inline void DressLikeSpectrum(Chart& chart) {
    chart.setBackground(Qt::black);
    chart.plotLayout()->insertRow(0);
    chart.plotLayout()->addElement(0, 0, new QCPTextElement(&chart, QStringLiteral("Spectrum Plot")));
    chart.xAxis->setLabel(QStringLiteral("Frequency [Hz]"));
    chart.yAxis->setLabel(QStringLiteral("Power"));
    chart.xAxis->setRange(0, 100);
    chart.yAxis->setRange(0, 10);
}

}  // namespace moravel
