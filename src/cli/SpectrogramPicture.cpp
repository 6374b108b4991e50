#include "cli/SpectrogramPicture.h"

#include "views/core/PlotMath.h"

#include <algorithm>
#include <string>

namespace moravel {

SpectrogramPicture::SpectrogramPicture(std::int32_t rows, std::int32_t maxColumns, std::int32_t expectedColumns,
                                       const SpectrogramPalette& palette, const SpectrogramScale& scale)
    : rows_(std::max(rows, 0)), maxColumns_(std::max(maxColumns, 0)), palette_(palette), scale_(scale) {
    if (scale.gainMaximum < 0 || scale.gainMaximum > kPaletteMaxN)
        throw std::out_of_range("spectrogram gain maximum outside the palette");
    const auto reserve = std::clamp(expectedColumns, 0, maxColumns_);
    indices_.reserve(static_cast<std::size_t>(reserve) * static_cast<std::size_t>(rows_));
}

void SpectrogramPicture::AddColumn(const float* values, std::int32_t count) {
    if (count <= rows_) {
        throw std::invalid_argument("a spectrum of " + std::to_string(count) + " points for a picture of " +
                                    std::to_string(rows_) + " rows");
    }
    if (columns_ >= maxColumns_) throw PictureTooWide("more than " + std::to_string(maxColumns_) + " columns");
    for (std::int32_t bin = 1; bin <= rows_; ++bin) {
        const std::int32_t index =
            SpectrogramColourIndex(values[bin], scale_.offset, scale_.gainPosition, scale_.gainMaximum);
        indices_.push_back(static_cast<std::uint16_t>(std::clamp(index, 0, scale_.gainMaximum)));
    }
    ++columns_;
}

std::uint16_t SpectrogramPicture::Index(std::int32_t column, std::int32_t bin) const {
    return indices_[static_cast<std::size_t>(column) * static_cast<std::size_t>(rows_) +
                    static_cast<std::size_t>(bin - 1)];
}

}  // namespace moravel
