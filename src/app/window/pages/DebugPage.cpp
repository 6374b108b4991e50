#include "app/window/pages/DebugPage.h"

#include <initializer_list>

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

#include "app/window/pages/PageControls.h"

namespace moravel {

namespace {

// Wide enough for "0.1234" and a queue depth.
constexpr int kReadoutWidth = 48;

// A read-out label with its caption: the caption text and where the pair goes.
struct Readout {
    QLabel*& label;
    const char* name;
    const char* caption;
    int row;
    int column;
};

}  // namespace

DebugPage::DebugPage(QTabWidget* tabs) : SettingsPage(tabs, "TabDebug", QStringLiteral("Debug")) {

    QGroupBox* timing = MakeGroup(QStringLiteral("Timing [s]"));
    QGridLayout* timingGrid = MakeGridLayout(timing);
    timingGrid->setHorizontalSpacing(2 * kSpacing);
    timingGrid->setVerticalSpacing(0);
    for (const Readout& readout :
         std::initializer_list<Readout>{{bufferCycleLabel, "Label35", "Buffer Cycle", 0, 0},
                                        {processTimeLabel, "Label33", "Process time", 1, 0},
                                        {availableTimeLabel, "Label71", "Available", 2, 0},
                                        {plotTimeLabel, "Label38", "Plot time", 0, 1},
                                        {copyRectTimeLabel, "Label53", "CopyRect time", 1, 1},
                                        {buffersBehindLabel, "Label47", "Buffers behind :", 2, 1}}) {
        readout.label = MakeValueLabel(readout.name, QStringLiteral("0"), kReadoutWidth);
        readout.label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        timingGrid->addWidget(MakeCaption(QString::fromLatin1(readout.caption)), readout.row, 2 * readout.column);
        timingGrid->addWidget(readout.label, readout.row, 2 * readout.column + 1);
    }
    timingGrid->setRowStretch(3, 1);

    plotSpectralSwitch = MakeToggleButton("sb_plot_spectral", QStringLiteral("Plot spectral"));
    plotSignalSwitch = MakeToggleButton("sb_plot_signal", QStringLiteral("Plot signal"));
    plotButtons = new QButtonGroup(sheet);
    plotButtons->setObjectName("DebugPlotGroup");
    plotButtons->setExclusive(false);
    plotButtons->addButton(plotSpectralSwitch);
    plotButtons->addButton(plotSignalSwitch);
    QGroupBox* plots = MakeGroup(QStringLiteral("Plot"));
    QGridLayout* plotGrid = MakeGridLayout(plots);
    plotGrid->addWidget(plotSpectralSwitch, 0, 0);
    plotGrid->addWidget(plotSignalSwitch, 1, 0);
    plotGrid->setRowStretch(2, 1);

    QHBoxLayout* row = MakeRowLayout(sheet);
    row->addWidget(timing);
    row->addWidget(plots);
    row->addStretch(1);
}

}  // namespace moravel
