// The --spectrogram picture of one run: sized before processing (a picture
// too wide is refused before anything is written), filled with one column
// per output block while the recording streams through, and written as PNG
// under a temporary name that takes the real name only when the file is
// complete. Processing-loop thread only.
#pragma once

#include "FFT.h"
#include "SpectrogramLayout.h"
#include "SpectrogramLook.h"
#include "SpectrogramPicture.h"

#include <cstdint>
#include <stdexcept>
#include <string>

namespace moravel {

/// The picture of a recording would be wider than kMaxPictureWidth.
class SpectrogramTooWide : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// Where the picture's rows and columns come from: the engine's block and
/// display arithmetic for one sample rate and resolution.
struct SpectrogramGeometry {
    std::int32_t rows;        // display bins 1 .. rows
    double columnsPerSecond;  // blocks per second
    double hzPerRow;          // display bin width

    /// For `sampleRate` Hz, blocks of `blockSamples` and display resolution
    /// factor `resolution` (10, 5 or 1; ResolutionFactor): the engine shows
    /// (blockSamples / 2) / resolution bins of resolution × rate / blockSamples Hz.
    static SpectrogramGeometry For(std::int32_t sampleRate, std::int32_t blockSamples, std::int32_t resolution);
};

class SpectrogramOutput {
public:
    /// `expectedSamples`: the input's length, which gives the expected
    /// columns (one per started block). Throws SpectrogramTooWide, naming
    /// the limit and the audio it holds at this rate, when they exceed the
    /// width limit.
    SpectrogramOutput(const SpectrogramGeometry& geometry, std::int64_t expectedSamples, std::int32_t blockSamples,
                      SpectrogramLook look);

    /// One column from the engine's display values of the block just
    /// processed. Throws SpectrogramTooWide if the input turns out longer
    /// than its header said and the picture would pass the limit.
    void AddBlock(const TmyFFT& engine);

    /// Writes the picture to `path` (through a temporary file beside it).
    /// Throws std::system_error when it cannot be written; `path` is then
    /// as it was.
    void Write(const std::string& path) const;

    const SpectrogramPicture& Picture() const { return picture_; }
    SpectrogramLayout Layout() const;

private:
    SpectrogramGeometry geometry_;
    SpectrogramPicture picture_;
};

}  // namespace moravel
