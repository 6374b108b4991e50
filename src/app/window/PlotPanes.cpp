#include "app/window/PlotPanes.h"

#include "views/Chart.h"

#include <qcustomplot.h>

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollBar>
#include <QToolButton>

namespace moravel {

namespace {

const QColor kAxisGreen(0, 128, 0);
const QColor kLime(0, 255, 0);
const QColor kGridGreen(0, 64, 0);

QToolButton* makeHelpButton(QWidget* parent, const char* name) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(QStringLiteral("?"));
    button->setToolTip(QStringLiteral("Help"));
    button->setAutoRaise(true);
    return button;
}

// Scroll bars take no focus by default; these are the keyboard's way of
// moving the plots' windows, so Tab reaches them.
QScrollBar* makeScrollBar(QWidget* parent, Qt::Orientation orientation, const char* name) {
    auto* bar = new QScrollBar(orientation, parent);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setFocusPolicy(Qt::StrongFocus);
    return bar;
}

QLabel* makeReadout(QWidget* parent, const char* name, int width) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setMinimumWidth(width);
    return label;
}

// Black plot, green axis lines, lime ticks and titles, dark green grid.
void styleAxis(QCPAxis* axis, const QString& title) {
    axis->setLabel(title);
    axis->setBasePen(QPen(kAxisGreen));
    axis->setTickPen(QPen(kLime));
    axis->setSubTickPen(QPen(kLime));
    axis->setTickLabelColor(kLime);
    axis->setLabelColor(kLime);
    axis->grid()->setPen(QPen(kGridGreen));
    axis->grid()->setZeroLinePen(QPen(kGridGreen));
}

Chart* makeChart(QWidget* parent, const char* name, const QString& title) {
    auto* chart = new Chart(parent);
    chart->setObjectName(QString::fromLatin1(name));
    chart->setBackground(Qt::black);
    chart->setMinimumSize(0, 0);
    chart->plotLayout()->insertRow(0);
    auto* titleElement = new QCPTextElement(chart, title);
    titleElement->setTextColor(kLime);
    chart->plotLayout()->addElement(0, 0, titleElement);
    return chart;
}

// A row of read-outs and the help button above a chart.
QHBoxLayout* makeHeader(std::initializer_list<std::pair<const char*, QLabel*>> readouts, QToolButton* help) {
    auto* row = new QHBoxLayout;
    row->setContentsMargins(4, 0, 4, 0);
    for (const auto& [caption, label] : readouts) {
        row->addWidget(new QLabel(QString::fromLatin1(caption)));
        row->addWidget(label);
    }
    row->addStretch(1);
    row->addWidget(help);
    return row;
}

}  // namespace

bool AllowPanTo(QCPAxis*, double newMinimum) { return newMinimum >= 0; }

SpectrogramPane::SpectrogramPane(QWidget* parent) : QWidget(parent) {
    chart = makeChart(this, "Chart2", QStringLiteral("Spectrogram plot"));
    styleAxis(chart->xAxis, QStringLiteral("Time [s]"));
    styleAxis(chart->yAxis, QStringLiteral("Frequency [Hz]"));
    chart->xAxis->grid()->setVisible(false);
    chart->xAxis->setRange(0, 200);
    chart->axisRect()->setAutoMargins(QCP::msLeft | QCP::msBottom);
    auto ticker = QSharedPointer<HookedTicker>::create();
    ticker->setTickStep(10);
    ticker->setScaleStrategy(QCPAxisTickerFixed::ssMultiples);
    timeTicker = ticker.data();
    chart->xAxis->setTicker(ticker);
    chart->yAxis->setRange(0, 1);
    debugCurve = chart->addGraph();
    debugCurve->setPen(QPen(Qt::yellow));

    timeScroll = makeScrollBar(this, Qt::Horizontal, "ScrollSpectrogram");
    timeScroll->setRange(0, 1000);
    timeScroll->setSingleStep(2);
    timeScroll->setPageStep(2);
    frequencyScroll = makeScrollBar(this, Qt::Vertical, "ScrollSpectrogramVertical");
    frequencyScroll->setSingleStep(100);
    frequencyScroll->setPageStep(100);

    cursorLabel = makeReadout(this, "Label40", 140);
    helpButton = makeHelpButton(this, "SpeedButton3");
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    grid->addLayout(makeHeader({{"Cursor =", cursorLabel}}, helpButton), 0, 0, 1, 2);
    grid->addWidget(chart, 1, 0);
    grid->addWidget(frequencyScroll, 1, 1);
    grid->addWidget(timeScroll, 2, 0);
    grid->setRowStretch(1, 1);
}

SpectrumPane::SpectrumPane(QWidget* parent) : QWidget(parent) {
    chart = makeChart(this, "Chart1", QStringLiteral("Spectrum Plot"));
    styleAxis(chart->xAxis, QStringLiteral("Frequency [Hz]"));
    styleAxis(chart->yAxis, QStringLiteral("Power"));
    chart->xAxis->setRange(0, 461.538);
    chart->yAxis->setRange(0, 293);
    auto frequencyTicks = QSharedPointer<QCPAxisTickerFixed>::create();
    frequencyTicks->setTickStep(100);
    frequencyTicks->setScaleStrategy(QCPAxisTickerFixed::ssMultiples);
    chart->xAxis->setTicker(frequencyTicks);
    chart->yAxis2->setVisible(true);
    chart->yAxis2->setTickLabels(false);
    chart->yAxis2->setRange(36, 341);
    styleAxis(chart->yAxis2, QString());
    chart->yAxis2->grid()->setVisible(false);

    // The band is drawn first, below the bars.
    filterBand = chart->addGraph(chart->xAxis, chart->yAxis2);
    filterBand->setPen(Qt::NoPen);
    filterBand->setBrush(QColor(0, 128, 64));
    bars = new BarSeries(chart->xAxis, chart->yAxis);
    bars->setPen(QPen(QColor(255, 128, 64)));
    bars->setBrush(QColor(255, 128, 64));

    frequencyScroll = makeScrollBar(this, Qt::Horizontal, "ScrollSpectrum");
    frequencyScroll->setSingleStep(100);
    frequencyScroll->setPageStep(100);

    peakLabel = makeReadout(this, "Label1", 80);
    cursorLabel = makeReadout(this, "Label39", 140);
    helpButton = makeHelpButton(this, "SpeedButton16");
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    grid->addLayout(makeHeader({{"Peak =", peakLabel}, {"Cursor =", cursorLabel}}, helpButton), 0, 0);
    grid->addWidget(chart, 1, 0);
    grid->addWidget(frequencyScroll, 2, 0);
    grid->setRowStretch(1, 1);
}

}  // namespace moravel
