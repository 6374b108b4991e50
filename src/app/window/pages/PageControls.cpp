#include "app/window/pages/PageControls.h"

#include "common/AccessibleTexts.h"
#include "app/window/AccessibleValues.h"
#include "common/ControlTable.h"

#include <algorithm>
#include <string>
#include <string_view>

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

// The hint of the table entry named like the widget, as its tooltip.
void SetHint(QWidget* widget) {
    const std::string name = widget->objectName().toStdString();
    const std::string_view hint = accessible::HintOf(name);
    if (!hint.empty()) widget->setToolTip(QString::fromUtf8(hint.data(), static_cast<qsizetype>(hint.size())));
}

QSlider* MakeSlider(Qt::Orientation orientation, std::string_view name, const TrackBarRange& range) {
    auto* slider = new TrackBar(orientation);
    slider->setObjectName(TableText(name));
    slider->setRange(range.minimum, range.maximum);
    slider->setValue(range.position);
    slider->setSingleStep(range.singleStep);
    slider->setPageStep(range.pageStep);
    return slider;
}

QToolButton* MakeToolButton(std::string_view name, const QString& caption) {
    auto* button = new QToolButton;
    button->setObjectName(TableText(name));
    button->setText(caption);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    SetHint(button);
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

TrackBarRange RangeOf(const controls::TrackControl& control) {
    return {control.minimum, control.maximum, control.position, control.singleStep, control.pageStep};
}

// The help button's row in a switch column: the column's bottom row.
constexpr int kHelpRow = 2;

template <typename Layout>
Layout* MakeLayout(QWidget* owner) {
    auto* layout = new Layout(owner);
    layout->setContentsMargins(kMarginX, kMarginY, kMarginX, kMarginY);
    layout->setSpacing(kSpacing);
    return layout;
}

}  // namespace

QWidget* MakeSheet(QTabWidget* tabs, std::string_view name, const QString& caption) {
    auto* sheet = new QWidget;
    sheet->setObjectName(TableText(name));
    tabs->addTab(sheet, caption);
    return sheet;
}

QString TableText(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QSlider* MakeTrackBar(std::string_view name, const TrackBarRange& range, int width) {
    QSlider* slider = MakeSlider(Qt::Horizontal, name, range);
    slider->setFixedWidth(width);
    SetHint(slider);
    return slider;
}

QSlider* MakeTopDownTrackBar(std::string_view name, const TrackBarRange& range, int height) {
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
    SetHint(slider);
    return slider;
}

QSlider* MakeTrackBar(const controls::TrackControl& control, int width) {
    return MakeTrackBar(control.name, RangeOf(control), width);
}

QSlider* MakeTopDownTrackBar(const controls::TrackControl& control, int height) {
    return MakeTopDownTrackBar(control.name, RangeOf(control), height);
}

QToolButton* MakeToggleButton(std::string_view name, const QString& caption) {
    QToolButton* button = MakeToolButton(name, caption);
    button->setCheckable(true);
    KeepAtLeast(button, kButtonMinWidth);
    return button;
}

QToolButton* MakeToggleButton(const controls::SwitchControl& control, const QString& caption) {
    return MakeToggleButton(control.name, caption);
}

QToolButton* MakeSpeedButton(std::string_view name, const QString& caption) {
    QToolButton* button = MakeToolButton(name, caption);
    KeepAtLeast(button, kButtonMinWidth);
    return button;
}

QToolButton* MakeHelpButton(std::string_view name) { return MakeToolButton(name, QStringLiteral("?")); }

QPushButton* MakePushButton(std::string_view name, const QString& caption) {
    auto* button = new QPushButton(caption);
    button->setObjectName(TableText(name));
    button->setFixedWidth(button->fontMetrics().horizontalAdvance(caption) + 2 * kPushButtonPadding);
    SetHint(button);
    return button;
}

QComboBox* MakeComboBox(std::string_view name, const QStringList& items, int index, const QString& placeholder) {
    auto* combo = new QComboBox;
    combo->setObjectName(TableText(name));
    combo->addItems(items);
    if (!placeholder.isEmpty()) combo->setPlaceholderText(placeholder);
    combo->setCurrentIndex(index);
    SetHint(combo);
    return combo;
}

QComboBox* MakeComboBox(const controls::ComboControl& control, const QString& placeholder) {
    QStringList items;
    for (std::string_view item : control.items) items << TableText(item);
    return MakeComboBox(control.name, items, control.index, placeholder);
}

QWidget* MakeSwitchColumn(std::initializer_list<QWidget*> column, QToolButton* help,
                          std::initializer_list<QWidget*> beside) {
    auto* switches = new QWidget;
    QGridLayout* grid = MakeGridLayout(switches);
    grid->setContentsMargins(0, kMarginY, 0, kMarginY);
    int row = 0;
    for (QWidget* widget : column) grid->addWidget(widget, row++, 0);
    const int filled = row;
    row = 0;
    for (QWidget* widget : beside) grid->addWidget(widget, row++, 1);
    if (help == nullptr) {
        grid->setRowStretch(filled, 1);
        return switches;
    }
    for (int empty = filled; empty < kHelpRow; ++empty) grid->setRowStretch(empty, 1);
    grid->addWidget(help, std::max(filled, kHelpRow), 0, Qt::AlignLeft);
    return switches;
}

QCheckBox* MakeCheckBox(std::string_view name, const QString& caption) {
    auto* check = new QCheckBox(caption);
    check->setObjectName(TableText(name));
    SetHint(check);
    return check;
}

QCheckBox* MakeCheckBox(const controls::SwitchControl& control, const QString& caption) {
    return MakeCheckBox(control.name, caption);
}

QLabel* MakeValueLabel(std::string_view name, const QString& text, int minWidth) {
    auto* label = new QLabel(text);
    label->setObjectName(TableText(name));
    label->setMinimumWidth(minWidth);
    return label;
}

QLabel* MakePanel(std::string_view name, const QString& text, int width, Qt::Alignment alignment) {
    auto* panel = new QLabel(text);
    panel->setObjectName(TableText(name));
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
