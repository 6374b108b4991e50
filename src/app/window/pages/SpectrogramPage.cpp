#include "app/window/pages/SpectrogramPage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>

#include "app/window/pages/PageControls.h"
#include "common/ControlTable.h"
#include "views/core/ColorGradient.h"

namespace moravel {

namespace {

constexpr int kTrackWidth = 110;

}  // namespace

SpectrogramPage::SpectrogramPage(QTabWidget* tabs) : SettingsPage(tabs, "TabSpectrogram", QStringLiteral("Spectrogram")) {

    spectrogramSwitch = MakeToggleButton(controls::kSpectrogramOn, QStringLiteral("Spectrogram On"));
    autoScrollSwitch = MakeToggleButton(controls::kSpectrogramScroll, QStringLiteral("Auto Scroll"));
    zoomSwitch = MakeToggleButton("sb_zoom_spectrogram", QStringLiteral("Zoom"));
    clearButton = MakePushButton("SpectrogramClear", QStringLiteral("Clear"));
    helpButton = MakeHelpButton("SpeedButton8");
    QWidget* switches = MakeSwitchColumn({spectrogramSwitch, autoScrollSwitch}, helpButton, {zoomSwitch, clearButton});

    colorOffsetSlider = MakeTrackBar(controls::kTrackSpectrogramOffset, kTrackWidth);
    colorGainSlider = MakeTrackBar(controls::kTrackSpectrogramGain, kTrackWidth);
    QGroupBox* scaling = MakeGroup(QStringLiteral("Color scale"));
    QGridLayout* scalingGrid = MakeGridLayout(scaling);
    scalingGrid->addWidget(MakeCaption(QStringLiteral("Offset")), 0, 0);
    scalingGrid->addWidget(colorOffsetSlider, 0, 1);
    scalingGrid->addWidget(MakeCaption(QStringLiteral("Gain")), 1, 0);
    scalingGrid->addWidget(colorGainSlider, 1, 1);
    scalingGrid->setRowStretch(2, 1);

    // Built from the preset table itself: the window applies a preset by its
    // index in this list.
    QStringList paletteNames;
    for (const PalettePreset& preset : kPalettePresets) paletteNames << QString::fromUtf8(preset.name);
    palettePresetCombo = MakeComboBox("ComboPalettePresets", paletteNames, -1, QStringLiteral("Presets"));
    paletteStrip = MakeValueLabel("BitmapPalette", QString());
    paletteStrip->setFixedSize(kPaletteStripWidth, kPaletteStripHeight);
    editPaletteButton = MakePushButton("Button2", QStringLiteral("Edit"));
    QGroupBox* palette = MakeGroup(QStringLiteral("Palette"));
    QGridLayout* paletteGrid = MakeGridLayout(palette);
    paletteGrid->addWidget(palettePresetCombo, 0, 0, 1, 2);
    paletteGrid->addWidget(paletteStrip, 1, 0);
    paletteGrid->addWidget(editPaletteButton, 1, 1);
    paletteGrid->setRowStretch(2, 1);

    QHBoxLayout* row = MakeRowLayout(sheet);
    row->addWidget(switches);
    row->addWidget(scaling);
    row->addWidget(palette);
    row->addStretch(1);
}

}  // namespace moravel
