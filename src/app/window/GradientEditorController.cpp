#include "GradientEditorController.h"

#include "GradientEditorDialog.h"
#include "SpectrogramPaletteState.h"

#include <utility>

namespace moravel {

GradientEditorController::GradientEditorController(SpectrogramPaletteState& palette, ColorChooser chooseColor,
                                                   QWidget* parent)
    : palette_(palette),
      editor_(std::make_unique<TForm2>(
          palette.Gradient(), std::move(chooseColor), [&palette] { palette.Refresh(); }, parent)) {
    TForm2* editor = editor_.get();
    palette_.SetGradientListener([editor] { editor->PlaceControlPoints(); });
    editor->PlaceControlPoints();
}

GradientEditorController::~GradientEditorController() { palette_.SetGradientListener({}); }

void GradientEditorController::ShowModal() { editor_->exec(); }

}  // namespace moravel
