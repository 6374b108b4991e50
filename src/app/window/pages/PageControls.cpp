#include "PageControls.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace moravel {

namespace {

void SetHint(QWidget* widget, const QString& hint) {
    if (!hint.isEmpty()) widget->setToolTip(hint);
}

QSlider* MakeSlider(Qt::Orientation orientation, const char* name, const TrackBarRange& range) {
    auto* slider = new QSlider(orientation);
    slider->setObjectName(name);
    slider->setRange(range.minimum, range.maximum);
    slider->setValue(range.position);
    slider->setSingleStep(range.singleStep);
    slider->setPageStep(range.pageStep);
    return slider;
}

QToolButton* MakeToolButton(const char* name, const QString& caption, const QString& hint) {
    auto* button = new QToolButton;
    button->setObjectName(name);
    button->setText(caption);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    SetHint(button, hint);
    return button;
}

// Speed buttons are at least this wide, so that those of one page line up
// instead of hugging their captions.
constexpr int kButtonMinWidth = 64;
// Room beside a push button's caption: the style's own minimum (80 pixels in
// some styles) is more than the narrow pages can spare.
constexpr int kPushButtonPadding = 8;

// An explicit minimum width replaces the widget's own minimum in layouts, so
// it must never be less than what the caption needs.
void KeepAtLeast(QWidget* widget, int width) { widget->setMinimumWidth(std::max(width, widget->sizeHint().width())); }

template <typename Layout>
Layout* MakeLayout(QWidget* owner) {
    auto* layout = new Layout(owner);
    layout->setContentsMargins(kMarginX, kMarginY, kMarginX, kMarginY);
    layout->setSpacing(kSpacing);
    return layout;
}

}  // namespace

QWidget* MakeSheet(QTabWidget* tabs, const char* name, const QString& caption) {
    auto* sheet = new QWidget;
    sheet->setObjectName(name);
    tabs->addTab(sheet, caption);
    return sheet;
}

QSlider* MakeTrackBar(const char* name, const TrackBarRange& range, int width, const QString& hint) {
    QSlider* slider = MakeSlider(Qt::Horizontal, name, range);
    slider->setFixedWidth(width);
    SetHint(slider, hint);
    return slider;
}

QSlider* MakeTopDownTrackBar(const char* name, const TrackBarRange& range, int height) {
    QSlider* slider = MakeSlider(Qt::Vertical, name, range);
    // Qt puts a vertical slider's minimum at the bottom; inverting the
    // appearance puts it at the top, inverting the controls keeps the arrow
    // keys and the wheel moving the handle the way they point.
    slider->setInvertedAppearance(true);
    slider->setInvertedControls(true);
    // Some styles fill the groove from the minimum to the handle, which here
    // would grow as the gain falls; painting that fill in the groove's own
    // colour leaves a plain groove, as a track bar has.
    QPalette palette = slider->palette();
    palette.setColor(QPalette::Highlight, palette.color(QPalette::Button));
    slider->setPalette(palette);
    slider->setTickPosition(QSlider::TicksRight);
    slider->setTickInterval(1);
    slider->setFixedHeight(height);
    return slider;
}

QToolButton* MakeToggleButton(const char* name, const QString& caption, const QString& hint) {
    QToolButton* button = MakeToolButton(name, caption, hint);
    button->setCheckable(true);
    KeepAtLeast(button, kButtonMinWidth);
    return button;
}

QToolButton* MakeSpeedButton(const char* name, const QString& caption, const QString& hint) {
    QToolButton* button = MakeToolButton(name, caption, hint);
    KeepAtLeast(button, kButtonMinWidth);
    return button;
}

QToolButton* MakeHelpButton(const char* name) { return MakeToolButton(name, QStringLiteral("?"), {}); }

QPushButton* MakePushButton(const char* name, const QString& caption, const QString& hint) {
    auto* button = new QPushButton(caption);
    button->setObjectName(name);
    button->setFixedWidth(button->fontMetrics().horizontalAdvance(caption) + 2 * kPushButtonPadding);
    SetHint(button, hint);
    return button;
}

QComboBox* MakeComboBox(const char* name, const QStringList& items, int index, const QString& hint,
                        const QString& placeholder) {
    auto* combo = new QComboBox;
    combo->setObjectName(name);
    combo->addItems(items);
    if (!placeholder.isEmpty()) combo->setPlaceholderText(placeholder);
    combo->setCurrentIndex(index);
    SetHint(combo, hint);
    return combo;
}

QCheckBox* MakeCheckBox(const char* name, const QString& caption, const QString& hint) {
    auto* check = new QCheckBox(caption);
    check->setObjectName(name);
    SetHint(check, hint);
    return check;
}

QLabel* MakeValueLabel(const char* name, const QString& text, int minWidth) {
    auto* label = new QLabel(text);
    label->setObjectName(name);
    label->setMinimumWidth(minWidth);
    return label;
}

QLabel* MakePanel(const char* name, const QString& text, int width, Qt::Alignment alignment) {
    auto* panel = new QLabel(text);
    panel->setObjectName(name);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setAlignment(alignment | Qt::AlignVCenter);
    panel->setFixedWidth(width);
    return panel;
}

QLabel* MakeCaption(const QString& text) { return new QLabel(text); }

QGroupBox* MakeGroup(const QString& title) { return new QGroupBox(title); }

QHBoxLayout* MakeRowLayout(QWidget* owner) { return MakeLayout<QHBoxLayout>(owner); }

QVBoxLayout* MakeColumnLayout(QWidget* owner) { return MakeLayout<QVBoxLayout>(owner); }

QGridLayout* MakeGridLayout(QWidget* owner) { return MakeLayout<QGridLayout>(owner); }

}  // namespace moravel
