#include "app/window/pages/PlayerPage.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QSlider>
#include <QToolButton>

#include "app/window/pages/PageControls.h"
#include "app/window/pages/WavePageLayout.h"

namespace moravel {

PlayerPage::PlayerPage(QTabWidget* Tab1) {
    sheet = MakeSheet(Tab1, "TabPlayer", QStringLiteral("Player"));

    sb_wave_play = MakeToggleButton("sb_wave_play", QStringLiteral("Play"));
    sb_waveplayer_pause = MakeToggleButton("sb_waveplayer_pause", QStringLiteral("Pause"));
    sb_browse_wave_playfile = MakeSpeedButton("sb_browse_wave_playfile", QStringLiteral("Browse"));
    Panel38 = MakePanel("Panel38", QString(), kWaveFileNameWidth, Qt::AlignLeft);
    TrackWavePlayerPosition = MakeTrackBar("TrackWavePlayerPosition", {0, 100, 0, 1, 10}, kWaveFileNameWidth);
    TrackWavePlayerPosition->setEnabled(false);
    Panel39 = MakePanel("Panel39", QStringLiteral("00:00:00"), kWaveTimeWidth);
    Panel40 = MakePanel("Panel40", QStringLiteral("00:00:00"), kWaveTimeWidth);
    Check_waveplay_loop = MakeCheckBox("Check_waveplay_loop", QStringLiteral("Loop"));
    SpeedButton15 = MakeHelpButton("SpeedButton15");

    const WavePageGrids grids =
        LayOutWavePage(sheet, sb_wave_play, sb_waveplayer_pause, SpeedButton15, sb_browse_wave_playfile, Panel38);
    grids.file->addWidget(Check_waveplay_loop, 1, 0);
    grids.file->addWidget(TrackWavePlayerPosition, 1, 1);
    grids.readouts->addWidget(MakeCaption(QStringLiteral("Time")), 0, 0);
    grids.readouts->addWidget(Panel39, 0, 1);
    grids.readouts->addWidget(MakeCaption(QStringLiteral("Total")), 1, 0);
    grids.readouts->addWidget(Panel40, 1, 1);
}

}  // namespace moravel
