#include "app/window/pages/PlayerPage.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QSlider>
#include <QToolButton>

#include "app/window/pages/PageControls.h"
#include "app/window/pages/WavePageLayout.h"

namespace moravel {

PlayerPage::PlayerPage(QTabWidget* tabs) : SettingsPage(tabs, "TabPlayer", QStringLiteral("Player")) {

    playSwitch = MakeToggleButton("sb_wave_play", QStringLiteral("Play"));
    pauseSwitch = MakeToggleButton("sb_waveplayer_pause", QStringLiteral("Pause"));
    browseButton = MakeSpeedButton("sb_browse_wave_playfile", QStringLiteral("Browse"));
    fileNamePanel = MakePanel("Panel38", QString(), kWaveFileNameWidth, Qt::AlignLeft);
    positionSlider = MakeTrackBar("TrackWavePlayerPosition", {0, 100, 0, 1, 10}, kWaveFileNameWidth);
    positionSlider->setEnabled(false);
    timePanel = MakePanel("Panel39", QStringLiteral("00:00:00"), kWaveTimeWidth);
    totalTimePanel = MakePanel("Panel40", QStringLiteral("00:00:00"), kWaveTimeWidth);
    loopSwitch = MakeCheckBox("Check_waveplay_loop", QStringLiteral("Loop"));
    helpButton = MakeHelpButton("SpeedButton15");

    const WavePageGrids grids = LayOutWavePage(sheet, playSwitch, pauseSwitch, helpButton, browseButton, fileNamePanel);
    grids.file->addWidget(loopSwitch, 1, 0);
    grids.file->addWidget(positionSlider, 1, 1);
    grids.readouts->addWidget(MakeCaption(QStringLiteral("Time")), 0, 0);
    grids.readouts->addWidget(timePanel, 0, 1);
    grids.readouts->addWidget(MakeCaption(QStringLiteral("Total")), 1, 0);
    grids.readouts->addWidget(totalTimePanel, 1, 1);
}

}  // namespace moravel
