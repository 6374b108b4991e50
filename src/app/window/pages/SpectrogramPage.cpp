#include "app/window/pages/SpectrogramPage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>

#include "views/core/ColorGradient.h"
#include "common/ControlTable.h"
#include "app/window/pages/PageControls.h"

namespace moravel {

namespace {

constexpr int kTrackWidth = 110;

}  // namespace

SpectrogramPage::SpectrogramPage(QTabWidget* Tab1) {
    sheet = MakeSheet(Tab1, "TabSpectrogram", QStringLiteral("Spectrogram"));

    sb_spectrogram_on = MakeToggleButton("sb_spectrogram_on", QStringLiteral("Spectrogram On"));
    sb_spectrogram_autoscroll = MakeToggleButton("sb_spectrogram_autoscroll", QStringLiteral("Auto Scroll"));
    sb_zoom_spectrogram = MakeToggleButton("sb_zoom_spectrogram", QStringLiteral("Zoom"));
    SpectrogramClear = MakePushButton("SpectrogramClear", QStringLiteral("Clear"));
    SpeedButton8 = MakeHelpButton("SpeedButton8");
    QWidget* switches = MakeSwitchColumn({sb_spectrogram_on, sb_spectrogram_autoscroll}, SpeedButton8,
                                         {sb_zoom_spectrogram, SpectrogramClear});

    TrackSpectrogramOffset = MakeTrackBar(controls::kTrackSpectrogramOffset, kTrackWidth);
    TrackSpectrogramGain = MakeTrackBar(controls::kTrackSpectrogramGain, kTrackWidth);
    QGroupBox* scaling = MakeGroup(QStringLiteral("Color scale"));
    QGridLayout* scalingGrid = MakeGridLayout(scaling);
    scalingGrid->addWidget(MakeCaption(QStringLiteral("Offset")), 0, 0);
    scalingGrid->addWidget(TrackSpectrogramOffset, 0, 1);
    scalingGrid->addWidget(MakeCaption(QStringLiteral("Gain")), 1, 0);
    scalingGrid->addWidget(TrackSpectrogramGain, 1, 1);
    scalingGrid->setRowStretch(2, 1);

    // Built from the preset table itself: the window applies a preset by its
    // index in this list.
    QStringList paletteNames;
    for (const PalettePreset& preset : kPalettePresets) paletteNames << QString::fromUtf8(preset.name);
    ComboPalettePresets = MakeComboBox("ComboPalettePresets", paletteNames, -1, QStringLiteral("Presets"));
    BitmapPalette = MakeValueLabel("BitmapPalette", QString());
    BitmapPalette->setFixedSize(kPaletteStripWidth, kPaletteStripHeight);
    Button2 = MakePushButton("Button2", QStringLiteral("Edit"));
    QGroupBox* palette = MakeGroup(QStringLiteral("Palette"));
    QGridLayout* paletteGrid = MakeGridLayout(palette);
    paletteGrid->addWidget(ComboPalettePresets, 0, 0, 1, 2);
    paletteGrid->addWidget(BitmapPalette, 1, 0);
    paletteGrid->addWidget(Button2, 1, 1);
    paletteGrid->setRowStretch(2, 1);

    QHBoxLayout* row = MakeRowLayout(sheet);
    row->addWidget(switches);
    row->addWidget(scaling);
    row->addWidget(palette);
    row->addStretch(1);
}

}  // namespace moravel
