// The --spectrogram picture of one run: filled with one column per output
// block while the recording streams through, and written as PNG under a
// temporary name that takes the real name only when the file is complete.
// A recording longer than one picture may show (kMaxPictureWidth) is drawn
// in parts of the widest picture allowed, written as FILE-1.png,
// FILE-2.png, ... whose time labels go on from part to part. The parts are
// held until Write: rows × 2 bytes a column (at 8000 Hz and the medium
// resolution about 6 MB an hour). Processing-loop thread only.
#pragma once

#include "dsp/Engine.h"
#include "cli/SpectrogramLayout.h"
#include "cli/SpectrogramLook.h"
#include "cli/SpectrogramPicture.h"

#include <cstdint>
#include <string>
#include <vector>

namespace moravel {

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
    /// columns (one per started block) and so the parts. `partColumns`
    /// (> 0) overrides the columns a part holds, for tests; 0 takes the
    /// most that fit kMaxPictureWidth.
    SpectrogramOutput(const SpectrogramGeometry& geometry, std::int64_t expectedSamples, std::int32_t blockSamples,
                      SpectrogramLook look, std::int32_t partColumns = 0);

    /// One column from the engine's display values of the block just
    /// processed; a full part is followed by a new one.
    void AddBlock(const Engine& engine);

    /// Writes the picture to `path`, or its parts to PartPath(path, 1..),
    /// each through a temporary file beside it. Throws std::system_error
    /// when one cannot be written; the files are then as they were.
    void Write(const std::string& path) const;

    /// "dir/name-3.png" for part 3 of "dir/name.png".
    static std::string PartPath(const std::string& path, std::size_t part);

    std::size_t Parts() const { return parts_.size(); }
    const SpectrogramPicture& Picture(std::size_t part = 0) const { return parts_[part]; }
    SpectrogramLayout Layout(std::size_t part = 0) const;

private:
    void startPart();

    SpectrogramGeometry geometry_;
    SpectrogramLook look_;
    std::int32_t partColumns_;
    std::int64_t expectedColumns_;
    std::vector<SpectrogramPicture> parts_;
};

}  // namespace moravel
