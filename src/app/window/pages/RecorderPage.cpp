#include "app/window/pages/RecorderPage.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>

#include "app/window/pages/PageControls.h"
#include "app/window/pages/WavePageLayout.h"

namespace moravel {

namespace {

// The page is wider than the settings panel of a narrow window: its groups
// sit on a strip that scrolls sideways (the view follows the keyboard focus)
// instead of widening the whole window.
QWidget* MakeScrolledContent(QWidget* sheet) {
    auto* scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("ScrollRecorder"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->horizontalScrollBar()->setObjectName(QStringLiteral("ScrollRecorderPage"));
    scroll->verticalScrollBar()->setObjectName(QStringLiteral("ScrollRecorderPageVertical"));
    auto* content = new QWidget;
    scroll->setWidget(content);
    auto* layout = new QHBoxLayout(sheet);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);
    return content;
}

}  // namespace

RecorderPage::RecorderPage(QTabWidget* tabs) : SettingsPage(tabs, "TabRecorder", QStringLiteral("Recorder")) {
    QWidget* content = MakeScrolledContent(sheet);

    recordSwitch = MakeToggleButton("sb_wave_record", QStringLiteral("Record"));
    pauseSwitch = MakeToggleButton("sb_waverecorder_pause", QStringLiteral("Pause"));
    browseButton = MakeSpeedButton("sb_browse_wave_recordfile", QStringLiteral("Browse"));
    fileNamePanel = MakePanel("Panel34", QString(), kWaveFileNameWidth, Qt::AlignLeft);
    timePanel = MakePanel("Panel32", QStringLiteral("00:00:00"), kWaveTimeWidth);
    sizePanel = MakePanel("Panel33", QStringLiteral("0 kB"), kWaveSizeWidth);
    partFileLabel = MakeValueLabel("RecordingPart", QString());
    helpButton = MakeHelpButton("SpeedButton14");

    const WavePageGrids grids =
        LayOutWavePage(content, recordSwitch, pauseSwitch, helpButton, browseButton, fileNamePanel);
    grids.file->addWidget(partFileLabel, 1, 0, 1, 2);
    grids.readouts->addWidget(MakeCaption(QStringLiteral("Time")), 0, 0);
    grids.readouts->addWidget(timePanel, 0, 1);
    grids.readouts->addWidget(MakeCaption(QStringLiteral("Size")), 1, 0);
    grids.readouts->addWidget(sizePanel, 1, 1);
    onSignal = std::make_unique<RecordOnSignalPanel>(qobject_cast<QHBoxLayout*>(content->layout()));
}

}  // namespace moravel
