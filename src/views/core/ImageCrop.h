// Cuts an image's source rectangle out of its pixels, so that a writer can
// store just the part that is shown, with the source starting at (0, 0).
// Pure function, any thread.
#pragma once

#include "views/core/VectorDrawing.h"

namespace moravel::vec {

/// The pixels of `image.source` (rounded to whole pixels and limited to the
/// image) as an image of their own; source becomes the whole new image,
/// target is kept. An empty source gives a 0 x 0 image.
Image CropToSource(const Image& image);

}  // namespace moravel::vec
