#include "views/gradient/GradientEditorDialog.h"

#include "common/AccessibleTexts.h"
#include "views/PaletteStrip.h"
#include "views/gradient/SliderGlyph.h"

#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>

#include <utility>

namespace moravel {

namespace {

constexpr int kClientWidth = 265;
// 131 pixels hold the hint, the sliders, the strip and "&Close"; the
// read-outs and the interpolation group below them need the rest.
constexpr int kClientHeight = 240;
constexpr int kFirstMiddlePoint = 2;

// The hint above the sliders, which is also their accessible description.
QString Hint() {
    const std::string_view hint = accessible::HintOf("ControlPoint0", accessible::kGradientEditor);
    return QString::fromUtf8(hint.data(), static_cast<int>(hint.size()));
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, const QRect& geometry) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    return label;
}

QString LocaleDecimalPoint() { return QLocale().decimalPoint(); }

// Names and hints from the table of accessible texts. Qt on Linux reports a
// combo box's current item as its name and takes its caption from a label
// whose buddy it is, so each list gets a hidden one with its name.
void NameControls(QWidget* dialog) {
    for (QWidget* control : dialog->findChildren<QWidget*>())
        accessible::ApplyControlText(*control, accessible::kGradientEditor);
    for (QComboBox* list : dialog->findChildren<QComboBox*>()) {
        auto* label = new QLabel(list->accessibleName(), list->parentWidget());
        label->setObjectName(list->objectName() + QStringLiteral("Label"));
        label->setBuddy(list);
        label->hide();
    }
}

}  // namespace

GradientEditorDialog::GradientEditorDialog(FunkyGradient& gradient, ColorChooser chooseColor,
                                           std::function<void()> liveUpdate, QWidget* parent)
    : QDialog(parent),
      gradient_(gradient),
      chooseColor_(chooseColor ? std::move(chooseColor) : ColorChooser(&ChooseColorWithDialog)),
      liveUpdate_(std::move(liveUpdate)),
      palette_(std::make_unique<SpectrogramPalette>()) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Spectrogram Color Gradient"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(kClientWidth, kClientHeight);
    palette_->fill(0);
    buildControls();
    buildSliders();
    NameControls(this);
    liveUpdateTimer.setObjectName(QStringLiteral("timer1"));
    liveUpdateTimer.setInterval(kLiveUpdateMs);
    connect(&liveUpdateTimer, &QTimer::timeout, this, &GradientEditorDialog::LiveUpdateTick);
}

GradientEditorDialog::~GradientEditorDialog() = default;

void GradientEditorDialog::buildControls() {
    hintLabel = MakeLabel(this, "Label1", Hint(), QRect(8, 4, 249, 40));
    hintLabel->setWordWrap(true);
    gradientStrip = MakeLabel(this, "grImage", QString(), QRect(kStripLeft, kStripTop, kStripWidth, kStripHeight));
    closeButton = new QPushButton(QStringLiteral("&Close"), this);
    closeButton->setObjectName(QStringLiteral("btnClose"));
    closeButton->setGeometry(95, 98, 75, 25);
    closeButton->setDefault(true);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);

    locationCaption = MakeLabel(this, "LabelLocation", QStringLiteral("Location"), QRect(16, 136, 56, 16));
    locationLabel = MakeLabel(this, "acpAlpha", QString(), QRect(76, 136, 50, 16));
    colorCaption = MakeLabel(this, "LabelColor", QStringLiteral("Color"), QRect(136, 136, 34, 16));
    colorLabel = MakeLabel(this, "acpColor", QString(), QRect(172, 136, 60, 16));
    buildInterpolationGroup();
}

void GradientEditorDialog::buildInterpolationGroup() {
    interpolationGroup = new QGroupBox(QStringLiteral(" Gradient Interpolation Function "), this);
    interpolationGroup->setObjectName(QStringLiteral("GroupInterpolation"));
    interpolationGroup->setGeometry(8, 158, 249, 76);
    polynomialButton = new QRadioButton(QStringLiteral("Polynomial Power"), interpolationGroup);
    polynomialButton->setObjectName(QStringLiteral("rbPolynomial"));
    polynomialButton->setGeometry(10, 22, 136, 20);
    polynomialButton->setChecked(true);
    sinusoidalButton = new QRadioButton(QStringLiteral("Sinusoidal Shape"), interpolationGroup);
    sinusoidalButton->setObjectName(QStringLiteral("rbSinusoidal"));
    sinusoidalButton->setGeometry(10, 48, 136, 20);
    polyPowerCombo = new QComboBox(interpolationGroup);
    polyPowerCombo->setObjectName(QStringLiteral("acpPolyPower"));
    polyPowerCombo->setGeometry(160, 20, 64, 22);
    for (const std::int32_t power : kPolyPowerChoices) polyPowerCombo->addItem(QString::number(power));
    sinusShapeCombo = new QComboBox(interpolationGroup);
    sinusShapeCombo->setObjectName(QStringLiteral("acpSinusShape"));
    sinusShapeCombo->setGeometry(160, 46, 64, 22);
    for (const std::int32_t shape : kSinusShapeChoices) sinusShapeCombo->addItem(QString::number(shape));
    const ControlPoint defaults;
    polyPowerCombo->setCurrentIndex(defaults.PolyPowerItem);
    sinusShapeCombo->setCurrentIndex(defaults.SinusShapeItem);
    // User choices only: the lists and buttons set to show a point must not
    // write back into it.
    connect(polynomialButton, &QRadioButton::clicked, this, &GradientEditorDialog::interpolationChosen);
    connect(sinusoidalButton, &QRadioButton::clicked, this, &GradientEditorDialog::interpolationChosen);
    connect(polyPowerCombo, &QComboBox::activated, this, &GradientEditorDialog::polyPowerChosen);
    connect(sinusShapeCombo, &QComboBox::activated, this, &GradientEditorDialog::sinusShapeChosen);
}

void GradientEditorDialog::buildSliders() {
    for (int index = 0; index < kControlPointCount; ++index) {
        auto* slider = new QPushButton(this);
        slider->setObjectName(QStringLiteral("ControlPoint%1").arg(index));
        slider->setFixedSize(kSliderWidth, kSliderHeight);
        slider->setAutoDefault(false);
        slider->setFocusPolicy(Qt::StrongFocus);
        if (index >= kFirstMiddlePoint) slider->setCursor(Qt::PointingHandCursor);
        slider->installEventFilter(this);
        sliders[static_cast<std::size_t>(index)] = slider;
    }
    ShowGradient();
}

void GradientEditorDialog::paintGlyph(int index) {
    QPushButton* slider = sliders[static_cast<std::size_t>(index)];
    const QPixmap glyph = SliderGlyph(gradient_.Point(index).Color, slider->size());
    slider->setIcon(QIcon(glyph));
    slider->setIconSize(glyph.size());
}

void GradientEditorDialog::placeSlider(int index) {
    QPushButton* slider = sliders[static_cast<std::size_t>(index)];
    const ControlPoint& point = gradient_.Point(index);
    slider->move(SliderLeft(point.Position, geometry_), kSliderTop);
    paintGlyph(index);
    slider->setVisible(point.Active);
}

void GradientEditorDialog::ShowGradient() {
    for (int index = 0; index < kControlPointCount; ++index) placeSlider(index);
    if (gradient_.Current()) showCurrent();
    rebuildPalette();
}

// The editor's palette at the strip's width, drawn into the strip.
void GradientEditorDialog::rebuildPalette() {
    gradient_.BuildPalette(palette_->data(), kStripWidth);
    gradientStrip->setPixmap(DrawPalette(palette_->data(), kStripWidth, kStripHeight));
}

void GradientEditorDialog::startLiveUpdate() {
    ShowGradient();
    liveUpdateTimer.start();
}

// The last edits may be younger than the last tick; they reach the
// spectrogram's palette before the timer stops, so the palette in use and
// the gradient kept in the settings agree.
void GradientEditorDialog::finishLiveUpdate() {
    if (!liveUpdateTimer.isActive()) return;
    liveUpdateTimer.stop();
    LiveUpdateTick();
}

void GradientEditorDialog::LiveUpdateTick() {
    rebuildPalette();
    if (liveUpdate_) liveUpdate_();
}

void GradientEditorDialog::showCurrent() {
    const ControlPoint& point = gradient_.Point(*gradient_.Current());
    locationLabel->setText(QString::fromStdString(LocationText(point.Position, LocaleDecimalPoint().toStdString())));
    colorLabel->setText(QString::fromStdString(ColorText(point.Color)));
    polyPowerCombo->setCurrentIndex(point.PolyPowerItem);
    sinusShapeCombo->setCurrentIndex(point.SinusShapeItem);
    gradient_.SelectPolyPower(point.Index, point.PolyPowerItem);
    gradient_.SelectSinusShape(point.Index, point.SinusShapeItem);
    QRadioButton* curve = point.Interpolation == InterpolationCurve::Polynomial ? polynomialButton : sinusoidalButton;
    curve->setChecked(true);
}

void GradientEditorDialog::selectPoint(QPushButton* slider) {
    const auto index = ControlPointIndex(slider->objectName().toStdString());
    if (!index) return;
    gradient_.SetCurrent(*index);
    showCurrent();
}

void GradientEditorDialog::startDrag(QPushButton* slider) {
    drag_.Start();
    slider->setCursor(Qt::SplitHCursor);
}

void GradientEditorDialog::dragTo(QPushButton* slider, int xInSlider) {
    const auto newLeft = drag_.Over(xInSlider, slider->x(), geometry_);
    if (newLeft) moveCurrentSlider(slider, *newLeft);
}

// Moves the current point's slider and the point with it; the ends never
// move. The timer's next tick carries the new position to the spectrogram.
void GradientEditorDialog::moveCurrentSlider(QPushButton* slider, int newLeft) {
    const auto current = gradient_.Current();
    if (!current || *current < kFirstMiddlePoint) return;
    slider->move(newLeft, slider->y());
    gradient_.SetPosition(*current, SliderPosition(slider->x(), geometry_));
    locationLabel->setText(
        QString::fromStdString(LocationText(gradient_.Point(*current).Position, LocaleDecimalPoint().toStdString())));
}

void GradientEditorDialog::stepSlider(QPushButton* slider, int step) {
    if (sliderOf(slider) == nullptr || gradient_.Current() != ControlPointIndex(slider->objectName().toStdString()))
        return;
    moveCurrentSlider(slider, SteppedLeft(slider->x(), step, geometry_));
}

void GradientEditorDialog::endDrag(QPushButton* slider) {
    drag_.End();
    slider->setCursor(Qt::PointingHandCursor);
}

void GradientEditorDialog::pickColor(QPushButton* slider) {
    const auto index = ControlPointIndex(slider->objectName().toStdString());
    if (!index) return;
    const std::optional<TColor> chosen = chooseColor_(this, gradient_.Point(*index).Color);
    if (!chosen) return;
    gradient_.SetColor(*index, *chosen);
    paintGlyph(*index);
    colorLabel->setText(QString::fromStdString(ColorText(*chosen)));
    rebuildPalette();
}

void GradientEditorDialog::interpolationChosen() {
    const auto current = gradient_.Current();
    if (!current) return;
    gradient_.SetInterpolation(*current,
                               polynomialButton->isChecked() ? InterpolationCurve::Polynomial : InterpolationCurve::Sinusoidal);
    rebuildPalette();
}

void GradientEditorDialog::polyPowerChosen() {
    const auto current = gradient_.Current();
    if (!current || polyPowerCombo->currentIndex() < 0) return;
    gradient_.SelectPolyPower(*current, polyPowerCombo->currentIndex());
    rebuildPalette();
}

void GradientEditorDialog::sinusShapeChosen() {
    const auto current = gradient_.Current();
    if (!current || sinusShapeCombo->currentIndex() < 0) return;
    gradient_.SelectSinusShape(*current, sinusShapeCombo->currentIndex());
    rebuildPalette();
}

void GradientEditorDialog::AddPoint() {
    const auto added = gradient_.AddControlPoint();
    if (!added) return;
    placeSlider(*added);
    rebuildPalette();
}

void GradientEditorDialog::RemoveCurrentPoint() {
    const auto removed = gradient_.RemoveCurrent();
    if (!removed) return;
    sliders[static_cast<std::size_t>(*removed)]->hide();
    rebuildPalette();
}

QPushButton* GradientEditorDialog::sliderOf(QObject* watched) const {
    for (QPushButton* slider : sliders) {
        if (slider == watched) return slider;
    }
    return nullptr;
}

bool GradientEditorDialog::eventFilter(QObject* watched, QEvent* event) {
    QPushButton* slider = sliderOf(watched);
    if (slider != nullptr && event->type() == QEvent::KeyPress &&
        sliderKeyEvent(slider, static_cast<const QKeyEvent&>(*event))) {
        return true;
    }
    if (slider != nullptr && sliderMouseEvent(slider, event)) return true;
    return QDialog::eventFilter(watched, event);
}

// The keyboard's drag and right click. Enter and Space are eaten on every
// slider: Enter would otherwise press the default "&Close".
bool GradientEditorDialog::sliderKeyEvent(QPushButton* slider, const QKeyEvent& key) {
    if ((key.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
    switch (key.key()) {
        case Qt::Key_Left:
            stepSlider(slider, -kSliderKeyStep);
            return true;
        case Qt::Key_Right:
            stepSlider(slider, kSliderKeyStep);
            return true;
        case Qt::Key_PageDown:
            stepSlider(slider, -kSliderPageStep);
            return true;
        case Qt::Key_PageUp:
            stepSlider(slider, kSliderPageStep);
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            pickColor(slider);
            return true;
        default:
            return false;
    }
}

// A press selects the point before any drag starts, since dragging writes
// into Current; middle sliders then drag with the left button held. The
// button keeps its own press handling, so the events pass on, except the
// right click, which opens the colour dialog instead of a menu.
bool GradientEditorDialog::sliderMouseEvent(QPushButton* slider, QEvent* event) {
    const auto* mouse = dynamic_cast<const QMouseEvent*>(event);
    const int x = mouse != nullptr ? static_cast<int>(mouse->position().x()) : 0;
    switch (event->type()) {
        case QEvent::FocusIn:
            selectPoint(slider);
            return false;
        case QEvent::MouseButtonPress:
            if (mouse->button() != Qt::LeftButton) return false;
            slider->setFocus(Qt::MouseFocusReason);
            selectPoint(slider);
            if (slider != sliders[0] && slider != sliders[1]) {
                startDrag(slider);
                dragTo(slider, x);
            }
            return false;
        case QEvent::MouseMove:
            if (drag_.Active() && (mouse->buttons() & Qt::LeftButton)) dragTo(slider, x);
            return false;
        case QEvent::MouseButtonRelease:
            if (mouse->button() == Qt::LeftButton && drag_.Active()) endDrag(slider);
            return false;
        case QEvent::ContextMenu:
            pickColor(slider);
            return true;
        default:
            return false;
    }
}

void GradientEditorDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    startLiveUpdate();
}

void GradientEditorDialog::hideEvent(QHideEvent* event) {
    finishLiveUpdate();
    QDialog::hideEvent(event);
}

}  // namespace moravel
