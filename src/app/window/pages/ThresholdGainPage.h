// A threshold/gain page, "Compress" or "Expand": the stage's on button, its
// threshold and gain track bars (its rows of the control table), "Defaults"
// (the bars' reset values, applied by ThresholdGainPageControls) and the help
// button. The two pages differ only in their description; kCompressPage and
// kExpandPage are the window's two.
//
// Layout only: the main window connects the controls. GUI thread only.
#pragma once

#include "app/window/pages/SettingsPage.h"

#include "common/ControlTable.h"

#include <string_view>

class QSlider;
class QTabWidget;
class QToolButton;
class QWidget;

namespace moravel {

class ThresholdGainPage : public SettingsPage {
public:
    /// What one page is made of: names, captions and the table's rows.
    struct Description {
        std::string_view sheetName;   // the sheet's object name
        std::string_view tabCaption;  // the tab's caption
        const controls::SwitchControl& onRow;
        std::string_view onCaption;  // the on button's caption
        const controls::TrackControl& thresholdRow;
        const controls::TrackControl& gainRow;
        std::string_view defaultsName;  // the "Defaults" button's object name
        std::string_view helpName;      // the "?" button's object name
    };

    /// Builds the page `what` describes and appends it to `tabs`.
    ThresholdGainPage(QTabWidget* tabs, const Description& what);

    // Object names come from the description: the table's rows, or the names
    // it spells for the sheet and the two buttons the table has no row for.
    const Description& description;  // kCompressPage or kExpandPage
    QToolButton* onSwitch;           // description.onRow: description.onCaption, up at creation
    QSlider* thresholdSlider;        // range and position: description.thresholdRow
    QSlider* gainSlider;             // description.gainRow
    QToolButton* defaultsButton;     // description.defaultsName: "Defaults"
    QToolButton* helpButton;         // description.helpName: "?"
};

/// "Compress": the compressor's "Defaults" lowers the gain to -5.
inline constexpr ThresholdGainPage::Description kCompressPage{.sheetName = "TabCompress",
                                                              .tabCaption = "Compress",
                                                              .onRow = controls::kCompressorOn,
                                                              .onCaption = "Compressor On",
                                                              .thresholdRow = controls::kTrackCompressorThreshold,
                                                              .gainRow = controls::kTrackCompressorGain,
                                                              .defaultsName = "SpeedButton1",
                                                              .helpName = "SpeedButton11"};

/// "Expand": "Defaults" sets threshold and gain to 0.
inline constexpr ThresholdGainPage::Description kExpandPage{.sheetName = "TabExpand",
                                                            .tabCaption = "Expand",
                                                            .onRow = controls::kExpanderOn,
                                                            .onCaption = "Expander On",
                                                            .thresholdRow = controls::kTrackExpanderThreshold,
                                                            .gainRow = controls::kTrackExpanderGain,
                                                            .defaultsName = "SpeedButton2",
                                                            .helpName = "SpeedButton12"};

}  // namespace moravel
