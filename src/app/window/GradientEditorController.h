// The gradient editor of the Spectrogram page: the dialog `GradientEditorDialog`, created
// hidden with the main window and kept for the program's life, wired to the
// window's palette state. The editor edits that state's gradient; its live
// update rebuilds the state's strip and tables, so the running spectrogram
// follows the edits, and the settings written at close hold the edited
// palette. When a preset or the stored palette is set, the editor's sliders
// move there.
//
// Threads: GUI thread only.
#pragma once

#include "views/gradient/ColorChooser.h"

#include <memory>

class QWidget;

namespace moravel {

class SpectrogramPaletteState;
class GradientEditorDialog;

class GradientEditorController {
public:
    /// `palette` and `parent` (the main window, which the editor is modal
    /// over) must outlive this object. `chooseColor` empty: the system's
    /// colour dialog.
    GradientEditorController(SpectrogramPaletteState& palette, ColorChooser chooseColor, QWidget* parent);
    ~GradientEditorController();
    GradientEditorController(const GradientEditorController&) = delete;
    GradientEditorController& operator=(const GradientEditorController&) = delete;

    /// "Edit": shows the editor modally; returns once it closed.
    void ShowModal();

    GradientEditorDialog& Editor() { return *editor_; }

private:
    SpectrogramPaletteState& palette_;
    std::unique_ptr<GradientEditorDialog> editor_;
};

}  // namespace moravel
