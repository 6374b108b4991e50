// The spectrogram's and its palette's handlers on the main window: the
// controls of the spectrogram pane and the Spectrogram page connected to the
// window's handlers, each forwarding to the SpectrogramView that does the
// work; "Edit" forwards to the gradient editor's controller.
#include "MainForm.h"
#include "GradientEditorController.h"
#include "PlotMath.h"
#include "PlotPanes.h"
#include "SpectrogramView.h"
#include "TChart.h"
#include "WindowSettings.h"
#include "pages/SpectrogramPage.h"

#include <QComboBox>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>

#include <cmath>

namespace moravel {

namespace {

// Panning never shows time before 0 s or frequencies below 0 Hz.
bool allowScroll(QCPAxis*, double newMinimum) { return newMinimum >= 0; }

QString minutesSecondsLabel(double tick) {
    return QString::fromStdString(MinutesSeconds(static_cast<std::int64_t>(std::nearbyint(tick))));
}

}  // namespace

void TMainForm::connectSpectrogramControls() {
    on(spectrogramPane->ScrollSpectrogram, &QScrollBar::valueChanged, &TMainForm::ScrollSpectrogramChange);
    on(spectrogramPane->ScrollSpectrogramVertical, &QScrollBar::valueChanged,
       &TMainForm::ScrollSpectrogramVerticalChange);
    on(spectrogram->SpectrogramClear, &QPushButton::clicked, &TMainForm::SpectrogramClearClick);
    on(spectrogram->ComboPalettePresets, &QComboBox::activated, &TMainForm::ComboPalettePresetsChange);
    on(spectrogram->Button2, &QPushButton::clicked, &TMainForm::Button2Click);
    on(spectrogram->sb_zoom_spectrogram, &QToolButton::clicked, &TMainForm::sb_zoom_spectrogramClick);
    TChart* chart = spectrogramPane->Chart2;
    on(chart, &QCustomPlot::mouseMove, &TMainForm::Chart2MouseMove);
    on(chart, &QCustomPlot::mousePress, &TMainForm::Chart2MouseDown);
    on(chart, &QCustomPlot::mouseDoubleClick, &TMainForm::Chart2DblClick);
    chart->BeforeDrawAxes = guard(&TMainForm::Chart2BeforeDrawAxes);
    chart->AfterDraw = guard([this](QCPPainter* painter, const QRect& plot) {
        spectrogramView_->PaintKeyboardCursor(*painter, plot);
    });
    chart->AllowScroll = guard(&allowScroll);
    chart->Scrolled = guard(&TMainForm::Chart2Scroll);
    chart->Zoomed = guard(&TMainForm::Chart2Zoom);
    chart->Resized = guard([this] { state_.LayoutChanged = true; });
    chart->SetPanning(true);
    spectrogramPane->TimeTicker->Label = guard(&minutesSecondsLabel);
}

void TMainForm::ScrollSpectrogramChange() { spectrogramView_->ScrollTime(); }

void TMainForm::ScrollSpectrogramVerticalChange() { spectrogramView_->ScrollFrequency(); }

void TMainForm::Chart2Scroll() { spectrogramView_->FollowChart(); }

void TMainForm::Chart2BeforeDrawAxes(QCPPainter* painter, const QRect& plot) {
    spectrogramView_->Paint(*painter, plot);
}

void TMainForm::sb_zoom_spectrogramClick() { spectrogramView_->ZoomButtonChanged(); }

void TMainForm::Chart2Zoom() { spectrogramView_->ZoomApplied(); }

void TMainForm::SpectrogramClearClick() { spectrogramView_->Clear(); }

void TMainForm::Chart2MouseMove(QMouseEvent* event) { spectrogramView_->ShowCursor(*event); }

void TMainForm::Chart2MouseDown(QMouseEvent* event) { spectrogramView_->RememberPress(*event); }

void TMainForm::Chart2DblClick(QMouseEvent*) { spectrogramView_->CentreSpectrumOnPress(); }

void TMainForm::ComboPalettePresetsChange() { spectrogramView_->Palette().ApplySelectedPreset(); }

void TMainForm::Button2Click() { gradientEditor_->ShowModal(); }

// At the first activation: the palette kept in the settings file.
void TMainForm::LoadPaletteSettings() {
    ReadPaletteSettings(ini_, kept_);
    spectrogramView_->Palette().Load(kept_);
}

}  // namespace moravel
