// The gradient editor `GradientEditorDialog` ("Spectrogram Color Gradient"): the gradient
// strip `gradientStrip` with nine slider buttons `sliders` ("ControlPoint0" .. "ControlPoint8")
// above it (0 and 1 the fixed ends, 2 .. 8 shown only while active), the
// location and colour read-outs of the current point, the group " Gradient
// Interpolation Function " with the curve of the segment above the current
// point, and "&Close".
//
// The user drags the middle sliders along the strip and right-clicks a
// slider to choose its colour. Without a mouse: Tab goes through the
// sliders, Left/Right move a focused middle slider one pixel and
// PageDown/PageUp ten within the drag's span, Enter or Space opens the
// colour dialog. Edits change only the gradient and the
// editor's own palette; while the editor is open its 100 ms timer redraws
// the strip and calls the owner's live update, which carries the gradient to
// the spectrogram's palette, so the spectrogram follows the edits at once.
//
// The editor works on a gradient it does not own. Threads: GUI thread only.
#pragma once

#include "views/core/ColorGradient.h"
#include "views/core/GradientSliders.h"
#include "views/gradient/ColorChooser.h"

#include <QDialog>
#include <QTimer>

#include <array>
#include <functional>
#include <memory>

class QComboBox;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QPushButton;
class QRadioButton;

namespace moravel {

class GradientEditorDialog : public QDialog {
    Q_OBJECT
public:
    /// Strip and slider geometry in editor pixels.
    static constexpr int kStripLeft = 16;
    static constexpr int kStripTop = 72;
    static constexpr int kStripWidth = 237;
    static constexpr int kStripHeight = 17;
    static constexpr int kSliderTop = 48;
    static constexpr int kSliderWidth = 10;
    static constexpr int kSliderHeight = 20;
    /// The live update's period in milliseconds.
    static constexpr int kLiveUpdateMs = 100;

    /// The controls, the nine sliders with their curve defaults
    /// (2 .. 8 hidden and inactive), the ends at the strip's edges.
    /// `gradient` must outlive the editor; `chooseColor` empty: the system's
    /// colour dialog; `liveUpdate` runs on every timer tick after the strip
    /// was redrawn (may be empty).
    GradientEditorDialog(FunkyGradient& gradient, ColorChooser chooseColor, std::function<void()> liveUpdate,
                         QWidget* parent = nullptr);
    ~GradientEditorDialog() override;

    /// After the gradient was set from outside (a preset, the stored
    /// palette): shows the sliders of the active points at their positions
    /// with their colours, hides the others, and rebuilds the strip.
    void ShowGradient();
    /// The live update timer's tick: rebuilds and redraws the strip, then
    /// runs the owner's live update.
    void LiveUpdateTick();
    /// Activates the next inactive point (if fewer than nine are active) and
    /// shows its slider at its position.
    void AddPoint();
    /// Deactivates Current (never an end) and hides its slider.
    void RemoveCurrentPoint();

    // ---- Controls (Qt owns them); object names in quotes ----------------------
    QLabel* hintLabel;                                       // "Label1", the hint above the sliders
    QLabel* gradientStrip;                                   // "grImage"
    std::array<QPushButton*, kControlPointCount> sliders{};  // "ControlPoint0" .. "ControlPoint8"
    QPushButton* closeButton;                                // "btnClose", "&Close"
    QLabel* locationCaption;                                 // "LabelLocation", "Location"
    QLabel* locationLabel;                                   // "acpAlpha", position of Current, "0.20"
    QLabel* colorCaption;                                    // "LabelColor", "Color"
    QLabel* colorLabel;                                      // "acpColor", colour of Current, "00ff00"
    QGroupBox* interpolationGroup;   // "GroupInterpolation", " Gradient Interpolation Function "
    QRadioButton* polynomialButton;  // "rbPolynomial", "Polynomial Power"
    QRadioButton* sinusoidalButton;  // "rbSinusoidal", "Sinusoidal Shape"
    QComboBox* polyPowerCombo;       // "acpPolyPower", "5" .. "-5"
    QComboBox* sinusShapeCombo;      // "acpSinusShape", "1", "-1"
    QTimer liveUpdateTimer;          // "timer1", runs while the editor is shown

    /// The editor's own palette (entries 0 .. kStripWidth are its strip's).
    const SpectrogramPalette& EditorPalette() const { return *palette_; }
    const SliderGeometry& Geometry() const { return geometry_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    /// The editor becomes visible: the live update starts.
    void startLiveUpdate();
    /// The editor hides: the live update stops after carrying the last edits.
    void finishLiveUpdate();
    /// `slider` received the focus: its point becomes Current and the
    /// read-outs, lists and radio buttons show that point.
    void selectPoint(QPushButton* slider);
    /// A left press on a middle slider begins a drag.
    void startDrag(QPushButton* slider);
    /// A mouse move during a drag; `xInSlider` relative to the slider.
    void dragTo(QPushButton* slider, int xInSlider);
    void endDrag(QPushButton* slider);
    /// A key on the focused `slider`: a middle one moves `step` pixels
    /// (negative: left) within the drag's span, as a drag would move it.
    void stepSlider(QPushButton* slider, int step);
    /// A right click on `slider`: the colour dialog preset with its colour;
    /// a confirmed colour goes to the point, its glyph and the read-out.
    void pickColor(QPushButton* slider);
    /// Either radio button: the curve of Current (nothing without one).
    void interpolationChosen();
    /// The user's choice in either list: the curve's power or shape of Current.
    void polyPowerChosen();
    void sinusShapeChosen();

    void buildControls();
    void buildInterpolationGroup();
    void buildSliders();
    void paintGlyph(int index);
    void placeSlider(int index);
    void showCurrent();
    void rebuildPalette();
    QPushButton* sliderOf(QObject* watched) const;
    bool sliderMouseEvent(QPushButton* slider, QEvent* event);
    bool sliderKeyEvent(QPushButton* slider, const QKeyEvent& key);
    void moveCurrentSlider(QPushButton* slider, int newLeft);

    FunkyGradient& gradient_;
    ColorChooser chooseColor_;
    std::function<void()> liveUpdate_;
    std::unique_ptr<SpectrogramPalette> palette_;
    SliderGeometry geometry_{kStripLeft, kStripWidth, kSliderWidth};
    SliderDrag drag_;
};

}  // namespace moravel
