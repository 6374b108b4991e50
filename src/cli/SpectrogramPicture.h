// The spectrogram of a processed recording as the program's spectrogram
// colours it: one column per block, one row per display bin 1 .. rows, each
// pixel the palette entry that SpectrogramColourIndex picks for the bin's
// display value. Columns are kept as palette indices (2 bytes a pixel), so
// the picture's memory is rows x columns x 2 bytes and nothing else grows
// with the recording. Plain C++; one thread.
#pragma once

#include "views/core/ColorGradient.h"

#include <cstdint>
#include <stdexcept>
#include <vector>

namespace moravel {

/// The colour scale of the Spectrogram page: its offset and gain track bars'
/// positions and the gain bar's maximum.
struct SpectrogramScale {
    std::int32_t offset = 0;
    std::int32_t gainPosition = 1;
    std::int32_t gainMaximum = kPaletteMaxN;
};

/// More columns than the picture may hold.
class PictureTooWide : public std::length_error {
public:
    using std::length_error::length_error;
};

class SpectrogramPicture {
public:
    /// `rows` ≥ 0 display bins (1 .. rows); at most `maxColumns` columns,
    /// memory reserved for `expectedColumns`. The scale's gain maximum must
    /// lie in 0 .. kPaletteMaxN (std::out_of_range otherwise).
    SpectrogramPicture(std::int32_t rows, std::int32_t maxColumns, std::int32_t expectedColumns,
                       const SpectrogramPalette& palette, const SpectrogramScale& scale);

    /// Appends a column from display values `values[1 .. rows]`; `count` is
    /// the number of values (DisplayCount) and must exceed `rows`
    /// (std::invalid_argument otherwise). Throws PictureTooWide when the
    /// picture already holds maxColumns columns.
    void AddColumn(const float* values, std::int32_t count);

    std::int32_t Rows() const { return rows_; }
    std::int32_t Columns() const { return columns_; }

    /// The palette index of column `column` (0 .. Columns−1), display bin
    /// `bin` (1 .. Rows).
    std::uint16_t Index(std::int32_t column, std::int32_t bin) const;
    /// Its 0xBBGGRR colour.
    TColor Colour(std::int32_t column, std::int32_t bin) const { return palette_[Index(column, bin)]; }

private:
    std::int32_t rows_;
    std::int32_t maxColumns_;
    std::int32_t columns_ = 0;
    SpectrogramPalette palette_;
    SpectrogramScale scale_;
    std::vector<std::uint16_t> indices_;  // column by column, bin 1 first
};

}  // namespace moravel
