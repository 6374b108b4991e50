// The colour dialog the gradient editor opens on a right-clicked slider,
// behind a function type so tests answer it without showing anything.
//
// Threads: GUI thread only.
#pragma once

#include "views/core/GdiRaster.h"

#include <functional>
#include <optional>

class QWidget;

namespace moravel {

/// Shows a colour dialog over `parent` preset with `initial` (0xBBGGRR) and
/// returns the confirmed colour (0xBBGGRR), or none when it was cancelled.
using ColorChooser = std::function<std::optional<TColor>(QWidget* parent, TColor initial)>;

/// The system's colour dialog.
std::optional<TColor> ChooseColorWithDialog(QWidget* parent, TColor initial);

}  // namespace moravel
