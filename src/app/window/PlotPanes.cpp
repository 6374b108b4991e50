#include "app/window/PlotPanes.h"

#include "views/TChart.h"

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

TChart* makeChart(QWidget* parent, const char* name, const QString& title) {
    auto* chart = new TChart(parent);
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
    Chart2 = makeChart(this, "Chart2", QStringLiteral("Spectrogram plot"));
    styleAxis(Chart2->xAxis, QStringLiteral("Time [s]"));
    styleAxis(Chart2->yAxis, QStringLiteral("Frequency [Hz]"));
    Chart2->xAxis->grid()->setVisible(false);
    Chart2->xAxis->setRange(0, 200);
    Chart2->axisRect()->setAutoMargins(QCP::msLeft | QCP::msBottom);
    auto ticker = QSharedPointer<THookedTicker>::create();
    ticker->setTickStep(10);
    ticker->setScaleStrategy(QCPAxisTickerFixed::ssMultiples);
    TimeTicker = ticker.data();
    Chart2->xAxis->setTicker(ticker);
    Chart2->yAxis->setRange(0, 1);
    Series2 = Chart2->addGraph();
    Series2->setPen(QPen(Qt::yellow));

    ScrollSpectrogram = makeScrollBar(this, Qt::Horizontal, "ScrollSpectrogram");
    ScrollSpectrogram->setRange(0, 1000);
    ScrollSpectrogram->setSingleStep(2);
    ScrollSpectrogram->setPageStep(2);
    ScrollSpectrogramVertical = makeScrollBar(this, Qt::Vertical, "ScrollSpectrogramVertical");
    ScrollSpectrogramVertical->setSingleStep(100);
    ScrollSpectrogramVertical->setPageStep(100);

    Label40 = makeReadout(this, "Label40", 140);
    SpeedButton3 = makeHelpButton(this, "SpeedButton3");
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    grid->addLayout(makeHeader({{"Cursor =", Label40}}, SpeedButton3), 0, 0, 1, 2);
    grid->addWidget(Chart2, 1, 0);
    grid->addWidget(ScrollSpectrogramVertical, 1, 1);
    grid->addWidget(ScrollSpectrogram, 2, 0);
    grid->setRowStretch(1, 1);
}

SpectrumPane::SpectrumPane(QWidget* parent) : QWidget(parent) {
    Chart1 = makeChart(this, "Chart1", QStringLiteral("Spectrum Plot"));
    styleAxis(Chart1->xAxis, QStringLiteral("Frequency [Hz]"));
    styleAxis(Chart1->yAxis, QStringLiteral("Power"));
    Chart1->xAxis->setRange(0, 461.538);
    Chart1->yAxis->setRange(0, 293);
    auto frequencyTicks = QSharedPointer<QCPAxisTickerFixed>::create();
    frequencyTicks->setTickStep(100);
    frequencyTicks->setScaleStrategy(QCPAxisTickerFixed::ssMultiples);
    Chart1->xAxis->setTicker(frequencyTicks);
    Chart1->yAxis2->setVisible(true);
    Chart1->yAxis2->setTickLabels(false);
    Chart1->yAxis2->setRange(36, 341);
    styleAxis(Chart1->yAxis2, QString());
    Chart1->yAxis2->grid()->setVisible(false);

    // The band is drawn first, below the bars.
    Series3 = Chart1->addGraph(Chart1->xAxis, Chart1->yAxis2);
    Series3->setPen(Qt::NoPen);
    Series3->setBrush(QColor(0, 128, 64));
    Series1 = new TBarSeries(Chart1->xAxis, Chart1->yAxis);
    Series1->setPen(QPen(QColor(255, 128, 64)));
    Series1->setBrush(QColor(255, 128, 64));

    ScrollSpectrum = makeScrollBar(this, Qt::Horizontal, "ScrollSpectrum");
    ScrollSpectrum->setSingleStep(100);
    ScrollSpectrum->setPageStep(100);

    Label1 = makeReadout(this, "Label1", 80);
    Label39 = makeReadout(this, "Label39", 140);
    SpeedButton16 = makeHelpButton(this, "SpeedButton16");
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    grid->addLayout(makeHeader({{"Peak =", Label1}, {"Cursor =", Label39}}, SpeedButton16), 0, 0);
    grid->addWidget(Chart1, 1, 0);
    grid->addWidget(ScrollSpectrum, 2, 0);
    grid->setRowStretch(1, 1);
}

}  // namespace moravel
