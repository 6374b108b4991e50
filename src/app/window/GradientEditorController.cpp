#include "app/window/GradientEditorController.h"

#include "views/gradient/GradientEditorDialog.h"
#include "app/window/SpectrogramPaletteState.h"

#include <utility>

namespace moravel {

GradientEditorController::GradientEditorController(SpectrogramPaletteState& palette, ColorChooser chooseColor,
                                                   QWidget* parent)
    : palette_(palette),
      editor_(std::make_unique<GradientEditorDialog>(
          palette.Gradient(), std::move(chooseColor), [&palette] { palette.Refresh(); }, parent)) {
    GradientEditorDialog* editor = editor_.get();
    palette_.SetGradientListener([editor] { editor->ShowGradient(); });
    editor->ShowGradient();
}

GradientEditorController::~GradientEditorController() { palette_.SetGradientListener({}); }

void GradientEditorController::ShowModal() { editor_->exec(); }

}  // namespace moravel
