// Small factories for the controls of the settings pages: each makes one
// widget with its object name and its design-time values (range, position,
// caption) and the compact sizes the 126-pixel settings panel needs.
// Controls of the processing and display pages take name, range, position and
// items from the control table (ControlTable.h): a page passes the table's row,
// and names a widget itself only when the table has no row for it; every control's tooltip is
// its hint from the table of accessible texts (AccessibleTexts.h), looked up
// by its object name. They carry no behaviour; the main window connects every
// control itself.
//
// Every widget is created without a parent; adding it to a layout that sits
// on a page hands it to that page. GUI thread only.
#pragma once

#include <QString>
#include <QStringList>

#include <initializer_list>
#include <string_view>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QSlider;
class QTabWidget;
class QToolButton;
class QVBoxLayout;
class QWidget;

namespace moravel {

namespace controls {
struct ComboControl;
struct SwitchControl;
struct TrackControl;
}  // namespace controls

/// Range, design-time position and steps of a track bar (a QSlider).
struct TrackBarRange {
    int minimum;
    int maximum;
    int position;
    int singleStep = 1;  // arrow keys
    int pageStep = 1;    // Page Up / Page Down and clicks beside the handle
};

/// A text of the control table (UTF-8) as a caption or object name.
QString TableText(std::string_view text);

/// The page's sheet: an empty widget named `name`, appended to `tabs` with the
/// tab caption `caption`. The caller lays out its controls on it.
QWidget* MakeSheet(QTabWidget* tabs, std::string_view name, const QString& caption);

/// A horizontal track bar `width` pixels wide.
QSlider* MakeTrackBar(std::string_view name, const TrackBarRange& range, int width);

/// A vertical track bar `height` pixels high whose minimum sits at the top,
/// so that moving the handle up lowers the value; arrow keys and the wheel
/// follow the handle's direction.
QSlider* MakeTopDownTrackBar(std::string_view name, const TrackBarRange& range, int height);

/// The table's track bar `control`: its name, range, position and steps.
QSlider* MakeTrackBar(const controls::TrackControl& control, int width);
QSlider* MakeTopDownTrackBar(const controls::TrackControl& control, int height);

/// A speed button that stays down when clicked (a checkable QToolButton), up
/// at creation.
QToolButton* MakeToggleButton(std::string_view name, const QString& caption);

/// The table's switch `control` as a toggle button, named as its row.
QToolButton* MakeToggleButton(const controls::SwitchControl& control, const QString& caption);

/// A one-shot speed button (not checkable), e.g. "Zero", "Browse", "Defaults".
QToolButton* MakeSpeedButton(std::string_view name, const QString& caption);

/// A small "?" speed button that opens the page's help topic.
QToolButton* MakeHelpButton(std::string_view name);

/// A push button, e.g. "Reset", "Clear", "Edit".
QPushButton* MakePushButton(std::string_view name, const QString& caption);

/// A drop-down list holding `items` in order with item `index` selected
/// (-1: no selection; `placeholder` is then shown greyed, if given).
QComboBox* MakeComboBox(std::string_view name, const QStringList& items, int index, const QString& placeholder = {});

/// The table's drop-down list `control`: its name, items and selection.
QComboBox* MakeComboBox(const controls::ComboControl& control, const QString& placeholder = {});

/// The switch column at a page's left edge: `column` stacked from the top (the
/// on button, then e.g. "Defaults", "Visible" or "Pause"), `beside` stacked in
/// a second column, and the help button `help` at the bottom left, in the
/// third row (rows left empty above it take the spare height). Without a help
/// button the spare height goes below the column.
QWidget* MakeSwitchColumn(std::initializer_list<QWidget*> column, QToolButton* help,
                          std::initializer_list<QWidget*> beside = {});

/// A check box with its caption, unchecked at creation.
QCheckBox* MakeCheckBox(std::string_view name, const QString& caption);

/// The table's switch `control` as a check box, named as its row.
QCheckBox* MakeCheckBox(const controls::SwitchControl& control, const QString& caption);

/// A named read-out label showing `text`, at least `minWidth` pixels wide so
/// that the values the window writes later do not move its neighbours.
QLabel* MakeValueLabel(std::string_view name, const QString& text, int minWidth = 0);

/// A read-out panel: a label with a sunken frame, exactly `width` pixels
/// wide, so that long texts (file names) are cut instead of widening the page.
QLabel* MakePanel(std::string_view name, const QString& text, int width, Qt::Alignment alignment = Qt::AlignCenter);

/// An unnamed caption label (e.g. "Time", "Peak hold").
QLabel* MakeCaption(const QString& text);

/// A group box with `title` and the tight margins the settings panel needs.
QGroupBox* MakeGroup(const QString& title);

/// Layouts installed on `owner` (a sheet or a group box) with the shared
/// margins and spacing: controls side by side, stacked, or in a grid.
QHBoxLayout* MakeRowLayout(QWidget* owner);
QVBoxLayout* MakeColumnLayout(QWidget* owner);
QGridLayout* MakeGridLayout(QWidget* owner);

/// Layout margins and spacing shared by the pages, in pixels: the page area
/// is only about 100 pixels high, so the vertical margins are the thinnest.
inline constexpr int kMarginX = 4;
inline constexpr int kMarginY = 1;
inline constexpr int kSpacing = 4;

}  // namespace moravel
