// The spectrogram picture as a PNG file: the plot on a black background with
// its axes, ticks and labels in kAxisColour, written row by row so that
// only one row of the file is held besides the picture. Plain C++; one
// thread.
#pragma once

#include "cli/SpectrogramLayout.h"
#include "cli/SpectrogramPicture.h"

#include <string>

namespace moravel {

/// Colour of the axis lines, ticks and labels (0xBBGGRR).
inline constexpr TColor kAxisColour = 0xFFFFFF;

/// Writes `picture` with `layout` (whose columns and rows must be the
/// picture's, std::invalid_argument otherwise) to `path`, created or
/// replaced. Throws std::system_error when the file cannot be created or
/// written.
void WriteSpectrogramPng(const std::string& path, const SpectrogramPicture& picture, const SpectrogramLayout& layout);

}  // namespace moravel
