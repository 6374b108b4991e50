#include "RecorderPage.h"

#include <QGridLayout>
#include <QLabel>
#include <QToolButton>

#include "PageControls.h"
#include "WavePageLayout.h"

namespace moravel {

RecorderPage::RecorderPage(QTabWidget* Tab1) {
    sheet = MakeSheet(Tab1, "TabRecorder", QStringLiteral("Recorder"));

    sb_wave_record = MakeToggleButton("sb_wave_record", QStringLiteral("Record"));
    sb_waverecorder_pause = MakeToggleButton("sb_waverecorder_pause", QStringLiteral("Pause"));
    sb_browse_wave_recordfile = MakeSpeedButton("sb_browse_wave_recordfile", QStringLiteral("Browse"));
    Panel34 = MakePanel("Panel34", QString(), kWaveFileNameWidth, Qt::AlignLeft);
    Panel32 = MakePanel("Panel32", QStringLiteral("00:00:00"), kWaveTimeWidth);
    Panel33 = MakePanel("Panel33", QStringLiteral("0 kB"), kWaveSizeWidth);
    RecordingPart = MakeValueLabel("RecordingPart", QString());
    SpeedButton14 = MakeHelpButton("SpeedButton14");

    const WavePageGrids grids =
        LayOutWavePage(sheet, sb_wave_record, sb_waverecorder_pause, SpeedButton14, sb_browse_wave_recordfile, Panel34);
    grids.file->addWidget(RecordingPart, 1, 0, 1, 2);
    grids.readouts->addWidget(MakeCaption(QStringLiteral("Time")), 0, 0);
    grids.readouts->addWidget(Panel32, 0, 1);
    grids.readouts->addWidget(MakeCaption(QStringLiteral("Size")), 1, 0);
    grids.readouts->addWidget(Panel33, 1, 1);
}

}  // namespace moravel
